#include "measure/model/card/CardFileDelete.h"

#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"

#include <algorithm>

namespace cardfiles {

namespace {

CKivMeter* MeterOfBox(CBoxArray& system, int box)
{
    if (box < 0 || box >= system.GetBoxCount())
        return nullptr;
    CBoxPropaty* b = system.GetBox(box);
    return b ? b->GetMeter() : nullptr;
}

const std::vector<CKiv406FileInfo>* ListOf(const FileLists& lists, int box)
{
    return box >= 0 && box < static_cast<int>(lists.size()) ? lists[static_cast<size_t>(box)] : nullptr;
}

} // namespace

fw::CString CardName(const CKiv406FileInfo& entry)
{
    return fw::fs::FileNameOf(entry.m_name);
}

fw::CString DeleteCommand(const CKiv406FileInfo& entry, uint32_t firmware, uint32_t wildcardFrom)
{
    const fw::CString name = CardName(entry);
    return firmware >= wildcardFrom ? fw::Format("DEL%s*", name) : fw::Format("DEL%s", name);
}

bool DeleteWithRetry(CKivMeter& meter, const CKiv406FileInfo& entry, uint32_t wildcardFrom, const AskContinue& ask)
{
    const fw::CString command = DeleteCommand(entry, meter.GetFirmwareVersion(), wildcardFrom);
    for (;;) {
        try {
            meter.Command(command);
            return true;
        } catch (const std::exception& e) {
            CKiv406ErrStr texts;
            if (!ask || !ask(texts.GetExceptionText(e)))
                return false;
        }
    }
}

bool DeleteTransferredFiles(CBoxArray& system, const FileLists& lists, int fileIndex, const AskContinue& ask)
{
    for (int box = 0; box < system.GetBoxCount(); ++box) {
        const std::vector<CKiv406FileInfo>* list = ListOf(lists, box);
        CKivMeter* meter = MeterOfBox(system, box);
        if (!list || !meter || fileIndex < 0 || fileIndex >= static_cast<int>(list->size()))
            continue;
        if (!DeleteWithRetry(*meter, (*list)[static_cast<size_t>(fileIndex)], kTransferWildcardFrom, ask))
            return false;
    }
    return true;
}

bool DeleteMarkedFiles(CBoxArray& system, const FileLists& lists, const MarkLists& marks)
{
    for (int16_t box : system.GetBoxesInUse()) {
        const std::vector<CKiv406FileInfo>* list = ListOf(lists, box);
        CKivMeter* meter = MeterOfBox(system, box);
        if (!list || !meter || box >= static_cast<int>(marks.size()))
            continue;
        const std::vector<bool>& mark = marks[static_cast<size_t>(box)];
        const size_t count = std::min(list->size(), mark.size());
        for (size_t i = 0; i < count; ++i) {
            if (!mark[i])
                continue;
            try {
                meter->Command(DeleteCommand((*list)[i], meter->GetFirmwareVersion(), kMarkedWildcardFrom));
            } catch (const std::exception& e) {
                fw::ReportException(e);
                return false;
            }
        }
    }
    return true;
}

bool DeleteFetchedFiles(CBoxArray& system, const FileLists& lists, const AskContinue& ask)
{
    const auto first = std::find_if(lists.begin(), lists.end(), [](const auto* list) { return list != nullptr; });
    if (first == lists.end())
        return true;
    const size_t count = (*first)->size();
    for (size_t i = 0; i < count; ++i) {
        for (int box = 0; box < system.GetBoxCount(); ++box) {
            const std::vector<CKiv406FileInfo>* list = ListOf(lists, box);
            CKivMeter* meter = MeterOfBox(system, box);
            if (!list || !meter || i >= list->size())
                continue;
            if (!DeleteWithRetry(*meter, (*list)[i], kNoWildcard, ask))
                return false;
        }
    }
    return true;
}

} // namespace cardfiles
