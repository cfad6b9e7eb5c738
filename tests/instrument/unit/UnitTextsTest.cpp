#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitTexts.h"

#include "tests/instrument/unit/UnitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using unittest::Cp932;

namespace {

TEST(UnitTexts, JapaneseTextsHaveTheirExactCp932Bytes)
{
    struct Row {
        const char* name;
        const char* text;
        const char* cp932;
    };
    const Row rows[] = {
        {"thermocouple K, full-width space", unittext::kSensorModeTexts[3], "\x94\x4d\x93\x64\x91\xce\x81\x40K"},
        {"thermocouple T", GetSensorModeText(20), "\x94\x4d\x93\x64\x91\xce\x81\x40T"},
        {"voltage", GetSensorModeText(33), "\x93\x64\x88\xb3"},
        {"micro strain, Greek mu", engunit::DisplayText(0), "\x83\xca" "Strain"},
        {"micro volt", engunit::DisplayText(39), "\x83\xca" "V"},
        {"Celsius", engunit::DisplayText(4), "\x81\x8e"},
        {"mega ohm", engunit::DisplayText(22), "M\x83\xb6"},
        {"plus-minus 10 V", unittext::kOutputModeTexts[1], "\x81\x7d" "10V"},
        {"relative slope", GetLimitKindText(0), "\x91\x8a\x91\xce"},
        {"upper slope", GetLimitKindText('U'), "\x83\x41\x83\x62\x83\x70\x81\x5b"},
        {"lower slope", GetLimitKindText('L'), "\x83\x8d\x83\x8f\x81\x5b"},
        {"DMC enabled", unittext::kDmcEnabled, "\x97\x4c\x8c\xf8"},
        {"DMC disabled", unittext::kDmcDisabled, "\x96\xb3\x8c\xf8"},
        {"superscript markup", engunit::DisplayText(13), "kg/mm\\super2\\super"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Cp932(row.text), row.cp932);
    }
}

TEST(UnitTexts, EveryTableTextSurvivesCp932)
{
    std::vector<const char*> all;
    auto add = [&](const char* const* table, int n) { all.insert(all.end(), table, table + n); };
    add(unittext::kSensorModeTexts, unittext::kSensorModeCount);
    add(unittext::kSlopeTexts, unittext::kSlopeCount);
    add(unittext::kOutputModeTexts, unittext::kOutputModeCount);
    add(unittext::kFilterTexts, unittext::kFilterCount);
    add(unittext::kRjcTexts, unittext::kRjcCount);
    add(unittext::kHighPassTexts, unittext::kHighPassCount);
    add(unittext::kRangeTexts, unittext::kRangeCount + 2);
    add(engunit::kAsciiTexts, engunit::kCount);
    add(engunit::kDisplayTexts, engunit::kCount);
    for (const char* text : all) {
        SCOPED_TRACE(text);
        const std::string bytes = Cp932(text);
        EXPECT_EQ(bytes.find('?'), std::string::npos);
        EXPECT_EQ(fw::cp932::FromCp932(bytes), text);
    }
}

// Menus and lookups go by position, so the order is part of the tables.
TEST(UnitTexts, TablesInTheirOrder)
{
    auto joined = [](const char* const* table, int n) {
        std::string all;
        for (int i = 0; i < n; ++i)
            all += std::string(i ? "|" : "") + table[i];
        return all;
    };
    EXPECT_EQ(joined(unittext::kSensorModeTexts, unittext::kSensorModeCount),
              "4G 0.5V|4G 2.0V|電圧|熱電対　K|熱電対　J|熱電対　T");
    EXPECT_EQ(std::vector<int>(unittext::kSensorModeCodes, unittext::kSensorModeCodes + 6),
              (std::vector<int>{146, 16, 33, 21, 22, 20}));
    EXPECT_EQ(joined(unittext::kOutputModeTexts, 3), "±5V|±10V|0 - +5V");
    EXPECT_EQ(std::vector<int>(unittext::kOutputModeCodes, unittext::kOutputModeCodes + 3),
              (std::vector<int>{3, 4, 13}));
    EXPECT_EQ(joined(unittext::kFilterTexts, unittext::kFilterCount), "10|20|50|100|200|500|1000|2000|5000|PASS");
    EXPECT_EQ(joined(unittext::kRangeTexts, unittext::kRangeCount + 2), "600|1000|1300|5000|10000|20000|2500|250|OFF|ON");
    EXPECT_EQ(joined(unittext::kSlopeTexts, unittext::kSlopeCount), "相対|アッパー|ロワー");
    EXPECT_EQ(joined(unittext::kRjcTexts, unittext::kRjcCount), "RJC OFF|RJC ON");
    EXPECT_EQ(joined(unittext::kHighPassTexts, unittext::kHighPassCount), "PASS|0.2|1.0");
    EXPECT_EQ(joined(engunit::kAsciiTexts, engunit::kCount),
              "ue|mm|cm|m|C|F|deg|gf|kgf|tf|N|kN|MN|kg/mm2|kPa|MPa|kgm|mV|V|mA|A|ohm|Mohm|Hz|G|%|rpm|ppm|Tor| |"
              "Nm|###|kohm|m/S2|kg/cm2|hPa|u|N/mm2|uA|uV|km/h");
}

TEST(UnitTexts, EngineeringUnitTable)
{
    EXPECT_STREQ(engunit::AsciiText(engunit::kNone), " ");
    EXPECT_STREQ(engunit::DisplayText(engunit::kNone), "");
    EXPECT_STREQ(engunit::AsciiText(0), "ue");
    EXPECT_STREQ(engunit::AsciiText(33), "m/S2");
    EXPECT_STREQ(engunit::DisplayText(33), "m/S\\super2\\super");
    EXPECT_STREQ(engunit::AsciiText(40), "km/h");
    EXPECT_STREQ(engunit::DisplayText(40), "km/h");
    EXPECT_STREQ(engunit::DisplayText(41), "");
    EXPECT_STREQ(engunit::AsciiText(-1), "");
    // Display texts are unique except for none, so a table cell finds its index.
    for (int i = 0; i < engunit::kCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(FindTextInTable(engunit::kDisplayTexts, engunit::kCount, engunit::kDisplayTexts[i]), i);
    }
}

TEST(UnitTexts, FindTextInTableTakesTheLastEqualEntry)
{
    const char* const table[] = {"A", "B", "A", "C"};
    EXPECT_EQ(FindTextInTable(table, 4, "A"), 2);
    EXPECT_EQ(FindTextInTable(table, 2, "A"), 0);
    EXPECT_EQ(FindTextInTable(table, 4, "a"), -1);
    EXPECT_EQ(FindTextInTable(table, 3, "C"), -1);
    EXPECT_EQ(FindTextInTable(table, 4, nullptr), -1);
}

TEST(UnitTexts, ModelTexts)
{
    EXPECT_EQ(GetUnitTypeCode("KIV-417"), 1);
    EXPECT_EQ(GetUnitTypeCode("kiv-417"), -1);
    EXPECT_EQ(GetUnitTypeCode("KIV-419"), 10);
    EXPECT_EQ(GetUnitTypeCode("-------"), 0);
    EXPECT_STREQ(GetUnitTypeName(8), "KIV-463");
    EXPECT_STREQ(GetUnitTypeName(7), "KIV-465");
    EXPECT_EQ(GetUnitTypeName(6), nullptr);
    EXPECT_EQ(GetUnitTypeName(11), nullptr);
    EXPECT_STREQ(GetUnitModelText(9), "KIV-419");
    EXPECT_EQ(GetUnitModelCode(6), 7);
}

TEST(UnitTexts, SmallLookups)
{
    EXPECT_STREQ(GetFilterText(1000), "1000");
    EXPECT_STREQ(GetFilterText(5000), "5000");
    EXPECT_STREQ(GetFilterText(30), "");
    EXPECT_STREQ(GetFilterText(0), "");
    EXPECT_STREQ(GetSensorModeText(146), "4G 0.5V");
    EXPECT_STREQ(GetSensorModeText(99), "");
    EXPECT_STREQ(GetLimitKindText('X'), "");
    EXPECT_STREQ(GetRjcText(1), "RJC ON");
    EXPECT_STREQ(GetHighPassText(2), "1.0");
    // Beyond a table: no text, rather than whatever lies after it.
    EXPECT_STREQ(GetRjcText(2), "");
    EXPECT_STREQ(GetRjcText(-1), "");
    EXPECT_STREQ(GetHighPassText(3), "");
    EXPECT_TRUE(IsFiniteInRange(5.0, 5.0, 6.0));
    EXPECT_FALSE(IsFiniteInRange(HUGE_VAL, 0.0, HUGE_VAL));
    EXPECT_FALSE(IsFiniteInRange(NAN, 0.0, 1.0));
    EXPECT_EQ(GetFileNameFromPath("C:\\KIVDATA\\A.SET"), "A.SET");
    EXPECT_EQ(GetFileNameFromPath("plain.SET"), "plain.SET");
    EXPECT_EQ(GetFileNameFromPath("dir\\"), "");
}

} // namespace
