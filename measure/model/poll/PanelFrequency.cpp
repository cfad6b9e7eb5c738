// The frequency-analysis results the units produced come into the project
// when an analysis run ends and at the end of a program measurement.

#include "measure/model/poll/KeisokuPanel.h"

#include "framework/core/Format.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/SequenceSupport.h"
#include "measure/model/poll/PanelHost.h"

#include <memory>

bool CKeisokuPanel::FetchFrequencyData()
{
    CBoxArray& system = System();
    if (!system.ReadFileLists(false, true))
        return false;
    if (m_host.DontSaveAutomatically()) {
        system.SelectLatestFiles(CBoxPropaty::kHistList);
        return true;
    }
    std::vector<std::unique_ptr<std::vector<CKiv406FileInfo>>> owned(static_cast<size_t>(system.GetBoxCount()));
    CBoxArray::FileVectors lists(owned.size(), nullptr);
    for (int16_t b : system.GetBoxesInUse()) {
        if (system.GetBox(b)->GetMeter()->GetLoadClass() <= 0)
            continue;
        owned[static_cast<size_t>(b)] = std::make_unique<std::vector<CKiv406FileInfo>>();
        lists[static_cast<size_t>(b)] = owned[static_cast<size_t>(b)].get();
    }
    system.CollectNewHistFiles(lists);
    m_host.ImportHistogramData(lists);
    if (!m_host.DeleteCardFilesAfterFetch()) {
        system.SelectLatestFiles(CBoxPropaty::kHistList);
        return true;
    }
    if (!DeleteFetchedFiles(lists))
        return false;
    system.DropCurrentFiles(CBoxPropaty::kHistList);
    return WaitCardReady();
}

// File by file across the boxes; a failure may be retried on the same file.
bool CKeisokuPanel::DeleteFetchedFiles(const CBoxArray::FileVectors& lists)
{
    size_t count = 0;
    for (const auto* list : lists) {
        if (list) {
            count = list->size();
            break;
        }
    }
    for (size_t i = 0; i < count; ++i) {
        for (size_t b = 0; b < lists.size(); ++b) {
            if (!lists[b] || i >= lists[b]->size())
                continue;
            const fw::CString command = fw::Format("DEL%s", (*lists[b])[i].m_name.c_str());
            for (;;) {
                try {
                    sequence::MeterOf(System(), static_cast<int>(b)).Command(command);
                    break;
                } catch (const std::exception& e) {
                    CKiv406ErrStr texts;
                    if (!AskContinue(texts.GetExceptionText(e).str()))
                        return false;
                }
            }
        }
    }
    return true;
}

// Once the units' analysis run has ended its results are fetched; false
// when that failed and the panel was aborted.
bool CKeisokuPanel::FollowFrequencyState()
{
    const int state = m_freqState;
    const bool running = state == kFrequencyRunning1 || state == kFrequencyRunning2;
    if (m_freqPolling && !running) {
        m_freqPolling = false;
        if (!FetchFrequencyData()) {
            ClearTriggerModes();
            AbortPanel();
            return false;
        }
    } else if (!m_freqPolling && running) {
        m_freqPolling = true;
    }
    return true;
}
