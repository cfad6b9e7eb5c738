#include "chart/model/GraphClasses.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/Document.h"
#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const CDocIdent kOpen(1, 100);
const CDocIdent kClosed(1, 200);

// One open document whose used-tank list holds the time channel at 0 and
// two channels after it.
class Documents : public IGraphDocumentLookup, public IGraphDocumentTanks {
public:
    Documents()
    {
        auto* time = new CTimeDataTank;
        time->SetInterval(0.5);
        time->SetDataCount(4);
        used.AddTank(time, false);
        for (const char* name : {"CH1", "CH2"}) {
            auto* y = new CFltDataTank;
            y->SetName(name);
            for (int i = 0; i < 4; ++i)
                y->SetValue(i, i);
            used.AddTank(y, false);
        }
    }
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return ident == kOpen ? &doc : nullptr;
    }
    CDataTankList* GetTankList(const fw::CDocument* document, int kind) override
    {
        return document == &doc && kind == CGraphListPrf::kUsedTanks ? &used : nullptr;
    }

    fw::CDocument doc;
    CDataTankList used;
};

std::unique_ptr<CGraphListPrf> Entry(int16_t x, int16_t y, const CDocIdent& ident = kOpen)
{
    auto entry = std::make_unique<CGraphListPrf>();
    entry->document = ident;
    entry->path = "/data/run.kivd";
    entry->xChannels = {x};
    entry->yChannels = {y};
    entry->xKinds = {CGraphListPrf::kUsedTanks};
    entry->yKinds = {CGraphListPrf::kUsedTanks};
    entry->firstSample = 1;
    entry->lastSample = 4;
    return entry;
}

class ListGraphProfiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
    }
    CGraphPrfList Profiles()
    {
        CGraphPrfList profiles;
        auto head = std::make_unique<CGraphListPrf>();
        head->document = kOpen;
        profiles.push_back(std::move(head));
        profiles.push_back(Entry(0, 1));
        profiles.push_back(Entry(-1, 2));  // an empty row
        profiles.push_back(Entry(0, 2));
        profiles.push_back(Entry(0, 1, kClosed));  // closed, no series record
        return profiles;
    }

    Documents documents;
    fw::ScopedInstall<IGraphDocumentLookup> lookup{documents};
    fw::ScopedInstall<IGraphDocumentTanks> tanks{documents};
    CGraphTimeListObj list;
};

TEST_F(ListGraphProfiles, RowsAreBuiltFromTheDocumentsTanks)
{
    list.EditRows(Profiles());
    ASSERT_EQ(list.GetRowCount(), 4);
    EXPECT_EQ(list.GetRow(1), nullptr);
    ASSERT_NE(list.GetRow(0), nullptr);
    CGraphParamArray* first = list.GetRow(0)->GetSeries(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetItemTank(0), documents.used.GetAt(0));
    EXPECT_EQ(first->GetItemTank(1), documents.used.GetAt(1));
    EXPECT_EQ(list.GetRow(2)->GetSeries(0)->GetItemTank(1), documents.used.GetAt(2));
    EXPECT_EQ(list.GetRow(3)->GetSeriesCount(), 0) << "a closed document without a record gives axes only";
    EXPECT_EQ(first->GetStyle().symbolType, 0) << "the list's style";
    EXPECT_EQ(first->GetSampleIndex(0), 0);
    EXPECT_EQ(first->GetSampleIndex(1), 3);
    EXPECT_DOUBLE_EQ(list.SampleToTime(3), 1.5) << "the time tank's step";
    EXPECT_EQ(documents.used.GetAt(0)->GetRefCount(), 3) << "the list and two rows";

    CGraphPrfList headOnly;
    headOnly.push_back(std::make_unique<CGraphListPrf>());
    list.EditRows(headOnly);
    EXPECT_EQ(list.GetRowCount(), 0);
    EXPECT_EQ(documents.used.GetAt(0)->GetRefCount(), 1);
    EXPECT_THROW(list.EditRows(CGraphPrfList()), fw::CInvalidArgException);
}

TEST_F(ListGraphProfiles, ProfilesGoBackAndForth)
{
    list.EditRows(Profiles());
    list.GetRow(2)->GetSeries(0)->SetName("Pressure");
    tSeriesStyle steps = list.GetRow(2)->GetSeries(0)->GetStyle();
    steps.drawType = 1;
    list.GetRow(2)->GetSeries(0)->SetStyle(steps);
    CGraphPrfList out;
    ASSERT_TRUE(list.GetRowProfiles(out));
    ASSERT_EQ(out.size(), 4u) << "the header, two series and the empty row";
    EXPECT_EQ(out[0]->document, kOpen);
    EXPECT_EQ(out[0]->path, "/data/run.kivd");
    EXPECT_EQ(out[1]->yChannels, std::vector<int16_t>{1});
    EXPECT_EQ(out[1]->xKinds, std::vector<int16_t>{CGraphListPrf::kUsedTanks});
    EXPECT_EQ(out[1]->firstSample, 1);
    EXPECT_EQ(out[1]->lastSample, 4);
    EXPECT_EQ(out[2]->xChannels, std::vector<int16_t>{-1}) << "the empty row";
    EXPECT_EQ(out[3]->yChannels, std::vector<int16_t>{2});

    list.EditRows(out);
    ASSERT_EQ(list.GetRowCount(), 3);
    EXPECT_EQ(list.GetRow(1), nullptr);
    EXPECT_EQ(list.GetRow(2)->GetSeries(0)->GetName(), "Pressure") << "a custom name survives the rebuild";
    EXPECT_EQ(list.GetRow(2)->GetSeries(0)->GetItemTank(1), documents.used.GetAt(2));
    EXPECT_EQ(list.GetRow(2)->GetSeries(0)->GetStyle().drawType, 1) << "the row keeps its own style";
    EXPECT_EQ(list.GetRow(0)->GetSeries(0)->GetStyle().drawType, 0);
}

} // namespace
