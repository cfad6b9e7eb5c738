#include "measure/model/ReplyTimeoutScope.h"

#include "instrument/Kiv406UsbInterface.h"
#include "instrument/MeterSocket.h"
#include "instrument/meter/KivMeter.h"

#include <cmath>

int CReplyTimeoutScope::CurrentTimeout(const CMeterInterface& link)
{
    if (const auto* lan = dynamic_cast<const CMeterSocket*>(&link))
        return static_cast<int>(std::lround(lan->GetReplyTimeout()));
    if (const auto* usb = dynamic_cast<const CKiv406UsbInterface*>(&link))
        return static_cast<int>(std::lround(usb->GetReplyTimeout()));
    return CKivMeter::kDefaultTimeoutS;
}

CReplyTimeoutScope::CReplyTimeoutScope(CMeterInterface* link, int seconds) : m_link(link)
{
    if (!m_link)
        return;
    m_previous = CurrentTimeout(*m_link);
    m_link->SetReplyTimeout(seconds);
}

CReplyTimeoutScope::~CReplyTimeoutScope()
{
    if (m_link)
        m_link->SetReplyTimeout(m_previous);
}
