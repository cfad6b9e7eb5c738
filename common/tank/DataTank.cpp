#include "common/tank/DataTank.h"

#include "common/base/ValueFormat.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/AllocLimit.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>

namespace {

// x as T: float to nearest, integers truncated toward zero (unsigned through
// a 64-bit integer). The range checks of the leaves keep x in range; the
// clamping only keeps a tank without such a check defined.
template <class T> T ConvertValue(double x)
{
    if constexpr (std::is_floating_point_v<T>) {
        return static_cast<T>(x);
    } else {
        if (std::isnan(x))
            return T(0);
        if constexpr (std::is_unsigned_v<T>) {
            if (x <= -9.2e18 || x >= 9.2e18)
                return std::numeric_limits<T>::max();
            return static_cast<T>(static_cast<int64_t>(x));
        } else {
            const double lo = double(std::numeric_limits<T>::lowest());
            const double hi = double(std::numeric_limits<T>::max());
            return static_cast<T>(std::clamp(std::trunc(x), lo, hi));
        }
    }
}

template <class T> struct ArrayPoterOf;
template <> struct ArrayPoterOf<float> {
    using Poter = CZELFltDataPoter;
    static const fw::CRuntimeClass* Cursor() { return FW_RUNTIME_CLASS(CZELFloatPtr); }
};
template <> struct ArrayPoterOf<double> {
    using Poter = CZELDblDataPoter;
    static const fw::CRuntimeClass* Cursor() { return FW_RUNTIME_CLASS(CZELDoublePtr); }
};
template <> struct ArrayPoterOf<int16_t> {
    using Poter = CZELShortDataPoter;
    static const fw::CRuntimeClass* Cursor() { return FW_RUNTIME_CLASS(CZELShortPtr); }
};
template <> struct ArrayPoterOf<int32_t> {
    using Poter = CZELLongDataPoter;
    static const fw::CRuntimeClass* Cursor() { return FW_RUNTIME_CLASS(CZELLongPtr); }
};
template <> struct ArrayPoterOf<uint32_t> {
    using Poter = CZELUnLongDataPoter;
    static const fw::CRuntimeClass* Cursor() { return FW_RUNTIME_CLASS(CZELUnLongPtr); }
};

} // namespace

template <class T> CDataTank<T>::CDataTank() = default;
template <class T> CDataTank<T>::~CDataTank() = default;

template <class T> int16_t& CDataTank<T>::UnformattedCode()
{
    static int16_t code = std::is_same_v<T, double> ? kFormatGeneral18 : kFormatNone;
    return code;
}

template <class T> int16_t CDataTank<T>::GetTypeUnformattedCode() { return UnformattedCode(); }
template <class T> void CDataTank<T>::SetTypeUnformattedCode(int16_t code) { UnformattedCode() = code; }
template <class T> int16_t CDataTank<T>::GetUnformattedCode() const { return UnformattedCode(); }

template <class T> void CDataTank<T>::Serialize(fw::CArchive& ar)
{
    CDataTankObject::Serialize(ar);
    if (ar.IsStoring())
        ar << m_fillMarker << m_emptyMarker;
    else
        ar >> m_fillMarker >> m_emptyMarker;
    SerializeValues(ar);
}

template <class T> void CDataTank<T>::SerializeValues(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_values.size());
        if (!m_values.empty())
            fw::SerializeElements(ar, m_values.data(), m_values.size());
        return;
    }
    const uint64_t n = ar.ReadCount(sizeof(T));
    if (n > uint64_t(std::numeric_limits<int32_t>::max()))
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    fw::AllocLimit::Check(n * sizeof(T));
    std::vector<T> values;
    fw::ReadElements(ar, values, static_cast<size_t>(n));
    m_values = std::move(values);
    // The header count and the array are stored apart; a file where they
    // differ is taken by its array, so that no index below the count can
    // reach past the values.
    if (HasHeader() && GetDataCount() != static_cast<int>(m_values.size()))
        SetDataCount(static_cast<int>(m_values.size()));
}

template <class T> void CDataTank<T>::Clear()
{
    CDataTankObject::Clear();
    std::vector<T>().swap(m_values);
}

template <class T> bool CDataTank<T>::Grow(int n, bool fill)
{
    if (n <= 0)
        return false;
    const int old = GetDataCount();
    if (old < n) {
        ResizeArray(n);
        if (fill)
            FillRange(old, n - old);
        SetDataCount(n);
    }
    return true;
}

template <class T> bool CDataTank<T>::SetSize(int n, bool fill)
{
    n = std::max(n, 0);
    if (n >= GetDataCount())
        return Grow(n, fill);
    ResizeArray(n);
    SetDataCount(n);
    return true;
}

template <class T> void* CDataTank<T>::GetDataBuffer() { return m_values.data(); }

template <class T> CZELDataPoter* CDataTank<T>::CreatePoter(int start, int count)
{
    using Traits = ArrayPoterOf<T>;
    return MakeArrayPoter<typename Traits::Poter>(start, count, Traits::Cursor());
}

template <class T> bool CDataTank<T>::ParseValueText(const fw::CString& text, double& out) const
{
    return TextToDouble(text.c_str(), &out);
}

template <class T> void CDataTank<T>::FormatValueText(T value, fw::CString& out, bool useFormat) const
{
    FormatDataValue(static_cast<double>(value), useFormat ? GetFormat() : GetUnformattedCode(), out);
}

template <class T> bool CDataTank<T>::SetValueText(int index, const fw::CString& text)
{
    if (!HasHeader() || !Grow(index + 1, true))
        return false;
    if (!text.IsEmpty()) {
        double v;
        if (!ParseValueText(text, v))
            return true; // not a number: nothing stored, not refused
        if (!CheckValue(v))
            return false;
        const T converted = ConvertValue<T>(v);
        if (!SetAt(index, converted))
            return false;
        UpdateMax(static_cast<double>(converted));
        UpdateMin(static_cast<double>(converted));
        return true;
    }
    if (!SetAt(index, m_emptyMarker))
        return false;
    // Clearing the last value shortens the column.
    if (index == GetDataCount() - 1)
        SetSize(index, true);
    return true;
}

template <class T> void CDataTank<T>::GetValueText(int index, fw::CString& out, bool useFormat)
{
    out.Empty();
    if (index >= GetDataCount() || !HasHeader())
        return;
    T v;
    GetAt(index, v);
    if (v != m_emptyMarker)
        FormatValueText(v, out, useFormat);
}

template <class T> bool CDataTank<T>::SetValue(int index, double value)
{
    if (!HasHeader() || !Grow(index + 1, true) || !CheckValue(value))
        return false;
    if (!SetAt(index, ConvertValue<T>(value)))
        return false;
    UpdateMax(value);
    UpdateMin(value);
    return true;
}

template <class T> double CDataTank<T>::GetValue(int index)
{
    if (index >= GetDataCount())
        return static_cast<double>(m_emptyMarker);
    T v;
    GetAt(index, v);
    return static_cast<double>(v);
}

template <class T> bool CDataTank<T>::FillRange(int start, int count)
{
    if (start < 0)
        return false;
    const int64_t end = std::min<int64_t>(int64_t(start) + std::max(count, 0), int64_t(m_values.size()));
    if (start < end)
        std::fill(m_values.begin() + start, m_values.begin() + end, m_fillMarker);
    return true;
}

template <class T> bool CDataTank<T>::CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart)
{
    // Same data type is not enough for a byte copy: the cache date tank
    // carries the float code over doubles.
    if (src && src->GetDataType() == GetDataType() && dynamic_cast<CDataTank<T>*>(src))
        return CopyRawRange(srcStart, count, src, dstStart);
    return CDataTankObject::CopyRange(srcStart, count, src, dstStart);
}

template <class T> bool CDataTank<T>::CopyRawRange(int srcStart, int count, CDataTankObject* src, int dstStart)
{
    auto* typed = dynamic_cast<CDataTank<T>*>(src);
    if (!typed || count <= 0 || srcStart < 0 || dstStart < 0 || srcStart >= src->GetDataCount() ||
        !HasHeader() || !Grow(count + dstStart, false))
        return false;
    if (int64_t(srcStart) + count >= src->GetDataCount())
        count = src->GetDataCount() - srcStart;
    if (ValuesInMemory() && typed->ValuesInMemory()) {
        // The header counts may exceed the arrays in a damaged file.
        const int64_t fits = std::min<int64_t>(int64_t(typed->m_values.size()) - srcStart,
                                               int64_t(m_values.size()) - dstStart);
        count = static_cast<int>(std::clamp<int64_t>(count, 0, fits));
        if (count > 0)
            std::memmove(m_values.data() + dstStart, typed->m_values.data() + srcStart, size_t(count) * sizeof(T));
        return true;
    }
    auto copyOne = [&](int i) {
        T v;
        typed->GetAt(srcStart + i, v);
        SetAt(dstStart + i, v);
    };
    if (typed == this && dstStart > srcStart) {
        for (int i = count - 1; i >= 0; --i)
            copyOne(i);
    } else {
        for (int i = 0; i < count; ++i)
            copyOne(i);
    }
    return true;
}

template <class T> void CDataTank<T>::SetFillMarker(T marker) { m_fillMarker = marker; }
template <class T> T CDataTank<T>::GetFillMarker() const { return m_fillMarker; }
template <class T> T CDataTank<T>::GetEmptyMarker() const { return m_emptyMarker; }
template <class T> int CDataTank<T>::GetArraySize() { return static_cast<int>(m_values.size()); }

template <class T> bool CDataTank<T>::ResizeArray(int n)
{
    const size_t size = size_t(std::max(n, 0));
    if (size > m_values.size())
        fw::AllocLimit::Check(size * sizeof(T));
    m_values.resize(size);
    return true;
}

template <class T> bool CDataTank<T>::GetAt(int index, T& out)
{
    if (index < 0 || size_t(index) >= m_values.size())
        fw::ThrowInvalidArgException();
    out = m_values[size_t(index)];
    return true;
}

template <class T> bool CDataTank<T>::SetAt(int index, T value)
{
    if (index < 0 || size_t(index) >= m_values.size())
        fw::ThrowInvalidArgException();
    m_values[size_t(index)] = value;
    return true;
}

template class CDataTank<float>;
template class CDataTank<double>;
template class CDataTank<int16_t>;
template class CDataTank<int32_t>;
template class CDataTank<uint32_t>;
