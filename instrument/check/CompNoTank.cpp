#include "instrument/check/CompNoTank.h"

#include "common/base/ValueParse.h"

FW_IMPLEMENT_SERIAL(CCompNoTank, CShortDataTank, fw::VERSIONABLE_SCHEMA | 1)

namespace {

bool IsChannel(int v)
{
    return (v >= 0 && v < CCompNoTank::kMeasuringChannels)
           || (v >= CCompNoTank::kFirstCalculated && v <= CCompNoTank::kLastCalculated);
}

} // namespace

CCompNoTank::CCompNoTank()
{
    m_fillMarker = -32768;
    m_emptyMarker = -32768;
}

bool CCompNoTank::CheckValue(double x) const
{
    if (x == double(m_emptyMarker) || (x >= 0.0 && x < kMeasuringChannels)
        || (x >= kFirstCalculated && x < kLastCalculated + 1))
        return true;
    if (m_reportRangeErrors)
        ReportIntRange(1, 1000, "%ld", kIdpIntRange);
    return false;
}

fw::CString CCompNoTank::ChannelText(const fw::CString& name, int channel)
{
    if (channel < kMeasuringChannels)
        return fw::Format("%s (CH%d)", name, channel + 1);
    return fw::Format("%s (NO%d)", name, channel - (kFirstCalculated - 1));
}

bool CCompNoTank::ChannelName(int channel, fw::CString& name) const
{
    CDataTankObject* tank = m_owner ? m_owner->GetChannelTank(channel, kChannelList) : nullptr;
    name = tank ? tank->GetName() : fw::CString();
    return tank != nullptr;
}

void CCompNoTank::GetValueText(int index, fw::CString& out, bool)
{
    out.Empty();
    if (index < 0 || index >= GetDataCount() || !HasHeader())
        return;
    int16_t v = m_emptyMarker;
    GetAt(index, v);
    if (v == m_emptyMarker)
        return;
    fw::CString name;
    ChannelName(v, name);
    out = ChannelText(name, v);
}

bool CCompNoTank::SetValueText(int index, const fw::CString& text)
{
    if (index < 0)
        return false;
    if (text.IsEmpty()) {
        if (!HasHeader() || !Grow(index + 1, true))
            return false;
        return FillRange(index, 1);
    }
    const int open = text.Find('(');
    const int close = open < 0 ? -1 : text.Find(')', open + 1);
    if (close - open < 2)
        return false;
    fw::CString number = text.Mid(open + 1, close - open - 1);
    number.MakeUpper();
    int offset = 0;
    if (number.Find("CH") >= 0) {
        number.Replace("CH", "");
    } else if (number.Find("NO") >= 0) {
        number.Replace("NO", "");
        offset = kFirstCalculated;
    }
    int32_t n = 0;
    if (!TextToInt(number.c_str(), &n))
        return false;
    const int64_t channel = int64_t(n) + offset - 1;
    if (channel < 0 || channel > kLastCalculated || !IsChannel(int(channel)))
        return false;
    fw::CString name;
    if (!ChannelName(int(channel), name))
        name = number;
    if (text != ChannelText(name, int(channel)))
        return false;
    return SetValue(index, double(channel));
}
