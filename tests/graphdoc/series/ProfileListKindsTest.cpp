// A page keeps each series item's list kind in its file, numbered as graph
// pages number the lists (1 operation data, 2 used tanks, 5 CAN channels).
// Reopened beside its measurement-data document, each kind finds its tank
// in the list it names, whatever the document's own list numbers are.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/FltDataTank.h"
#include "data/model/KivDataDoc.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/ProfileTanks.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "tests/graphdoc/doc/GraphDocFixture.h"
#include "tests/support/TestSupport.h"

namespace gdtest {
namespace {

CFltDataTank* Tank(const char* name, float first)
{
    auto* tank = new CFltDataTank;
    tank->SetName(name);
    for (int i = 0; i < 5; ++i)
        tank->SetValue(i, first + i);
    return tank;
}

// Channels 0, 1 and the elapsed time 499; three operation-data tanks; one
// CAN signal (its times, then its values).
class DataDoc : public CKivDataDoc {
public:
    DataDoc()
    {
        SetDocIdent(CDocIdent(4, 44));
        SetTitle("run.kivd");
        for (int c = 0; c < 500; ++c)
            m_channels.AddTank(c == 0 || c == 1 || c == 499 ? Tank(c == 499 ? "time" : "ch", float(c)) : nullptr,
                               false);
        m_opData.AddTank(Tank("Op.Data1", 1000), false);
        m_opData.AddTank(Tank("Op.Data2", 2000), false);
        GetBoxArray().GetCanTanks().AddTank(Tank("can time", 3000), false);
        GetBoxArray().GetCanTanks().AddTank(Tank("speed", 4000), false);
    }
    CDataTankList* GetChannelTankList() override { return &m_channels; }
    CDataTankList* GetOpDataList() override { return &m_opData; }
    CDataTankList m_channels;
    CDataTankList m_opData;
};

class OneDocument : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return ident == doc->GetDocIdent() ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

class ProfileListKindsTest : public GraphDocTest {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterGraphDocClasses();
        RegisterGraphObjectClasses();
    }
    ProfileListKindsTest() : installed(lookup) { lookup.doc = &data; }

    DataDoc data;
    OneDocument lookup;
    fw::ScopedInstall<IGraphDocumentLookup> installed;
};

struct Line {
    const char* name;
    int32_t xChannel;
    int16_t xKind;
    int32_t yChannel;
    int16_t yKind;
    // What the series keeps (the CAN time side becomes its own list's tank).
    int32_t storedXChannel;
    int16_t storedXKind;
    const char* xTank;
    const char* yTank;
};

const Line kLines[] = {
    {"used tanks", 499, 2, 1, 2, 499, 2, "time", "ch"},
    {"operation data over a channel", 0, 2, 1, 1, 0, 2, "ch", "Op.Data2"},
    {"CAN signal over the elapsed time", 499, 2, 1, 5, 0, 5, "can time", "speed"},
};

TEST_F(ProfileListKindsTest, EachStoredKindFindsItsListAfterReopening)
{
    auto* graph = new CSimpleGraphObj(doc.GetPageRect(), 0, 1);
    doc.AddObject(graph);
    CSimpleGraphPrfList list;
    list.Add(new CGraphPrf);
    for (const Line& line : kLines) {
        auto* profile = new CGraphPrf;
        profile->m_docIdent = data.GetDocIdent();
        profile->m_xChannels = {line.xChannel};
        profile->m_xListKinds = {line.xKind};
        profile->m_yChannels = {line.yChannel};
        profile->m_yListKinds = {line.yKind};
        list.Add(profile);
    }
    graph->SetPrfList(list);
    const std::vector<uint8_t> bytes = Store(doc);

    CGraphViewDoc copy;
    copy.m_bAutoDelete = false;
    Load(copy, bytes);
    auto* loaded = dynamic_cast<CSimpleGraphObj*>(copy.GetObjects().at(0));
    ASSERT_NE(loaded, nullptr);
    // Rebuilt from its own profiles against the open document.
    CSimpleGraphPrfList again;
    ASSERT_TRUE(loaded->GetPrfList(again));
    for (int i = 1; i < again.GetSize(); ++i)
        again.GetAt(i)->m_pSeries = nullptr;
    loaded->SetPrfList(again);
    ASSERT_EQ(loaded->Draw().GetSeriesCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const Line& line = kLines[i];
        CGraphParamArray& series = *loaded->Draw().GetSeries(i);
        const tDataTankParam& x = series.GetTanks()->GetAt(0);
        const tDataTankParam& y = series.GetTanks()->GetAt(1);
        EXPECT_EQ(x.first, line.storedXKind) << line.name;
        EXPECT_EQ(x.second, line.storedXChannel) << line.name;
        EXPECT_EQ(y.first, line.yKind) << line.name;
        EXPECT_EQ(y.second, line.yChannel) << line.name;
        ASSERT_NE(series.GetItemTank(0), nullptr) << line.name;
        ASSERT_NE(series.GetItemTank(1), nullptr) << line.name;
        EXPECT_EQ(series.GetItemTank(0)->GetName().str(), line.xTank) << line.name;
        EXPECT_EQ(series.GetItemTank(1)->GetName().str(), line.yTank) << line.name;
        // The dialogs see the profile as it was made.
        EXPECT_EQ(again.GetAt(i + 1)->m_xChannels, std::vector<int32_t>{line.xChannel}) << line.name;
        EXPECT_EQ(again.GetAt(i + 1)->m_xListKinds, std::vector<int16_t>{line.xKind}) << line.name;
    }
}

} // namespace
} // namespace gdtest
