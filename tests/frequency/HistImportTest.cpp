#include "frequency/model/HistCountArray.h"

#include "frequency/model/HistTables.h"
#include "framework/core/Exceptions.h"
#include "tests/frequency/FrequencyTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace {

using histtest::Bytes;
using histtest::Table;

// Keys in the order a control unit writes them (SERIES before NUM_SERIES,
// RATE before RATED_OUT), two series.
const std::vector<std::pair<std::string, std::string>> kHeader = {
    {"SERIES", "DN_1,DN_2"},
    {"NUM_SERIES", "2"},
    {"RATE", "1000"},
    {"OPERATION", "PEAK/V,TIME"},
    {"INPUT_CH", "3,4"},
    {"FULLSCALE", "2000,1000"},
    {"HYSTERISYS", "100,50"},
    {"SLICE_XP", "3,4"},
    {"SLICE_XM", "2,0"},
    {"MCL", "10,-20"},
    {"TIME_SAMPLE", "100,10"},
    {"SENSOR_MODE", "33,21"},
    {"ATTENATE", "20000,10000"},
    {"FILTER", "300,0"},
    {"F_PROPERTY", "1,3"},
    {"AC_COUPLE", "0.5,0"},
    {"DMC", "1,0"},
    {"RJC", "0,1"},
    {"CAPACITY", "5,"},
    {"RATED_OUT", "2.5,1"},
    {"COEFFICIENT", "2,0.5"},
    {"POINT", "3,0"},
    {"PHY_UNITS", "kgf,"},
    {"INT_RESOLUTION", "0.5,1"},
};

// The header with some values replaced; nullopt drops the key's line.
std::string Header(const std::map<std::string, std::optional<std::string>>& changes = {},
                   const char* lineEnd = "\r\n")
{
    std::string text;
    for (const auto& [key, value] : kHeader) {
        const auto it = changes.find(key);
        if (it != changes.end() && !it->second)
            continue;
        text += key + " " + (it != changes.end() ? *it->second : value) + lineEnd;
    }
    return text;
}

TEST(HistImport, EveryKeyGoesToItsField)
{
    CHistCountArray a;
    ASSERT_TRUE(a.ReadHedHeader(Header().c_str(), 1));
    ASSERT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.m_rate, 1000.0f);
    const CHistCountObj& p = *a.GetAt(0);
    const CHistCountObj& t = *a.GetAt(1);
    EXPECT_EQ(p.m_name, "DN_81");
    EXPECT_EQ(t.m_name, "DN_82");
    EXPECT_EQ(p.m_operation, kHistPeakValley);
    EXPECT_EQ(t.m_operation, kHistTime);
    EXPECT_EQ(p.m_inputChannel, 3);
    EXPECT_EQ(t.m_inputChannel, 4);
    EXPECT_EQ(p.m_rawFullScale, 2000);
    EXPECT_EQ(p.m_rawHysteresis, 100);
    EXPECT_EQ(p.m_plusSlices, 3);
    EXPECT_EQ(t.m_plusSlices, 4);
    EXPECT_EQ(p.m_minusSlices, 2);
    EXPECT_EQ(t.m_minusSlices, 0);
    EXPECT_EQ(p.m_rawCrossLevel, 10);
    EXPECT_EQ(t.m_rawCrossLevel, -20);
    EXPECT_EQ(p.m_sampleTime, 100.0f);
    EXPECT_EQ(t.m_sampleTime, 10.0f);
    EXPECT_EQ(t.m_sensorMode, 21);
    EXPECT_EQ(t.m_attenuation, 10000);
    EXPECT_EQ(p.m_filter, 300);
    EXPECT_EQ(t.m_filterKind, 3);
    EXPECT_EQ(p.m_highPass, 0.5f);
    EXPECT_EQ(t.m_highPass, 0.0f);
    EXPECT_EQ(p.m_dmc, 1);
    EXPECT_EQ(p.m_rjc, 0);
    EXPECT_EQ(t.m_rjc, 1);
    EXPECT_EQ(p.m_capacity, 5.0f);
    EXPECT_EQ(t.m_capacity, static_cast<float>(HUGE_VAL));
    EXPECT_EQ(p.m_ratedOutput, 2.5f);
    EXPECT_EQ(p.m_coefficient, 2.0f);
    EXPECT_EQ(p.m_displayFormat, 3);
    EXPECT_EQ(p.m_unitIndex, 8);
    EXPECT_EQ(t.m_unitIndex, kHistUnitNone);
    EXPECT_EQ(p.m_intResolution, 0.5f);
    // Derived: scale 0.5 x 2 = 1 and 1 x 0.5 = 0.5.
    EXPECT_EQ(p.m_scaleFactor, 1.0f);
    EXPECT_EQ(t.m_scaleFactor, 0.5f);
    EXPECT_EQ(p.m_fullScale, 2000.0f);
    EXPECT_EQ(t.m_fullScale, 500.0f);
    EXPECT_EQ(p.m_hysteresis, 5.0f);
    EXPECT_EQ(t.m_hysteresis, 5.0f);
    EXPECT_EQ(p.m_crossLevel, 10.0f);
    EXPECT_EQ(t.m_crossLevel, -10.0f);
}

TEST(HistImport, SeriesOfLaterUnitsAreNumberedOn)
{
    CHistCountArray a;
    ASSERT_TRUE(a.ReadHedHeader(Header().c_str(), 2));
    EXPECT_EQ(a.GetAt(0)->m_name, "DN_161");
    EXPECT_EQ(a.GetAt(1)->m_name, "DN_162");
    // A second header appends behind the first.
    ASSERT_TRUE(a.ReadHedHeader(Header({{"SERIES", "DN_7,DN_8"}}).c_str(), 0));
    ASSERT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a.GetAt(2)->m_name, "DN_7");
}

TEST(HistImport, ListsRepeatForEverySeries)
{
    struct Row {
        const char* name;
        std::map<std::string, std::optional<std::string>> changes;
        std::function<int(const CHistCountObj&)> field;
        std::vector<int> values;
    };
    const auto input = [](const CHistCountObj& h) { return int{h.m_inputChannel}; };
    const auto plus = [](const CHistCountObj& h) { return int{h.m_plusSlices}; };
    const auto op = [](const CHistCountObj& h) { return int{h.m_operation}; };
    const auto ms = [](const CHistCountObj& h) { return static_cast<int>(h.m_sampleTime); };
    const auto rjc = [](const CHistCountObj& h) { return int{h.m_rjc}; };
    const auto unit = [](const CHistCountObj& h) { return int{h.m_unitIndex}; };
    const auto res = [](const CHistCountObj& h) { return static_cast<int>(h.m_intResolution * 10); };
    const auto cap = [](const CHistCountObj& h) { return h.m_capacity == HUGE_VAL ? -1 : static_cast<int>(h.m_capacity); };
    const auto rated = [](const CHistCountObj& h) { return h.m_ratedOutput == HUGE_VAL ? -1 : static_cast<int>(h.m_ratedOutput); };
    const auto hpf = [](const CHistCountObj& h) { return h.m_highPass == HUGE_VAL ? -1 : static_cast<int>(h.m_highPass); };
    const Row rows[] = {
        {"one value for four series", {{"NUM_SERIES", "4"}, {"INPUT_CH", "3"}}, input, {3, 3, 3, 3}},
        {"two values for three series", {{"NUM_SERIES", "3"}, {"SLICE_XP", "10,20"}}, plus, {10, 20, 10}},
        {"A,B for four series", {{"NUM_SERIES", "4"}, {"OPERATION", "PEAK/V,TIME"}}, op, {1, 4, 1, 4}},
        {"operation not in the table", {{"OPERATION", "peak/v,RAIN"}}, op, {-1, 6}},
        {"sample time 100 and an unknown 5", {{"TIME_SAMPLE", "100,5"}}, ms, {100, 1}},
        {"header without RJC", {{"RJC", std::nullopt}}, rjc, {0, 0}},
        {"empty and unknown units", {{"PHY_UNITS", ",xx"}}, unit, {kHistUnitNone, -1}},
        {"units looked up exactly", {{"PHY_UNITS", "V,km/h"}}, unit, {18, 40}},
        {"empty INT_RESOLUTION is 1", {{"INT_RESOLUTION", ""}}, res, {10, 10}},
        {"empty capacity entry", {{"CAPACITY", ",7"}}, cap, {-1, 7}},
        {"empty rated output keeps the capacity", {{"RATED_OUT", ",3"}}, rated, {-1, 3}},
        {"capacity as read beside an empty rated output", {{"RATED_OUT", ",3"}}, cap, {5, -1}},
        {"empty AC_COUPLE keeps no filter", {{"AC_COUPLE", ""}}, hpf, {-1, -1}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CHistCountArray a;
        ASSERT_TRUE(a.ReadHedHeader(Header(r.changes).c_str(), 0));
        ASSERT_EQ(a.GetSize(), static_cast<int>(r.values.size()));
        for (int i = 0; i < a.GetSize(); ++i)
            EXPECT_EQ(r.field(*a.GetAt(i)), r.values[static_cast<size_t>(i)]) << "series " << i;
    }
}

TEST(HistImport, BadValuesRefuseTheHeader)
{
    struct Row {
        const char* key;
        std::optional<std::string> value;
        int appended; // analyses left in the array
    };
    const Row rows[] = {
        {"NUM_SERIES", "0", 0},      {"NUM_SERIES", "81", 0},   {"NUM_SERIES", "x", 0},
        {"NUM_SERIES", std::nullopt, 0}, {"SERIES", "DN_x,DN_2", 2}, {"RATE", "fast", 2},
        {"RATE", std::nullopt, 2},   {"INPUT_CH", "3,x", 2},    {"FULLSCALE", "40000", 2},
        {"HYSTERISYS", "1 0", 2},    {"SLICE_XP", "3.5", 2},    {"SLICE_XM", "-", 2},
        {"MCL", "1e2", 2},           {"SENSOR_MODE", "a", 2},   {"ATTENATE", "b", 2},
        {"FILTER", "c", 2},          {"F_PROPERTY", "d", 2},    {"AC_COUPLE", "x,1", 2},
        {"DMC", "y", 2},             {"RJC", "on", 2},          {"CAPACITY", "big", 2},
        {"RATED_OUT", ",z", 2},      {"COEFFICIENT", std::nullopt, 2}, {"COEFFICIENT", "1,", 2},
        {"POINT", "p", 2},           {"INT_RESOLUTION", "r", 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.key) + " " + r.value.value_or("(absent)"));
        CHistCountArray a;
        EXPECT_FALSE(a.ReadHedHeader(Header({{r.key, r.value}}).c_str(), 0));
        EXPECT_EQ(a.GetSize(), r.appended);
    }
}

TEST(HistImport, ValueOnTheLastLineWithoutCr)
{
    std::string text = Header({{"INT_RESOLUTION", std::nullopt}}) + "INT_RESOLUTION  0.25 ";
    CHistCountArray a;
    ASSERT_TRUE(a.ReadHedHeader(text.c_str(), 0));
    EXPECT_EQ(a.GetAt(1)->m_intResolution, 0.25f);
}

// ------------------------------------------------------------ count file

struct Extremes {
    int16_t max, min, average;
    uint8_t maxTime[6], minTime[6];
};

// A count file laid out as the unit writes it, of a record started
// 2009-03-04 05:06:07.
std::vector<uint8_t> CountFile(const std::vector<std::pair<uint32_t, uint32_t>>& overs,
                               const std::vector<Extremes>& extremes, const std::vector<uint32_t>& counts)
{
    Bytes b;
    for (uint8_t v : {9, 3, 4, 5, 6, 7})
        b.Put(v);
    b.Zeros(2);
    for (uint8_t v : {26, 12, 10, 10, 0, 59})
        b.Put(v);
    b.Zeros(2).Put<int32_t>(1794).Zeros(236);
    for (const auto& [plus, minus] : overs)
        b.Put(plus).Put(minus);
    for (const Extremes& e : extremes) {
        b.Put(e.max).Put(e.min).Put(e.average).Zeros(2);
        for (uint8_t v : e.maxTime)
            b.Put(v);
        b.Zeros(2);
        for (uint8_t v : e.minTime)
            b.Put(v);
        b.Zeros(10);
    }
    for (uint32_t c : counts)
        b.Put(c);
    return b.Get();
}

// One analysis read before, then the two of the standard header.
void ReadTwoBehindOne(CHistCountArray& a, const std::map<std::string, std::optional<std::string>>& changes = {})
{
    a.Add(histtest::NewAnalysis(kHistTime, 1, 0));
    ASSERT_TRUE(a.ReadHedHeader(Header(changes).c_str(), 0));
}

TEST(HistImport, CountFileFillsTheNewAnalyses)
{
    CHistCountArray a;
    ReadTwoBehindOne(a);
    std::vector<uint32_t> counts;
    for (uint32_t c = 1; c <= 10; ++c) // PEAK/V: 2 x 5 counts
        counts.push_back(c);
    for (uint32_t c : {40u, 30u, 20u, 4294967295u}) // TIME: 4 counts
        counts.push_back(c);
    const auto bytes = CountFile({{5, 6}, {7, 8}},
                                 {{120, -30, 32767, {26, 12, 10, 9, 31, 0}, {26, 12, 10, 9, 32, 1}},
                                  {32767, 32767, 15, {1, 2, 3, 4, 5, 6}, {6, 5, 4, 3, 2, 1}}},
                                 counts);
    ASSERT_EQ(bytes.size(), a.GetCountFileSize(1));
    ASSERT_TRUE(a.ReadDatCounts(bytes, 1));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(a.m_startTime.field[i], (std::array<int16_t, 6>{9, 3, 4, 5, 6, 7})[static_cast<size_t>(i)]);
    EXPECT_EQ(a.m_endTime.field[3], 10);
    EXPECT_EQ(a.m_endTime.field[5], 59);
    EXPECT_EQ(a.m_measuringTime, 1794);
    const CHistCountObj& p = *a.GetAt(1);
    const CHistCountObj& t = *a.GetAt(2);
    EXPECT_EQ(p.m_plusOver, 5u);
    EXPECT_EQ(p.m_minusOver, 6u);
    EXPECT_EQ(t.m_plusOver, 7u);
    EXPECT_EQ(p.m_max, 120.0f);
    EXPECT_EQ(p.m_min, -30.0f);
    EXPECT_EQ(p.m_average, static_cast<float>(HUGE_VAL));
    EXPECT_EQ(t.m_max, static_cast<float>(HUGE_VAL));
    EXPECT_EQ(t.m_average, 15.0f);
    EXPECT_EQ(p.m_maxTime.field[4], 31);
    EXPECT_EQ(p.m_minTime.field[5], 1);
    EXPECT_EQ(t.m_minTime.field[0], 6);
    EXPECT_EQ(Table(p), (std::vector<double>{5, 4, 3, 2, 1, 10, 9, 8, 7, 6, 15, 13, 11, 9, 7, 10, 9, 3, 2, 1}));
    EXPECT_EQ(Table(t), (std::vector<double>{4294967295.0, 20, 30, 40}));
    // The analysis before the first index is left alone.
    EXPECT_EQ(Table(*a.GetAt(0)), (std::vector<double>{0}));
}

TEST(HistImport, NegativeScaleTurnsTheSidesRound)
{
    struct Row {
        const char* name;
        const char* operation;
        std::vector<double> table;
        int16_t plus, minus;
    };
    const Row rows[] = {
        {"PEAK/V", "PEAK/V", {6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 7, 9, 11, 13, 15, 1, 2, 3, 9, 10}, 2, 3},
        {"AMP keeps its slices", "AMP", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 15, 13, 11, 9, 7}, 3, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CHistCountArray a;
        // Scale 0.5 x -2 = -1 for both series.
        ReadTwoBehindOne(a, {{"OPERATION", std::string(r.operation) + ",TIME"},
                             {"INT_RESOLUTION", "0.5"},
                             {"COEFFICIENT", "-2"}});
        EXPECT_EQ(a.GetAt(1)->m_fullScale, 2000.0f);
        EXPECT_EQ(a.GetAt(1)->m_crossLevel, -10.0f);
        std::vector<uint32_t> counts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 40, 30, 20, 10};
        ASSERT_TRUE(a.ReadDatCounts(CountFile({{5, 6}, {7, 8}}, {{120, -30, 0, {}, {}}, {1, 2, 3, {}, {}}}, counts), 1));
        const CHistCountObj& h = *a.GetAt(1);
        EXPECT_EQ(Table(h), r.table);
        EXPECT_EQ(h.m_plusSlices, r.plus);
        EXPECT_EQ(h.m_minusSlices, r.minus);
        EXPECT_EQ(h.m_plusOver, 6u);
        EXPECT_EQ(h.m_max, -30.0f);
        EXPECT_EQ(Table(*a.GetAt(2)), (std::vector<double>{40, 30, 20, 10}));
    }
}

TEST(HistImport, ShortCountFileIsRefusedWithoutReadingPastIt)
{
    CHistCountArray a;
    ReadTwoBehindOne(a);
    const size_t need = a.GetCountFileSize(1);
    EXPECT_EQ(need, 256u + 40u * 2u + 4u * (10u + 4u));
    for (size_t size : {size_t{0}, size_t{255}, need - 1}) {
        SCOPED_TRACE(size);
        // A buffer of exactly that size: nothing of it may be taken.
        std::vector<uint8_t> bytes(size, 0x11);
        EXPECT_FALSE(a.ReadDatCounts(bytes, 1));
        EXPECT_EQ(a.m_measuringTime, 0);
        EXPECT_EQ(a.m_startTime.field[0], -1);
        EXPECT_EQ(a.GetAt(1)->m_plusOver, 0u);
        EXPECT_EQ(a.GetAt(1)->GetCountTank(), nullptr);
    }
    EXPECT_THROW(a.ReadDatCounts({}, 4), fw::CInvalidArgException);
    EXPECT_THROW(a.ReadDatCounts({}, -1), fw::CInvalidArgException);
}

TEST(HistImport, NegativeSlicesAreRefused)
{
    CHistCountArray a;
    ASSERT_TRUE(a.ReadHedHeader(Header({{"SLICE_XP", "-5"}, {"SLICE_XM", "1"}}).c_str(), 0));
    EXPECT_FALSE(a.ReadDatCounts(std::vector<uint8_t>(4096), 0));
}

} // namespace
