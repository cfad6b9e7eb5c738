#include "measure/views/voice/ProjectVoiceTarget.h"

#include "project/model/KIV5980Doc.h"

fw::CString CProjectVoiceTarget::DataFolder() { return m_doc.GetDataFolder(); }

int CProjectVoiceTarget::FindStepByTime(const fw::COleDateTime& time, int start)
{
    return m_doc.GetHistory().FindStepByTime(time, start);
}

fw::CString CProjectVoiceTarget::StepFolder(int step) { return m_doc.GetHistory().GetDataFileName(step); }

bool CProjectVoiceTarget::CanAddVoice() { return m_doc.CanAddVoice(); }

int CProjectVoiceTarget::VoiceCount() { return m_doc.GetVoiceList().GetMaxIndex() + 1; }

void CProjectVoiceTarget::AddVoiceRecording(const fw::CString& folder, const fw::CString& title,
                                            const fw::COleDateTime& time)
{
    m_doc.AddVoiceRecording(folder, title, time);
}
