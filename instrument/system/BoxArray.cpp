#include "instrument/system/BoxArray.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"
#include "framework/core/Document.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/ContinueQuestion.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/HistCount.h"

#include <algorithm>
#include <cstring>

FW_IMPLEMENT_SERIAL(CBoxArray, fw::CObject, 1)

namespace {

// Copies at most size - 1 bytes of UTF-8 text, never splitting a character.
void CopyMessage(const fw::CString& text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    size_t n = std::min(static_cast<size_t>(text.GetLength()), static_cast<size_t>(size - 1));
    while (n > 0 && n < static_cast<size_t>(text.GetLength()) &&
           (static_cast<unsigned char>(text.c_str()[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, text.c_str(), n);
    buffer[n] = '\0';
}

} // namespace

CBoxArray::CBoxArray() = default;

CBoxArray::~CBoxArray()
{
    m_tanks.DeleteAll();
    DeleteBoxes();
    m_hist.reset();
    m_markers.DeleteAll();
}

CBoxPropaty* CBoxArray::GetBox(int index) const
{
    if (index < 0 || index >= GetBoxCount())
        fw::ThrowInvalidArgException();
    return (*m_boxes)[static_cast<size_t>(index)].get();
}

void CBoxArray::MarkModified()
{
    if (m_owner)
        m_owner->SetModifiedFlag(true);
}

void CBoxArray::SetSaveMode(int mode)
{
    if (mode == m_saveMode)
        return;
    m_saveMode = mode;
    MarkModified();
}

void CBoxArray::DeleteBoxes()
{
    if (!m_boxes)
        return;
    m_boxes->clear();
    m_boxes.reset();
}

void CBoxArray::UpdateCanUnitFlags()
{
    const int boxes = std::min(GetBoxCount(), kMaxBoxes);
    for (int i = 0; i < boxes; ++i)
        m_canFlags[static_cast<size_t>(i)] = m_profile.m_unitTypes[static_cast<size_t>(i)].CountOf(CKivUnitTypes::kCanUnit) > 0;
}

bool CBoxArray::HasCanUnit(int box) const
{
    if (box < 0 || box >= kMaxBoxes)
        fw::ThrowInvalidArgException();
    return m_canFlags[static_cast<size_t>(box)];
}

// ------------------------------------------------------------------ archive

void CBoxArray::WriteBoxArray(fw::CArchive& ar)
{
    const int count = GetBoxCount();
    ar.WriteCount(static_cast<uint64_t>(count));
    for (int i = 0; i < count; ++i)
        ar.WriteObject(GetBox(i));
}

void CBoxArray::ReadBoxArray(fw::CArchive& ar)
{
    const uint64_t count = ar.ReadCount();
    // A project holds at most one box per profile entry; more is no file of ours.
    if (count > static_cast<uint64_t>(kMaxBoxes))
        fw::ThrowArchiveException(fw::CArchiveException::genericException);
    DeleteBoxes();
    m_boxes = std::make_unique<BoxList>();
    for (uint64_t i = 0; i < count; ++i) {
        // A box (or its control unit) read before would be owned twice.
        auto* box = static_cast<CBoxPropaty*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CBoxPropaty)));
        if (!box)
            fw::ThrowArchiveException(fw::CArchiveException::badClass);
        m_boxes->push_back(std::unique_ptr<CBoxPropaty>(box));
    }
}

void CBoxArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        m_profile.Serialize(ar);
        m_adSet.Serialize(ar);
        WriteBoxArray(ar);
        ar << m_measuring;
        WriteArchiveTag(ar, kSaveModeTag);
        ar << m_saveMode;
        m_tanks.Serialize(ar);
        return;
    }
    m_profile.Serialize(ar);
    m_adSet.Serialize(ar);
    ReadBoxArray(ar);
    int32_t measuring = 0;
    ar >> measuring;
    // The tanks of the measuring channels follow the boxes' channels; a count
    // that disagrees would map channels onto tanks of other channels or none.
    int inputs = 0;
    for (int i = 0; i < GetBoxCount(); ++i)
        inputs += GetBox(i)->GetInputCount();
    if (measuring != inputs)
        fw::ThrowArchiveException(fw::CArchiveException::genericException);
    m_measuring = measuring;
    if (PeekArchiveTag(ar, kSaveModeTag))
        ar >> m_saveMode;
    UpdateCanUnitFlags();
    m_tanks.Serialize(ar);
}

// -------------------------------------------------------- the continue question

bool CBoxArray::AskContinue(const char* message, const char* logPath)
{
    const fw::CString text = fw::Format(fw::LoadStringText(kMsgContinue), message ? message : "");
    bool answer = ShowTimeLimitMessage(text.c_str(), logPath, kContinueSeconds);
    for (;;) {
        if (!answer)
            return false;
        char buffer[256] = {};
        if (!ReconnectMeters(buffer, 255))
            return true;
        answer = ShowTimeLimitMessage(buffer, logPath, kContinueSeconds);
    }
}

bool CBoxArray::ReconnectMeters(char* buffer, int size)
{
    try {
        CMeterInterface* link = GetBox(0)->GetMeter() ? GetBox(0)->GetMeter()->GetInterface() : nullptr;
        if (!link)
            fw::ThrowInvalidArgException();
        link->Reopen();
        for (int i = 0; i < GetBoxCount(); ++i)
            GetBox(i)->GetMeter()->CheckPresent();
    } catch (const std::exception& e) {
        CKiv406ErrStr texts;
        CopyMessage(texts.GetExceptionText(e), buffer, size);
        return true;
    }
    return false;
}

// ------------------------------------------------------------ values into tanks

void CBoxArray::StoreCurrentValues()
{
    for (int i = 0; i < GetBoxCount(); ++i)
        GetBox(i)->StoreCurrentValues();
}

int CBoxArray::StoreSamples(int box, int firstRow, int count, int rowSize, std::span<const uint8_t> samples)
{
    return GetBox(box)->StoreSamples(firstRow, count, rowSize, samples);
}
