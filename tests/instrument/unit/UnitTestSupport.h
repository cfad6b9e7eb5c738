#pragma once

// Helpers of the unit tests: expected archive forms built field by field,
// and the CP932 form of a unit's texts.

#include "framework/core/Archive.h"
#include "framework/core/CString.h"
#include "framework/core/Cp932.h"
#include "instrument/unit/KivUnit.h"
#include "instrument/unit/UnitClasses.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace unittest {

// Little-endian archive primitives, to write expected forms from the layout.
struct Form {
    std::vector<uint8_t> b;
    Form& u8(uint8_t v) { return raw(&v, 1); }
    Form& i16(int16_t v) { return raw(&v, 2); }
    Form& i32(int32_t v) { return raw(&v, 4); }
    Form& f32(float v) { return raw(&v, 4); }
    // A raw tag: its bytes only.
    Form& tag(const char* t) { return raw(t, std::strlen(t)); }
    Form& count(uint16_t n) { return i16(static_cast<int16_t>(n)); }
    // Arrays in the framework's form: a 16-bit count, then the elements.
    Form& bytes(std::initializer_list<uint8_t> v) { count(static_cast<uint16_t>(v.size())); for (auto x : v) u8(x); return *this; }
    Form& shorts(std::initializer_list<int16_t> v) { count(static_cast<uint16_t>(v.size())); for (auto x : v) i16(x); return *this; }
    Form& longs(std::initializer_list<int32_t> v) { count(static_cast<uint16_t>(v.size())); for (auto x : v) i32(x); return *this; }
    Form& floats(std::initializer_list<float> v) { count(static_cast<uint16_t>(v.size())); for (auto x : v) f32(x); return *this; }
    // n equal elements.
    Form& bytesN(int n, uint8_t v) { count(static_cast<uint16_t>(n)); for (int i = 0; i < n; ++i) u8(v); return *this; }
    Form& shortsN(int n, int16_t v) { count(static_cast<uint16_t>(n)); for (int i = 0; i < n; ++i) i16(v); return *this; }
    Form& longsN(int n, int32_t v) { count(static_cast<uint16_t>(n)); for (int i = 0; i < n; ++i) i32(v); return *this; }
    Form& floatsN(int n, float v) { count(static_cast<uint16_t>(n)); for (int i = 0; i < n; ++i) f32(v); return *this; }
    Form& raw(const void* p, size_t n)
    {
        b.insert(b.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
        return *this;
    }
};

// The bytes a unit's own Serialize writes (no class tag).
inline std::vector<uint8_t> StoredForm(CKivUnit& unit)
{
    return kivtest::StoredBytes([&](fw::CArchive& ar) { unit.Serialize(ar); });
}

// Loads a form into a unit; fails the test when bytes are left over.
inline void LoadForm(CKivUnit& unit, const std::vector<uint8_t>& bytes)
{
    const uint64_t left = kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { unit.Serialize(ar); });
    EXPECT_EQ(left, 0u) << "bytes left after loading";
}

// A unit of class T, initialised as the control unit does.
template <class T> std::unique_ptr<T> NewUnit()
{
    auto unit = std::make_unique<T>();
    unit->InitChannels();
    return unit;
}

inline std::string Text(const CKivUnit& unit, int channel, int attribute)
{
    fw::CString text;
    unit.GetText(channel, attribute, text);
    return text.str();
}

// The text as CP932 bytes, the form files and the link carry.
inline std::string Cp932(const std::string& utf8)
{
    return fw::cp932::ToCp932(utf8);
}

struct ValueRow {
    const char* name;
    int attribute;
    double value;
    bool accepted;
};

// Sets each row's value on a fresh unit: an accepted value reads back
// (truncated to what the unit stores), a refused one leaves the setting as it was.
template <class T> inline void CheckValueRows(const std::vector<ValueRow>& rows, int channel = 1)
{
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto unit = NewUnit<T>();
        const double before = unit->GetValue(channel, row.attribute);
        const std::string textBefore = Text(*unit, channel, row.attribute);
        EXPECT_EQ(unit->SetValue(channel, row.attribute, row.value), row.accepted);
        if (!row.accepted) {
            const double after = unit->GetValue(channel, row.attribute);
            EXPECT_TRUE(after == before || (std::isnan(after) && std::isnan(before)));
            EXPECT_EQ(Text(*unit, channel, row.attribute), textBefore);
        }
    }
}

struct TextRow {
    const char* name;
    int attribute;
    std::vector<std::string> texts;   // each is taken and shown again unchanged
    std::vector<std::string> refused; // each is refused
};

template <class T> inline void CheckTextRows(const std::vector<TextRow>& rows, int channel = 2)
{
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto unit = NewUnit<T>();
        for (const std::string& text : row.texts) {
            SCOPED_TRACE(text);
            EXPECT_TRUE(unit->SetText(channel, row.attribute, text.c_str()));
            EXPECT_EQ(Text(*unit, channel, row.attribute), text);
        }
        for (const std::string& text : row.refused) {
            SCOPED_TRACE("refused " + text);
            const std::string before = Text(*unit, channel, row.attribute);
            EXPECT_FALSE(unit->SetText(channel, row.attribute, text.c_str()));
            EXPECT_EQ(Text(*unit, channel, row.attribute), before);
        }
    }
}

class UnitClassesRegistered : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterUnitClasses(); }
};

} // namespace unittest
