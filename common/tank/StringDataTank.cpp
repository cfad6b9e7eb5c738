#include "common/tank/StringDataTank.h"

#include "framework/core/AllocLimit.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <limits>
#include <new>

FW_IMPLEMENT_SERIAL(CStringDataTank, CDataTankObject, 1)

CStringDataTank::CStringDataTank() { Init(kTankTypeText, kFormatNone, true); }

void CStringDataTank::InitMembers()
{
    CDataTankObject::InitMembers();
    m_texts.clear();
    m_fillText.Empty();
}

void CStringDataTank::Serialize(fw::CArchive& ar)
{
    CDataTankObject::Serialize(ar);
    if (ar.IsStoring())
        ar << m_fillText;
    else
        ar >> m_fillText;
    SerializeValues(ar);
}

void CStringDataTank::SerializeValues(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_texts.size());
        for (const auto& text : m_texts)
            ar << text;
        return;
    }
    const uint64_t n = ar.ReadCount(1); // every text has at least its length byte
    if (n > uint64_t(std::numeric_limits<int32_t>::max()))
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    std::vector<fw::CString> texts(n);
    for (auto& text : texts)
        ar >> text;
    m_texts = std::move(texts);
    // As for the numeric tanks, the stored texts decide the count.
    if (HasHeader() && GetDataCount() != static_cast<int>(m_texts.size()))
        SetDataCount(static_cast<int>(m_texts.size()));
}

void CStringDataTank::Clear()
{
    CDataTankObject::Clear();
    std::vector<fw::CString>().swap(m_texts);
}

bool CStringDataTank::Grow(int n, bool fill)
{
    if (n <= 0)
        return false;
    const int old = GetDataCount();
    if (old < n) {
        if (!ResizeArray(n))
            return false;
        if (fill)
            FillRange(old, n - old);
        SetDataCount(n);
    }
    return true;
}

bool CStringDataTank::SetSize(int n, bool fill)
{
    n = std::max(n, 0);
    if (n >= GetDataCount())
        return Grow(n, fill);
    if (!ResizeArray(n))
        return false;
    SetDataCount(n);
    return true;
}

bool CStringDataTank::SetValueText(int index, const fw::CString& text)
{
    if (!HasHeader() || !Grow(index + 1, true))
        return false;
    SetAt(index, text);
    if (text.IsEmpty() && index == GetDataCount() - 1)
        SetSize(index, true);
    return true;
}

void CStringDataTank::GetValueText(int index, fw::CString& out, bool)
{
    if (index < GetDataCount() && HasHeader())
        GetAt(index, out);
    else
        out.Empty();
}

bool CStringDataTank::SetValue(int index, double value)
{
    fw::CString text;
    FormatDataValue(value, GetFormat(), text);
    return SetValueText(index, text);
}

bool CStringDataTank::FillRange(int start, int count)
{
    if (count <= 0)
        return true;
    if (start < 0 || int64_t(start) + count > int64_t(m_texts.size()))
        fw::ThrowInvalidArgException();
    std::fill(m_texts.begin() + start, m_texts.begin() + start + count, m_fillText);
    return true;
}

bool CStringDataTank::CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart)
{
    if (!src || count <= 0 || srcStart < 0 || srcStart >= src->GetDataCount() || !Grow(count + dstStart, true))
        return false;
    fw::CString text;
    auto copyOne = [&](int i) {
        src->GetValueText(srcStart + i, text, true);
        SetValueText(dstStart + i, text);
    };
    if (srcStart >= dstStart) {
        for (int i = 0; i < count; ++i)
            copyOne(i);
    } else {
        for (int i = count - 1; i >= 0; --i)
            copyOne(i);
    }
    return true;
}

void CStringDataTank::SetFillText(const fw::CString& text) { m_fillText = text; }

int CStringDataTank::GetArraySize() { return static_cast<int>(m_texts.size()); }

bool CStringDataTank::ResizeArray(int n)
{
    const size_t size = size_t(std::max(n, 0));
    try {
        if (size > m_texts.size())
            fw::AllocLimit::Check(size * sizeof(fw::CString));
        m_texts.resize(size);
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(fw::kIdpOutOfMemory);
        return false;
    }
    return true;
}

void CStringDataTank::GetAt(int index, fw::CString& out)
{
    if (index < 0 || size_t(index) >= m_texts.size())
        fw::ThrowInvalidArgException();
    out = m_texts[size_t(index)];
}

void CStringDataTank::SetAt(int index, const fw::CString& text)
{
    if (index < 0 || size_t(index) >= m_texts.size())
        fw::ThrowInvalidArgException();
    m_texts[size_t(index)] = text;
}
