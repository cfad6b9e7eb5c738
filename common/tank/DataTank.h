#pragma once

// A tank over a growable array of one value type. The leaves (float, double,
// date, 16-bit, 32-bit, unsigned, on/off) fix the data type code, the
// default format, the markers and the range check; the cache tanks keep only
// a window of their file in the same array.
//
// Value types as the files hold them: float, double, int16_t, int32_t (the
// 32-bit and the on/off tanks), uint32_t.

#include "common/tank/DataTankObject.h"
#include "common/tank/ZELDataPoter.h"

#include <cstdint>
#include <span>
#include <vector>

template <class T> class CDataTank : public CDataTankObject {
public:
    using value_type = T;

    CDataTank();
    ~CDataTank() override;

    // Base part, both markers, then the values.
    void Serialize(fw::CArchive& ar) override;

    void Clear() override;
    bool Grow(int n, bool fill) override;
    bool SetSize(int n, bool fill) override;
    void* GetDataBuffer() override;
    CZELDataPoter* CreatePoter(int start, int count) override;
    bool SetValueText(int index, const fw::CString& text) override;
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    bool SetValue(int index, double value) override;
    double GetValue(int index) override;
    bool FillRange(int start, int count) override;
    bool CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart) override;

    virtual void SetFillMarker(T marker);
    virtual T GetFillMarker() const;
    virtual T GetEmptyMarker() const;
    virtual int GetArraySize();
    // New elements are 0; running out of memory throws std::bad_alloc.
    virtual bool ResizeArray(int n);
    // Outside [0, GetArraySize()) throws fw::CInvalidArgException.
    virtual bool GetAt(int index, T& out);
    virtual bool SetAt(int index, T value);
    // The element count in the archive's count form, then the raw elements.
    virtual void SerializeValues(fw::CArchive& ar);
    // Byte copy from a tank of the same value type; overlapping ranges allowed.
    virtual bool CopyRawRange(int srcStart, int count, CDataTankObject* src, int dstStart);

    // The display code used when a caller asks for no format; one setting
    // per value type (the cache tanks change it for theirs).
    static int16_t GetTypeUnformattedCode();
    static void SetTypeUnformattedCode(int16_t code);

    // The values in memory (for a cache tank: its window).
    std::span<T> Values() { return m_values; }
    std::span<const T> Values() const { return m_values; }

protected:
    int16_t GetUnformattedCode() const override;
    // An accessor of class Poter over the array from start: count values, or
    // all to the end when count is negative or larger; nullptr when start
    // lies outside the array or the range is empty.
    template <class Poter>
    CZELDataPoter* MakeArrayPoter(int start, int count, const fw::CRuntimeClass* cursorClass);
    // Whether m_values holds every value of the tank. A tank that keeps
    // only a window of its values there (the cache tanks) answers false, and
    // raw range copies then go value by value through GetAt and SetAt.
    virtual bool ValuesInMemory() const { return true; }
    // Text to value: the date tank reads dates by its own format.
    virtual bool ParseValueText(const fw::CString& text, double& out) const;
    // Value to text with `code`; the date tank always uses its own format.
    virtual void FormatValueText(T value, fw::CString& out, bool useFormat) const;

    std::vector<T> m_values;
    T m_fillMarker{};
    T m_emptyMarker{};

private:
    static int16_t& UnformattedCode();
};

template <class T>
template <class Poter>
CZELDataPoter* CDataTank<T>::MakeArrayPoter(int start, int count, const fw::CRuntimeClass* cursorClass)
{
    const int size = static_cast<int>(m_values.size());
    if (start < 0 || start >= size)
        return nullptr;
    int n = size - start;
    if (count >= 0 && count <= n)
        n = count;
    if (n <= 0)
        return nullptr;
    auto* poter = new Poter;
    poter->Init(cursorClass, m_values.data() + start, start, n, this);
    poter->SetEmptyMarker(m_emptyMarker);
    return poter;
}

extern template class CDataTank<float>;
extern template class CDataTank<double>;
extern template class CDataTank<int16_t>;
extern template class CDataTank<int32_t>;
extern template class CDataTank<uint32_t>;
