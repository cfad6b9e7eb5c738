#include "canvoicegps/CanMesNode.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanNameText.h"
#include "canvoicegps/CanTextScan.h"
#include "common/base/ValueParse.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "instrument/unit/UnitValues.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

FW_IMPLEMENT_SERIAL(C463CanMesNode, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {
constexpr uint32_t kExtendedMarker = 0x80000000u;
constexpr int kStandardDigits = 4;
constexpr int kExtendedDigits = 8;
} // namespace

C463CanMesNode::C463CanMesNode()
{
    Reset();
}

C463CanMesNode::~C463CanMesNode()
{
    ReleaseTimeStampTank();
}

C463CanMesNode& C463CanMesNode::operator=(const C463CanMesNode& other)
{
    if (this == &other)
        return *this;
    m_send = other.m_send;
    m_identifier = other.m_identifier;
    m_name = other.m_name;
    m_length = other.m_length;
    m_standard = other.m_standard;
    m_nodeName = other.m_nodeName;
    m_signals = other.m_signals;
    m_remoteFrame = other.m_remoteFrame;
    return *this;
}

void C463CanMesNode::Reset()
{
    m_send = false;
    m_identifier = 0;
    m_name.Empty();
    m_length = 2;
    m_standard = true;
    m_nodeName.Empty();
    m_signals.RemoveAll();
    m_signals.SetFrameBits(8 * m_length);
    m_signals.SetDirection(false);
    ReleaseTimeStampTank();
    m_duplicate = false;
    m_remoteFrame = false;
}

void C463CanMesNode::SetDirection(bool send)
{
    m_send = send;
    m_signals.SetDirection(send);
}

void C463CanMesNode::ReleaseTimeStampTank()
{
    CDataTankObject* tank = m_timeStampTank;
    m_timeStampTank = nullptr;
    ReleaseTank(tank);
}

void C463CanMesNode::AttachTimeStampTank(CDataTankObject* tank)
{
    if (tank == m_timeStampTank)
        return;
    if (tank)
        tank->AddRef();
    ReleaseTimeStampTank();
    m_timeStampTank = tank;
}

double C463CanMesNode::GetValue(int code) const
{
    switch (code) {
    case canattr::kIdentifier:
        return m_identifier;
    case canattr::kIdFormat:
        return m_standard ? 0.0 : 1.0;
    case canattr::kDataLength:
        return m_length;
    case canattr::kRemoteFrame:
        return m_remoteFrame ? 1.0 : 0.0;
    default:
        return HUGE_VAL;
    }
}

const char* C463CanMesNode::GetText(int code, fw::CString& text) const
{
    switch (code) {
    case canattr::kMessageName:
        return unitvalue::SetText(m_name.c_str(), text);
    case canattr::kIdentifier:
        text.Format("0x%.*lX", m_standard ? kStandardDigits : kExtendedDigits, m_identifier);
        return text.c_str();
    case canattr::kIdFormat:
        return unitvalue::SetText(m_standard ? canattr::kStandardText : canattr::kExtendedText, text);
    case canattr::kDataLength:
        return unitvalue::FormatInt(m_length, text);
    case canattr::kNodeName:
        return unitvalue::SetText(m_nodeName.c_str(), text);
    case canattr::kRemoteFrame:
        return unitvalue::SetText(m_remoteFrame ? canattr::kOnText : canattr::kOffText, text);
    default:
        return unitvalue::SetText("", text);
    }
}

bool C463CanMesNode::SetLength(int length)
{
    if (m_send ? length != kSendLength : (length < 1 || length > kMaxLength))
        return false;
    m_length = static_cast<int16_t>(length);
    m_signals.SetFrameBits(8 * length);
    return true;
}

bool C463CanMesNode::SetValue(int code, double value)
{
    int v = 0;
    switch (code) {
    case canattr::kIdentifier: {
        uint32_t id = 0;
        if (!unitvalue::ToInteger(value, id) || id > kMaxIdentifier)
            return false;
        m_identifier = id;
        return true;
    }
    case canattr::kIdFormat:
        if (value != 0.0 && value != 1.0)
            return false;
        m_standard = value == 0.0;
        return true;
    case canattr::kDataLength:
        return unitvalue::ToIntegerIn(value, 1, kMaxLength, v) && SetLength(v);
    case canattr::kRemoteFrame:
        m_remoteFrame = value == 1.0;
        return true;
    default:
        return false;
    }
}

bool C463CanMesNode::SetText(int code, const char* text)
{
    const char* t = text ? text : "";
    switch (code) {
    case canattr::kMessageName:
        return MakeCanName(t, false, m_name);
    case canattr::kNodeName:
        return MakeCanName(t, true, m_nodeName);
    case canattr::kIdentifier: {
        uint32_t id = 0;
        return TextToULong(t, &id, 16) && SetValue(code, id);
    }
    case canattr::kIdFormat:
        if (std::strcmp(t, canattr::kStandardText) == 0)
            return SetValue(code, 0);
        return std::strcmp(t, canattr::kExtendedText) == 0 && SetValue(code, 1);
    case canattr::kRemoteFrame:
        if (std::strcmp(t, canattr::kOnText) == 0)
            return SetValue(code, 1);
        return std::strcmp(t, canattr::kOffText) == 0 && SetValue(code, 0);
    default: {
        double value = 0.0;
        return TextToDouble(t, &value) && SetValue(code, value);
    }
    }
}

bool C463CanMesNode::IsAttributeValid(int code) const
{
    const bool reservedId = m_standard && m_identifier > kMaxStandardIdentifier;
    switch (code) {
    case canattr::kIdentifier:
        return !m_duplicate && !reservedId;
    case canattr::kIdFormat:
        return !reservedId;
    default:
        break;
    }
    if (code < canattr::kFirstSignalCode || code > canattr::kLastSignalCode)
        return true;
    for (int i = 0; i < m_signals.GetSize(); ++i)
        if (m_signals.IsValid(i, code))
            return true;
    return false;
}

bool C463CanMesNode::StoreFrame(uint64_t intel, uint64_t motorola, uint32_t timeStamp, int byteCount, int index)
{
    if (m_timeStampTank)
        m_timeStampTank->SetValue(index, static_cast<double>(timeStamp));
    if (byteCount != m_length && !SetLength(byteCount))
        return false;
    m_signals.DecodeFrame(intel, motorola, index);
    return true;
}

bool C463CanMesNode::ParseBoLine(const char* text)
{
    // Fields are separated by single blanks and a name may be empty (a new
    // message has none yet), so empty fields count.
    std::string_view rest(text ? text : "");
    if (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    std::vector<std::string> fields;
    for (;;) {
        const size_t blank = rest.find(' ');
        fields.emplace_back(rest.substr(0, blank));
        if (blank == std::string_view::npos)
            break;
        rest.remove_prefix(blank + 1);
    }
    const size_t given = fields.size();
    fields.resize(std::max<size_t>(given, 4));
    int16_t length = m_length;
    cantext::Scanner lengthText(fields[2]);
    if (lengthText.ReadInt16(length) && lengthText.AtEnd() &&
        (length < 1 || length > kMaxLength || (m_send && length != kSendLength)))
        return false;
    uint32_t id = 0;
    cantext::Scanner idText(fields[0]);
    if (idText.ReadUInt32(id) && idText.AtEnd() && (id & ~kExtendedMarker) <= kIdentifierBits) {
        m_identifier = id & ~kExtendedMarker;
        m_standard = (id & kExtendedMarker) == 0;
    }
    if (given > 1)
        m_name = CutCanName(fw::CString(fields[1]));
    if (given > 3)
        m_nodeName = CutCanName(fw::CString(fields[3]));
    m_length = length;
    m_signals.SetFrameBits(8 * length);
    return true;
}

fw::CString C463CanMesNode::FormatBoLine() const
{
    const uint32_t id = m_standard ? m_identifier : (m_identifier | kExtendedMarker);
    fw::CString line;
    line.Format("%lu %s %d %s", id, m_name, static_cast<int>(m_length), m_nodeName);
    return line;
}

bool C463CanMesNode::AddSignalFromText(const char* text)
{
    auto signal = std::make_unique<C463CanMesSignal>();
    if (!signal->ParseSgLine(text))
        return false;
    m_signals.AddSignal(signal.release());
    return true;
}

void C463CanMesNode::SyncSignals()
{
    m_signals.SetDirection(m_send);
    m_signals.SetFrameBits(8 * m_length);
}

void C463CanMesNode::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<uint8_t>(m_send) << m_identifier << m_name << m_length
           << static_cast<uint8_t>(m_standard) << m_nodeName << static_cast<uint8_t>(m_remoteFrame);
        m_signals.Serialize(ar);
        SyncSignals();
        return;
    }
    uint8_t send = 0, standard = 0, remote = 0;
    ar >> send >> m_identifier >> m_name >> m_length >> standard >> m_nodeName >> remote;
    m_send = send != 0;
    m_standard = standard != 0;
    m_remoteFrame = remote != 0;
    // The frame and the bit map hold at most 8 bytes.
    if (m_length < 1 || m_length > kMaxLength)
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    m_signals.Serialize(ar);
    SyncSignals();
}
