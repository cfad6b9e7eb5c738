// The voice list of a data document: the recordings that lie in the
// document's own folder, found again after every load.

#include "data/model/KivDataDoc.h"

#include "canvoicegps/voice/VoiceFileInfo.h"
#include "framework/core/Services.h"
#include "instrument/system/MarkerList.h"

#include <algorithm>

namespace {

constexpr intptr_t kHintVoiceListChanged = 44;

// Earlier recordings first; recordings of one moment by file name.
bool RecordedBefore(const CVoiceFileTriger& a, const CVoiceFileTriger& b)
{
    if (a.m_recordTime.m_dt != b.m_recordTime.m_dt)
        return a.m_recordTime.m_dt < b.m_recordTime.m_dt;
    return a.m_name.str() < b.m_name.str();
}

} // namespace

void CKivDataDoc::LoadVoiceFiles(bool remark)
{
    fw::CWaitCursor wait;
    CMarkerList& marks = m_boxes.GetMarkers();
    if (remark)
        marks.RemoveVoiceMarkers();
    const double interval = GetSampleInterval();
    std::vector<CVoiceFileTriger> records;
    const fw::CString folder = GetDataFolder();
    // A document not yet saved has no folder to look in.
    if (!folder.IsEmpty())
        FindVoiceFiles(folder, fw::CString(), records);
    std::stable_sort(records.begin(), records.end(), RecordedBefore);
    m_voiceList.RemoveAll();
    m_voiceList.CreateTanks();
    m_voiceList.SetMaxIndex(static_cast<int>(records.size()) - 1);
    for (size_t i = 0; i < records.size(); ++i) {
        const int n = static_cast<int>(i);
        m_voiceList.SetFileName(n, records[i].m_name);
        m_voiceList.SetRecordDate(n, records[i].m_recordTime.m_dt);
        m_voiceList.SetStartTime(n, records[i].m_startTime);
        if (remark)
            marks.AddVoiceMarker(folder, records[i].m_name, records[i].m_recordTime, records[i].m_startTime,
                                 interval);
    }
    UpdateAllViews(nullptr, kHintVoiceListChanged);
}
