// The system channel map and the routing of channel attributes to boxes.

#include "instrument/system/BoxArray.h"

#include "common/calc/CashCalcuDataTank.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/DataPropaty.h"
#include "instrument/unit/KivUnit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCodeChannelName = 101;
constexpr int kCodeAnalysisInput = 103;
constexpr int kCodeBalance = 15;
constexpr int kKindOff = -1000;
constexpr int kKindFloat = -1;
constexpr int kKindDouble = 22;

int ToIntOr(double value, int fallback)
{
    return std::isfinite(value) && std::fabs(value) < 2147483647.0 ? static_cast<int>(value) : fallback;
}

} // namespace

std::pair<CBoxPropaty*, int> CBoxArray::Route(int index, int code) const
{
    if (index < 0)
        fw::ThrowInvalidArgException();
    if (IsSystemChannelCode(code))
        return {GetBox(index / kChannelsPerBox), index % kChannelsPerBox};
    const tagBOXCH entry = m_map.GetAt(index);
    return {GetBox(entry.box), entry.ch};
}

double CBoxArray::GetChannelValue(int index, int code) const
{
    const auto [box, ref] = Route(index, code);
    return box->GetChannelValue(ref, code);
}

const char* CBoxArray::GetChannelText(int index, int code, fw::CString& text) const
{
    if (code == kCodeChannelName) {
        text.Format("DN_%d", index + 1);
        return text.c_str();
    }
    const auto [box, ref] = Route(index, code);
    return box->GetChannelText(ref, code, text);
}

int CBoxArray::GetChannelDisplayText(int code, int index, fw::CString& text) const
{
    if (code == kCodeChannelName) {
        text.Format("DN_%d", index + 1);
        return 0;
    }
    const auto [box, ref] = Route(index, code);
    box->GetDisplayText(code, ref, text);
    return 0;
}

bool CBoxArray::SetChannelValue(int index, int code, double value)
{
    const auto [box, ref] = Route(index, code);
    return box->SetChannelValue(ref, code, value);
}

bool CBoxArray::SetChannelText(int index, int code, const char* text)
{
    const auto [box, ref] = Route(index, code);
    return box->SetChannelText(ref, code, text);
}

bool CBoxArray::IsChannelAttrEditable(int index, int code) const
{
    const auto [box, ref] = Route(index, code);
    return box->IsAttrEditable(ref, code);
}

bool CBoxArray::IsChannelValueAllowed(int index, int code, int value) const
{
    const auto [box, ref] = Route(index, code);
    return box->IsValueAllowed(ref, code, value);
}

void CBoxArray::BuildChannelMap()
{
    int measuring = 0;
    int outputs = 0;
    for (int b = 0; b < GetBoxCount(); ++b) {
        measuring += GetBox(b)->GetInputCount();
        outputs += GetBox(b)->GetOutputCount();
    }
    m_measuring = measuring;
    m_outputs = outputs;
    m_map.SetSize(measuring + outputs);
    int j = 0;
    int o = measuring;
    for (int b = 0; b < GetBoxCount(); ++b) {
        CBoxPropaty* box = GetBox(b);
        const CKivMeter* meter = box->GetMeter();
        int k = 0;
        int q = box->GetInputCount();
        for (int port = 0; port < CBoxPropaty::kUnitPorts; ++port) {
            const CKivUnit* unit = meter->GetUnit(port);
            if (!unit)
                continue;
            if (unit->HasInputs()) {
                for (int c = 0; c < unit->GetChannelCount(); ++c) {
                    if (j >= measuring)
                        fw::ThrowInvalidArgException();
                    m_map.SetAt(j, tagBOXCH{static_cast<int16_t>(b), static_cast<int16_t>(k)});
                    box->SetChannelTank(k, m_tanks.GetObjectAt(j));
                    ++j;
                    ++k;
                }
            } else if (unit->IsOutput()) {
                for (int c = 0; c < unit->GetChannelCount(); ++c) {
                    m_map.SetAt(o++, tagBOXCH{static_cast<int16_t>(b), static_cast<int16_t>(q++)});
                }
            }
        }
    }
}

int CBoxArray::FindMapIndexOfChannel(int n) const
{
    const int x = ToIntOr(GetChannelValue(n, kCodeAnalysisInput), 0);
    if (x == 0)
        return -1;
    const int b = n / kChannelsPerBox;
    const CBoxPropaty* box = GetBox(b);
    for (int m = 0; m < m_map.GetSize(); ++m) {
        const tagBOXCH entry = m_map.GetAt(m);
        if (entry.box == b && box->GetChannelRef(entry.ch).ch == x - 1)
            return m;
    }
    return -1;
}

void CBoxArray::SetTankDisplayModes()
{
    for (int i = 0; i < m_measuring; ++i) {
        CDataTankObject* tank = m_tanks.GetObjectAt(i);
        if (!tank)
            continue;
        if (GetChannelValue(i, CBoxPropaty::kAttrOnOff) != 1.0)
            tank->SetKind(kKindOff);
        else
            tank->SetKind(GetChannelValue(i, CBoxPropaty::kAttrBitsPerSample) == 16.0 ? kKindFloat : kKindDouble);
    }
}

bool CBoxArray::SetMeasuringChannelsValue(int code, double value)
{
    for (int i = 0; i < m_measuring; ++i) {
        if (!SetChannelValue(i, code, value))
            return false;
    }
    return true;
}

bool CBoxArray::SetDataCount(int count, bool resizeTanks)
{
    if (resizeTanks && count < 0)
        count = m_adSet.m_nNum;
    for (int b = 0; b < GetBoxCount(); ++b) {
        CKivMeter* meter = GetBox(b)->GetMeter();
        for (int ch = 0; ch < CKivMeter::kChannels; ++ch)
            meter->SetLastSampleIndex(ch, count - 1);
    }
    if (!resizeTanks)
        return true;
    m_tanks.SetDataCount(count, true);
    for (int i = 0; i < m_measuring; ++i) {
        if (CDataTankObject* tank = m_tanks.GetObjectAt(i))
            tank->SetSize(count, true);
    }
    for (int i = kFirstCalcChannel; i < m_tanks.GetSize(); ++i) {
        if (CDataTankObject* tank = m_tanks.GetObjectAt(i))
            tank->SetSize(count, true);
    }
    return true;
}

void CBoxArray::BeginMeterEdit()
{
    for (int b = 0; b < GetBoxCount(); ++b)
        GetBox(b)->CopyToWorkMeter();
    m_meterEdit = true;
}

void CBoxArray::ApplyWorkMeters()
{
    for (int b = 0; b < GetBoxCount(); ++b)
        GetBox(b)->ApplyWorkMeter();
    m_meterEdit = true;
}

void CBoxArray::EndMeterEdit()
{
    for (int b = 0; b < GetBoxCount(); ++b)
        GetBox(b)->SwapWorkMeter();
    m_meterEdit = false;
}

bool CBoxArray::CanBalanceChannel(int mapIndex)
{
    if (IsChannelAttrEditable(mapIndex, kCodeBalance))
        return true;
    return SetChannelValue(mapIndex, CDataPropaty::kOffset, 0.0);
}

int CBoxArray::GetMaxUnitValue() const
{
    int speed = 0;
    for (int b = 0; b < GetBoxCount(); ++b)
        speed = std::max(speed, GetBox(b)->GetMeter()->GetSpeedClass());
    return speed;
}
