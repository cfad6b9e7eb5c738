#pragma once

// The project as the voice copy sees it: its data folder, the measurement
// steps that hold a recording, and its voice list.

#include "measure/model/voice/VoiceCopyTarget.h"

class CKIV5980Doc;

class CProjectVoiceTarget final : public IVoiceCopyTarget {
public:
    explicit CProjectVoiceTarget(CKIV5980Doc& doc) : m_doc(doc) {}

    fw::CString DataFolder() override;
    int FindStepByTime(const fw::COleDateTime& time, int start) override;
    fw::CString StepFolder(int step) override;
    bool CanAddVoice() override;
    int VoiceCount() override;
    void AddVoiceRecording(const fw::CString& folder, const fw::CString& title, const fw::COleDateTime& time) override;

private:
    CKIV5980Doc& m_doc;
};
