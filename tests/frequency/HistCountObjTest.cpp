#include "frequency/model/HistCountObj.h"

#include "common/tank/DataTankList.h"
#include "framework/core/Exceptions.h"
#include "frequency/model/HistTables.h"
#include "tests/frequency/FrequencyTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>

namespace {

using histtest::Bytes;
using histtest::NewAnalysis;
using histtest::Table;

std::vector<uint32_t> OneTo(int n)
{
    std::vector<uint32_t> v(static_cast<size_t>(n));
    std::iota(v.begin(), v.end(), 1u);
    return v;
}

struct CountCase {
    const char* name;
    int16_t operation;
    int16_t plus;
    int16_t minus;
    int counts;
    std::vector<double> table;
};

class SetCountsTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(SetCountsTest, TableListsSlicesFromTheLowestUp)
{
    const CountCase& c = GetParam();
    std::unique_ptr<CHistCountObj> h(NewAnalysis(c.operation, c.plus, c.minus));
    const auto counts = OneTo(c.counts);
    ASSERT_TRUE(h->SetCounts(0, counts.data(), c.counts));
    EXPECT_EQ(Table(*h), c.table);
    const CDblDataTank* tank = h->GetCountTank();
    const double sum = std::accumulate(c.table.begin(), c.table.end(), 0.0);
    EXPECT_EQ(tank->GetMax(), *std::max_element(c.table.begin(), c.table.end()));
    EXPECT_EQ(tank->GetMin(), *std::min_element(c.table.begin(), c.table.end()));
    EXPECT_DOUBLE_EQ(tank->GetAverage(), sum / static_cast<double>(c.table.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, SetCountsTest,
    ::testing::Values(
        CountCase{"PeakValley", kHistPeakValley, 3, 2, 10,
                  {5, 4, 3, 2, 1, 10, 9, 8, 7, 6, 15, 13, 11, 9, 7, 10, 9, 3, 2, 1}},
        CountCase{"MaxMin", kHistMaxMin, 2, 1, 6, {3, 2, 1, 6, 5, 4, 9, 7, 5}},
        CountCase{"Amp", kHistAmp, 2, 1, 6, {3, 2, 1, 6, 5, 4, 9, 7, 5}},
        CountCase{"Level", kHistLevel, 2, 1, 6, {3, 2, 1, 6, 5, 4, 6, 2, 1}},
        CountCase{"Time", kHistTime, 2, 1, 3, {3, 2, 1}},
        CountCase{"Rain", kHistRain, 2, 1, 3, {3, 2, 1}},
        CountCase{"NoneOp", kHistNoneOp, 2, 1, 6, {6, 5, 4, 3, 2, 1}},
        CountCase{"FromTo", kHistFromTo, 1, 1, 4, {4, 3, 2, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HistCountObj, CountsAreUnsigned)
{
    std::unique_ptr<CHistCountObj> h(NewAnalysis(kHistTime, 1, 1));
    const uint32_t counts[] = {4294967295u, 2147483648u};
    ASSERT_TRUE(h->SetCounts(0, counts, 2));
    EXPECT_EQ(Table(*h), (std::vector<double>{2147483648.0, 4294967295.0}));
}

TEST(HistCountObj, CountTableSizeFollowsTheOperation)
{
    const int sizes[kHistOperationCount] = {10, 20, 15, 15, 5, 15, 5, 10};
    for (int op = 0; op < kHistOperationCount; ++op) {
        SCOPED_TRACE(HistOperationText(op));
        std::unique_ptr<CHistCountObj> h(NewAnalysis(static_cast<int16_t>(op), 3, 2));
        ASSERT_EQ(h->GetCountTanks().GetSize(), 1);
        EXPECT_EQ(Table(*h), std::vector<double>(static_cast<size_t>(sizes[op]), 0.0));
    }
}

TEST(HistCountObj, ATankIndexOutsideTheListIsRefused)
{
    std::unique_ptr<CHistCountObj> h(NewAnalysis(kHistTime, 1, 1));
    const uint32_t counts[] = {1, 2};
    EXPECT_THROW(h->SetCounts(1, counts, 2), fw::CInvalidArgException);
    EXPECT_THROW(h->SetCounts(-1, counts, 2), fw::CInvalidArgException);
}

TEST(HistCountObj, ReverseSidesTurnsEachOperationRound)
{
    struct Row {
        const char* name;
        int16_t operation;
        int counts;
        std::vector<double> reversed;
    };
    const Row rows[] = {
        {"PEAK/V", kHistPeakValley, 10, {6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 7, 9, 11, 13, 15, 1, 2, 3, 9, 10}},
        {"MAX/MIN", kHistMaxMin, 10, {6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 7, 9, 11, 13, 15}},
        {"AMP", kHistAmp, 10, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 15, 13, 11, 9, 7}},
        {"LEVEL", kHistLevel, 10, {6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 1, 2, 3, 9, 10}},
        {"TIME", kHistTime, 5, {1, 2, 3, 4, 5}},
        {"NONE OP (both sides as one block)", kHistNoneOp, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"FROM/TO (both sides as one block)", kHistFromTo, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"RAIN (unchanged)", kHistRain, 5, {5, 4, 3, 2, 1}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::unique_ptr<CHistCountObj> h(NewAnalysis(r.operation, 3, 2));
        const auto counts = OneTo(r.counts);
        ASSERT_TRUE(h->SetCounts(0, counts.data(), r.counts));
        const auto before = Table(*h);
        h->m_plusOver = 7;
        h->m_minusOver = 8;
        h->m_max = 100;
        h->m_min = -50;
        h->m_maxTime = {{1, 2, 3, 4, 5, 6}};
        h->m_minTime = {{9, 9, 9, 9, 9, 9}};
        h->ReverseSides();
        EXPECT_EQ(Table(*h), r.reversed);
        EXPECT_EQ(h->m_plusOver, 8u);
        EXPECT_EQ(h->m_max, -50.0f);
        EXPECT_EQ(h->m_maxTime.field[0], 9);
        EXPECT_EQ(h->GetCountTank()->GetMax(), *std::max_element(r.reversed.begin(), r.reversed.end()));
        h->ReverseSides();
        EXPECT_EQ(Table(*h), before);
        EXPECT_EQ(h->m_plusOver, 7u);
        EXPECT_EQ(h->m_min, -50.0f);
        EXPECT_EQ(h->m_minTime.field[5], 9);
    }
}

TEST(HistCountObj, ReverseSidesStaysInsideASmallTable)
{
    // A damaged record whose table is shorter than its slices say.
    std::unique_ptr<CHistCountObj> h(NewAnalysis(kHistPeakValley, 3, 2));
    const uint32_t counts[] = {1, 2};
    ASSERT_TRUE(h->SetCounts(0, counts, 2));
    h->ReverseSides();
    EXPECT_EQ(Table(*h).size(), 4u);
}

TEST(HistCountObj, ReleasedByTheArrayButHeldByAGraph)
{
    auto* h = new CHistCountObj;
    EXPECT_EQ(h->GetRefCount(), 1);
    h->AddRef(); // a frequency graph takes it
    ReleaseHistCount(h);
    EXPECT_EQ(h->GetRefCount(), 1);
    EXPECT_EQ(h->m_fullScale, 1000.0f);
    ReleaseHistCount(h);
}

// ------------------------------------------------------------------ archive

CHistCountObj* FilledAnalysis()
{
    CHistCountObj* h = NewAnalysis(kHistLevel, 2, 1);
    const auto counts = OneTo(6);
    h->SetCounts(0, counts.data(), 6);
    h->m_name = "DN_3";
    h->m_fullScale = 500.0f;
    h->m_hysteresis = 2.5f;
    h->m_inputChannel = 7;
    h->m_sampleTime = 100.0f;
    h->m_crossLevel = -1.5f;
    h->m_plusOver = 11;
    h->m_minusOver = 4000000000u;
    h->m_max = 120.0f;
    h->m_min = -30.0f;
    h->m_average = 12.5f;
    h->m_maxTime = {{26, 12, 10, 9, 8, 7}};
    h->m_minTime = {{26, 12, 10, 9, 8, 6}};
    h->m_comment = "Load";
    h->m_sensorMode = 21;
    h->m_rawFullScale = 2000;
    h->m_rawHysteresis = 50;
    h->m_rawCrossLevel = -3;
    h->m_attenuation = 10000;
    h->m_filter = 300;
    h->m_filterKind = 2;
    h->m_coefficient = 0.25f;
    h->m_capacity = 5.0f;
    h->m_ratedOutput = 2.0f;
    h->m_displayFormat = 3;
    h->m_unitIndex = -1;
    h->m_unitText = "kgf";
    h->m_rjc = 0;
    h->m_intResolution = 0.5f;
    h->m_highPass = 1.5f;
    h->m_dmc = 1;
    return h;
}

std::vector<uint8_t> TankListBytes(const CHistCountObj& h)
{
    return kivtest::StoredBytes([&](fw::CArchive& ar) { const_cast<CDataTankList&>(h.GetCountTanks()).Serialize(ar); });
}

TEST(HistCountObjArchive, RecordHasTheFileLayout)
{
    std::unique_ptr<CHistCountObj> h(FilledAnalysis());
    Bytes expected;
    expected.Raw("<VER>").Put<int32_t>(5).Str("DN_3").Put(500.0f).Put(2.5f).Put<int16_t>(7).Put<int16_t>(kHistLevel);
    expected.Put(100.0f).Put(-1.5f).Put<int16_t>(2).Put<int16_t>(1).Put<uint32_t>(11).Put<uint32_t>(4000000000u);
    expected.Raw("<MAXFLOAT>").Put(120.0f).Put(-30.0f).Put(12.5f);
    for (int16_t v : {26, 12, 10, 9, 8, 7, 26, 12, 10, 9, 8, 6})
        expected.Put(v);
    expected.Str("Load");
    for (int16_t v : {21, 2000, 50, -3, 10000, 300, 2})
        expected.Put(v);
    expected.Put(0.25f).Put(5.0f).Put(2.0f).Put<int16_t>(3).Put<int16_t>(-1);
    expected.Raw("<UNITSTR>").Str("kgf").Put<int16_t>(0).Raw("<INT_RES>").Put(0.5f).Raw("<HPF>").Put(1.5f);
    expected.Raw("<DMC>").Put<int16_t>(1).Append(TankListBytes(*h));
    EXPECT_EQ(kivtest::StoredBytes([&](fw::CArchive& ar) { h->Serialize(ar); }), expected.Get());
}

TEST(HistCountObjArchive, RoundTripKeepsEveryField)
{
    std::unique_ptr<CHistCountObj> h(FilledAnalysis());
    const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { h->Serialize(ar); });
    CHistCountObj loaded;
    EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    EXPECT_EQ(kivtest::StoredBytes([&](fw::CArchive& ar) { loaded.Serialize(ar); }), bytes);
    EXPECT_EQ(Table(loaded), (std::vector<double>{3, 2, 1, 6, 5, 4, 6, 2, 1}));
    EXPECT_EQ(loaded.GetRefCount(), 1);
}

// A record of the first versions: sample time as a code, 16-bit extremes,
// none of the later tags.
std::vector<uint8_t> OldRecord(int32_t version, int16_t operation, int16_t timeCode,
                               const std::vector<uint8_t>& tankList)
{
    Bytes b;
    b.Raw("<VER>").Put(version).Str("DN_1").Put(1000.0f).Put(10.0f).Put<int16_t>(1).Put(operation);
    b.Put(timeCode).Put(0.0f).Put<int16_t>(2).Put<int16_t>(1).Put<uint32_t>(0).Put<uint32_t>(0);
    b.Put<int16_t>(32767).Put<int16_t>(32767).Put<int16_t>(32767).Zeros(24).Str("");
    for (int16_t v : {33, 1000, 100, 0, 20000, 0, 0})
        b.Put(v);
    b.Put(1.0f).Put(1.0f).Put(1.0f).Put<int16_t>(0).Put<int16_t>(29).Put<int16_t>(1).Append(tankList);
    return b.Get();
}

std::vector<uint8_t> OldTable(int16_t operation, std::vector<double> values)
{
    std::unique_ptr<CHistCountObj> h(NewAnalysis(operation, 2, 1));
    h->GetCountTank()->SetSize(static_cast<int>(values.size()), true);
    std::copy(values.begin(), values.end(), h->GetCountTank()->Values().begin());
    return TankListBytes(*h);
}

TEST(HistCountObjArchive, OldRecordsAreBroughtUpToDate)
{
    struct Row {
        const char* name;
        int32_t version;
        int16_t operation;
        std::vector<double> stored;
        std::vector<double> loaded;
    };
    const Row rows[] = {
        {"LEVEL v1 gets its one-sided column", 1, kHistLevel, {3, 2, 1, 6, 5, 4, 9, 7, 5}, {3, 2, 1, 6, 5, 4, 6, 2, 1}},
        {"PEAK/V v1 gets sum and one-sided columns", 1, kHistPeakValley, {3, 2, 1, 6, 5, 4},
         {3, 2, 1, 6, 5, 4, 9, 7, 5, 6, 2, 1}},
        {"LEVEL v2 stays", 2, kHistLevel, {3, 2, 1, 6, 5, 4, 9, 7, 5}, {3, 2, 1, 6, 5, 4, 9, 7, 5}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CHistCountObj h;
        const auto bytes = OldRecord(r.version, r.operation, 2, OldTable(r.operation, r.stored));
        EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { h.Serialize(ar); }), 0u);
        EXPECT_EQ(Table(h), r.loaded);
        EXPECT_EQ(h.m_max, static_cast<float>(HUGE_VAL));
        EXPECT_EQ(h.m_min, static_cast<float>(HUGE_VAL));
        EXPECT_EQ(h.m_average, static_cast<float>(HUGE_VAL));
        EXPECT_EQ(h.m_sampleTime, 100.0f);
        EXPECT_EQ(h.m_intResolution, 1.0f);
        EXPECT_EQ(h.m_highPass, static_cast<float>(HUGE_VAL));
        EXPECT_EQ(h.m_dmc, 0);
        EXPECT_EQ(h.m_unitText, "");
    }
}

TEST(HistCountObjArchive, OldSampleTimeCodes)
{
    struct Row {
        int16_t code;
        float ms;
    };
    for (const Row& r : {Row{1, 1000}, Row{2, 100}, Row{3, 0}, Row{4, 10}, Row{0, 1}, Row{-2, 1}, Row{5, 1}}) {
        SCOPED_TRACE(r.code);
        CHistCountObj h;
        kivtest::LoadBytes(OldRecord(3, kHistTime, r.code, OldTable(kHistTime, {0, 0, 0})),
                           [&](fw::CArchive& ar) { h.Serialize(ar); });
        EXPECT_EQ(h.m_sampleTime, r.ms);
    }
}

TEST(HistCountObjArchive, ShortRecordIsAnArchiveError)
{
    std::unique_ptr<CHistCountObj> h(FilledAnalysis());
    auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { h->Serialize(ar); });
    bytes.resize(40);
    CHistCountObj loaded;
    EXPECT_THROW(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), fw::CArchiveException);
}

} // namespace
