#include "framework/core/testing/ServiceScope.h"

namespace fw::test {

ServiceScope::ServiceScope()
    : m_oldPrompt(InstallPrompt(&prompt)),
      m_oldStatus(InstallStatus(&status)),
      m_oldClock(InstallClock(&clock)),
      m_oldCursor(InstallWaitCursor(&cursor))
{
}

ServiceScope::~ServiceScope()
{
    InstallWaitCursor(m_oldCursor);
    InstallClock(m_oldClock);
    InstallStatus(m_oldStatus);
    InstallPrompt(m_oldPrompt);
}

} // namespace fw::test
