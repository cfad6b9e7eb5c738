// A page keeps the tanks of its series when their document is not open; a
// long series goes through the archive in bulk and must come back with the
// same bytes.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/FltDataTank.h"
#include "tests/graphdoc/doc/GraphDocFixture.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <cmath>
#include <cstring>

namespace gdtest {
namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

// Past the 16-bit count form, and not a multiple of any buffer size.
constexpr int kLongCount = 300'007;

float ValueAt(int item, int i)
{
    return item == 0 ? static_cast<float>(i) * 0.5f : std::sin(static_cast<float>(i) * 1e-3f) * 7.0f;
}

CFltDataTank* LongTank(int item)
{
    auto* tank = new CFltDataTank;
    tank->SetName(item == 0 ? "T" : "V");
    tank->SetSize(kLongCount, false);
    std::span<float> values = tank->Values();
    for (int i = 0; i < kLongCount; ++i)
        values[size_t(i)] = ValueAt(item, i);
    return tank;
}

class LongSeriesTest : public GraphDocTest {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterGraphDocClasses();
        RegisterGraphObjectClasses();
    }
};

TEST_F(LongSeriesTest, TankValuesAreTheLongCountThenTheRawFloats)
{
    std::unique_ptr<CFltDataTank> tank(LongTank(1));
    const Bytes stored = kivtest::StoreBody(*tank);
    const size_t valueBytes = size_t(kLongCount) * sizeof(float);
    ASSERT_GT(stored.size(), valueBytes + 6);
    ByteBuilder expected;
    expected.U16(0xFFFF).U32(kLongCount);
    for (int i = 0; i < kLongCount; ++i)
        expected.F32(ValueAt(1, i));
    const Bytes tail(stored.end() - static_cast<std::ptrdiff_t>(valueBytes + 6), stored.end());
    EXPECT_TRUE(tail == expected.Get());

    CFltDataTank loaded;
    kivtest::LoadBody(loaded, stored);
    ASSERT_EQ(loaded.Values().size(), size_t(kLongCount));
    EXPECT_EQ(std::memcmp(loaded.Values().data(), tank->Values().data(), valueBytes), 0);
    EXPECT_TRUE(kivtest::StoreBody(loaded) == stored);
}

TEST_F(LongSeriesTest, PageWithALongSeriesReloadsAndStoresTheSameBytes)
{
    auto* graph = new CSimpleGraphObj(doc.GetPageRect(), 0, 1);
    doc.AddObject(graph);
    CGraphParamArray* series = graph->Draw().AddSeries(true);
    series->SetItem(0, 2, 499, LongTank(0), false);
    series->SetItem(1, 2, 3, LongTank(1), false);
    const std::vector<uint8_t> bytes = Store(doc);

    CGraphViewDoc copy;
    copy.m_bAutoDelete = false;
    Load(copy, bytes);
    ASSERT_EQ(copy.GetObjects().size(), 1u);
    auto* loaded = dynamic_cast<CSimpleGraphObj*>(copy.GetObjects()[0]);
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Draw().GetSeriesCount(), 1);
    CGraphParamArray* back = loaded->Draw().GetSeries(0);
    for (int item = 0; item < 2; ++item) {
        auto* tank = dynamic_cast<CFltDataTank*>(back->GetItemTank(item));
        ASSERT_NE(tank, nullptr) << item;
        ASSERT_EQ(tank->Values().size(), size_t(kLongCount)) << item;
        EXPECT_EQ(tank->Values()[kLongCount - 1], ValueAt(item, kLongCount - 1)) << item;
    }
    EXPECT_TRUE(Store(copy) == bytes);
}

} // namespace
} // namespace gdtest
