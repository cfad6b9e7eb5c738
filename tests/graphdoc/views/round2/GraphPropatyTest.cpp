// The plot-data dialog and its property sheet driven by control id: the
// channel lists of a time course and an X-Y graph, plot lines made and
// deleted, the refusal to leave a plot line without channels, and the
// range limits of monitor graphs.

#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/KivDocBase.h"
#include "docview/controls/LineListBox.h"
#include "docview/naming/NameListCtrl.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "graphdoc/views/GraphDataPages.h"
#include "graphdoc/views/GraphPropaty.h"
#include "graphdoc/views/SheetSelectCombBox.h"
#include "tests/support/ui/DialogFixture.h"

#include <QItemSelectionModel>
#include <QListWidget>
#include <QTableWidget>

namespace {

using appuitest::Click;
using appuitest::Enabled;
using appuitest::Shown;

// Channels 0, 1 (unless left out) and 502 and the elapsed time (499) are
// named; 40 samples.
class ChannelDoc : public CKivDocBase {
public:
    ChannelDoc(int serial, const char* title, bool channel1 = true)
    {
        m_docIdent = CDocIdent(7, serial);
        SetTitle(title);
        for (int i = 0; i < 503; ++i) {
            auto* tank = new CFltDataTank;
            if (i == 0 || (i == 1 && channel1) || i == 499 || i == 502) {
                tank->SetName(i == 499 ? "time" : fw::Format("ch%d", i));
                for (int s = 0; s < 40; ++s)
                    tank->SetValue(s, s);
            }
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList m_list;
};

class GraphPropatyTest : public appuitest::DialogFixture {
protected:
    GraphPropatyTest() : scope(host)
    {
        host.m_documents[129] = {};
        host.m_documents[130] = {&first, &second};
        list.Add(new CGraphPrf);
    }

    static void Select(CNameListCtrl& control, std::initializer_list<int> rows)
    {
        QTableWidget* table = control.Table();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    static std::vector<std::string> Names(CNameListCtrl& control)
    {
        std::vector<std::string> names;
        for (int row = 0; row < control.GetItemCount(); ++row)
            names.push_back((control.GetItemText(row, 0) + "|" + control.GetItemText(row, 1)).str());
        return names;
    }
    static void ChooseLine(CGraphPropaty& d, int row)
    {
        auto* lines = d.GetDlgItemAs<CLineListBox>(CGraphPropaty::IDC_LINES);
        lines->List()->clearSelection();
        lines->UserSelect(row);
        if (QListWidgetItem* item = lines->List()->item(row))
            item->setSelected(true);
    }
    static bool Multiple(CNameListCtrl& control)
    {
        return control.Table()->selectionMode() == QAbstractItemView::MultiSelection;
    }

    ChannelDoc first{1, "first.kivd"};
    ChannelDoc second{2, "second.kivd", false};
    CGraphPageHost host;
    fw::ScopedInstall<IGraphPageHost> scope;
    CSimpleGraphPrfList list;
};

TEST_F(GraphPropatyTest, TimeCourseTakesElapsedTimeAndMakesALinePerChannel)
{
    list.m_creationKind = 2;
    list.GetAt(0)->m_docIdent = first.GetDocIdent();
    dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CGraphPropaty&>(base);
        CGraphDataPage& page = *d.DataPage();
        EXPECT_EQ(Names(*page.XList()), std::vector<std::string>{"time|"});
        EXPECT_EQ(Names(*page.YList()), (std::vector<std::string>{"ch0|CH1", "ch1|CH2", "ch502|NO3"}));
        EXPECT_EQ(page.XList()->GetColumnCount(), 1);
        EXPECT_EQ(page.YList()->GetColumnCount(), 2);
        EXPECT_FALSE(page.XList()->IsWindowEnabled());
        EXPECT_EQ(CGraphDataPage::SelectedRows(*page.XList()), std::vector<int>{0});
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        EXPECT_FALSE(Enabled(d, CGraphPropaty::IDC_CREATE));
        Select(*page.YList(), {0, 2});
        EXPECT_TRUE(Multiple(*page.YList()));
        EXPECT_TRUE(Enabled(d, CGraphPropaty::IDC_CREATE));
        Click(d, CGraphPropaty::IDC_CREATE);
        EXPECT_EQ(d.GetDlgItemAs<CLineListBox>(CGraphPropaty::IDC_LINES)->GetCount(), 3);
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        // The method page shows the step-line box for time courses only.
        EXPECT_TRUE(Shown(*d.MethodPage(), CGraphMoniPage::IDC_STEP_LINES));
        EXPECT_FALSE(Shown(*d.MethodPage(), CGraphMoniPage::IDC_AUTO_SCROLL));
        d.OnOK();
        return fw::IDCANCEL;
    });
    CGraphPropaty dlg(list, 0, 1);
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list.GetAt(0)->m_rangeEnd, 40);
    EXPECT_EQ(list.GetAt(0)->m_strSourceName, "first.kivd");
    EXPECT_EQ(list.GetAt(1)->m_xChannels, std::vector<int32_t>{499});
    EXPECT_EQ(list.GetAt(1)->m_yChannels, std::vector<int32_t>{0});
    EXPECT_EQ(list.GetAt(2)->m_yChannels, std::vector<int32_t>{502});
    EXPECT_EQ(list.GetAt(2)->m_yListKinds, std::vector<int16_t>{2});
    EXPECT_EQ(list.GetAt(2)->m_docIdent, first.GetDocIdent());
}

TEST_F(GraphPropatyTest, TwoXRowsOnTheTemplateTurnTheYListToSingle)
{
    list.GetAt(0)->m_docIdent = first.GetDocIdent();
    dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CGraphPropaty&>(base);
        CGraphDataPage& page = *d.DataPage();
        EXPECT_TRUE(page.XList()->IsWindowEnabled());
        EXPECT_TRUE(Multiple(*page.XList()));
        EXPECT_TRUE(Multiple(*page.YList()));
        Select(*page.XList(), {0, 1});
        EXPECT_FALSE(Multiple(*page.YList()));
        Select(*page.YList(), {2});
        Click(d, CGraphPropaty::IDC_CREATE);
        // A plot line holds one pair: both lists single.
        ChooseLine(d, 2);
        EXPECT_EQ(d.GetCurrentIndex(), 2);
        EXPECT_FALSE(Multiple(*page.XList()));
        EXPECT_EQ(CGraphDataPage::SelectedRows(*page.XList()), std::vector<int>{1});
        EXPECT_EQ(CGraphDataPage::SelectedRows(*page.YList()), std::vector<int>{2});
        EXPECT_TRUE(Enabled(d, CGraphPropaty::IDC_DELETE));
        Click(d, CGraphPropaty::IDC_DELETE);
        EXPECT_EQ(d.GetDlgItemAs<CLineListBox>(CGraphPropaty::IDC_LINES)->GetCount(), 2);
        // Escape on a page cancels the whole dialog.
        page.OnCancel();
        EXPECT_TRUE(d.IsEnded());
        return fw::IDOK;
    });
    CGraphPropaty dlg(list, 0, 1);
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(1)->m_xChannels, std::vector<int32_t>{0});
    EXPECT_EQ(list.GetAt(1)->m_yChannels, std::vector<int32_t>{502});
}

TEST_F(GraphPropatyTest, APlotLineWithoutChannelsKeepsItsRow)
{
    services.prompt.Expect(0, fw::IDOK);
    list.GetAt(0)->m_docIdent = first.GetDocIdent();
    auto* line = new CGraphPrf;
    line->m_docIdent = first.GetDocIdent();
    line->m_xChannels = {0};
    line->m_yChannels = {1};
    list.Add(line);
    dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CGraphPropaty&>(base);
        CGraphDataPage& page = *d.DataPage();
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        ChooseLine(d, 1);
        EXPECT_EQ(d.GetCurrentIndex(), 1);
        // Switched to a document without the plot line's Y channel.
        CSheetSelectCombBox& combo = *page.Combo();
        combo.UserSelect(combo.FindItem(second.GetDocIdent()));
        EXPECT_TRUE(CGraphDataPage::SelectedRows(*page.YList()).empty());
        ChooseLine(d, 0);
        EXPECT_EQ(d.GetCurrentIndex(), 1);
        EXPECT_EQ(d.GetDlgItemAs<CLineListBox>(CGraphPropaty::IDC_LINES)->GetCurSel(), 1);
        // Row 0 is never deleted.
        Click(d, CGraphPropaty::IDC_DELETE);
        EXPECT_EQ(d.GetDlgItemAs<CLineListBox>(CGraphPropaty::IDC_LINES)->GetCount(), 1);
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        return fw::IDCANCEL;
    });
    CGraphPropaty dlg(list, 0, 1);
    dlg.DoModal();
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_EQ(services.prompt.Prompts()[0].text, CGraphDataPage::kTextNoSelection);
    EXPECT_EQ(list.GetSize(), 1);
}

TEST_F(GraphPropatyTest, RangeLimitsOfMonitorAndDataGraphs)
{
    struct Row {
        const char* name;
        int monitor;
        const char* end;
        bool accepted;
    };
    const Row rows[] = {
        {"monitor at its window", 1, "507904", true},
        {"monitor beyond its window", 1, "507905", false},
        {"data graph at its limit", 0, "10000000", true},
        {"data graph beyond", 0, "10000001", false},
    };
    for (const Row& r : rows) {
        list.GetAt(0)->m_docIdent = first.GetDocIdent();
        bool accepted = false;
        if (!r.accepted)
            services.prompt.Expect(0, fw::IDOK);
        dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
            auto& d = static_cast<CGraphPropaty&>(base);
            CGraphMoniPage& method = *d.MethodPage();
            // Monitor graphs hide the range; the exchange still checks it.
            EXPECT_EQ(Shown(method, CGraphMoniPage::IDC_END), r.monitor != 1) << r.name;
            method.GetDlgItem(CGraphMoniPage::IDC_END)->SetWindowText(r.end);
            accepted = method.UpdateData(true);
            return fw::IDCANCEL;
        });
        CGraphPropaty dlg(list, 0, 1);
        dlg.m_nMonitor = r.monitor;
        dlg.DoModal();
        EXPECT_EQ(accepted, r.accepted) << r.name;
    }
}

TEST_F(GraphPropatyTest, AutomaticRangeDisablesTheRangeEdits)
{
    list.GetAt(0)->m_docIdent = first.GetDocIdent();
    list.GetAt(0)->m_autoRange = 0;
    dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CGraphPropaty&>(base);
        CGraphMoniPage& method = *d.MethodPage();
        EXPECT_TRUE(Enabled(method, CGraphMoniPage::IDC_START));
        Click(method, CGraphMoniPage::IDC_AUTO_RANGE);
        EXPECT_FALSE(Enabled(method, CGraphMoniPage::IDC_START));
        EXPECT_FALSE(Shown(method, CGraphMoniPage::IDC_ORDER));
        return fw::IDCANCEL;
    });
    CGraphPropaty dlg(list, 0, 1);
    dlg.DoModal();
}

// A measurement-data document's CAN channels follow its channels as "CAN"
// rows of the Y list.
TEST_F(GraphPropatyTest, CanChannelsOfADataDocumentAreOffered)
{
    CKivDataDoc data;
    data.SetTitle("can.kivd");
    auto* can = new CFltDataTank;
    can->SetName("speed");
    data.GetBoxArray().GetCanTanks().AddTank(can, false);
    host.m_documents[130] = {&data};
    list.m_creationKind = 2;
    list.GetAt(0)->m_docIdent = data.GetDocIdent();
    std::vector<std::string> rows;
    uint32_t itemData = 0;
    dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
        CGraphDataPage& page = *static_cast<CGraphPropaty&>(base).DataPage();
        rows = Names(*page.YList());
        if (page.YList()->GetItemCount() > 0)
            itemData = page.YList()->GetItemData(page.YList()->GetItemCount() - 1);
        return fw::IDCANCEL;
    });
    CGraphPropaty dlg(list, 0, 1);
    dlg.DoModal();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), "speed|CAN1");
    EXPECT_EQ(itemData, (5u << 16) | 0u);
}

} // namespace
