#pragma once

#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace cantest {

// Registers the unit's classes once per test program.
class Registered : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterCanVoiceGpsClasses(); }
};

// Little-endian archive bytes built field by field from a layout.
struct Form {
    std::vector<uint8_t> b;

    template <class T> Form& raw(T v)
    {
        uint8_t bytes[sizeof(T)];
        std::memcpy(bytes, &v, sizeof(T));
        b.insert(b.end(), bytes, bytes + sizeof(T));
        return *this;
    }
    Form& u8(uint8_t v) { return raw(v); }
    Form& i16(int16_t v) { return raw(v); }
    Form& u16(uint16_t v) { return raw(v); }
    Form& i32(int32_t v) { return raw(v); }
    Form& u32(uint32_t v) { return raw(v); }
    Form& f64(double v) { return raw(v); }
    // A short framework string: u8 length, then the bytes.
    Form& str(const std::string& s)
    {
        u8(static_cast<uint8_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    // The first object of a class: new-class tag, schema, name.
    Form& newClass(const std::string& name, uint16_t schema = 1)
    {
        u16(0xFFFF).u16(schema).u16(static_cast<uint16_t>(name.size()));
        b.insert(b.end(), name.begin(), name.end());
        return *this;
    }
    Form& nulls(int n)
    {
        for (int i = 0; i < n; ++i)
            u16(0);
        return *this;
    }
    Form& bytes(std::initializer_list<uint8_t> list)
    {
        b.insert(b.end(), list.begin(), list.end());
        return *this;
    }
};

// A unit as the control unit makes it: constructed, then InitChannels.
inline std::unique_ptr<CKiv463Unit> NewUnit()
{
    auto unit = std::make_unique<CKiv463Unit>();
    unit->InitChannels();
    return unit;
}

// The settings text of a unit as one string of lines ended by CR LF.
inline std::string SettingsText(const CKiv463Unit& unit)
{
    fw::CStringArray lines;
    unit.WriteSettingsText(lines);
    std::string text;
    for (const fw::CString& line : lines)
        text += line.str() + "\r\n";
    return text;
}

inline std::vector<std::string> SettingsLines(const CKiv463Unit& unit)
{
    fw::CStringArray lines;
    unit.WriteSettingsText(lines);
    std::vector<std::string> out;
    for (const fw::CString& line : lines)
        out.push_back(line.str());
    return out;
}

// A receive or send message with signals described by their lines' fields.
inline C463CanMesNode* AddMessage(CKiv463Unit& unit, bool send, const char* boFields,
                                  std::initializer_list<const char*> sgFields)
{
    C463CanMesNode* message = unit.Messages().AddMessage(send);
    EXPECT_NE(message, nullptr);
    if (!message)
        return nullptr;
    EXPECT_TRUE(message->ParseBoLine(boFields)) << boFields;
    for (const char* sg : sgFields)
        EXPECT_TRUE(message->AddSignalFromText(sg)) << sg;
    return message;
}

} // namespace cantest
