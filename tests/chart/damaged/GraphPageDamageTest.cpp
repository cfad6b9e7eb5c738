// A graph page owns its series and draws every one of them, so a stored
// series list that leaves a slot empty, names one series twice or holds an
// object of another class is refused as damaged, and nothing read before
// the refusal is freed twice.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphPageParam.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

// A page of one line series over a tank of its own: the series is the
// first object of the stream (index 2, behind its class at index 1).
Bytes OneSeriesPage()
{
    CGraphPageParam page;
    auto* series = new CGraphParamArray;
    series->SetGraphType(1);
    auto* tank = new CFltDataTank;
    tank->SetName("CH1");
    tank->SetValue(0, 1.0);
    series->AppendItem(0, 0, tank);
    ReleaseTank(tank);
    page.AppendSeries(series);
    return kivtest::StoreBody(page);
}

struct DamageCase {
    const char* name;
    std::function<Bytes()> bytes;
    int cause;
};

class GraphPageLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
    }
};

class GraphPageDamage : public GraphPageLoad, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(GraphPageDamage, IsRefusedWithItsCause)
{
    const Bytes bytes = GetParam().bytes();
    auto page = std::make_unique<CGraphPageParam>();
    int cause = -1;
    try {
        kivtest::LoadBody(*page, bytes);
    } catch (const fw::CArchiveException& e) {
        cause = e.m_cause;
    }
    EXPECT_EQ(cause, GetParam().cause) << kivtest::Hex(bytes);
    page.reset(); // frees what was read before the refusal, once
}

const DamageCase kCases[] = {
    {"EmptySlot", [] { return Bytes(ByteBuilder().Count(1).U16(0)); }, fw::CArchiveException::badIndex},
    {"SeriesNamedTwice",
     [] {
         Bytes bytes = OneSeriesPage();
         EXPECT_EQ(bytes[0], 1);
         bytes[0] = 2;
         return Bytes(ByteBuilder().Append(bytes).U16(2));
     },
     fw::CArchiveException::badIndex},
    {"TankInASeriesSlot",
     [] {
         auto* tank = new CFltDataTank;
         const Bytes object = kivtest::StoreObject(tank);
         ReleaseTank(tank);
         return Bytes(ByteBuilder().Count(1).Append(object));
     },
     fw::CArchiveException::badClass},
};

INSTANTIATE_TEST_SUITE_P(Damaged, GraphPageDamage, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GraphPageLoad, AGoodPageStillLoadsAllItsSeries)
{
    CGraphPageParam page;
    kivtest::LoadBody(page, OneSeriesPage());
    ASSERT_EQ(page.GetSeriesCount(), 1);
    ASSERT_NE(page.GetSeries(0), nullptr);
    EXPECT_EQ(page.GetSeries(0)->GetItemTank(0)->GetName(), "CH1");
}

} // namespace
