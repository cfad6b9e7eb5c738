#pragma once

// Row heights and column widths of a grid. A table whose lines all share
// one size keeps only that size and a count (a "same" array), so a list of
// a million samples costs six bytes; a table whose lines differ keeps one
// 16-bit size per line (a "real" array).

#include "framework/core/Object.h"

#include <cstdint>
#include <vector>

// Sizes are stored in 16 bits; larger or negative sizes are clamped.
uint16_t ClampGridSize(int64_t size);

class CZELGridArray : public fw::CObject {
    FW_DECLARE_SERIAL(CZELGridArray)
public:
    virtual int32_t GetSize() const { return 0; }
    int32_t GetUpperBound() const { return GetSize() - 1; }
    virtual void SetSize(int32_t count, int32_t growBy = -1) {}
    virtual uint16_t GetAt(int32_t index) const { return 0; }
    virtual void SetAt(int32_t index, int32_t size) {}
    virtual void SetAtGrow(int32_t index, int32_t size) {}
    virtual int32_t Add(int32_t size) { return 0; }
    virtual void InsertAt(int32_t index, int32_t size, int32_t count) {}
    virtual void RemoveAt(int32_t index, int32_t count) {}
    // Sum of the sizes of `count` lines from `first`.
    virtual int64_t GetTotal(int32_t first, int32_t count) const { return 0; }
    virtual void Copy(const CZELGridArray& other) {}
    virtual void InsertArray(int32_t index, const CZELGridArray& other) {}
    // True when every line has the same size whatever its index.
    virtual bool IsUniform() const { return false; }
};

class CZELGridRealArray : public CZELGridArray {
    FW_DECLARE_SERIAL(CZELGridRealArray)
public:
    int32_t GetSize() const override { return static_cast<int32_t>(m_sizes.size()); }
    void SetSize(int32_t count, int32_t growBy = -1) override;
    uint16_t GetAt(int32_t index) const override;
    void SetAt(int32_t index, int32_t size) override;
    void SetAtGrow(int32_t index, int32_t size) override;
    int32_t Add(int32_t size) override;
    void InsertAt(int32_t index, int32_t size, int32_t count) override;
    void RemoveAt(int32_t index, int32_t count) override;
    int64_t GetTotal(int32_t first, int32_t count) const override;
    void Copy(const CZELGridArray& other) override;
    void InsertArray(int32_t index, const CZELGridArray& other) override;
    void Serialize(fw::CArchive& ar) override;

private:
    void CheckIndex(int32_t index) const;
    std::vector<uint16_t> m_sizes;
};

class CZELGridSameArray : public CZELGridArray {
    FW_DECLARE_SERIAL(CZELGridSameArray)
public:
    CZELGridSameArray() = default;
    CZELGridSameArray(int32_t size, int32_t count) : m_size(ClampGridSize(size)), m_count(count < 0 ? 0 : count) {}
    int32_t GetSize() const override { return m_count; }
    void SetSize(int32_t count, int32_t growBy = -1) override { m_count = count < 0 ? 0 : count; }
    uint16_t GetAt(int32_t) const override { return m_size; }
    void SetAt(int32_t, int32_t size) override { m_size = ClampGridSize(size); }
    void SetAtGrow(int32_t, int32_t size) override { m_size = ClampGridSize(size); }
    int32_t Add(int32_t size) override;
    void InsertAt(int32_t index, int32_t size, int32_t count) override;
    void RemoveAt(int32_t index, int32_t count) override;
    int64_t GetTotal(int32_t first, int32_t count) const override;
    void Copy(const CZELGridArray& other) override;
    void InsertArray(int32_t index, const CZELGridArray& other) override;
    bool IsUniform() const override { return true; }
    void Serialize(fw::CArchive& ar) override;

private:
    uint16_t m_size = 0;
    int32_t m_count = 0;
};
