// The cycle trigger: a record starts each time the control unit's cycle
// counter reaches the next count of the project's cycle program. The
// panel reads the counter at each monitor poll while no record runs.

#include "measure/model/poll/KeisokuPanel.h"

#include "framework/core/Services.h"
#include "measure/model/poll/PanelHost.h"

void CKeisokuPanel::OnCycleTrigger()
{
    if (m_cycleTrigger) {
        if (fw::AfxMessageBox(kMsgEndCycleTrigger, fw::MB_YESNO | fw::MB_DEFBUTTON2) == fw::IDYES) {
            m_cycleTrigger = false;
            m_cycleCount = -1;
        }
        return;
    }
    if (!m_host.StartCycleTrigger())
        return;
    const bool ran = m_worker != nullptr;
    StopPolling();
    int count = System().ReadCycleCount();
    if (count < 0) {
        AbortPanel();
        return;
    }
    const int answer = m_host.AskCycleCount(count);
    if (m_aborted)
        return;
    if (answer < 0) {
        if (ran && !StartPolling())
            AbortPanel();
        return;
    }
    if (answer == 0)
        count = System().ReadCycleCount();
    else if (!System().SetCycleCount(count))
        count = -1;
    if (count < 0) {
        AbortPanel();
        return;
    }
    m_cycleCount = count;
    m_cycleTrigger = true;
    if (m_host.IsCycleTableEmpty()) {
        const int now = System().ReadCycleCount();
        if (now < 0 || !StartMeasurement(kStartCycle)) {
            m_cycleTrigger = false;
            AbortPanel();
            return;
        }
        m_cycleCount = now;
    }
    if (!m_host.ResetCycleTrigger(m_cycleCount))
        m_cycleTrigger = false;
    if (ran && !m_worker && !StartPolling())
        AbortPanel();
}

// `started` also reports a mode that ended, so that the poll handler
// starts polling again after the stop.
bool CKeisokuPanel::CycleStep(bool& started)
{
    if (m_measuring || !m_cycleTrigger || started)
        return true;
    int count = m_cycleCount;
    const int due = m_host.CheckCycleDue(count);
    m_cycleCount = count;
    switch (due) {
    case 0:
        m_cycleTrigger = false;
        StopPolling();
        started = true;
        return true;
    case 1:
        StopPolling();
        if (!StartMeasurement(kStartCycle)) {
            m_cycleTrigger = false;
            AbortPanel();
            return false;
        }
        if (!m_host.AdvanceCycleTrigger(count))
            m_cycleTrigger = false;
        started = true;
        return true;
    default:
        return true;
    }
}
