// Writing the settings into the control units, reading the frequency
// settings back, the clocks, the save mode, calibration outputs and the
// cycle count.

#include "instrument/system/BoxArray.h"

#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "instrument/system/SequenceSupport.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr int kFirstProgramCode = 111;
// The settings every control unit of a system must share: the programmed
// start, the frequency run's start and length, its mode.
constexpr std::pair<int, int> kSystemSettingRanges[] = {{kFirstProgramCode, 4}, {119, 3}, {115, 3}, {118, 1}};

void Report(const std::exception& e)
{
    CKiv406ErrStr texts;
    texts.ReportException(e);
}

// A unit's own "ERR" reply; code -1 (an invalid reply) is not one, although
// its bits would pass a plain flag test.
bool IsUnitError(const CZelException& e)
{
    return e.m_nErrorCode > 0 && (e.m_nErrorCode & kZelErrorUnitReply) != 0;
}

} // namespace

bool CBoxArray::WriteAllSettings()
{
    fw::CWaitCursor cursor;
    for (int16_t b : m_inUse) {
        CKivMeter& meter = sequence::MeterOf(*this, b);
        if (!meter.SendAllSettings()) {
            meter.Close();
            return false;
        }
    }
    return true;
}

bool CBoxArray::WriteHistSettings()
{
    fw::CWaitCursor cursor;
    for (int b = 0; b < GetBoxCount(); ++b) {
        CKivMeter& meter = sequence::MeterOf(*this, b);
        if (!meter.WriteFrequencySettings()) {
            meter.Close();
            return false;
        }
    }
    return true;
}

bool CBoxArray::ReadHistSettings()
{
    fw::CWaitCursor cursor;
    for (int b = 0; b < GetBoxCount(); ++b) {
        if (!GetBox(b)->ReadHistogramSettings())
            return false;
    }
    try {
        for (int other = 1; other < GetBoxCount(); ++other) {
            for (const auto& [firstCode, count] : kSystemSettingRanges)
                CompareSystemSettings(0, other, firstCode, count);
        }
    } catch (const std::exception& e) {
        Report(e);
        return false;
    }
    return true;
}

bool CBoxArray::ReadMeters()
{
    fw::CWaitCursor cursor;
    for (int16_t b : m_inUse) {
        if (!sequence::MeterOf(*this, b).ReadAllSettings())
            return false;
    }
    if (m_inUse.empty())
        return true;
    const CKivMeter& first = sequence::MeterOf(*this, m_inUse.front());
    for (size_t i = 1; i < m_inUse.size(); ++i) {
        CKivMeter& other = sequence::MeterOf(*this, m_inUse[i]);
        for (const auto& [firstCode, count] : kSystemSettingRanges)
            for (int code = firstCode; code < firstCode + count; ++code)
                other.SetValue(0, code, first.GetValue(0, code), false);
    }
    return true;
}

void CBoxArray::CompareSystemSettings(int firstBox, int otherBox, int firstCode, int count) const
{
    const CKivMeter& a = sequence::MeterOf(*this, firstBox);
    const CKivMeter& b = sequence::MeterOf(*this, otherBox);
    for (int code = firstCode; code < firstCode + count; ++code) {
        if (a.GetValue(0, code) != b.GetValue(0, code))
            throw CZelException(-1, kMsgInvalidReply);
    }
}

bool CBoxArray::SetMeterClocks()
{
    // One instant for both commands, so that a date change between them
    // cannot pair one day's date with the next day's time.
    const fw::COleDateTime now = fw::COleDateTime::GetCurrentTime();
    try {
        CKivMeter& first = sequence::Master(*this);
        first.SendToList(m_unitList, fw::Format("DTE %0.2d;%0.2d;%0.2d", now.GetYear() % 100, now.GetMonth(), now.GetDay()));
        ReadListReplies(m_inUse, true);
        first.SendToList(m_unitList, fw::Format("TME %0.2d;%0.2d;%0.2d", now.GetHour(), now.GetMinute(), now.GetSecond()));
        ReadListReplies(m_inUse, true);
        return true;
    } catch (const std::exception& e) {
        Report(e);
        return false;
    }
}

void CBoxArray::ReadListReplies(const std::vector<int16_t>& boxes, bool ignoreUnitErrors)
{
    sequence::KeptError error;
    for (int16_t b : boxes) {
        try {
            sequence::MeterOf(*this, b).ReadReply();
        } catch (const CZelException& e) {
            if (!(ignoreUnitErrors && IsUnitError(e)))
                error.Keep(e);
        } catch (const std::exception& e) {
            error.Keep(e);
        }
    }
    error.Raise();
}

bool CBoxArray::SendSaveMode()
{
    try {
        for (int b = 0; b < GetBoxCount(); ++b) {
            CKivMeter& meter = sequence::MeterOf(*this, b);
            if (meter.IsAnalysisAvailable())
                meter.Command(fw::Format("WSY%d", m_saveMode));
        }
        return true;
    } catch (const std::exception& e) {
        Report(e);
        return false;
    }
}

bool CBoxArray::ReadSaveMode()
{
    try {
        for (int b = 0; b < GetBoxCount(); ++b) {
            CKivMeter& meter = sequence::MeterOf(*this, b);
            if (!meter.IsAnalysisAvailable())
                continue;
            fw::CString reply;
            meter.Query("WSY?", reply);
            char* end = nullptr;
            const long mode = std::strtol(reply.c_str(), &end, 10);
            // A reply without a number must not become save mode 0.
            if (end == reply.c_str())
                throw CZelException(-1, kMsgBadValues);
            SetSaveMode(static_cast<int>(mode));
            return true;
        }
        return true;
    } catch (const std::exception& e) {
        Report(e);
        return false;
    }
}

bool CBoxArray::OutputCalibration(int mode)
{
    for (int16_t b : m_inUse) {
        if (mode != 4 && mode != 5 && mode != 6 && mode != 36)
            return false;
        if (!sequence::MeterOf(*this, b).WriteCalibrationOutput(mode))
            return false;
    }
    return true;
}

bool CBoxArray::SetCycleCount(int count)
{
    for (;;) {
        try {
            sequence::Master(*this).SetUnitTotals(1, count);
            return true;
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return false;
        }
    }
}

int CBoxArray::ReadCycleCount()
{
    for (;;) {
        try {
            CKivMeter& master = sequence::Master(*this);
            master.QueryUnitTotals(1);
            return master.GetUnitTotal(1);
        } catch (const std::exception& e) {
            if (!AskAfter(e))
                return -1;
        }
    }
}
