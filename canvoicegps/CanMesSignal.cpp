#include "canvoicegps/CanMesSignal.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanBitLayout.h"
#include "canvoicegps/CanNameText.h"
#include "canvoicegps/CanTextScan.h"
#include "common/base/ValueParse.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Archive.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

FW_IMPLEMENT_SERIAL(C463CanMesSignal, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr double kMinFactor = 0.00001;
constexpr double kMaxFactor = 1000000.0;
constexpr double kMaxOffset = 1000000.0;
constexpr int kMaxDecimals = 7;
constexpr int kMaxSourceChannel = 80;
// A start bit or length outside these cannot describe any bit of a 64-bit
// frame; values inside them may still overlap or overrun the frame, which
// the layout flags show.
constexpr int kLowestStartBit = -canbits::kMaxFrameBits;
constexpr int kHighestStartBit = canbits::kMaxFrameBits - 1;

// The blank-separated fields of a signal line; the unit field, between
// double quotes, may itself hold a blank (the blank unit is one).
std::vector<std::string> SignalLineFields(std::string_view text)
{
    std::vector<std::string> fields;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= text.size())
            return fields;
        size_t end = i;
        if (text[i] == '"') {
            const size_t close = text.find('"', i + 1);
            end = close == std::string_view::npos ? text.size() : close + 1;
        } else {
            while (end < text.size() && text[end] != ' ' && text[end] != '\t')
                ++end;
        }
        fields.emplace_back(text.substr(i, end - i));
        i = end;
    }
}

// value within [0, limit), as the truncated integer.
bool ToBitPosition(double value, int limit, int& out)
{
    if (!std::isfinite(value) || value < 0.0 || value >= limit)
        return false;
    out = static_cast<int>(value);
    return true;
}

} // namespace

C463CanMesSignal::C463CanMesSignal()
{
    Reset();
}

C463CanMesSignal::~C463CanMesSignal()
{
    ReleaseValueTank();
}

C463CanMesSignal::C463CanMesSignal(const C463CanMesSignal& other) : fw::CObject()
{
    CopySettings(other);
}

C463CanMesSignal& C463CanMesSignal::operator=(const C463CanMesSignal& other)
{
    if (this != &other)
        CopySettings(other);
    return *this;
}

void C463CanMesSignal::CopySettings(const C463CanMesSignal& o)
{
    m_send = o.m_send;
    m_frameBits = o.m_frameBits;
    m_code = o.m_code;
    m_name = o.m_name;
    m_startBit = o.m_startBit;
    m_length = o.m_length;
    m_byteOrder = o.m_byteOrder;
    m_sign = o.m_sign;
    m_factor = o.m_factor;
    m_offset = o.m_offset;
    m_minimum = o.m_minimum;
    m_maximum = o.m_maximum;
    m_unit = o.m_unit;
    m_source = o.m_source;
    m_decimals = o.m_decimals;
    UpdateBitMask();
}

void C463CanMesSignal::Reset()
{
    m_send = false;
    m_frameBits = 16;
    m_code = 0;
    m_name.Empty();
    m_startBit = 0;
    m_length = 1;
    m_byteOrder = canbits::kIntel;
    m_sign = '-';
    m_factor = 1.0;
    m_offset = 0.0;
    m_minimum = 0.0;
    m_maximum = 0.0;
    m_unit = engunit::AsciiText(engunit::kNone);
    m_source = 0;
    m_decimals = 0;
    ReleaseValueTank();
    UpdateBitMask();
}

void C463CanMesSignal::ReleaseValueTank()
{
    CDataTankObject* tank = m_valueTank;
    m_valueTank = nullptr;
    ReleaseTank(tank);
}

void C463CanMesSignal::AttachValueTank(CDataTankObject* tank)
{
    if (tank == m_valueTank)
        return;
    if (tank)
        tank->AddRef();
    ReleaseValueTank();
    m_valueTank = tank;
}

int C463CanMesSignal::UnitIndex() const
{
    return FindTextInTable(engunit::kAsciiTexts, engunit::kCount, m_unit.c_str());
}

int C463CanMesSignal::GetLsbPosition() const
{
    return m_byteOrder == canbits::kMotorola ? canbits::MotorolaLsb(m_startBit, m_length) : m_startBit;
}

double C463CanMesSignal::GetValue(int code) const
{
    using namespace canattr;
    switch (code) {
    case kSign:
        return m_sign == '-' ? 1.0 : 0.0;
    case kByteOrder:
        return m_byteOrder;
    case kStartBit:
        return m_startBit;
    case kLength:
        return m_length;
    case kFactor:
        return m_factor;
    case kOffset:
        return m_offset;
    case kMinimum:
        return m_minimum;
    case kMaximum:
        return m_maximum;
    case kUnit:
        return UnitIndex();
    case kDecimals:
        return m_decimals;
    case kSource:
        return m_source;
    case kLsbPosition:
        return GetLsbPosition();
    default:
        return HUGE_VAL;
    }
}

const char* C463CanMesSignal::GetText(int code, fw::CString& text) const
{
    using namespace canattr;
    switch (code) {
    case kSignalName:
        return unitvalue::SetText(m_name.c_str(), text);
    case kSign:
        return unitvalue::SetText(m_sign == '-' ? kSignedText : m_sign == '+' ? kUnsignedText : "", text);
    case kByteOrder:
        return unitvalue::SetText(m_byteOrder == canbits::kMotorola ? kMotorolaText
                                  : m_byteOrder == canbits::kIntel  ? kIntelText
                                                                    : "",
                                  text);
    case kStartBit:
    case kLength:
    case kDecimals:
    case kLsbPosition:
        return unitvalue::FormatInt(static_cast<int>(GetValue(code)), text);
    case kSource:
        if (m_source < 0)
            return unitvalue::SetText("", text);
        return unitvalue::FormatInt(m_source, text);
    case kFactor:
    case kOffset:
    case kMinimum:
    case kMaximum:
        return unitvalue::FormatReal(GetValue(code), text);
    case kUnit: {
        const int index = UnitIndex();
        return unitvalue::SetText(index < 0 ? "" : engunit::DisplayText(index), text);
    }
    default:
        return unitvalue::SetText("", text);
    }
}

bool C463CanMesSignal::SetLength(double value)
{
    int length = 0;
    if (!std::isfinite(value) || value < 1.0 || value > m_frameBits)
        return false;
    length = static_cast<int>(value);
    // A Motorola signal is edited by its least significant bit, which the
    // bit-layout view anchors; keep it where it is.
    if (m_byteOrder == canbits::kMotorola) {
        const int lsb = GetLsbPosition();
        m_startBit = static_cast<int16_t>(canbits::MotorolaStartFromLsb(lsb, length));
    }
    m_length = static_cast<int16_t>(length);
    return true;
}

bool C463CanMesSignal::SetLsbPosition(double value)
{
    int lsb = 0;
    if (!ToBitPosition(value, m_frameBits, lsb))
        return false;
    m_startBit = static_cast<int16_t>(m_byteOrder == canbits::kMotorola
                                          ? canbits::MotorolaStartFromLsb(lsb, m_length)
                                          : lsb);
    return true;
}

bool C463CanMesSignal::SetNumber(int code, double value)
{
    using namespace canattr;
    int v = 0;
    switch (code) {
    case kSign:
        if (value != 0.0 && value != 1.0)
            return false;
        m_sign = value == 1.0 ? '-' : '+';
        return true;
    case kByteOrder:
        if (value != 0.0 && value != 1.0)
            return false;
        m_byteOrder = static_cast<int16_t>(value);
        return true;
    case kStartBit:
        if (!ToBitPosition(value, m_frameBits, v))
            return false;
        m_startBit = static_cast<int16_t>(v);
        return true;
    case kLength:
        return SetLength(value);
    case kFactor:
        if (!std::isfinite(value) || std::fabs(value) < kMinFactor || std::fabs(value) > kMaxFactor)
            return false;
        m_factor = value;
        return true;
    case kOffset:
        if (!std::isfinite(value) || std::fabs(value) > kMaxOffset)
            return false;
        m_offset = value;
        return true;
    case kMinimum:
    case kMaximum:
        if (!std::isfinite(value))
            return false;
        (code == kMinimum ? m_minimum : m_maximum) = value;
        return true;
    case kDecimals:
        if (!unitvalue::ToIntegerIn(value, 0, kMaxDecimals, v))
            return false;
        m_decimals = static_cast<int16_t>(v);
        return true;
    case kSource:
        if (!unitvalue::ToIntegerIn(value, 0, kMaxSourceChannel, v))
            return false;
        m_source = static_cast<int16_t>(v);
        return true;
    case kLsbPosition:
        return SetLsbPosition(value);
    default:
        return false;
    }
}

bool C463CanMesSignal::SetValue(int code, double value)
{
    if (!SetNumber(code, value))
        return false;
    UpdateBitMask();
    return true;
}

bool C463CanMesSignal::SetText(int code, const char* text)
{
    using namespace canattr;
    const char* t = text ? text : "";
    switch (code) {
    case kSignalName:
        return MakeCanName(t, false, m_name);
    case kSign:
        if (std::strcmp(t, kUnsignedText) == 0)
            return SetValue(code, 0);
        return std::strcmp(t, kSignedText) == 0 && SetValue(code, 1);
    case kByteOrder:
        if (std::strcmp(t, kMotorolaText) == 0)
            return SetValue(code, canbits::kMotorola);
        return std::strcmp(t, kIntelText) == 0 && SetValue(code, canbits::kIntel);
    case kUnit: {
        fw::CString unit(t);
        unit.Trim();
        const int index = unit.IsEmpty() ? engunit::kNone
                                         : FindTextInTable(engunit::kDisplayTexts, engunit::kCount, unit.c_str());
        if (index < 0)
            return false;
        m_unit = engunit::AsciiText(index);
        return true;
    }
    default: {
        double value = 0.0;
        return TextToDouble(t, &value) && SetValue(code, value);
    }
    }
}

void C463CanMesSignal::UpdateBitMask()
{
    m_decodable = false;
    m_mask = 0;
    m_signMask = 0;
    if (m_startBit < 0 || m_startBit > 63 || m_length < 1 || m_length > 64 ||
        (m_byteOrder != canbits::kMotorola && m_byteOrder != canbits::kIntel))
        return;
    if (m_byteOrder == canbits::kIntel) {
        m_firstBit = m_startBit;
        m_lastBit = m_startBit + m_length - 1;
    } else {
        // The start bit's place when byte 0 is the top byte of the frame word.
        m_lastBit = m_startBit % 8 + (m_frameBits / 8 - m_startBit / 8) * 8 - 8;
        m_firstBit = m_lastBit - m_length + 1;
    }
    // Bits outside the 64-bit word would make the shifts below meaningless:
    // such a signal has no value rather than a wrong one.
    if (m_firstBit < 0 || m_lastBit > 63)
        return;
    m_mask = canbits::BitRange(m_firstBit, m_lastBit);
    m_signMask = canbits::BitRange(m_lastBit, 63);
    m_decodable = true;
}

double C463CanMesSignal::DecodeValue(uint64_t intel, uint64_t motorola) const
{
    if (!m_decodable || (m_sign != '+' && m_sign != '-'))
        return HUGE_VAL;
    uint64_t v = (m_byteOrder == canbits::kIntel ? intel : motorola) & m_mask;
    double raw = 0.0;
    if (m_sign == '-') {
        if (v & (uint64_t{1} << m_lastBit))
            v |= m_signMask;
        raw = static_cast<double>(static_cast<int64_t>(v) >> m_firstBit);
    } else {
        raw = static_cast<double>(v >> m_firstBit);
    }
    return raw * m_factor + m_offset;
}

void C463CanMesSignal::Decode(uint64_t intel, uint64_t motorola, int index)
{
    if (m_valueTank)
        m_valueTank->SetValue(index, DecodeValue(intel, motorola));
}

bool C463CanMesSignal::ParseSgLine(const char* text)
{
    const std::vector<std::string> fields = SignalLineFields(text ? text : "");
    size_t next = 0;
    auto field = [&]() -> std::string_view { return next < fields.size() ? fields[next++] : std::string_view(); };

    // A signal not yet named leaves nothing before the colon.
    std::string name(m_name.str());
    if (!fields.empty() && fields[0] != ":")
        name = field();
    if (next < fields.size() && fields[next] == ":")
        ++next;

    // Each field reads as far as it goes, as the control unit's own reader
    // does; what it does not give keeps its value.
    int16_t start = m_startBit, length = m_length, order = m_byteOrder;
    char sign = m_sign;
    cantext::Scanner layout(field());
    if (layout.ReadInt16(start) && layout.Expect('|') && layout.ReadInt16(length) && layout.Expect('@') &&
        layout.ReadInt16(order)) {
        const std::string_view rest = layout.Rest();
        if (!rest.empty() && (rest[0] == '+' || rest[0] == '-'))
            sign = rest[0];
    }
    double factor = m_factor, offset = m_offset;
    cantext::Scanner scaling(field());
    if (scaling.Expect('(') && scaling.ReadDouble(factor) && scaling.Expect(','))
        scaling.ReadDouble(offset);
    double minimum = m_minimum, maximum = m_maximum;
    cantext::Scanner range(field());
    if (range.Expect('[') && range.ReadDouble(minimum) && range.Expect('|'))
        range.ReadDouble(maximum);
    std::string unit(m_unit.str());
    const std::string_view quoted = field();
    if (quoted.size() >= 2 && quoted.front() == '"' && quoted.back() == '"')
        unit = quoted.substr(1, quoted.size() - 2);
    int16_t decimals = m_decimals, source = m_source;
    for (int16_t* number : {&decimals, &source}) {
        cantext::Scanner s(field());
        int16_t v = 0;
        if (s.ReadInt16(v) && s.AtEnd())
            *number = v;
    }

    // What no frame can hold would break the bit map and the decoding.
    if (start < kLowestStartBit || start > kHighestStartBit || length < 1 || length > canbits::kMaxFrameBits ||
        (order != canbits::kMotorola && order != canbits::kIntel))
        return false;

    m_name = CutCanName(fw::CString(name));
    m_startBit = start;
    m_length = length;
    m_byteOrder = order;
    m_sign = sign;
    m_factor = factor;
    m_offset = offset;
    m_minimum = minimum;
    m_maximum = maximum;
    const int unitIndex = FindTextInTable(engunit::kAsciiTexts, engunit::kCount, unit.c_str());
    m_unit = engunit::AsciiText(unitIndex < 0 ? engunit::kNone : unitIndex);
    m_decimals = decimals;
    m_source = source;
    UpdateBitMask();
    return true;
}

fw::CString C463CanMesSignal::FormatSgLine() const
{
    fw::CString line;
    line.Format("%s : %d|%d@%d%c (%g,%g) [%g|%g] \"%s\" %d %d", m_name, static_cast<int>(m_startBit),
                static_cast<int>(m_length), static_cast<int>(m_byteOrder), m_sign, m_factor, m_offset, m_minimum,
                m_maximum, m_unit, static_cast<int>(m_decimals), static_cast<int>(m_source));
    return line;
}

void C463CanMesSignal::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_name << m_startBit << m_length << m_byteOrder << m_sign << m_factor << m_offset << m_minimum
           << m_maximum << m_unit << m_source << m_decimals << m_code;
    } else {
        ar >> m_name >> m_startBit >> m_length >> m_byteOrder >> m_sign >> m_factor >> m_offset >> m_minimum >>
            m_maximum >> m_unit >> m_source >> m_decimals >> m_code;
        UpdateBitMask();
    }
}
