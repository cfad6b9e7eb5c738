#include "common/calc/CalcuDataTank.h"

#include "common/base/ValueFormat.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Services.h"

#include <cstdint>
#include <new>

FW_IMPLEMENT_SERIAL(CCalcuDataTank, CDataTankObject, 1)

namespace {

constexpr int32_t kCodeText = -10;
constexpr int32_t kCodeDate = -2;

bool IsDateFormat(int16_t format) { return format == 107 || format == 109 || format == 102; }

// The display format a replacement result tank takes over.
int16_t FormatForCode(int32_t code, int16_t format)
{
    if (code == kCodeDate)
        return IsDateFormat(format) ? format : int16_t(107);
    if (code == kCodeText)
        return kFormatNone;
    return IsDateFormat(format) ? kFormatNone : format;
}

} // namespace

CCalcuDataTank::CCalcuDataTank() = default;
CCalcuDataTank::~CCalcuDataTank() = default;

void CCalcuDataTank::StampAsLoaded()
{
    // A header-less base form ("no header") read through the base: it only
    // takes the stamp.
    static const uint8_t kNoHeader[4] = {0, 0, 0, 0};
    fw::CMemFile file(std::span<const uint8_t>(kNoHeader, sizeof kNoHeader));
    fw::CArchive ar(&file, fw::CArchive::load);
    CDataTankObject::Serialize(ar);
    ar.Close();
}

void CCalcuDataTank::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteObject(m_result.get());
        return;
    }
    StampAsLoaded();
    auto* tank = static_cast<CDataTankObject*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CDataTankObject)));
    m_result.reset(tank);
}

CDataTankObject* CCalcuDataTank::CreateEmpty() const
{
    CDataTankObject* copy = CDataTankObject::CreateEmpty();
    if (copy && m_result)
        copy->SetKind(GetKind());
    return copy;
}

std::unique_ptr<CDataTankObject> CCalcuDataTank::MakeResultTank(int32_t code) const
{
    switch (code) {
    case kCodeText:
        return std::make_unique<CStringDataTank>();
    case kCodeDate:
        return std::make_unique<CDateDataTank>();
    default:
        return std::make_unique<CFltDataTank>();
    }
}

void CCalcuDataTank::SetKind(int32_t code)
{
    if (!m_result) {
        m_result = MakeResultTank(code);
        m_result->SetKind(code);
        return;
    }
    if (m_result->GetKind() == code)
        return;
    if (m_result->GetDataCount() == 0) {
        auto tank = MakeResultTank(code);
        tank->SetName(m_result->GetName());
        tank->SetUnit(m_result->GetUnit());
        tank->SetFormat(FormatForCode(code, m_result->GetFormat()));
        m_result = std::move(tank);
    }
    m_result->SetKind(code);
}

void CCalcuDataTank::SetOrder(std::unique_ptr<CDataCalcuOrder> order) { m_order = std::move(order); }
void CCalcuDataTank::SetResultTank(std::unique_ptr<CDataTankObject> tank) { m_result = std::move(tank); }

// --- forwarded operations ---------------------------------------------------------

void CCalcuDataTank::SetReportRangeErrors(bool on)
{
    CDataTankObject::SetReportRangeErrors(on);
    if (m_result)
        m_result->SetReportRangeErrors(on);
}

void CCalcuDataTank::Init(int16_t dataType, int16_t format, bool withScale)
{
    if (m_result)
        m_result->Init(dataType, format, withScale);
}
void CCalcuDataTank::InitDefault(bool withScale)
{
    if (m_result)
        m_result->InitDefault(withScale);
}
void CCalcuDataTank::Clear()
{
    if (m_result)
        m_result->Clear();
}
bool CCalcuDataTank::Grow(int n, bool fill) { return m_result && m_result->Grow(n, fill); }
bool CCalcuDataTank::SetSize(int n, bool fill) { return m_result && m_result->SetSize(n, fill); }

void CCalcuDataTank::SetDataType(int16_t type)
{
    if (m_result)
        m_result->SetDataType(type);
}
int16_t CCalcuDataTank::GetDataType() const { return m_result ? m_result->GetDataType() : 0; }
void CCalcuDataTank::SetFormat(int16_t format)
{
    if (m_result)
        m_result->SetFormat(format);
}
int16_t CCalcuDataTank::GetFormat() const { return m_result ? m_result->GetFormat() : 0; }
void CCalcuDataTank::SetTag(int16_t tag)
{
    if (m_result)
        m_result->SetTag(tag);
}
int16_t CCalcuDataTank::GetTag() const { return m_result ? m_result->GetTag() : 0; }
int32_t CCalcuDataTank::GetKind() const { return m_result ? m_result->GetKind() : 0; }

void* CCalcuDataTank::GetDataBuffer() { return m_result ? m_result->GetDataBuffer() : nullptr; }
CZELDataPoter* CCalcuDataTank::CreatePoter(int start, int count)
{
    return m_result ? m_result->CreatePoter(start, count) : nullptr;
}
void CCalcuDataTank::EndAccess()
{
    if (m_result)
        m_result->EndAccess();
}

void CCalcuDataTank::SetDataCount(int count)
{
    if (m_result)
        m_result->SetDataCount(count);
}
int CCalcuDataTank::GetDataCount() const { return m_result ? m_result->GetDataCount() : 0; }
void CCalcuDataTank::SetName(const fw::CString& name)
{
    if (m_result)
        m_result->SetName(name);
}
fw::CString CCalcuDataTank::GetName() const { return m_result ? m_result->GetName() : fw::CString(); }

void CCalcuDataTank::UpdateMax(double x)
{
    if (m_result)
        m_result->UpdateMax(x);
}
void CCalcuDataTank::SetMax(double x)
{
    if (m_result)
        m_result->SetMax(x);
}
double CCalcuDataTank::GetMax() const { return m_result ? m_result->GetMax() : HUGE_VAL; }
void CCalcuDataTank::UpdateMin(double x)
{
    if (m_result)
        m_result->UpdateMin(x);
}
void CCalcuDataTank::SetMin(double x)
{
    if (m_result)
        m_result->SetMin(x);
}
double CCalcuDataTank::GetMin() const { return m_result ? m_result->GetMin() : HUGE_VAL; }
void CCalcuDataTank::SetFiniteAverage(double x)
{
    if (m_result)
        m_result->SetFiniteAverage(x);
}
void CCalcuDataTank::SetAverage(double x)
{
    if (m_result)
        m_result->SetAverage(x);
}
double CCalcuDataTank::GetAverage() const { return m_result ? m_result->GetAverage() : HUGE_VAL; }
void CCalcuDataTank::SetUnit(const fw::CString& unit)
{
    if (m_result)
        m_result->SetUnit(unit);
}
fw::CString CCalcuDataTank::GetUnit() const { return m_result ? m_result->GetUnit() : fw::CString(); }

void CCalcuDataTank::GetMaxText(fw::CString& out, bool useFormat) const
{
    if (m_result)
        m_result->GetMaxText(out, useFormat);
}
void CCalcuDataTank::GetMinText(fw::CString& out, bool useFormat) const
{
    if (m_result)
        m_result->GetMinText(out, useFormat);
}
void CCalcuDataTank::GetAverageText(fw::CString& out, bool useFormat) const
{
    if (m_result)
        m_result->GetAverageText(out, useFormat);
}

bool CCalcuDataTank::CopyHeaderTo(CDataTankObject* other) const { return m_result && m_result->CopyHeaderTo(other); }
bool CCalcuDataTank::CopyScaleTo(CDataTankObject* other) const { return !m_result || m_result->CopyScaleTo(other); }

bool CCalcuDataTank::SetValueText(int index, const fw::CString& text)
{
    return m_result && m_result->SetValueText(index, text);
}
void CCalcuDataTank::GetValueText(int index, fw::CString& out, bool useFormat)
{
    if (m_result)
        m_result->GetValueText(index, out, useFormat);
    else
        out.Empty();
}
bool CCalcuDataTank::SetValue(int index, double value) { return m_result && m_result->SetValue(index, value); }
double CCalcuDataTank::GetValue(int index) { return m_result ? m_result->GetValue(index) : 0.0; }
bool CCalcuDataTank::FillRange(int start, int count) { return m_result && m_result->FillRange(start, count); }

bool CCalcuDataTank::HasHeader() const { return m_result && m_result->HasHeader(); }
bool CCalcuDataTank::IsNamed() const { return m_result && m_result->IsNamed(); }
bool CCalcuDataTank::HasValues() const { return m_result && m_result->HasValues(); }
bool CCalcuDataTank::HasScale() const { return m_result && m_result->HasScale(); }
bool CCalcuDataTank::HasNameText() const { return m_result && m_result->HasNameText(); }
bool CCalcuDataTank::CheckValue(double x) const { return !m_result || m_result->CheckValue(x); }
void CCalcuDataTank::ReportIntRange(int32_t low, int32_t high, const char* pattern, unsigned messageId) const
{
    if (m_result)
        m_result->ReportIntRange(low, high, pattern, messageId);
}
void CCalcuDataTank::ReportRealRange(double low, double high, int precision, unsigned messageId) const
{
    if (m_result)
        m_result->ReportRealRange(low, high, precision, messageId);
}

bool CCalcuDataTank::CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart)
{
    if (!m_result)
        return false;
    if (src == this)
        src = m_result.get();
    return m_result->CopyRange(srcStart, count, src, dstStart);
}
void CCalcuDataTank::ClearRange(int start, int count)
{
    if (m_result)
        m_result->ClearRange(start, count);
}
bool CCalcuDataTank::TrimSize(int n) { return m_result && m_result->TrimSize(n); }
int CCalcuDataTank::GetLastFilledIndex() { return m_result ? m_result->GetLastFilledIndex() : -1; }

// --- the formula --------------------------------------------------------------------

void CCalcuDataTank::DeleteOrder() { m_order.reset(); }

bool CCalcuDataTank::CommitFormula()
{
    if (!m_order)
        return true;
    try {
        int16_t code = 0;
        int16_t type = kTankTypeFloat;
        m_order->GetResultType(code, type);
        if (GetDataCount() > 0 && GetDataType() != type) {
            m_order->SetError(8);
            return false;
        }
        SetKind(code);
        SetDataType(type);
        return true;
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(fw::kIdpOutOfMemory);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

CDataCalcu* CCalcuDataTank::FindOperation(CalcRoutine routine)
{
    return m_order ? m_order->FindOperation(routine) : nullptr;
}
CDataCalcu* CCalcuDataTank::FindChannelOperation() { return m_order ? m_order->FindChannelOperation() : nullptr; }

double CCalcuDataTank::GetResult() { return m_order ? m_order->GetResult() : HUGE_VAL; }

void CCalcuDataTank::FormatResult(fw::CString& out, int16_t formatOverride)
{
    if (!m_order)
        return;
    const double v = m_order->GetResult();
    switch (GetDataType()) {
    case kTankTypeLong: {
        const int32_t i = (v >= -2147483648.0 && v <= 2147483647.0) ? static_cast<int32_t>(v) : INT32_MIN;
        if (i == INT32_MIN || i == INT32_MAX)
            out.Empty();
        else
            FormatDataValue(static_cast<double>(i), GetFormat(), out);
        break;
    }
    case kTankTypeUnLong: {
        // Out of the 64-bit range the conversion would be undefined.
        const double limit = 9223372036854775807.0;
        const int64_t i = (v >= -limit && v < limit) ? static_cast<int64_t>(v) : INT64_MIN;
        FormatDataValue(static_cast<double>(i), GetFormat(), out);
        break;
    }
    case kTankTypeFloat:
    case kTankTypeDouble: {
        int16_t format = GetFormat();
        if (GetKind() == kCodeDate && (formatOverride == kFormatNone || formatOverride == kFormatGeneral18))
            format = 102;
        FormatDataValue(v, format, out);
        break;
    }
    default:
        out.Empty();
        break;
    }
}

int CCalcuDataTank::AddUse() { return ++m_useCount; }
int CCalcuDataTank::RemoveUse() { return --m_useCount; }
int CCalcuDataTank::GetUseCount() const { return m_useCount; }
