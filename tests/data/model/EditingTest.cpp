#include "tests/data/model/DataFixture.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "chart/model/GraphUpdateHints.h"
#include "data/model/KivDataBoxPropaty.h"

#include <vector>

namespace datatest {
namespace {

class EditingTest : public DataFixture {
protected:
    // Calculated channels NO1..NO`n` named "Nk" with the formula "=CH(1)".
    void MakeCalcChannels(CKivDataDoc& doc, int n)
    {
        for (int row = 0; row < n; ++row) {
            ASSERT_TRUE(doc.SetDefinitionText(0, row, fw::Format("N%d", row + 1), nullptr));
            ASSERT_TRUE(doc.SetDefinitionText(1, row, "=CH(1)", nullptr));
        }
    }
    fw::CString Definition(CKivDataDoc& doc, int column, int row)
    {
        fw::CString text;
        doc.GetDefinitions()->GetObjectAt(column)->GetValueText(row, text, false);
        return text;
    }
    fw::CString NameOf(CKivDataDoc& doc, int channel)
    {
        CDataTankObject* tank = doc.GetBoxArray().GetTankList().GetObjectAt(channel);
        return tank ? tank->GetName() : fw::CString("(none)");
    }
};

TEST_F(EditingTest, InsertedCalculatedRowsMoveChannelsAndFormulaReferences)
{
    auto doc = MakeDocument();
    MakeCalcChannels(*doc, 5);
    ASSERT_TRUE(doc->SetDefinitionText(1, 0, "=NO(4)*2", nullptr));
    ASSERT_TRUE(doc->InsertCalcChannels(2, 3));
    EXPECT_EQ(NameOf(*doc, 504), "N3");
    EXPECT_EQ(NameOf(*doc, 506), "N5");
    EXPECT_EQ(Definition(*doc, 0, 4), "N3");
    EXPECT_EQ(Definition(*doc, 0, 2), "");
    EXPECT_EQ(Definition(*doc, 1, 0), "=NO(6)*2");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(EditingTest, ReferencesMoveByTheInsertedCountWhenTheRangeRunsPastTheLastChannel)
{
    auto doc = MakeDocument();
    MakeCalcChannels(*doc, 5);
    ASSERT_TRUE(doc->SetDefinitionText(1, 0, "=NO(5)", nullptr));
    // Rows 3..6 when only rows 0..4 exist: four rows go in before NO5.
    ASSERT_TRUE(doc->InsertCalcChannels(3, 6));
    EXPECT_EQ(Definition(*doc, 0, 7), "N4");
    EXPECT_EQ(Definition(*doc, 0, 8), "N5");
    EXPECT_EQ(NameOf(*doc, 508), "N5");
    EXPECT_EQ(Definition(*doc, 1, 0), "=NO(9)");
}

// Records what the graph pages are told, as the program's host would pass it on.
class GraphHintRecorder : public CDataDocHost {
public:
    using CDataDocHost::CDataDocHost;
    void UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject) override
    {
        const auto* change = dynamic_cast<const CUpdateGraphInsertDelete*>(hintObject);
        seen.push_back({hint, change != nullptr, change ? change->m_first : 0, change ? change->m_second : 0,
                        change ? change->m_key : 0, change ? change->m_object : nullptr});
    }
    struct Seen {
        intptr_t hint;
        bool insertDelete;
        int32_t first, second, key;
        CDataTankList* list;
    };
    std::vector<Seen> seen;
};

TEST_F(EditingTest, CalculatedRowsAreAnnouncedToGraphPagesAsTheProjectDoes)
{
    auto doc = MakeDocument();
    MakeCalcChannels(*doc, 5);
    GraphHintRecorder recorder{&manager};
    IDataDocHost* old = InstallDataDocHost(&recorder);
    doc->InsertCalcChannels(1, 2);
    doc->DeleteCalcChannels(3, 3);
    InstallDataDocHost(old);
    ASSERT_EQ(recorder.seen.size(), 2u);
    const CDataTankList* list = &doc->GetBoxArray().GetTankList();
    struct Case {
        intptr_t hint;
        int32_t first, second;
    } cases[] = {{13, 501, 502}, {14, 503, 503}};
    for (size_t i = 0; i < 2; ++i) {
        const auto& seen = recorder.seen[i];
        EXPECT_EQ(seen.hint, cases[i].hint) << i;
        EXPECT_TRUE(seen.insertDelete) << "the hint class graph objects read";
        EXPECT_EQ(seen.first, cases[i].first) << i;
        EXPECT_EQ(seen.second, cases[i].second) << i;
        EXPECT_EQ(seen.key, -1) << "no list in particular";
        EXPECT_EQ(seen.list, list) << i;
    }
}

TEST_F(EditingTest, InsertingAfterTheLastChannelMovesNoTank)
{
    auto doc = MakeDocument();
    MakeCalcChannels(*doc, 2);
    const int size = doc->GetBoxArray().GetTankList().GetSize();
    ASSERT_TRUE(doc->InsertCalcChannels(5, 6));
    EXPECT_EQ(doc->GetBoxArray().GetTankList().GetSize(), size);
    EXPECT_EQ(NameOf(*doc, 501), "N2");
}

TEST_F(EditingTest, DeletedCalculatedRowsCloseTheGap)
{
    auto doc = MakeDocument();
    MakeCalcChannels(*doc, 4);
    ASSERT_TRUE(doc->SetDefinitionText(1, 0, "=NO(4)", nullptr));
    ASSERT_TRUE(doc->DeleteCalcChannels(1, 2));
    EXPECT_EQ(NameOf(*doc, 501), "N4");
    EXPECT_EQ(Definition(*doc, 0, 1), "N4");
    EXPECT_EQ(Definition(*doc, 1, 0), "=NO(2)");
}

TEST_F(EditingTest, ChannelTableTakesOnlyNameUnitAndFormatOfChannelsThatAreOn)
{
    auto doc = MakeDocument();
    doc->GetBoxArray().SetChannelText(2, CKivDataBoxPropaty::kColSet, "");
    doc->SetModifiedFlag(false);
    EXPECT_TRUE(doc->SetChannelTableText(1, 1, 2, "IGNORED", nullptr));
    EXPECT_EQ(NameOf(*doc, 2), "CH-C");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->SetChannelTableText(9, 9, 0, "2.0", nullptr));
    EXPECT_TRUE(doc->SetChannelTableText(1, 1, 0, "FORCE", nullptr));
    EXPECT_EQ(NameOf(*doc, 0), "FORCE");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(EditingTest, TimeUnitInMinutesGivesTheStepAndItsDigits)
{
    auto doc = MakeDocument();
    doc->GetAdSet().m_dClk = 500;
    doc->SetTimeUnit(2);
    auto* time = dynamic_cast<CTimeDataTank*>(doc->GetBoxArray().GetTankList().GetTimeTank());
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(fw::Format("%.15g", time->GetInterval()), "0.00833333333333333");
    EXPECT_EQ(time->GetFormat(), 17);
    EXPECT_EQ(doc->GetAdSet().m_nUnit, 2);
    EXPECT_EQ(time->GetName(), "計測時間");
}

TEST_F(EditingTest, GpsChannelsAreThoseWithGpsSourceCodes)
{
    auto doc = MakeDocument();
    doc->GetBoxArray().GetSourceCodes() = {0, 3, 16};
    doc->RebuildGpsChannels();
    ASSERT_EQ(doc->GetGpsChannels().GetSize(), 1);
    EXPECT_EQ(doc->GetGpsChannels().GetObjectAt(0)->GetName(), "CH-B");
    EXPECT_TRUE(doc->HasCanGpsVoiceData());
}

} // namespace
} // namespace datatest
