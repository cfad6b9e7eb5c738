// Ending a measurement: the halt, the common recorded count of all
// channels, and the card-mode command after a halt.

#include "instrument/system/BoxArray.h"

#include "instrument/system/SequenceSupport.h"

namespace {

constexpr int kStateWaiting = 2;
constexpr int kStateRecording = 3;
constexpr char kCardModeAfterHalt = 'S';

} // namespace

bool CBoxArray::HaltMeasurement(bool askOnError)
{
    m_seq->cancelled = false;
    for (;;) {
        try {
            sequence::Master(*this).Command("HLT");
            // A cancelled wait leaves the units' state unknown: no success.
            return WaitWhile(kHaltWaitS, [](CBoxArray& s) {
                s.CollectBoxStates();
                return s.m_state == kStateWaiting || s.m_state == kStateRecording || s.m_programValue != 0;
            });
        } catch (const std::exception& e) {
            if (!askOnError || !AskAfter(e))
                return false;
        }
    }
}

int CBoxArray::FinishCounts(bool fileMode, bool halt)
{
    for (;;) {
        try {
            const int n = SyncEndCounts(m_inUse, m_unitList);
            if (halt && !HaltMeasurement(true))
                return -1;
            if (fileMode) {
                if (!ReadFileLists(false, true))
                    return -1;
                return HaveCurrentFiles() ? 1 : 0;
            }
            if (n > 0) {
                m_tanks.SetDataCount(GetPollChannelCount() + 1, true);
                UpdateDataCounts();
            }
            return n;
        } catch (const sequence::WaitCancelled&) {
            return -1;
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return -1;
        }
    }
}

int CBoxArray::StopMeasurement(bool fileMode)
{
    return FinishCounts(fileMode, true);
}

int CBoxArray::FinishRecording(bool fileMode)
{
    return FinishCounts(fileMode, false);
}

bool CBoxArray::HaltAndFinish()
{
    if (!HaltMeasurement(true))
        return false;
    (void)SendCfm(kCardModeAfterHalt);
    return true;
}

bool CBoxArray::SendCfm(char mode)
{
    for (;;) {
        try {
            for (int16_t b : m_inUse)
                sequence::MeterOf(*this, b).SetCardMode(mode);
            return true;
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return false;
        }
    }
}
