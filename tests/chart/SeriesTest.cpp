#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphPageParam.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphUpdateHints.h"
#include "chart/model/GraphClasses.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Document.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

// A float tank named `name` with the values; the caller's reference.
CFltDataTank* MakeTank(const char* name, std::vector<double> values)
{
    auto* tank = new CFltDataTank;
    tank->SetName(name);
    for (size_t i = 0; i < values.size(); ++i)
        tank->SetValue(static_cast<int>(i), values[i]);
    return tank;
}

std::vector<double> ReadAll(CZELDataPoter* poter)
{
    std::vector<double> out;
    if (!poter)
        return out;
    std::unique_ptr<CZELDataPtr> cursor(poter->CreateCursor());
    for (int i = 0; i < poter->GetCount(); ++i) {
        double v = 0;
        cursor->ReadNext(v);
        out.push_back(v);
    }
    return out;
}

// A line series of doc over x and y, drawing samples first..last.
std::unique_ptr<CGraphParamArray> LineSeries(const CDocIdent& doc, std::vector<double> x, std::vector<double> y,
                                             int first, int last)
{
    auto series = std::make_unique<CGraphParamArray>();
    series->SetGraphType(1);
    series->SetSource({"/data/a.kivd", doc, 0, CGraphParamArray::kNameFirstTwo});
    CFltDataTank* tx = MakeTank("time", x);
    CFltDataTank* ty = MakeTank("CH1", y);
    series->AppendItem(0, 0, tx);
    series->AppendItem(0, 1, ty);
    ReleaseTank(tx);
    ReleaseTank(ty);
    series->SetDrawRange(first, last);
    return series;
}

class Series : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
    }
    const CDocIdent m_doc{7, 100};
    const CDocIdent m_other{7, 200};
};

TEST_F(Series, DeletedChannelsMoveLaterItemsDownAndRebindTheRest)
{
    CGraphParamArray series;
    series.SetSource({"", m_doc, 0, 0});
    // A document's channel list of ten tanks; items on channels 8 and 4.
    CDataTankList before;
    for (int i = 0; i < 10; ++i)
        before.AddTank(MakeTank("old", {double(i)}), false);
    series.AppendItem(3, 8, before.GetAt(8));
    series.AppendItem(3, 4, before.GetAt(4));
    series.AppendItem(9, 4, before.GetAt(4)); // another key: untouched

    CDataTankList after; // channels 3 to 5 gone: seven left
    for (int i = 0; i < 7; ++i)
        after.AddTank(MakeTank("new", {double(i)}), false);
    CUpdateGraphInsertDelete hint;
    hint.m_doc = m_doc;
    hint.m_first = 3;
    hint.m_second = 5;
    hint.m_key = 3;
    hint.m_object = &after;
    EXPECT_TRUE(series.ApplyUpdate(kGraphUpdateDelete, &hint));

    EXPECT_EQ(series.GetTanks()->GetAt(0).second, 5);
    EXPECT_EQ(series.GetItemTank(0), after.GetAt(5));
    EXPECT_EQ(series.GetTanks()->GetAt(1).second, 4);
    EXPECT_EQ(series.GetItemTank(1), after.GetAt(4));
    EXPECT_EQ(series.GetItemTank(2), before.GetAt(4));

    hint.m_doc = m_other;
    EXPECT_FALSE(series.ApplyUpdate(kGraphUpdateDelete, &hint)) << "another document's channels";
}

TEST_F(Series, InsertedChannelsMoveItemsAtAndAboveTheFirstUp)
{
    CGraphParamArray series;
    series.SetSource({"", m_doc, 0, 0});
    CDataTankList list;
    for (int i = 0; i < 12; ++i)
        list.AddTank(MakeTank("t", {double(i)}), false);
    series.AppendItem(1, 2, list.GetAt(2));
    series.AppendItem(1, 3, list.GetAt(3));
    CUpdateGraphInsertDelete hint;
    hint.m_doc = m_doc;
    hint.m_first = 3;
    hint.m_second = 4;
    hint.m_key = 1;
    hint.m_object = &list;
    series.ApplyUpdate(kGraphUpdateInsert, &hint);
    EXPECT_EQ(series.GetTanks()->GetAt(0).second, 2);
    EXPECT_EQ(series.GetTanks()->GetAt(1).second, 5);
    EXPECT_EQ(series.GetItemTank(1), list.GetAt(5));
}

TEST_F(Series, UsableSamplesAreLimitedByTheShorterTank)
{
    struct Row {
        const char* name;
        int first, last;
        size_t xCount, yCount;
        int usableFirst, usableCount;
    };
    const Row rows[] = {
        {"whole", 0, 9, 10, 10, 0, 10},
        {"window", 2, 5, 10, 10, 2, 4},
        {"short Y", 0, 9, 10, 6, 0, 6},
        {"beyond the data", 12, 20, 10, 10, 12, 0},
        {"empty tanks", 0, 5, 0, 0, -1, 0},
    };
    for (const auto& row : rows) {
        auto series = LineSeries(m_doc, std::vector<double>(row.xCount, 1.0), std::vector<double>(row.yCount, 2.0),
                                 row.first, row.last);
        EXPECT_EQ(series->GetFirstUsableIndex(), row.usableFirst) << row.name;
        EXPECT_EQ(series->GetUsableCount(), row.usableCount) << row.name;
    }
    CGraphParamArray bare;
    EXPECT_EQ(bare.GetFirstUsableIndex(), 0);
    EXPECT_EQ(bare.GetUsableCount(), 0);
    int16_t kind = 0;
    EXPECT_EQ(bare.MakeXCursor(kind, false, 0, 1), nullptr) << "no tank, no cursor";
}

TEST_F(Series, CursorsReadTheDrawnWindow)
{
    auto series = LineSeries(m_doc, {0, 1, 2, 3, 4}, {10, 11, 12, 13, 14}, 1, 3);
    int16_t kind = -1;
    auto y = series->MakeYCursor(kind, false, series->GetFirstUsableIndex(), series->GetUsableCount());
    EXPECT_EQ(kind, kTankTypeFloat);
    EXPECT_EQ(ReadAll(y.get()), (std::vector<double>{11, 12, 13}));
    EXPECT_EQ(series->GetYCurrent(), 14);
}

TEST_F(Series, DistributionProfilesSortTheirTanksByPosition)
{
    CGraphParamArray series;
    series.SetGraphType(31);
    series.SetSource({"", m_doc, 2, CGraphParamArray::kNameSortedRange});
    // Positions of the value tanks are read from the X tank at their indexes.
    CFltDataTank* positions = MakeTank("pos", {0, 30, 10, 20});
    series.AppendItem(0, 0, positions);
    ReleaseTank(positions);
    const char* names[] = {"", "A", "B", "C"};
    for (int i = 1; i <= 3; ++i) {
        CFltDataTank* t = MakeTank(names[i], {i * 1.0, i * 10.0, i * 100.0});
        series.AppendItem(0, i, t);
        ReleaseTank(t);
    }
    series.SetRedrawFlag(true);
    series.AddSampleIndex(false, 3);
    series.AddSampleIndex(false, 1);

    auto pos = series.MakePositionCursor();
    EXPECT_EQ(ReadAll(pos.get()), (std::vector<double>{10, 20, 30}));
    series.RebuildName();
    EXPECT_EQ(series.GetName(), "B : A");
    // Sample 3 less the offset 2 is index 1 of every value tank, in sorted order.
    auto values = series.MakeValueCursor(0);
    EXPECT_EQ(ReadAll(values.get()), (std::vector<double>{20, 30, 10}));
    // Sample 1 lies before the offset: no value.
    auto none = series.MakeValueCursor(1);
    for (double v : ReadAll(none.get()))
        EXPECT_TRUE(std::isinf(v));
    EXPECT_EQ(series.MakeValueCursor(2), nullptr);
}

TEST_F(Series, StoresItsFieldsInOrderWithTheDrawTypeTagOnlyWhenSet)
{
    CGraphParamArray series;
    series.SetSource({"p", CDocIdent(1, 2), 3, 2});
    series.SetName("n");
    series.SetGraphType(10);
    const Bytes head = ByteBuilder()
                           .I32(1).I32(2).Str("p").I16(3).I16(2)
                           .I16(1).I16(1).I16(1).U16(0xFFFF).I16(4).I16(1).I16(0).I16(0).I16(0).I16(1)
                           .I16(10).U8(0).Str("n").I16(1).U8(0).U8(1);
    const Bytes plain = kivtest::StoreBody(series);
    ASSERT_GE(plain.size(), head.size());
    EXPECT_EQ(kivtest::Hex(head), kivtest::Hex(Bytes(plain.begin(), plain.begin() + head.size())));

    series.SetDrawType(1);
    const Bytes tagged = kivtest::StoreBody(series);
    const Bytes tag = ByteBuilder().Text("<DRAWTYPE>").I16(1);
    EXPECT_EQ(kivtest::Hex(tag), kivtest::Hex(Bytes(tagged.begin() + head.size(), tagged.begin() + head.size() + 12)));
    EXPECT_EQ(tagged.size(), plain.size() + 12);

    CGraphParamArray old;
    kivtest::LoadBody(old, plain);
    EXPECT_FALSE(old.HasDrawType());
    EXPECT_EQ(old.GetStyle().drawType, 0);
    EXPECT_EQ(old.GetGraphType(), 10);
    CGraphParamArray back;
    kivtest::LoadBody(back, tagged);
    EXPECT_TRUE(back.HasDrawType());
    EXPECT_EQ(back.GetStyle().drawType, 1);
}

TEST_F(Series, RoundTripKeepsItemsTanksAndSamples)
{
    CGraphPageParam page;
    page.AppendSeries(LineSeries(m_doc, {0, 1, 2}, {5, 6, 7}, 0, 2).release());
    const Bytes bytes = kivtest::StoreBody(page);
    CGraphPageParam back;
    kivtest::LoadBody(back, bytes);
    ASSERT_EQ(back.GetSeriesCount(), 1);
    CGraphParamArray* s = back.GetSeries(0);
    EXPECT_EQ(s->GetSourceDocument(), m_doc);
    EXPECT_EQ(s->GetSourcePath(), "/data/a.kivd");
    EXPECT_EQ(s->GetUsableCount(), 3);
    ASSERT_NE(s->GetItemTank(1), nullptr);
    EXPECT_EQ(s->GetItemTank(1)->GetName(), "CH1");
    EXPECT_EQ(kivtest::Hex(bytes), kivtest::Hex(kivtest::StoreBody(back)));
}

TEST_F(Series, ATankSharedBySeriesLoadsOnceWithAReferencePerSlot)
{
    CGraphPageParam page;
    auto first = LineSeries(m_doc, {0, 1}, {2, 3}, 0, 1);
    auto second = std::make_unique<CGraphParamArray>();
    second->SetSource({"", m_doc, 0, 0});
    second->AppendItem(0, 0, first->GetItemTank(0)); // the same time tank
    CFltDataTank* y = MakeTank("CH2", {4, 5});
    second->AppendItem(0, 2, y);
    ReleaseTank(y);
    page.AppendSeries(first.release());
    page.AppendSeries(second.release());
    const Bytes bytes = kivtest::StoreBody(page);

    auto back = std::make_unique<CGraphPageParam>();
    kivtest::LoadBody(*back, bytes);
    ASSERT_EQ(back->GetSeriesCount(), 2);
    CDataTankObject* shared = back->GetSeries(0)->GetItemTank(0);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(back->GetSeries(1)->GetItemTank(0), shared) << "one tank, named twice";
    EXPECT_EQ(shared->GetRefCount(), 2);
    shared->AddRef();
    back.reset();
    EXPECT_EQ(shared->GetRefCount(), 1) << "each series gave its reference back once";
    ReleaseTank(shared);
}

TEST_F(Series, UpdateHintsByKind)
{
    auto series = LineSeries(m_doc, {0, 1, 2, 3}, {0, 1, 2, 3}, 0, 3);
    CUpdateGraphStep step; // first 1, second 1
    step.m_doc = m_doc;
    EXPECT_TRUE(series->ApplyUpdate(kGraphUpdateStep, &step));
    EXPECT_EQ(series->GetSampleIndex(0), 1);
    EXPECT_EQ(series->GetSampleIndex(1), 1);

    CUpdateGraph moved;
    moved.m_firstDoc = m_doc;
    moved.m_secondDoc = m_other;
    moved.m_path = "/new.kivd";
    CUpdateGraph copy(moved);
    copy.m_path = "/elsewhere";
    EXPECT_EQ(moved.m_path, "/new.kivd") << "a copied hint has its own path";
    EXPECT_TRUE(series->ApplyUpdate(kGraphUpdatePath, &moved));
    EXPECT_EQ(series->GetSourceDocument(), m_other);
    EXPECT_EQ(series->GetSourcePath(), "/new.kivd");
    EXPECT_TRUE(series->ApplyUpdate(kGraphUpdateAsk, &moved));
    EXPECT_FALSE(series->ApplyUpdate(kGraphUpdatePath, &moved)) << "no longer of the first document";
    EXPECT_FALSE(series->ApplyUpdate(42, &moved));
}

TEST_F(Series, AttachRebindsAndRenamesOrRefusesMissingTanks)
{
    auto series = LineSeries(m_doc, {0, 1}, {2, 3}, 0, 1);
    CDataTankList xs, ys;
    xs.AddTank(MakeTank("T", {0}), false);
    ys.AddTank(MakeTank("T", {0}), false);
    ys.AddTank(MakeTank("CH9", {0}), false);
    EXPECT_FALSE(series->Attach(m_other, m_doc, "/b", 0, &xs, 5, &ys, true)) << "item 1 of key 0 has no tank in xs";
    EXPECT_EQ(series->GetSourceDocument(), m_doc);

    xs.AddTank(MakeTank("X2", {0}), false);
    EXPECT_TRUE(series->Attach(m_other, m_doc, "/b", 0, &xs, 5, &ys, true));
    EXPECT_EQ(series->GetItemTank(1), xs.GetAt(1));
    EXPECT_EQ(series->GetName(), "T - X2");
}

class FakeLookup : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        auto it = docs.find(ident.GetTimeStamp());
        return it == docs.end() ? nullptr : it->second;
    }
    std::map<int, const fw::CDocument*> docs;
};

TEST_F(Series, DocumentsAreFoundByIdentifierThroughTheInstalledLookup)
{
    fw::CDocument docA, docB;
    FakeLookup lookup;
    lookup.docs[100] = &docA;
    lookup.docs[200] = &docB;
    auto series = LineSeries(m_doc, {0, 1, 2}, {0, 1, 2}, 0, 0);
    series->MarkDocument(&docA);
    EXPECT_FALSE(series->IsInDocument()) << "without a lookup no document is found";
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);
    series->MarkDocument(&docA);
    EXPECT_TRUE(series->IsInDocument());
    series->SelectDocumentData(&docA, 2);
    EXPECT_EQ(series->GetSampleIndex(1), 2);
    series->SelectDocumentData(&docB, 1);
    EXPECT_FALSE(series->IsInDocument());
    EXPECT_EQ(series->GetSampleIndex(1), 2);
    series->MarkDocument(nullptr);
    EXPECT_FALSE(series->IsInDocument());
}

TEST_F(Series, PageHandsOutFreeStyles)
{
    CGraphPageParam page;
    auto first = page.CreateSeries(1, true);
    EXPECT_EQ(first->GetStyle().lineWidth, 1);
    EXPECT_EQ(first->GetStyle().lineHeight, 1);
    EXPECT_EQ(first->GetStyle().lineColor, 0);
    EXPECT_EQ(first->GetStyle().symbolColor, 0);
    EXPECT_EQ(first->GetStyle().symbolType, 0);
    EXPECT_EQ(first->GetStyle().linePattern, 0xFFFF);
    page.AppendSeries(first.release());
    auto second = page.CreateSeries(1, true);
    EXPECT_EQ(second->GetStyle().lineColor, 1);
    EXPECT_EQ(second->GetStyle().symbolType, 0);
    EXPECT_EQ(second->GetStyle().linePattern, 0xFFFF);

    auto symbols = page.CreateSeries(1, false);
    EXPECT_EQ(symbols->GetStyle().linePattern, 0);
    EXPECT_EQ(symbols->GetStyle().symbolType, 1);

    CGraphPageParam barPage;
    auto bars = barPage.CreateSeries(6, true);
    EXPECT_EQ(bars->GetStyle().fill, 1);
    barPage.AppendSeries(bars.release());
    auto bars2 = barPage.CreateSeries(6, true);
    EXPECT_EQ(bars2->GetStyle().fill, 2) << "the fill is the innermost choice of bars";
}

TEST_F(Series, PageRangesOverAllSeries)
{
    CGraphPageParam page;
    page.AppendSeries(LineSeries(m_doc, {0, 1, 2, 3}, {5, 9, 7, 6}, 1, 2).release());
    page.AppendSeries(LineSeries(m_doc, {4, 5}, {-1, NAN}, 0, 1).release());
    double max = 0, min = 0;
    ASSERT_TRUE(page.GetDataRange('Y', 0, max, min, 0, false, false));
    EXPECT_EQ(max, 9);
    EXPECT_EQ(min, -1);
    ASSERT_TRUE(page.GetDataRange('X', 0, max, min, 0, false, false));
    EXPECT_EQ(max, 5);
    EXPECT_EQ(min, 1);
    ASSERT_TRUE(page.GetDataRange('Y', 0, max, min, 1, false, false));
    EXPECT_EQ(min, 7) << "a logarithmic axis takes only positive values";
    ASSERT_TRUE(page.GetDataRangeIn('Y', 0, max, min, 0, 2, 9));
    EXPECT_EQ(max, 7);
    EXPECT_EQ(min, 7);
    ASSERT_TRUE(page.GetCurrentRange('Y', 0, max, min, 0, false));
    EXPECT_EQ(max, 6) << "the current value of the second series is not finite";
    EXPECT_EQ(min, 6);

    CGraphPageParam empty;
    empty.AppendSeries(new CGraphParamArray);
    EXPECT_FALSE(empty.GetDataRange('Y', 0, max, min, 0, false, false));
}

TEST_F(Series, ExpandOnlyRangeTakesEverySampleSinceTheLastDrawing)
{
    CGraphPageParam page;
    page.AppendSeries(LineSeries(m_doc, {0, 1, 2, 3, 4}, {1, 2, 50, 3, 4}, 0, 4).release());
    page.GetSeries(0)->SetLastDrawnIndex(1);
    double max = 0, min = 0;
    ASSERT_TRUE(page.GetDataRange('Y', 0, max, min, 0, true, false));
    EXPECT_EQ(max, 50) << "a peak between two polls is not lost";
}

TEST_F(Series, ColumnPagesTakeInZero)
{
    CGraphPageParam page;
    auto s = LineSeries(m_doc, {0, 1, 2}, {3, 4, 5}, 0, 2);
    s->SetGraphType(6);
    page.AppendSeries(s.release());
    double max = 0, min = 0;
    ASSERT_TRUE(page.GetDataRange('Y', 0, max, min, 0, false, false));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 5);
}

} // namespace
