#include "canvoicegps/voice/VoiceListObj.h"

#include "canvoicegps/voice/VoicePlayback.h"
#include "common/tank/DataBoxPropaty.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/DblDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr unsigned kIdsRecordDate = 790;  // "録音日時"
constexpr unsigned kIdsStartTime = 816;   // "録音開始時間\n(sec)"
constexpr int32_t kDateKind = -2;
constexpr int32_t kStartTimeKind = 23;

} // namespace

CVoiceListObj::CVoiceListObj() = default;

CVoiceListObj::~CVoiceListObj() = default; // the tank list releases its tanks

void CVoiceListObj::CreateTanks()
{
    if (m_tankList.GetSize() == 0) {
        CDataBoxPropaty::AddColumnTank(m_tankList, kIdsRecordDate, new CDateDataTank, 1, kDateKind);
        CDataBoxPropaty::AddColumnTank(m_tankList, kIdsStartTime, new CDblDataTank, 1, kStartTimeKind);
    }
    m_pDateTank = m_tankList.GetSize() > 0 ? dynamic_cast<CDateDataTank*>(m_tankList.GetAt(0)) : nullptr;
    m_pStartTank = m_tankList.GetSize() > 1 ? dynamic_cast<CDblDataTank*>(m_tankList.GetAt(1)) : nullptr;
    if (!m_pDateTank || !m_pStartTank) {
        // A damaged list gets fresh tanks rather than a view on the wrong ones.
        m_tankList.DeleteAll();
        CreateTanks();
    }
}

void CVoiceListObj::SetMaxIndex(int n)
{
    if (n <= m_nMaxIndex)
        return;
    m_nMaxIndex = n;
    m_fileNames.SetSize(n + 1);
    m_folderNames.SetSize(n + 1);
    if (m_pDateTank && m_pDateTank->GetDataCount() < n + 1)
        m_pDateTank->SetSize(n + 1, true);
}

void CVoiceListObj::GrowTo(int n)
{
    if (n < 0)
        fw::ThrowInvalidArgException();
    SetMaxIndex(n);
}

void CVoiceListObj::SetFileName(int n, const fw::CString& title)
{
    GrowTo(n);
    m_fileNames.SetAt(n, title);
}

void CVoiceListObj::SetFolderName(int n, const fw::CString& folder)
{
    GrowTo(n);
    m_folderNames.SetAt(n, folder);
}

bool CVoiceListObj::SetRecordDate(int n, double dateTime)
{
    GrowTo(n);
    return m_pDateTank && m_pDateTank->SetValue(n, dateTime);
}

void CVoiceListObj::SetStartTime(int n, double seconds)
{
    GrowTo(n);
    if (m_pStartTank)
        m_pStartTank->SetValue(n, seconds);
}

void CVoiceListObj::RemoveAll()
{
    m_nMaxIndex = -1;
    m_fileNames.RemoveAll();
    m_folderNames.RemoveAll();
    if (m_pDateTank)
        m_pDateTank->Clear();
    if (m_pStartTank)
        m_pStartTank->Clear();
}

void CVoiceListObj::CheckIndex(int n, const fw::CStringArray& names) const
{
    if (n < 0 || n >= names.GetSize())
        fw::ThrowInvalidArgException();
}

fw::CString CVoiceListObj::GetFileName(int n) const
{
    if (n > m_nMaxIndex)
        return {};
    CheckIndex(n, m_fileNames);
    return m_fileNames.GetAt(n);
}

fw::CString CVoiceListObj::GetFolderName(int n) const
{
    if (n > m_nMaxIndex)
        return {};
    CheckIndex(n, m_folderNames);
    return m_folderNames.GetAt(n);
}

void CVoiceListObj::GetStartTimeText(int n, fw::CString& out) const
{
    if (n < 0)
        fw::ThrowInvalidArgException();
    out.Empty();
    if (!m_pStartTank)
        return;
    const double seconds = m_pStartTank->GetValue(n);
    if (seconds == HUGE_VAL)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "%g", seconds);
    out = text;
}

double CVoiceListObj::GetRecordDate(int n) const
{
    if (n < 0)
        fw::ThrowInvalidArgException();
    return m_pDateTank ? m_pDateTank->GetValue(n) : HUGE_VAL;
}

bool CVoiceListObj::FindRecording(const fw::CString& title, const fw::CString& folder) const
{
    for (int n = 0; n <= m_nMaxIndex; ++n) {
        if (GetFileName(n) == title && GetFolderName(n) == folder)
            return true;
    }
    return false;
}

fw::CString CVoiceListObj::RecordingPath(const fw::CString& dataFolder, int n) const
{
    const fw::CString folder = GetFolderName(n);
    const fw::CString title = GetFileName(n);
    if (folder.IsEmpty())
        return fw::CString(dataFolder.str() + "/" + title.str() + ".wav");
    return fw::CString(dataFolder.str() + "/" + folder.str() + "/" + title.str() + ".wav");
}

unsigned CVoiceListObj::PlayRecording(const fw::CString& dataFolder, int n, std::function<void()> finished) const
{
    IVoicePlayback* player = fw::Installed<IVoicePlayback>();
    if (!player)
        return 0;
    return player->Play(RecordingPath(dataFolder, n), std::move(finished));
}

void CVoiceListObj::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nMaxIndex;
        m_fileNames.Serialize(ar);
        m_tankList.Serialize(ar);
        return;
    }
    int32_t maxIndex = -1;
    ar >> maxIndex;
    m_fileNames.Serialize(ar);
    // Every recording the index counts needs its title; a file that says
    // otherwise is damaged.
    if (maxIndex < -1 || maxIndex >= m_fileNames.GetSize())
        fw::ThrowArchiveException(fw::CArchiveException::badIndex, ar.m_strFileName);
    m_tankList.Serialize(ar);
    m_nMaxIndex = maxIndex;
    m_folderNames.RemoveAll();
    m_folderNames.SetSize(m_fileNames.GetSize());
    m_pDateTank = nullptr;
    m_pStartTank = nullptr;
}
