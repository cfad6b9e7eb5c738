#pragma once

#include "framework/core/testing/FakeClock.h"
#include "framework/core/testing/RecordingStatus.h"
#include "framework/core/testing/ScriptedPrompt.h"

namespace fw::test {

// Installs a scripted prompt, a recording status line, a virtual clock and a
// counting wait cursor for its lifetime, and puts back whatever was
// installed before. Tests script and inspect the public members.
class ServiceScope {
public:
    ServiceScope();
    ~ServiceScope();
    ServiceScope(const ServiceScope&) = delete;
    ServiceScope& operator=(const ServiceScope&) = delete;

    ScriptedPrompt prompt;
    RecordingStatus status;
    FakeClock clock;
    CountingWaitCursor cursor;

private:
    IPrompt* m_oldPrompt;
    IStatus* m_oldStatus;
    IClock* m_oldClock;
    IWaitCursor* m_oldCursor;
};

} // namespace fw::test
