#include "canvoicegps/model/CanGpsGraphClasses.h"
#include "canvoicegps/model/CanGraphTimeListObj.h"
#include "canvoicegps/model/SampleSearch.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/ListGraphClasses.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr double kStamps[] = {0.0, 0.1, 0.35, 0.4};
constexpr int kStampCount = 4;

CDblDataTank* NewStampTank()
{
    auto* times = new CDblDataTank;
    for (int i = 0; i < kStampCount; ++i)
        times->SetValue(i, kStamps[i]);
    return times;
}

TEST(SampleSearch, TimeGivesTheLastSampleNotAfterIt)
{
    std::unique_ptr<CDblDataTank, void (*)(CDataTankObject*)> times(NewStampTank(), ReleaseTank);
    struct Case {
        const char* name;
        double time;
        int sample;
    };
    const Case cases[] = {
        {"between two stamps", 0.2, 1},    {"on a stamp", 0.35, 2},     {"before the first", -1.0, 0},
        {"after the last", 9.0, 3},        {"on the first", 0.0, 0},    {"on the last", 0.4, 3},
        {"just before a stamp", 0.349, 1}, {"just after a stamp", 0.101, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindSampleAtOrBefore(times.get(), c.time), c.sample) << c.name;
}

TEST(SampleSearch, NoSamplesGiveNoSample)
{
    std::unique_ptr<CDblDataTank, void (*)(CDataTankObject*)> empty(new CDblDataTank, ReleaseTank);
    EXPECT_EQ(FindSampleAtOrBefore(empty.get(), 1.0), -1);
    EXPECT_EQ(FindSampleAtOrBefore(nullptr, 1.0), -1);
}

// A CAN list of one signal row over the stamps 0, 0.1, 0.35, 0.4 and an
// empty row after it.
class CanTimeList : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        RegisterCanGpsGraphClasses();
        list.AppendRow(list.CreateRow());
        list.AppendRow(nullptr);
        CDblDataTank* times = NewStampTank();
        auto* signal = new CFltDataTank;
        for (int i = 0; i < kStampCount; ++i)
            signal->SetValue(i, static_cast<float>(i * 2));
        CGraphParamArray* series = list.GetRow(0)->AddSeries(true);
        series->AppendItem(0, 0, times);
        series->AppendItem(0, 1, signal);
        ReleaseTank(times);
        ReleaseTank(signal);
        series->SetDrawRange(0, kStampCount - 1);
        list.Recalculate(true);
    }

    CGraphParamArray& Series() { return *list.GetRow(0)->GetSeries(0); }

    CCanGraphTimeListObj list;
};

TEST_F(CanTimeList, TimesMapToStampedSamples)
{
    EXPECT_EQ(list.TimeToSample(0, 0.2), 1);
    EXPECT_EQ(list.TimeToSample(0, 0.35), 2);
    EXPECT_EQ(list.TimeToSample(0, -1.0), 0);
    EXPECT_EQ(list.TimeToSample(0, 9.0), 3);
    EXPECT_EQ(list.TimeToSample(0, HUGE_VAL), -1) << "no time";
    EXPECT_EQ(list.TimeToSample(1, 0.2), -1) << "an empty row";
    EXPECT_THROW(list.TimeToSample(2, 0.2), fw::CInvalidArgException);

    EXPECT_DOUBLE_EQ(list.SnapTime(0, 0.3), 0.1) << "the stamp, not index x interval";
    EXPECT_EQ(list.SnapTime(1, 0.3), HUGE_VAL);

    EXPECT_DOUBLE_EQ(list.SampleToTime(2), 0.35);
    EXPECT_DOUBLE_EQ(list.SampleToTime(99), 0.4) << "beyond the samples: the last";
    EXPECT_EQ(list.SampleToTime(-1), HUGE_VAL);
}

TEST_F(CanTimeList, WithoutRowsSampleTimeIsAProgrammingError)
{
    CCanGraphTimeListObj none;
    EXPECT_THROW(none.SampleToTime(0), fw::CInvalidArgException);
}

TEST_F(CanTimeList, FixedXRangeDrawsTheStampsItShows)
{
    GrScaleRec::Axis& x = list.GetRow(0)->Scale().m_x;
    x.autoMode = 0;
    x.minimum = 0.12;
    x.maximum = 0.37;
    list.ApplyScaleToSampleWindows();
    EXPECT_EQ(Series().GetSampleIndex(0), 1);
    EXPECT_EQ(Series().GetSampleIndex(1), 3);

    x.minimum = 0.1;
    x.maximum = 5.0;
    list.ApplyScaleToSampleWindows();
    EXPECT_EQ(Series().GetSampleIndex(0), 1) << "a stamp on the minimum starts there";
    EXPECT_EQ(Series().GetSampleIndex(1), 3) << "cut to the last sample";

    x.autoMode = 2;
    list.ApplyScaleToSampleWindows();
    EXPECT_EQ(Series().GetSampleIndex(0), 0);
    EXPECT_EQ(Series().GetSampleIndex(1), 3);
}

TEST_F(CanTimeList, SelectionEdgesTakeStampedSamplesAndHaveNoHandles)
{
    list.SetSelectionEdge(CGraphTimeListObj::kStartEdge, 0.2);
    list.SetSelectionEdge(CGraphTimeListObj::kEndEdge, 0.39);
    int32_t first = -1;
    int32_t last = -1;
    list.GetSelection(first, last);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 2);
    EXPECT_EQ(list.HitTestSelection(0, fw::CPoint(0, 0)), -1);
    EXPECT_THROW(list.HitTestSelection(5, fw::CPoint(0, 0)), fw::CInvalidArgException);
}

TEST_F(CanTimeList, StoredAsThePlainListGraphUnderItsOwnName)
{
    CGraphTimeListObj plain;
    plain.AppendRow(plain.CreateRow());
    plain.AppendRow(nullptr);
    CCanGraphTimeListObj can;
    can.AppendRow(can.CreateRow());
    can.AppendRow(nullptr);
    const kivtest::Bytes body = kivtest::StoreBody(plain);
    EXPECT_EQ(kivtest::StoreBody(can), body) << "nothing of its own after the list record";

    const kivtest::Bytes expected = kivtest::ByteBuilder().NewClass("CCanGraphTimeListObj", 0).Append(body);
    const kivtest::Bytes stored = kivtest::StoreObject(&can);
    ASSERT_EQ(stored, expected) << kivtest::Hex(stored);

    std::unique_ptr<fw::CObject> loaded(kivtest::LoadObject(stored, FW_RUNTIME_CLASS(CGraphListObj)));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetRuntimeClass(), FW_RUNTIME_CLASS(CCanGraphTimeListObj));
    EXPECT_EQ(static_cast<CCanGraphTimeListObj*>(loaded.get())->GetRowCount(), 2);
}

} // namespace
