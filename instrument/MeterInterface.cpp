#include "instrument/MeterInterface.h"

#include "framework/core/Cp932.h"

FW_IMPLEMENT_DYNCREATE(CMeterInterface, fw::CObject)

int tagUNITLIST::Add(int16_t unitAddress)
{
    for (int i = 0; i < count; ++i) {
        if (address[i] == unitAddress)
            return i;
    }
    if (count >= kMaxUnits)
        return kMaxUnits;
    address[count++] = unitAddress;
    return unitAddress;
}

CMeterInterface::CMeterInterface() : m_reply("ini") {}

int CMeterInterface::SetWaitMs(int ms)
{
    const int old = m_waitMs;
    m_waitMs = ms;
    return old;
}

int CMeterInterface::SetWait2(int value)
{
    const int old = m_wait2;
    m_wait2 = value;
    return old;
}

void CMeterInterface::SetReplyBytes(std::string_view raw)
{
    if (raw.size() > static_cast<size_t>(kReplyChars))
        raw = raw.substr(0, kReplyChars);
    m_reply = fw::CString(fw::cp932::FromCp932(raw));
}
