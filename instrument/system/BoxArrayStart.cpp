// Starting a measurement: manual trigger, data trigger and program
// measurement, the wait while the units wait for their trigger, and the
// start time the master reports.

#include "instrument/system/BoxArray.h"

#include "common/base/ValueParse.h"
#include "framework/core/Services.h"
#include "instrument/system/SequenceSupport.h"

#include <string>

namespace {

constexpr int kStateWaiting = 2;
constexpr int kTriggerSetting = 12;  // the data-trigger levels
constexpr int kUnitErrProgramRefused = kZelErrorUnitReply + 52;
constexpr int kFirstYear = 2000;

// The two digits at `at`; -1 when they are no number.
int Field(const fw::CString& reply, int at)
{
    if (at + 2 > reply.GetLength())
        return -1;
    const std::string digits(reply.view().substr(static_cast<size_t>(at), 2));
    int32_t value = -1;
    return TextToInt(digits.c_str(), &value) ? value : -1;
}

} // namespace

bool CBoxArray::WaitWhile(int limitS, bool (*poll)(CBoxArray&))
{
    const time_t t0 = fw::Clock().Now();
    for (bool first = true;; first = false) {
        if (!first) {
            if (m_seq->cancelled.exchange(false))
                return false;
            fw::Clock().SleepMs(kWaitPauseMs);
        }
        if (m_seq->cancelled.exchange(false))
            return false;
        bool more = false;
        {
            fw::CWaitCursor cursor;
            more = poll(*this);
        }
        if (fw::Clock().Now() - t0 > limitS || !more)
            return true;
    }
}

bool CBoxArray::AskAfter(const std::exception& e)
{
    return AskContinue(sequence::ErrorText(e).c_str(), nullptr);
}

void CBoxArray::ClearRecordedCounts(bool master)
{
    if (master) {
        sequence::Master(*this).ClearLastSampleIndexes();
        return;
    }
    for (size_t i = m_inUse.size(); i-- > 1;)
        sequence::MeterOf(*this, m_inUse[i]).ClearLastSampleIndexes();
}

void CBoxArray::SetStartTimeFromReply(const fw::CString& reply, bool subtract)
{
    int f[6];
    for (int i = 0; i < 6; ++i)
        f[i] = Field(reply, 1 + 3 * i);
    fw::COleDateTime start;
    if (start.SetDateTime(kFirstYear + f[0], f[1], f[2], f[3], f[4], f[5]) != 0)
        start.SetStatus(fw::COleDateTime::invalid);
    if (subtract && start.GetStatus() == fw::COleDateTime::valid)
        start -= fw::COleDateTimeSpan(m_adSet.GetMeasureHours() / 24.0);
    m_startTime = start;
}

bool CBoxArray::StartAndWait()
{
    for (;;) {
        try {
            ClearRecordedCounts(false);
            break;
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return false;
        }
    }
    for (;;) {
        try {
            ClearRecordedCounts(true);
            sequence::Master(*this).SendTrigger();
            break;
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return false;
        }
    }
    return WaitTriggerAndReadStart(false, true);
}

bool CBoxArray::WaitTriggerAndReadStart(bool subtractMeasuringTime, bool askOnError)
{
    m_seq->cancelled = false;
    for (;;) {
        try {
            if (!WaitWhile(kTriggerWaitS, [](CBoxArray& s) {
                    s.CollectBoxStates();
                    return s.m_state == kStateWaiting;
                }))
                return false;
            fw::CString reply;
            sequence::Master(*this).Query("TTM", reply);
            if (!reply.IsEmpty()) {
                SetStartTimeFromReply(reply, subtractMeasuringTime);
                return true;
            }
            // Without a start time the wait goes on only while the units
            // still wait for their trigger; units that never started would
            // otherwise be asked for ever.
            if (m_state != kStateWaiting)
                throw CZelException(-1, kMsgInvalidReply);
        } catch (const std::exception& e) {
            if (!askOnError)
                throw;
            if (!AskAfter(e))
                return false;
        }
    }
}

bool CBoxArray::SendDtg()
{
    for (;;) {
        try {
            for (int16_t b : m_inUse) {
                CKivMeter& meter = sequence::MeterOf(*this, b);
                meter.WriteSetting(kTriggerSetting);
                meter.SendChannelSet();
            }
            sequence::Master(*this).Command("DTG");
            return true;
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return false;
        }
    }
}

bool CBoxArray::StartProgramMeasurement()
{
    m_seq->cancelled = false;
    ClearRecordedCounts(false);
    for (;;) {
        try {
            CKivMeter& master = sequence::Master(*this);
            master.SendProgram();
            master.ClearLastSampleIndexes();
            master.Command("PRN");
            return WaitWhile(kTriggerWaitS, [](CBoxArray& s) {
                s.CollectBoxStates();
                return s.m_programValue == 0;
            });
        } catch (const CZelException& e) {
            if (e.m_nErrorCode == kUnitErrProgramRefused) {
                fw::AfxMessageBox(kMsgProgramNotStarted);
                return true;
            }
            if (!AskAfter(e))
                return false;
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return false;
        }
    }
}
