#include "common/calc/CalcColumnTanks.h"

#include "common/calc/CalcuDataTank.h"
#include "common/calc/DataFormat.h"
#include "common/calc/DataSPTankData.h"
#include "common/base/ValueFormat.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <new>

FW_IMPLEMENT_SERIAL(CFuncTank, CStringDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CNameTank, CStringDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CUnitTank, CStringDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CFormatTank, CShortDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(COnOffTank, CBoolDataTank, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kFirstChannel = CDataSPTankData::kFirstCalculated;

// The rows [start, start + count) that lie within n values.
bool ClampRows(int& start, int& count, int n)
{
    start = std::max(start, 0);
    const int64_t rest = int64_t(n) - start;
    count = static_cast<int>(std::clamp<int64_t>(count, 0, std::max<int64_t>(rest, 0)));
    return count > 0;
}

// Empties the texts of the rows within the tank.
void EmptyTexts(CStringDataTank& tank, int start, int count)
{
    if (!ClampRows(start, count, tank.GetArraySize()))
        return;
    for (int r = start; r < start + count; ++r)
        tank.SetAt(r, fw::CString());
}

} // namespace

CCalcuDataTank* CCalcColumnOwner::ChannelOfRow(int row, bool create) const
{
    if (!m_owner || row < 0 || row >= CDataSPTankData::kCalculatedCount)
        return nullptr;
    try {
        return create ? m_owner->GetOrCreateChannel(kFirstChannel + row) : m_owner->GetCalcTank(kFirstChannel + row);
    } catch (const std::bad_alloc&) {
        // The cell is written all the same.
        fw::AfxMessageBox(fw::kIdpOutOfMemory);
        return nullptr;
    }
}

// --- formula texts ------------------------------------------------------------------------

CFuncTank::CFuncTank() = default;

bool CFuncTank::SetValueText(int index, const fw::CString& text)
{
    ChannelOfRow(index, true);
    fw::CString formula = text;
    if (text.Find(':', 1) >= 1)
        formula = text.Mid(text.ReverseFind(':') + 1);
    return CStringDataTank::SetValueText(index, formula);
}

double CFuncTank::GetValue(int) { return 0.0; }

void CFuncTank::ClearRange(int start, int count)
{
    EmptyTexts(*this, start, count);
    if (m_owner && count > 0)
        m_owner->CompileRange(this, start, start + count - 1, static_cast<int16_t>(m_infoFirst),
                              static_cast<int16_t>(m_infoSecond));
}

void CFuncTank::SetChannelInfo(int32_t first, int32_t second)
{
    m_infoFirst = first;
    m_infoSecond = second;
}

// --- names and units ------------------------------------------------------------------------

CNameTank::CNameTank() = default;

bool CNameTank::SetValueText(int index, const fw::CString& text)
{
    CCalcuDataTank* channel = ChannelOfRow(index, true);
    const bool stored = CStringDataTank::SetValueText(index, text);
    if (stored && channel)
        channel->SetName(text);
    return stored;
}

double CNameTank::GetValue(int) { return 0.0; }

void CNameTank::ClearRange(int start, int count)
{
    EmptyTexts(*this, start, count);
    for (int r = std::max(start, 0); r < start + count && r < CDataSPTankData::kCalculatedCount; ++r)
        if (CCalcuDataTank* channel = ChannelOfRow(r, false))
            channel->SetName(fw::CString());
}

CUnitTank::CUnitTank() = default;

bool CUnitTank::SetValueText(int index, const fw::CString& text)
{
    CCalcuDataTank* channel = ChannelOfRow(index, true);
    const bool stored = CStringDataTank::SetValueText(index, text);
    if (stored && channel)
        channel->SetUnit(text);
    return stored;
}

double CUnitTank::GetValue(int) { return 0.0; }

void CUnitTank::ClearRange(int start, int count)
{
    EmptyTexts(*this, start, count);
    for (int r = std::max(start, 0); r < start + count && r < CDataSPTankData::kCalculatedCount; ++r)
        if (CCalcuDataTank* channel = ChannelOfRow(r, false))
            channel->SetUnit(fw::CString());
}

// --- display formats ------------------------------------------------------------------------

CFormatTank::CFormatTank()
{
    Init(kTankTypeShort, 0, false);
    m_scale.reset();
    m_fillMarker = kFormatNone;
    m_emptyMarker = kFormatNone;
}

void CFormatTank::GetValueText(int index, fw::CString& out, bool)
{
    out.Empty();
    if (index < 0 || index >= GetDataCount())
        return;
    int16_t code = kFormatNone;
    GetAt(index, code);
    MainFormatTable().GetFormatText(code, out);
}

bool CFormatTank::SetValueText(int index, const fw::CString& text)
{
    return SetValue(index, MainFormatTable().FindFormatCode(text));
}

bool CFormatTank::SetValue(int index, double value)
{
    CCalcuDataTank* channel = ChannelOfRow(index, true);
    const auto code = static_cast<int16_t>(static_cast<int32_t>(value));
    CShortDataTank::SetValue(index, code);
    if (channel)
        channel->SetFormat(code);
    return true;
}

void CFormatTank::ClearRange(int start, int count)
{
    CShortDataTank::ClearRange(start, count);
    for (int r = std::max(start, 0); r < start + count && r < CDataSPTankData::kCalculatedCount; ++r)
        if (CCalcuDataTank* channel = ChannelOfRow(r, false))
            channel->SetFormat(kFormatNone);
}

// --- on/off -------------------------------------------------------------------------------------

COnOffTank::COnOffTank()
{
    m_fillMarker = 0;
    m_emptyMarker = 0;
}

void COnOffTank::GetValueText(int index, fw::CString& out, bool)
{
    out.Empty();
    if (index < 0 || index >= GetDataCount())
        return;
    int32_t v = 0;
    GetAt(index, v);
    out = v == 1 ? "ON" : "OFF";
}

bool COnOffTank::SetValueText(int index, const fw::CString& text)
{
    return SetValue(index, text == "ON" ? 1.0 : 0.0);
}

int COnOffTank::GetLastFilledIndex()
{
    for (int i = GetDataCount() - 1; i >= 0; --i) {
        int32_t v = 0;
        GetAt(i, v);
        if (v != m_emptyMarker)
            return i;
    }
    return -1;
}
