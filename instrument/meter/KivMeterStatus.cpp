// Status queries, small control words and raw block transfers of the
// control unit.

#include "instrument/meter/KivMeter.h"

#include "common/base/ZelException.h"
#include "framework/core/Format.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int kSecondTotalOffset = 9;

// The integer at the start of `text`; false when none is there.
bool LeadingInt(const char* text, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

void CKivMeter::RaiseInvalidReply(unsigned messageId) const
{
    throw CZelException(kErrInvalid, messageId);
}

void CKivMeter::QueryStatus()
{
    fw::CString reply;
    Query("STA1", reply);
    const int comma = reply.Find(',');
    if (comma < 0)
        throw CZelException(kErrInvalid, CMeterInterface::kMsgCommFailure);
    m_state = std::atoi(reply.c_str());
    m_cardStatus = std::atoi(reply.c_str() + comma + 1);
    const int second = reply.Find(',', comma + 1);
    if (second >= 0)
        m_programValue = std::atoi(reply.c_str() + second + 1);
}

int CKivMeter::QueryRecordingState()
{
    fw::CString reply;
    Query("STA10", reply);
    return std::atoi(reply.c_str());
}

void CKivMeter::SendTrigger()
{
    Command("TRG");
}

void CKivMeter::SendExternalTrigger()
{
    Command("ETG");
}

void CKivMeter::SetUnitTotals(int first, int second)
{
    Command(fw::Format("CUN %d,%d", first, second));
}

void CKivMeter::QueryUnitTotals(int selector)
{
    m_unitTotals[0] = -1;
    m_unitTotals[1] = -1;
    fw::CString reply;
    Query(fw::Format("CUN %d?", selector), reply);
    int v = 0;
    if ((selector == 0 || selector == 1) && LeadingInt(reply.c_str(), v))
        m_unitTotals[0] = v;
    if ((selector == 0 || selector == 2) && reply.GetLength() > kSecondTotalOffset &&
        LeadingInt(reply.c_str() + kSecondTotalOffset, v))
        m_unitTotals[1] = v;
}

int CKivMeter::GetUnitTotal(int which) const
{
    return which == 1 ? m_unitTotals[0] : which == 2 ? m_unitTotals[1] : -1;
}

void CKivMeter::SetCardMode(char mode)
{
    Command(fw::Format("CFM%c", mode));
}

char CKivMeter::QueryCardMode()
{
    fw::CString reply;
    Query("CFM?", reply);
    return reply.IsEmpty() ? '\0' : reply[0];
}

// --------------------------------------------------------------- blocks

int CKivMeter::ReadExactBlock(std::span<uint8_t> buffer, bool swap)
{
    Link().SetWaitMs(m_waitMs);
    return Link().ReadBlock(m_address, buffer, swap);
}

int CKivMeter::ReadDataBlock(std::span<uint8_t> buffer, int count, int size)
{
    const int64_t bytes = static_cast<int64_t>(count) * size;
    // The block must fit the caller's buffer, whatever the count asks for.
    if (count < 0 || size < 0 || bytes > static_cast<int64_t>(buffer.size()))
        fw::ThrowInvalidArgException();
    Link().SetWaitMs(m_waitMs);
    Send(fw::Format("BDT%d", count));
    return ReadExactBlock(buffer.first(static_cast<size_t>(bytes)), m_swap != 0);
}

int CKivMeter::ReadMoreBlock(std::span<uint8_t> buffer, int count, int size)
{
    const int64_t bytes = static_cast<int64_t>(count) * size;
    if (count < 0 || size < 0 || bytes > static_cast<int64_t>(buffer.size()))
        fw::ThrowInvalidArgException();
    return ReadExactBlock(buffer.first(static_cast<size_t>(bytes)), m_swap != 0);
}

int CKivMeter::ReadBlock(std::span<uint8_t> buffer, int bytes)
{
    if (bytes < 0 || static_cast<size_t>(bytes) > buffer.size())
        fw::ThrowInvalidArgException();
    return ReadExactBlock(buffer.first(static_cast<size_t>(bytes)), m_swap != 0);
}

int CKivMeter::ReadHistogramBlock(std::span<uint8_t> buffer, int number, int words)
{
    const int64_t bytes = static_cast<int64_t>(words) * 4;
    if (words < 0 || bytes > static_cast<int64_t>(buffer.size()))
        fw::ThrowInvalidArgException();
    Link().SetWaitMs(m_waitMs);
    Send(fw::Format("HDB%d", number));
    return ReadExactBlock(buffer.first(static_cast<size_t>(bytes)), false) / 4;
}

void CKivMeter::ReadLastSampleIndex()
{
    int value = 0;
    if (HasChannelsOn()) {
        fw::CString reply;
        ReadReplyText(reply);
        int v = 0;
        if (LeadingInt(reply.c_str(), v) && v - 1 >= 0)
            value = v - 1;
    }
    std::fill(m_lastSampleIndexes.begin(), m_lastSampleIndexes.end(), value);
}
