#include "common/tank/DataTankObject.h"

#include "common/base/RangeMessages.h"
#include "common/base/ValueFormat.h"
#include "framework/core/Archive.h"

#include <atomic>

FW_IMPLEMENT_SERIAL(CDataTankObject, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

std::atomic<uint64_t> g_loadStamp{0};

// A double that converts to a finite float: magnitudes from FLT_MAX plus
// half its last place on round to infinity.
bool FiniteAsFloat(double x)
{
    return std::isfinite(x) && std::fabs(x) < 3.4028235677973366e38;
}

} // namespace

CDataTankObject::CDataTankObject() = default;
CDataTankObject::~CDataTankObject() = default;

uint64_t CDataTankObject::LoadStampNow() { return g_loadStamp.load(); }

void CDataTankObject::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << int32_t(m_header ? 1 : 0);
        if (!m_header)
            return;
        ar << m_header->dataType << m_header->format << m_header->tag << m_header->name << m_header->kind
           << m_header->count;
        ar << int32_t(m_scale ? 1 : 0);
        if (m_scale)
            ar << m_scale->max << m_scale->min << m_scale->average << m_scale->unit;
        return;
    }

    m_loadStamp = ++g_loadStamp;
    int32_t hasHeader = 0;
    ar >> hasHeader;
    if (hasHeader == 0)
        return;
    tDataTankHeader h;
    ar >> h.dataType >> h.format >> h.tag >> h.name >> h.kind >> h.count;
    int32_t hasScale = 0;
    ar >> hasScale;
    Init(h.dataType, h.format, hasScale != 0);
    SetTag(h.tag);
    SetName(h.name);
    SetKind(h.kind);
    SetDataCount(h.count);
    if (hasScale != 0)
        ar >> m_scale->max >> m_scale->min >> m_scale->average >> m_scale->unit;
}

CDataTankObject* CDataTankObject::CreateEmpty() const
{
    return dynamic_cast<CDataTankObject*>(GetRuntimeClass()->CreateObject());
}

void CDataTankObject::InitMembers()
{
    m_reportRangeErrors = false;
    m_header.reset();
    m_scale.reset();
    m_refCount = 1;
}

void CDataTankObject::SetReportRangeErrors(bool on) { m_reportRangeErrors = on; }

void CDataTankObject::AddRef() { ++m_refCount; }

bool CDataTankObject::Release()
{
    if (m_refCount > 0)
        --m_refCount;
    return m_refCount == 0;
}

int CDataTankObject::GetRefCount() const { return m_refCount; }

void CDataTankObject::Init(int16_t dataType, int16_t format, bool withScale)
{
    m_header = std::make_unique<tDataTankHeader>();
    Clear();
    SetDataType(dataType);
    SetFormat(format);
    SetName(fw::CString());
    SetTag(0);
    SetKind(0);
    if (withScale)
        m_scale = std::make_unique<tDataTankScale>();
}

void CDataTankObject::InitDefault(bool withScale) { Init(kTankTypeFloat, kFormatNone, withScale); }

void CDataTankObject::Clear()
{
    SetDataCount(0);
    SetMax(HUGE_VAL);
    SetMin(HUGE_VAL);
    SetAverage(HUGE_VAL);
}

bool CDataTankObject::Grow(int, bool) { return false; }
bool CDataTankObject::SetSize(int, bool) { return false; }

// Header fields: without a header the setters do nothing and the getters
// answer what Init would set.
void CDataTankObject::SetDataType(int16_t type)
{
    if (m_header)
        m_header->dataType = type;
}
int16_t CDataTankObject::GetDataType() const { return m_header ? m_header->dataType : 0; }
void CDataTankObject::SetFormat(int16_t format)
{
    if (m_header)
        m_header->format = format;
}
int16_t CDataTankObject::GetFormat() const { return m_header ? m_header->format : 0; }
void CDataTankObject::SetTag(int16_t tag)
{
    if (m_header)
        m_header->tag = tag;
}
int16_t CDataTankObject::GetTag() const { return m_header ? m_header->tag : 0; }
int32_t CDataTankObject::GetKind() const { return m_header ? m_header->kind : 0; }
void CDataTankObject::SetKind(int32_t kind)
{
    if (m_header)
        m_header->kind = kind;
}

void* CDataTankObject::GetDataBuffer() { return nullptr; }
CZELDataPoter* CDataTankObject::CreatePoter(int, int) { return nullptr; }
void CDataTankObject::EndAccess() {}

void CDataTankObject::SetDataCount(int count)
{
    if (m_header)
        m_header->count = count;
}
int CDataTankObject::GetDataCount() const { return m_header ? m_header->count : 0; }

void CDataTankObject::SetName(const fw::CString& name)
{
    if (m_header)
        m_header->name = name;
}
fw::CString CDataTankObject::GetName() const { return m_header ? m_header->name : fw::CString(); }

void CDataTankObject::UpdateMax(double x)
{
    if (!m_scale || !FiniteAsFloat(x))
        return;
    if (!FiniteAsFloat(m_scale->max) || x > m_scale->max)
        m_scale->max = x;
}

void CDataTankObject::SetMax(double x)
{
    if (m_scale)
        m_scale->max = x;
}
double CDataTankObject::GetMax() const { return m_scale ? m_scale->max : HUGE_VAL; }

void CDataTankObject::UpdateMin(double x)
{
    if (!m_scale || !std::isfinite(x))
        return;
    if (!std::isfinite(m_scale->min) || x < m_scale->min)
        m_scale->min = x;
}

void CDataTankObject::SetMin(double x)
{
    if (m_scale)
        m_scale->min = x;
}
double CDataTankObject::GetMin() const { return m_scale ? m_scale->min : HUGE_VAL; }

void CDataTankObject::SetFiniteAverage(double x)
{
    if (std::isfinite(x))
        SetAverage(x);
}
void CDataTankObject::SetAverage(double x)
{
    if (m_scale)
        m_scale->average = x;
}
double CDataTankObject::GetAverage() const { return m_scale ? m_scale->average : HUGE_VAL; }

void CDataTankObject::SetUnit(const fw::CString& unit)
{
    if (m_scale)
        m_scale->unit = unit;
}
fw::CString CDataTankObject::GetUnit() const { return m_scale ? m_scale->unit : fw::CString(); }

int16_t CDataTankObject::GetUnformattedCode() const { return kFormatGeneral18; }

void CDataTankObject::FormatScaleValue(double x, fw::CString& out, bool useFormat) const
{
    FormatDataValue(x, useFormat ? GetFormat() : GetUnformattedCode(), out);
}

void CDataTankObject::GetMaxText(fw::CString& out, bool useFormat) const { FormatScaleValue(GetMax(), out, useFormat); }
void CDataTankObject::GetMinText(fw::CString& out, bool useFormat) const { FormatScaleValue(GetMin(), out, useFormat); }
void CDataTankObject::GetAverageText(fw::CString& out, bool useFormat) const
{
    FormatScaleValue(GetAverage(), out, useFormat);
}

bool CDataTankObject::CopyHeaderTo(CDataTankObject* other) const
{
    // Without a header of its own there is nothing to copy.
    if (!other || !m_header)
        return false;
    if (!other->HasHeader())
        other->InitDefault(HasScale());
    other->SetDataType(GetDataType());
    other->SetFormat(GetFormat());
    other->SetTag(GetTag());
    other->SetName(GetName());
    other->SetDataCount(GetDataCount());
    return true;
}

bool CDataTankObject::CopyScaleTo(CDataTankObject* other) const
{
    if (other && m_scale) {
        other->SetFiniteAverage(m_scale->average);
        other->UpdateMax(m_scale->max);
        other->UpdateMin(m_scale->min);
        other->SetUnit(m_scale->unit);
    }
    return true;
}

bool CDataTankObject::SetValueText(int, const fw::CString&) { return false; }
void CDataTankObject::GetValueText(int, fw::CString&, bool) {}
bool CDataTankObject::SetValue(int, double) { return false; }
double CDataTankObject::GetValue(int) { return 0.0; }
bool CDataTankObject::FillRange(int, int) { return false; }

bool CDataTankObject::HasHeader() const { return m_header != nullptr; }
bool CDataTankObject::IsNamed() const { return m_header && !m_header->name.IsEmpty(); }
bool CDataTankObject::HasValues() const { return IsNamed() && m_header->count > 0; }
bool CDataTankObject::HasScale() const { return m_scale != nullptr; }
bool CDataTankObject::HasNameText() const { return m_header && !m_header->name.IsEmpty(); }

bool CDataTankObject::CheckValue(double) const { return true; }

void CDataTankObject::ReportIntRange(int32_t low, int32_t high, const char* pattern, unsigned messageId) const
{
    ShowIntRangeMessage(low, high, pattern, messageId);
}

void CDataTankObject::ReportRealRange(double low, double high, int precision, unsigned messageId) const
{
    ShowRealRangeMessage(low, high, precision, messageId);
}

bool CDataTankObject::CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart)
{
    if (!src || count < 0 || srcStart >= src->GetDataCount())
        return false;
    switch (GetDataType()) {
    case kTankTypeLong:
    case kTankTypeUnLong:
    case kTankTypeFloat:
    case kTankTypeShort:
    case kTankTypeDouble:
    case kTankTypeText:
    case kTankTypeText2:
        break;
    case kTankTypeTime:
        return true;
    default:
        return false;
    }
    const bool asText = GetDataType() == kTankTypeText || GetDataType() == kTankTypeText2;
    auto copyOne = [&](int i) {
        if (asText) {
            fw::CString text;
            src->GetValueText(i, text, true);
            SetValueText(dstStart + i - srcStart, text);
        } else {
            SetValue(dstStart + i - srcStart, src->GetValue(i));
        }
    };
    // A move further down inside the same tank runs back to front, so that
    // no value is overwritten before it is read.
    if (src == this && dstStart > srcStart) {
        for (int i = srcStart + count - 1; i >= srcStart; --i)
            copyOne(i);
    } else {
        for (int i = srcStart; i < srcStart + count; ++i)
            copyOne(i);
    }
    return true;
}

void CDataTankObject::ClearRange(int start, int count)
{
    const int n = GetDataCount();
    if (int64_t(start) + count > n)
        count = n - start;
    if (start < n)
        FillRange(start, count);
}

bool CDataTankObject::TrimSize(int n)
{
    const int last = GetLastFilledIndex();
    return last >= n - 1 ? SetSize(n, true) : SetSize(last + 1, true);
}

int CDataTankObject::GetLastFilledIndex()
{
    fw::CString text;
    for (int i = GetDataCount() - 1; i >= 0; --i) {
        text.Empty();
        GetValueText(i, text, true);
        if (!text.IsEmpty())
            return i;
    }
    return -1;
}

void ReleaseTank(CDataTankObject* tank)
{
    if (tank && tank->Release())
        delete tank;
}
