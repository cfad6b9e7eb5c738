// One poll of a running measurement: states, frequency-analysis state, file
// changes, current values, recorded counts and elapsed time. These run on
// the measurement panel's worker while the interface thread leaves the
// links alone; they write the control-unit objects and the state members,
// never a channel tank.

#include "instrument/system/BoxArray.h"

#include "framework/core/Numbers.h"
#include "framework/core/Services.h"
#include "instrument/meter/MeterVersion.h"
#include "instrument/system/SequenceSupport.h"
#include "instrument/unit/KivUnit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

constexpr int kCardMissing = 50;
constexpr int kCardLow = 5;
constexpr double kMaxSpanDays = 3615897.0;
constexpr uint32_t kElapsedFirmware = meterversion::Pack("1.4C");

bool IsOn(const CKivMeter& meter, int ch)
{
    const CKivUnit* unit = meter.GetUnit(ch / CKivMeter::kChannelsPerPort);
    return unit && ch % CKivMeter::kChannelsPerPort < unit->GetChannelCount() &&
           unit->IsChannelOn(ch % CKivMeter::kChannelsPerPort);
}

int ChannelLimit(const CKivMeter& meter)
{
    return std::clamp<int>(meter.GetChannelSpan(), 0, CKivMeter::kChannels);
}

// Smallest recorded count over the channels that are on.
int SmallestCount(const CKivMeter& meter, int start)
{
    int smallest = start;
    for (int ch = 0; ch < ChannelLimit(meter); ++ch) {
        if (IsOn(meter, ch))
            smallest = std::min(smallest, meter.GetLastSampleIndex(ch));
    }
    return smallest;
}

// The reply holds one number per channel that is on, one separator
// character between them and nothing else.
bool WellFormedValues(const CKivMeter& meter, const fw::CString& reply)
{
    int expected = 0;
    for (int ch = 0; ch < ChannelLimit(meter); ++ch)
        expected += IsOn(meter, ch) ? 1 : 0;
    if (expected == 0)
        return true;
    const char* p = reply.c_str();
    const char* end = p + reply.GetLength();
    for (int i = 0; i < expected; ++i) {
        if (i > 0) {
            if (p >= end)
                return false;
            ++p;
        }
        if (p >= end || *p == ' ' || *p == '\t')
            return false;
        const char* stop = nullptr;
        const double v = fw::StrToD(p, &stop);
        if (stop == p || !std::isfinite(v))
            return false;
        p = stop;
    }
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    return p == end;
}

} // namespace

std::shared_ptr<CBoxArray::SequenceState> CBoxArray::MakeSequenceState()
{
    return std::make_shared<SequenceState>();
}

void CBoxArray::CancelWait()
{
    m_seq->cancelled = true;
}

void CBoxArray::PauseBeforeRetry()
{
    if (m_seq->cancelled.exchange(false))
        throw sequence::WaitCancelled();
    fw::Clock().SleepMs(kWaitPauseMs);
    if (m_seq->cancelled.exchange(false))
        throw sequence::WaitCancelled();
}

void CBoxArray::CollectBoxStates()
{
    m_state = 1;
    m_cardMode = 0;
    m_changeFlag = 0;
    m_programValue = 0;
    for (int16_t b : m_inUse) {
        CBoxPropaty* box = GetBox(b);
        box->PollStatus();
        const CKivMeter& meter = sequence::MeterOf(*this, b);
        m_state = std::max(m_state, static_cast<int32_t>(meter.GetState()));
        const int card = meter.GetCardStatus();
        if (card == kCardLow || (m_cardMode != kCardLow && m_cardMode < card))
            m_cardMode = card;
        m_changeFlag = std::max(m_changeFlag, static_cast<int32_t>(box->GetStatusChange()));
        m_programValue = std::max(m_programValue, static_cast<int32_t>(meter.GetProgramValue()));
    }
}

int CBoxArray::CheckMeters()
{
    for (int b = 0; b < GetBoxCount(); ++b) {
        CKivMeter& meter = sequence::MeterOf(*this, b);
        if (!meter.IsAnalysisAvailable())
            continue;
        const int answer = meter.QueryRecordingState();
        if (answer != 1)
            return answer;
    }
    return 1;
}

bool CBoxArray::HasNewFiles()
{
    if (m_cardMode == kCardMissing)
        return false;
    bool changed = false;
    for (int16_t b : m_inUse)
        changed = sequence::MeterOf(*this, b).QueryFileCount() || changed;
    return changed;
}

bool CBoxArray::ValuesWellFormed(int box) const
{
    const CKivMeter& meter = sequence::MeterOf(*this, box);
    const CMeterInterface* link = meter.GetInterface();
    return link && WellFormedValues(meter, link->GetReply());
}

void CBoxArray::ReadCurrentValues(const std::vector<int16_t>& boxes)
{
    for (int16_t b : boxes)
        sequence::MeterOf(*this, b).Send(HasCanUnit(b) ? "MDT2" : "MDT");
    sequence::KeptError error;
    for (int16_t b : boxes) {
        CKivMeter& meter = sequence::MeterOf(*this, b);
        auto& refused = m_seq->refused[static_cast<size_t>(b)];
        refused = true;
        try {
            meter.ReadCurrentValues(HasCanUnit(b));
            // A reply with too few or too many values, or a field that is no
            // number, would put values on the wrong channels.
            if (meter.HasChannelsOn() && !ValuesWellFormed(b))
                throw CZelException(-1, kMsgBadValues);
            refused = false;
        } catch (const std::exception& e) {
            error.Keep(e);
        }
    }
    error.Raise();
}

void CBoxArray::StoreCurrentValues(const std::vector<int16_t>& boxes)
{
    for (int16_t b : boxes) {
        if (!m_seq->refused[static_cast<size_t>(b)])
            GetBox(b)->StoreCurrentValues();
    }
}

int CBoxArray::ReadEndOfMeasure(bool allUnits)
{
    if (allUnits)
        return SyncEndCounts(m_inUse, m_unitList);
    CBoxPropaty* box = GetBox(m_pollBox);
    CKivMeter& meter = sequence::MeterOf(*this, m_pollBox);
    const int ch = box->GetUnitChannel(m_pollChannel);
    m_seq->cancelled = false;
    for (;;) {
        try {
            meter.Send("EOC");
            meter.ReadLastSampleIndex();
            const int count = meter.GetLastSampleIndex(ch);
            meter.SetLastSampleIndex(ch, count);
            return count;
        } catch (const CZelException& e) {
            // The units answer error 2 until their trigger came.
            if (e.m_nErrorCode != kUnitErrNotTriggered)
                throw;
        }
        PauseBeforeRetry();
    }
}

int CBoxArray::SyncEndCounts(const std::vector<int16_t>& boxes, const tagUNITLIST& list)
{
    if (boxes.empty())
        return 0;
    int smallest = std::numeric_limits<int32_t>::max();
    m_seq->cancelled = false;
    for (;;) {
        sequence::MeterOf(*this, boxes.front()).SendToList(list, "EOC");
        sequence::KeptError error;
        smallest = std::numeric_limits<int32_t>::max();
        for (int16_t b : boxes) {
            CKivMeter& meter = sequence::MeterOf(*this, b);
            try {
                meter.ReadLastSampleIndex();
                smallest = SmallestCount(meter, smallest);
            } catch (const std::exception& e) {
                error.Keep(e);
            }
        }
        if (!error.IsSet())
            break;
        if (error.Code() != kUnitErrNotTriggered)
            error.Raise();
        PauseBeforeRetry();
    }
    for (int16_t b : boxes) {
        CKivMeter& meter = sequence::MeterOf(*this, b);
        for (int ch = 0; ch < ChannelLimit(meter); ++ch)
            meter.SetLastSampleIndex(ch, smallest);
    }
    return smallest;
}

void CBoxArray::ReadElapsedTime()
{
    CKivMeter& meter = sequence::MeterOf(*this, m_pollBox);
    if (meter.GetFirmwareVersion() < kElapsedFirmware) {
        m_elapsed = fw::COleDateTimeSpan();
        m_elapsed.m_status = fw::COleDateTimeSpan::null;
        return;
    }
    fw::CString reply;
    meter.Query("EOC2", reply);
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    if (std::sscanf(reply.c_str(), "%5d:%2d:%2d", &hours, &minutes, &seconds) != 3) {
        m_elapsed = fw::COleDateTimeSpan();
        m_elapsed.m_status = fw::COleDateTimeSpan::invalid;
        return;
    }
    m_elapsed = fw::COleDateTimeSpan(hours / 24.0 + minutes / 1440.0 + seconds / 86400.0);
    if (std::fabs(m_elapsed.m_span) > kMaxSpanDays)
        m_elapsed.m_status = fw::COleDateTimeSpan::invalid;
}

int CBoxArray::GetMinFileSpace() const
{
    int smallest = std::numeric_limits<int>::max();
    for (int16_t b : m_inUse)
        smallest = std::min(smallest, sequence::MeterOf(*this, b).GetFileNumber());
    return smallest;
}

int CBoxArray::GetMaxLoadClass() const
{
    int largest = 0;
    for (int b = 0; b < GetBoxCount(); ++b) {
        const CKivMeter& meter = sequence::MeterOf(*this, b);
        if (meter.IsAnalysisAvailable())
            largest = std::max(largest, meter.GetLoadClass());
    }
    return largest;
}

// ------------------------------------------------ interface-thread helpers

void CBoxArray::FindFirstActiveBox()
{
    for (int16_t b : m_inUse) {
        const CBoxPropaty* box = GetBox(b);
        if (!sequence::MeterOf(*this, b).HasChannelsOn())
            continue;
        for (int ch = 0; ch < box->GetInputCount(); ++ch) {
            if (box->GetChannelValue(ch, CBoxPropaty::kAttrOnOff) == 1.0) {
                m_pollBox = b;
                m_pollChannel = ch;
                return;
            }
        }
    }
    if (m_inUse.empty())
        fw::ThrowInvalidArgException();
    // The poll channel is a box channel everywhere else; the control unit's
    // lowest channel that is on is taken through the box's map.
    m_pollBox = m_inUse.front();
    const CBoxPropaty* box = GetBox(m_pollBox);
    const int ch = box->FindBoxChannel(sequence::MeterOf(*this, m_pollBox).GetLowestChannelOn() + 1);
    m_pollChannel = std::max(ch, 0);
}

int CBoxArray::GetPollChannelCount() const
{
    const CBoxPropaty* box = GetBox(m_pollBox);
    return sequence::MeterOf(*this, m_pollBox).GetLastSampleIndex(box->GetUnitChannel(m_pollChannel));
}

void CBoxArray::UpdateDataCounts()
{
    for (int16_t b : m_inUse) {
        const CBoxPropaty* box = GetBox(b);
        CKivMeter& meter = sequence::MeterOf(*this, b);
        for (int ch = 0; ch < box->GetInputCount(); ++ch) {
            if (box->GetChannelValue(ch, CBoxPropaty::kAttrOnOff) != 1.0)
                continue;
            // The data count to fetch goes through the last-sample-index
            // setter, which also holds what "EOC" reported.
            const int unitChannel = box->GetUnitChannel(ch);
            meter.SetLastSampleIndex(unitChannel, meter.GetLastSampleIndex(unitChannel));
        }
    }
}

bool CBoxArray::SelectOnChannels(bool report)
{
    for (int16_t b : m_inUse) {
        if (!sequence::MeterOf(*this, b).SelectChannelsGuarded(0, report))
            return false;
    }
    return true;
}
