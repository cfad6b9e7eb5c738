// Whole recalculation: progress, the scale record, unstorable results, and
// the data-set operations around it.

#include "tests/common/calc/CalcTestSupport.h"

#include "common/cache/CacheDataTank.h"
#include "framework/core/Archive.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/File.h"

#include <cmath>
#include <string>

namespace calctest {
namespace {

TEST_F(CalcTest, ProgressEveryHundredStepsOrOncePerBlockThenCleared)
{
    struct Case {
        const char* formula;
        std::vector<fw::CString> texts;
    };
    // Step by step every hundredth step is shown; a block of steps (here
    // the whole data) shows its first hundredth step once.
    const Case cases[] = {
        {"=CH(1)*2", {"データステップ0を計算中"}},
        {"=NFADD(NO2)", {"データステップ0を計算中", "データステップ100を計算中", "データステップ200を計算中"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        services.status.Reset();
        DataSet data(1, 250);
        data.Formula(2, "=CH(1)");
        data.Formula(1, c.formula);
        data.Compile();
        data.list.RecalculateAll();
        EXPECT_EQ(services.status.Texts(), c.texts);
        EXPECT_EQ(services.status.Current(), "");
        EXPECT_GE(services.status.Clears(), 1);
    }
}

TEST_F(CalcTest, RecalculationSetsScaleOfCalculatedChannels)
{
    DataSet data(1, 2000);
    data.Measure(1, [](int i) { return i % 10 == 0 ? HUGE_VAL : double(i % 5 + 1); });
    data.Formula(1, "=CH(1)*2");
    data.Compile();
    data.list.GetCalcTank(500)->SetMax(1000.0);
    data.list.RecalculateAll();
    CCalcuDataTank* tank = data.list.GetCalcTank(500);
    double sum = 0.0;
    int valid = 0;
    for (int i = 0; i < 2000; ++i)
        if (i % 10 != 0) {
            sum += 2.0 * (i % 5 + 1);
            ++valid;
        }
    EXPECT_EQ(tank->GetMax(), 10.0);
    EXPECT_EQ(tank->GetMin(), 2.0);
    EXPECT_NEAR(tank->GetAverage(), sum / valid, 1e-5);
    EXPECT_EQ(data.No(1, 10), HUGE_VAL);
}

struct UnstorableCase {
    const char* name;
    const char* formula;
    int32_t expectedCount;
};

// CH(1) = i + 1 over 6 steps: every step's result is unstorable.
const UnstorableCase kUnstorable[] = {
    {"BeyondFloatRange", "=CH(1)*1E30*1E30", 6},
    {"NotANumber", "=LN(-CH(1))", 6},
};

class UnstorableResultTest : public CalcTest, public ::testing::WithParamInterface<UnstorableCase> {};

TEST_P(UnstorableResultTest, StoredAsEmptyAndReportedOnce)
{
    const UnstorableCase& c = GetParam();
    for (const char* second : {"=CH(1)", "=NFADD(NO2)"}) {  // blocks, and step by step
        SCOPED_TRACE(second);
        services.prompt.Reset();
        services.prompt.ExpectText("NO(1)", fw::IDOK);
        DataSet data(1, 6);
        data.Measure(1, [](int i) { return i + 1.0; });
        data.Formula(1, c.formula);
        data.Formula(2, second);
        data.Compile();
        data.list.RecalculateAll();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(data.No(1, i), HUGE_VAL) << i;
        EXPECT_EQ(data.list.GetResultReport().count, c.expectedCount);
        EXPECT_EQ(data.list.GetResultReport().firstStep, 0);
        EXPECT_EQ(services.prompt.Prompts().size(), 1u);
        EXPECT_EQ(services.status.Beeps(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Results, UnstorableResultTest, ::testing::ValuesIn(kUnstorable),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, ResultBelowTheRangeOfAFloatTankIsStoredAsEmpty)
{
    // The plain list's float tanks refuse magnitudes below the normal range.
    services.prompt.ExpectText("NO(1)", fw::IDOK);
    CDataSPTankData list;
    list.CreateCalcTank(0, -1);
    list.CreateCalcTank(500, -1);
    list.SetDataCount(3, true);
    for (int i = 0; i < 3; ++i)
        list.GetAt(0)->SetValue(i, i + 1.0);
    ASSERT_TRUE(list.CompileChannel("=CH(1)/1E30/1E30", 500, 1, -1));
    list.OrderPasses();
    list.RecalculateAll();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.GetStoredValue(500, i), HUGE_VAL);
    EXPECT_EQ(list.GetResultReport().count, 3);
    EXPECT_EQ(services.prompt.Prompts().size(), 1u);
}

TEST_F(CalcTest, RowRangesBeyondTheTableAreCut)
{
    DataSet data(1, 2);
    data.Formula(1000, "=CH(1)");
    data.Formula(1001, "=CH(1)");  // no such channel
    EXPECT_EQ(data.list.GetObjectAt(1500), nullptr);
    EXPECT_TRUE(data.list.CompileRange(data.formulas, -100, 1 << 30, 1, -1));
    EXPECT_EQ(data.Pass(1000), 2);
    EXPECT_FALSE(data.list.CompileRange(nullptr, 0, 999, 1, -1));
}

TEST_F(CalcTest, RecalculateFromKeepsEarlierSteps)
{
    DataSet data(1, 3000);
    data.Measure(1, [](int i) { return double(i); });
    data.Formula(1, "=CH(1)+1");
    data.Compile();
    data.list.RecalculateAll();
    data.Measure(1, [](int i) { return 2.0 * i; });
    EXPECT_TRUE(data.list.RecalculateFrom(1500));
    EXPECT_EQ(data.No(1, 1499), 1500.0);
    EXPECT_EQ(data.No(1, 1500), 3001.0);
    EXPECT_EQ(data.No(1, 2999), 5999.0);
    // A start beyond the data is no step at all.
    EXPECT_TRUE(data.list.RecalculateFrom(1 << 30));
    EXPECT_TRUE(data.list.RecalculateFrom(-5));
    EXPECT_EQ(data.No(1, 0), 1.0);
}

TEST_F(CalcTest, LongRecalculationCrossesCacheWindows)
{
    const int n = 25000;
    DataSet data(2, n);
    data.Measure(1, [](int i) { return double(i % 1000); });
    data.Measure(2, [](int i) { return double(i % 7); });
    data.Formula(1, "=CH(1)*2+CH(2)");
    data.Formula(2, "=NO(1)-CH(2)");
    data.Compile();
    data.list.RecalculateAll();
    for (int i = 0; i < n; i += 997)
        ASSERT_EQ(data.No(2, i), 2.0 * (i % 1000)) << i;
    // After the work the windows are narrow again.
    auto* cache = dynamic_cast<CCacheDataTank<float>*>(data.list.GetCalcTank(500)->GetResultTank());
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->GetWindowLength(), 1000);
    EXPECT_EQ(cache->GetWindowSize(), 0);
}

TEST_F(CalcTest, DecimationKeepsEveryNthValue)
{
    DataSet data(1, 5);
    data.Measure(1, [](int i) { return 10.0 + i; });
    data.Formula(1, "=CH(1)");
    data.Compile();
    data.list.RecalculateAll();
    auto* time = dynamic_cast<CTimeDataTank*>(data.list.GetTimeTank());
    ASSERT_NE(time, nullptr);
    time->SetInterval(0.5);
    data.list.DecimateChannels(1);
    EXPECT_EQ(data.list.GetDataCount(), 3);
    for (int k : {0, 1, 2}) {
        EXPECT_EQ(data.list.GetStoredValue(0, k), 10.0 + 2 * k);
        EXPECT_EQ(data.No(1, k), 10.0 + 2 * k);
    }
    EXPECT_EQ(time->GetDataCount(), 3);
    EXPECT_EQ(time->GetValue(2), 2.0);
    // Steps that would not end are refused.
    data.list.DecimateChannels(-1);
    data.list.DecimateChannels(-2);
    data.list.DecimateChannels(3);
    EXPECT_EQ(data.list.GetDataCount(), 3);
}

TEST_F(CalcTest, RemovesChannelsWhoseRowsAreEmpty)
{
    DataSet data(1, 2);
    data.Formula(1, "=CH(1)");
    data.onOff->SetValueText(1, "OFF");
    data.list.GetOrCreateChannel(501);
    data.names->SetValueText(2, "KEEP");
    data.Formula(4, "=NO(2)");
    data.Compile();
    data.onOff->SetValueText(3, "OFF");
    data.formulas->SetValueText(3, "");
    data.list.RemoveUnusedChannels();
    EXPECT_NE(data.list.GetObjectAt(500), nullptr);
    EXPECT_EQ(data.list.GetObjectAt(501), nullptr);
    EXPECT_NE(data.list.GetObjectAt(502), nullptr);
    EXPECT_EQ(data.list.GetSize(), 503);
}

TEST_F(CalcTest, ReleasedChannelsAreNoLongerRead)
{
    DataSet data(2, 3);
    data.Measure(2, [](int i) { return 1.0 * i; });
    data.Formula(1, "=CH(2)");
    data.Compile();
    EXPECT_EQ(data.Pass(1), 2);
    data.list.SetChannelCount(1);
    EXPECT_EQ(data.list.GetObjectAt(1), nullptr);
    EXPECT_EQ(data.Pass(1), -2000);
    data.list.RecalculateAll();
    EXPECT_EQ(data.No(1, 2), HUGE_VAL);
}

TEST_F(CalcTest, ChannelCountCreatesTheTimeChannel)
{
    CKivSPTankData list;
    list.SetDataCount(4, true);
    list.SetChannelCount(3);
    EXPECT_EQ(list.GetMeasuredCount(), 3);
    CCalcuDataTank* time = list.GetCalcTank(499);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->GetKind(), -12);
    EXPECT_EQ(time->GetName(), "計測時間");
    EXPECT_EQ(time->GetFormat(), 4);
    EXPECT_EQ(list.GetCalcTank(2)->GetDataCount(), 4);
    EXPECT_EQ(list.SetDataCount(-1, true), 4);
    EXPECT_EQ(list.SetDataCount(-7, true), 0);
    EXPECT_EQ(list.GetCalcTank(2)->GetDataCount(), 0);
}

TEST_F(CalcTest, StoredListIsCalculatedAgainAfterLoading)
{
    fw::CMemFile file;
    {
        DataSet data(1, 3);
        data.Measure(1, [](int i) { return i + 1.0; });
        data.Formula(1, "=CH(1)*3");
        data.Compile();
        data.list.RecalculateAll();
        data.list.SetStorageMode(kCacheStoreRaw);
        fw::CArchive ar(&file, fw::CArchive::store);
        data.list.Serialize(ar);
        ar.Close();
    }
    file.Seek(0, fw::CFile::begin);
    DataSet loaded(0, 0);
    fw::CArchive ar(&file, fw::CArchive::load);
    loaded.list.Serialize(ar);
    ar.Close();
    EXPECT_EQ(loaded.list.GetDataCount(), 3);
    EXPECT_EQ(loaded.list.GetMeasuredCount(), 1);
    EXPECT_EQ(loaded.list.GetAt(500)->GetRefCount(), 1);
    EXPECT_EQ(loaded.No(1, 2), 9.0);
    EXPECT_EQ(loaded.list.GetOrder(0), nullptr);
    loaded.list.UpdateAllChannels();
    loaded.chLimit = 1;
    loaded.Formula(1, "=CH(1)*4");
    loaded.Compile();
    loaded.list.RecalculateAll();
    EXPECT_EQ(loaded.No(1, 2), 12.0);
}

} // namespace
} // namespace calctest
