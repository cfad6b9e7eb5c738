#include "tests/data/views/DataViewFixture.h"

#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphListPrf.h"
#include "chart/model/ListGraphClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CashCalcuDataTank.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataBoxPropaty.h"
#include "data/views/DataGraphAccess.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataFrame.h"
#include "framework/core/Archive.h"
#include "framework/core/StringTable.h"
#include "grid/model/GridClasses.h"
#include "instrument/system/SystemClasses.h"

#include <algorithm>
#include <filesystem>

namespace dataview {

namespace {

// The documents' time list graph made of the charting engine's list, as
// the program joins them.
class CTestGraphTimeList final : public IGraphTimeList {
public:
    size_t GetRowCount() const override { return m_rows.GetRowCount(); }
    void EditRows(const GraphProfileList& profiles) override
    {
        m_rows.EditRows(profiles);
        CGraphPrfList chart;
        chart.push_back(Profile(m_rows.GetHead()));
        for (const GraphListProfile& row : m_rows.GetRowProfiles())
            chart.push_back(Profile(row));
        m_graph.EditRows(chart);
    }
    bool GetRows(GraphProfileList& profiles) const override { return m_rows.GetRows(profiles); }
    void HoldTank(CDataTankObject* tank) override { m_rows.HoldTank(tank); }
    CGraphTimeListObj& Graph() { return m_graph; }

private:
    static std::unique_ptr<CGraphListPrf> Profile(const GraphListProfile& row)
    {
        auto entry = std::make_unique<CGraphListPrf>();
        entry->xChannels = row.xChannels;
        entry->yChannels = row.yChannels;
        entry->xKinds = row.xLists;
        entry->yKinds = row.yLists;
        entry->document = row.docIdent;
        entry->firstSample = 1;
        entry->lastSample = std::max(row.rowCount, 1);
        return entry;
    }

    CGraphTimeListRows m_rows;
    CGraphTimeListObj m_graph;
};

class CTestGraphFactory final : public IGraphTimeListFactory {
public:
    std::unique_ptr<IGraphTimeList> Create() override { return std::make_unique<CTestGraphTimeList>(); }
};

class CTestGraphAccess final : public IDataGraphAccess {
public:
    CGraphTimeListObj* TimeListGraph(IGraphTimeList& list) override
    {
        auto* test = dynamic_cast<CTestGraphTimeList*>(&list);
        return test ? &test->Graph() : nullptr;
    }
};

class CTestGraphTanks final : public IGraphDocumentTanks {
public:
    CDataTankList* GetTankList(const fw::CDocument* document, int kind) override
    {
        auto* doc = dynamic_cast<CKivDocBase*>(const_cast<fw::CDocument*>(document));
        return doc && kind == CKivDocBase::kChannelList ? doc->GetChannelTankList() : nullptr;
    }
};

CTestGraphFactory g_factory;
CTestGraphAccess g_access;
CTestGraphTanks g_tanks;
CHostGraphDocumentLookup g_lookup;

} // namespace

void DataViewFixture::SetUpTestSuite()
{
    kivtest::RegisterAllClasses();
    RegisterGridClasses();
    RegisterDataClasses();
    RegisterGraphClasses();
    RegisterListGraphClasses();
    RegisterSystemClasses();
    RegisterChartClasses();
    fw::Install<IGraphTimeListFactory>(&g_factory);
    fw::Install<IDataGraphAccess>(&g_access);
    fw::Install<IGraphDocumentTanks>(&g_tanks);
    fw::Install<IGraphDocumentLookup>(&g_lookup);
}

DataViewFixture::DataViewFixture() : m_oldHost(InstallDataDocHost(&host))
{
    std::filesystem::create_directories(dir / "cache");
    CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
    CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
    services.prompt.SetUnexpectedHandler(
        [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
    dataTemplate = new fw::CMultiDocTemplate(130, FW_RUNTIME_CLASS(CKivDataDoc), FW_RUNTIME_CLASS(CKivDataFrame),
                                             FW_RUNTIME_CLASS(CKivDataChView));
    dataTemplate->SetDocStrings(fw::LoadStringText(130).c_str());
    manager.AddDocTemplate(dataTemplate);
}

DataViewFixture::~DataViewFixture()
{
    manager.CloseAllDocuments(false);
    InstallDataDocHost(m_oldHost);
    EXPECT_EQ(dialogs.Problems(), "");
    EXPECT_EQ(uiDialogs.Problems(), "");
    EXPECT_EQ(services.prompt.Problems(), "");
}

CKivDataDoc* DataViewFixture::OpenData(int rows, const std::vector<int32_t>& marks)
{
    const std::string name = "D" + std::to_string(rows);
    std::filesystem::create_directories(dir / name);
    const std::string path = (dir / name / (name + ".kivd")).string();
    {
        CKivDataDoc doc;
        EXPECT_TRUE(doc.CreateNewContents());
        CKivDataBoxArray& boxes = doc.GetBoxArray();
        auto* box = new CKivDataBoxPropaty;
        box->SetName("BOX1");
        box->SetRowCount(3);
        box->CreateColumns();
        boxes.AddBox(box);
        boxes.SetTotalRows(3);
        boxes.RebuildChannelMap();
        CKivSPTankData& list = boxes.GetTankList();
        list.SetDataCount(rows, true);
        list.SetChannelCount(3);
        const char* names[] = {"CH-A", "CH-B", "CH-C"};
        for (int ch = 0; ch < 3; ++ch) {
            boxes.SetChannelText(ch, 0, "SET");
            boxes.SetChannelText(ch, 1, names[ch]);
            boxes.SetChannelText(ch, 13, "V");
            CDataTankObject* tank = list.GetObjectAt(ch);
            for (int i = 0; i < rows; ++i)
                tank->SetValue(i, ch * 10000 + i);
        }
        boxes.GetSourceCodes().assign(3, 0);
        for (int32_t index : marks)
            boxes.GetMarkers().AddTail(new CMarkerObj(fw::COleDateTime(45322.5 + index * 0.01 / 86400), index));
        doc.SetTitleText("振動試験");
        doc.SetMeasureMethod(2);
        doc.SetStartTime(45322.5);
        doc.SetCycleCount(3);
        doc.GetAdSet().m_nNum = rows;
        doc.GetAdSet().m_dClk = 10;
        doc.SetTimeUnit(1);
        doc.RebuildChannels();
        doc.SetDefinitionText(0, 0, "SUM", nullptr);
        doc.SetDefinitionText(1, 0, "=CH(1)+CH(2)", nullptr);
        doc.RecalculateAll();
        doc.RebuildChannels();
        EXPECT_TRUE(doc.OnSaveDocument(fw::CString(path)));
    }
    return dynamic_cast<CKivDataDoc*>(manager.OpenDocumentFile(fw::CString(path), true));
}

CKivDataFrame* DataViewFixture::FrameOf(CKivDataDoc* doc) const
{
    CKivDataChView* view = ViewOf<CKivDataChView>(doc);
    return view ? dynamic_cast<CKivDataFrame*>(view->GetParentFrame()) : nullptr;
}

std::vector<int32_t> DataViewFixture::MarkIndexes(CKivDataDoc* doc)
{
    std::vector<int32_t> out;
    CMarkerList& marks = doc->GetBoxArray().GetMarkers();
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;)
        out.push_back(marks.GetNext(pos)->GetSampleIndex());
    return out;
}

bool DataViewFixture::IsEnabled(fw::CCmdTarget* target, unsigned id, int* check)
{
    fw::CCmdUI ui;
    ui.m_nID = id;
    target->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
    if (check)
        *check = ui.m_nCheck;
    return ui.m_bEnabled;
}

void DataViewFixture::Run(fw::CCmdTarget* target, unsigned id)
{
    EXPECT_TRUE(target->OnCmdMsg(id, fw::CN_COMMAND, nullptr)) << id;
}

} // namespace dataview
