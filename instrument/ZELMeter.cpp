#include "instrument/ZELMeter.h"

#include "common/base/ZelException.h"
#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <cstdlib>
#include <limits>
#include <mutex>

FW_IMPLEMENT_SERIAL(CZELMeter, fw::CObject, 1)

namespace {

std::mutex g_lastCommandMutex;
fw::CString g_lastCommand;

} // namespace

CZELMeter::CZELMeter() = default;

void CZELMeter::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_address;
    else
        ar >> m_address;
}

CMeterInterface& CZELMeter::Link() const
{
    if (!m_link)
        throw CZelException(kErrUnitAbsent, kMsgUnitNotFound);
    return *m_link;
}

void CZELMeter::RememberCommand(const fw::CString& command)
{
    std::lock_guard lock(g_lastCommandMutex);
    g_lastCommand = fw::CString(fw::cp932::Truncate(command.view(), kLastCommandBytes));
}

fw::CString CZELMeter::LastCommand()
{
    std::lock_guard lock(g_lastCommandMutex);
    return g_lastCommand;
}

float CZELMeter::GetNoValue() const
{
    return std::numeric_limits<float>::infinity();
}

void CZELMeter::FillValues(float* values, int row, int count, float value)
{
    if (!values || row < 0 || count <= 0)
        return;
    for (int i = 0; i < count; ++i)
        values[row * 4 + i] = value;
}

int CZELMeter::SetWaitMs(int ms)
{
    const int old = m_waitMs;
    m_waitMs = ms;
    return old;
}

int CZELMeter::SetWait2(int value)
{
    const int old = m_wait2;
    m_wait2 = value;
    return old;
}

void CZELMeter::Close()
{
    try {
        Disconnect();
    } catch (...) {
        // Closing is the way out of a failure; it never adds one.
    }
}

void CZELMeter::Disconnect()
{
    m_connected = false;
    if (m_link)
        m_link->Close();
}

void CZELMeter::SetAddress(int16_t address)
{
    m_address = address;
    Disconnect();
}

void CZELMeter::ResetLink()
{
    Link().Reserved1();
}

void CZELMeter::SelectLink()
{
    Link().Reserved2(m_address);
}

void CZELMeter::ReleaseLink()
{
    Link().Reserved4(m_address);
}

void CZELMeter::CheckPresent()
{
    try {
        if (!Link().IsUnitPresent(m_address))
            throw CZelException(kErrUnitAbsent, 0u);
        SetConnected();
    } catch (CZelException& e) {
        if (e.m_nErrorCode != kErrUnitAbsent)
            throw;
        m_connected = false;
        e.SetMessageId(kMsgUnitNotFound);
        throw;
    }
}

void CZELMeter::ConnectIfNeeded()
{
    if (m_connected)
        return;
    CMeterInterface& link = Link();
    if (!link.IsOpen())
        link.Open();
    if (!link.IsOk())
        link.Reopen();
    Identify();
}

bool CZELMeter::Open(bool raise)
{
    try {
        ConnectIfNeeded();
        return true;
    } catch (CZelException& e) {
        if (e.m_nErrorCode == kErrUnitAbsent) {
            const fw::CString text = fw::FormatString(kMsgUnitNotFound, fw::Format("%d", m_address));
            e.SetMessage(text.c_str());
            if (raise)
                throw;
            fw::AfxMessageBox(text, fw::MB_ICONSTOP);
            return false;
        }
        if (raise)
            throw;
        fw::CString text;
        if (e.GetErrorMessage(text) && !text.IsEmpty())
            fw::AfxMessageBox(fw::CString(fw::cp932::Truncate(text.view(), kMaxShownMessage)), fw::MB_ICONSTOP);
        return false;
    }
}

int CZELMeter::ParseErrorCode(const fw::CString& reply)
{
    const int at = reply.Find("ERR");
    if (at < 0)
        return -1;
    // Only what the reply holds: a short reply gives fewer digits, not a
    // read past its end.
    const fw::CString digits = reply.Mid(at + 4, 3);
    return std::atoi(digits.c_str());
}

void CZELMeter::CheckErr(const fw::CString& command)
{
    const int code = ParseErrorCode(Link().GetReply());
    if (code < 0)
        return;
    const fw::CString text = fw::Format(fw::LoadStringText(kMsgUnitError).c_str(), command, code);
    throw CZelException(kZelErrorUnitReply + code, text.c_str());
}

void CZELMeter::ReadReplyText(fw::CString& text)
{
    CMeterInterface& link = Link();
    link.SetWaitMs(m_waitMs);
    link.ReadLine(m_address, m_delimiter);
    text = link.GetReply();
    CheckErr(LastCommand());
}

void CZELMeter::ReadReply()
{
    CMeterInterface& link = Link();
    link.SetWaitMs(m_waitMs);
    link.ReadLine(m_address, m_delimiter);
    CheckErr(LastCommand());
}

void CZELMeter::SendToList2(const tagUNITLIST& list, const fw::CString& first, const fw::CString& second)
{
    const fw::CString joined(fw::cp932::Truncate((first + second).view(), kCommandBytes));
    SendToList(list, joined);
}

void CZELMeter::SendToList(const tagUNITLIST& list, const fw::CString& command)
{
    RememberCommand(command);
    CMeterInterface& link = Link();
    link.SetWait2(m_wait2);
    link.SendToList(list, command, m_delimiter);
}

void CZELMeter::Send(const fw::CString& command)
{
    RememberCommand(command);
    CMeterInterface& link = Link();
    link.SetWait2(m_wait2);
    link.Send(m_address, command, m_delimiter);
}

void CZELMeter::CommandExpectCount(const fw::CString& command, int expectedCount)
{
    Command(command);
    if (Link().GetTransferCount() != expectedCount)
        throw CZelException(CMeterInterface::kErrTransfer, CMeterInterface::kMsgCommFailure);
}

void CZELMeter::Query(const fw::CString& command, fw::CString& reply)
{
    CMeterInterface& link = Link();
    link.SetWaitMs(m_waitMs);
    link.SetWait2(m_wait2);
    link.SendAndRead(m_address, command, m_delimiter);
    reply = link.GetReply();
    CheckErr(command);
}

void CZELMeter::Command(const fw::CString& command)
{
    fw::CString ignored;
    Query(command, ignored);
}
