// The monitor, plot-line, bar-line and legend dialogs driven by control id.

#include "chart/model/GrDraw.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "docview/controls/LineListBox.h"
#include "docview/naming/NameListCtrl.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphPrf.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawLegObj.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "graphdoc/model/objects/MoniDataPrf.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "graphdoc/views/SheetSelectCombBox.h"
#include "graphdoc/views/objects/LegendDlg.h"
#include "graphdoc/views/objects/MoniDataDialog.h"
#include "graphdoc/views/objects/PlotLineDlgs.h"
#include "tests/support/ui/DialogFixture.h"

#include <QListWidget>
#include <QTableWidget>

namespace {

using appuitest::Click;
using appuitest::Enabled;
using appuitest::Shown;

class Project : public CKivDocBase {
public:
    Project(int serial, const char* title, std::initializer_list<int> named)
    {
        m_docIdent = CDocIdent(9, serial);
        SetTitle(title);
        for (int i = 0; i < 502; ++i) {
            auto* tank = new CFltDataTank;
            for (int n : named)
                if (n == i)
                    tank->SetName(fw::Format("%s-%d", title, i));
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList m_list;
};

class MoniDataDialogTest : public appuitest::DialogFixture {
protected:
    MoniDataDialogTest() : scope(host)
    {
        host.m_documents[129] = {&a, &b};
        host.m_documents[130] = {};
    }
    static std::vector<std::string> Names(CNameListCtrl& list)
    {
        std::vector<std::string> out;
        for (int r = 0; r < list.GetItemCount(); ++r)
            out.push_back((list.GetItemText(r, 0) + "|" + list.GetItemText(r, 1)).str());
        return out;
    }

    Project a{1, "a", {0, 3}};
    Project b{2, "b", {1, 501}};
    CGraphPageHost host;
    fw::ScopedInstall<IGraphPageHost> scope;
    CMoniDataPrf profile;
};

TEST_F(MoniDataDialogTest, SwitchingProjectsListsOnlyTheSecondsChannelsAndKeepsHiddenValues)
{
    profile.m_docIdent = a.GetDocIdent();
    profile.m_channel = 3;
    profile.m_displayStep = 41;
    profile.m_followPanel = 0;
    profile.m_liveUpdate = 1;
    profile.m_stepOffset = 7;
    dialogs.On(CMoniDataDialog::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CMoniDataDialog&>(base);
        EXPECT_EQ(Names(*d.Channels()), (std::vector<std::string>{"a-0|CH1", "a-3|CH4"}));
        EXPECT_EQ(d.Channels()->GetSelectedRow(), 1);
        EXPECT_FALSE(Shown(d, CMoniDataDialog::IDC_STEP));
        CSheetSelectCombBox& combo = *d.Documents();
        combo.UserSelect(combo.FindItem(b.GetDocIdent()));
        EXPECT_EQ(Names(*d.Channels()), (std::vector<std::string>{"b-1|CH2", "b-501|NO2"}));
        d.Channels()->SetSelectedRow(1);
        d.GetDlgItem(CMoniDataDialog::IDC_DIGITS)->SetWindowText("12");
        Click(d, CMoniDataDialog::IDC_ALARM);
        auto* upper = d.GetDlgItemAs<fw::CComboBox>(CMoniDataDialog::IDC_UPPER);
        upper->SetCurSel(2);
        d.OnOK();
        return fw::IDCANCEL;
    });
    CMoniDataDialog dlg(profile);
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(profile.m_docIdent, b.GetDocIdent());
    EXPECT_EQ(profile.m_channel, 501);
    EXPECT_EQ(profile.m_digits, 12);
    EXPECT_EQ(profile.m_alarmCheck, 1);
    EXPECT_EQ(profile.m_displayStep, 41);
    EXPECT_EQ(profile.m_followPanel, 0);
    EXPECT_EQ(profile.m_liveUpdate, 1);
    EXPECT_EQ(profile.m_stepOffset, 7);
    EXPECT_EQ(profile.m_upperColor, GrGetColor(2));
}

TEST_F(MoniDataDialogTest, NoChannelKeepsTheDialogOpen)
{
    services.prompt.Expect(0, fw::IDOK);
    profile.m_docIdent = a.GetDocIdent();
    dialogs.On(CMoniDataDialog::IDD, [&](fw::CDialog& d) -> int {
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        return fw::IDCANCEL;
    });
    CMoniDataDialog dlg(profile);
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_EQ(services.prompt.Prompts()[0].text, CMoniDataDialog::kTextNoSelection);
    EXPECT_EQ(profile.m_channel, -1);
}

class PlotLineDlgsTest : public appuitest::DialogFixture {
protected:
    PlotLineDlgsTest()
    {
        for (int i = 0; i < 4; ++i) {
            auto* p = new CGraphPrf;
            p->m_size = static_cast<int16_t>(3 + i);
            list.Add(p);
        }
    }
    CGraphPrfList list;
};

TEST_F(PlotLineDlgsTest, AnOutOfRangeSizeKeepsTheEntry)
{
    services.prompt.Expect(0, fw::IDOK);
    dialogs.On(CLineSymbleDlg::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CLineSymbleDlg&>(base);
        EXPECT_EQ(d.Lines()->GetCount(), 3);
        EXPECT_EQ(d.Lines()->ItemText(0), " 1 本目");
        EXPECT_EQ(d.GetDlgItemText(CLineSymbleDlg::IDC_SIZE), "4");
        d.GetDlgItem(CLineSymbleDlg::IDC_SIZE)->SetWindowText("11");
        d.Lines()->UserSelect(2);
        EXPECT_EQ(d.GetCurrentEntry(), 0);
        EXPECT_EQ(d.Lines()->GetCurSel(), 0);
        d.GetDlgItem(CLineSymbleDlg::IDC_SIZE)->SetWindowText("9");
        d.GetDlgItemAs<fw::CComboBox>(CLineSymbleDlg::IDC_STYLE)->SetCurSel(7);
        d.GetDlgItemAs<fw::CComboBox>(CLineSymbleDlg::IDC_SECOND_COLOR)->SetCurSel(5);
        d.Lines()->UserSelect(2);
        EXPECT_EQ(d.GetCurrentEntry(), 2);
        EXPECT_EQ(d.GetDlgItemText(CLineSymbleDlg::IDC_SIZE), "6");
        d.OnOK();
        return fw::IDCANCEL;
    });
    CLineSymbleDlg dlg(list);
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(list.GetAt(1)->m_size, 9);
    EXPECT_EQ(list.GetAt(1)->m_lineStyle, 0);
    EXPECT_EQ(list.GetAt(1)->m_symbolColor, 5);
    EXPECT_EQ(list.GetAt(1)->m_fillColor, 5);
}

TEST_F(PlotLineDlgsTest, HiddenIntervalAndBarPatterns)
{
    dialogs.On(CLineSymbleDlg::IDD, [&](fw::CDialog& d) -> int {
        EXPECT_FALSE(Shown(d, CLineSymbleDlg::IDC_INTERVAL));
        EXPECT_FALSE(Shown(d, CLineSymbleDlg::IDC_INTERVAL_LABEL));
        return fw::IDCANCEL;
    });
    CLineSymbleDlg lines(list);
    lines.m_bShowInterval = 0;
    lines.DoModal();

    list.GetAt(1)->m_fillPattern = 4;
    list.GetAt(1)->m_lineWidthCopy = 2;
    dialogs.On(CBarLineDlg::IDD, [&](fw::CDialog& d) -> int {
        EXPECT_EQ(d.GetDlgItemAs<fw::CComboBox>(CBarLineDlg::IDC_PATTERN)->GetCurSel(), 3);
        EXPECT_EQ(d.GetDlgItemAs<fw::CComboBox>(CBarLineDlg::IDC_WIDTH)->GetCurSel(), 2);
        d.GetDlgItemAs<fw::CComboBox>(CBarLineDlg::IDC_PATTERN)->SetCurSel(5);
        d.GetDlgItemAs<fw::CComboBox>(CBarLineDlg::IDC_WIDTH)->SetCurSel(0);
        d.OnOK();
        return fw::IDCANCEL;
    });
    CBarLineDlg bars(list);
    EXPECT_EQ(bars.DoModal(), fw::IDOK);
    EXPECT_EQ(list.GetAt(1)->m_fillPattern, 6);
    EXPECT_EQ(list.GetAt(1)->m_lineWidth, 0);
    EXPECT_EQ(list.GetAt(1)->m_lineWidthCopy, 0);
}

class LegendDlgTest : public appuitest::DialogFixture {
protected:
    LegendDlgTest()
    {
        RegisterGraphDocClasses();
        RegisterGraphObjectClasses();
        page.m_bAutoDelete = false;
        page.m_pageSize = fw::CSize(1000, 700);
        graph = new CSimpleGraphObj(fw::CRect(0, 0, 1000, 700), 0, 1);
        for (const char* name : {"one", "two"})
            graph->Draw().AddSeries(true)->SetName(name);
        page.AddObject(graph);
        legend = new CDrawLegObj(fw::CRect(10, 10, 100, 60));
        page.AddObject(legend);
    }

    CGraphViewDoc page;
    CSimpleGraphObj* graph = nullptr;
    CDrawLegObj* legend = nullptr;
};

TEST_F(LegendDlgTest, AutomaticNamesLockTheListAndTextsGoToTheSeries)
{
    graph->Draw().m_autoNames = 0;
    dialogs.On(CLegendDlg::IDD, [&](fw::CDialog& base) -> int {
        auto& d = static_cast<CLegendDlg&>(base);
        QTableWidget* table = d.Table();
        EXPECT_EQ(table->rowCount(), 2);
        if (table->rowCount() != 2)
            return fw::IDCANCEL;
        EXPECT_EQ(table->item(1, 0)->text().toStdString(), "two");
        EXPECT_TRUE(Enabled(d, CLegendDlg::IDC_LIST));
        EXPECT_FALSE(Enabled(d, CLegendDlg::IDC_RESET));
        table->selectRow(0);
        EXPECT_TRUE(Enabled(d, CLegendDlg::IDC_RESET));
        Click(d, CLegendDlg::IDC_AUTO);
        EXPECT_FALSE(Enabled(d, CLegendDlg::IDC_LIST));
        EXPECT_FALSE(Enabled(d, CLegendDlg::IDC_RESET));
        Click(d, CLegendDlg::IDC_AUTO);
        table->item(1, 0)->setText("renamed");
        Click(d, CLegendDlg::IDC_ROTATE);
        d.OnOK();
        return fw::IDCANCEL;
    });
    CLegendDlg dlg(*legend);
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    dlg.StoreLegend();
    EXPECT_EQ(graph->Draw().GetSeries(1)->GetName(), "renamed");
    EXPECT_EQ(graph->Draw().GetSeries(0)->GetName(), "one");
    EXPECT_TRUE(legend->IsVertical());
    EXPECT_EQ(graph->Draw().m_autoNames, 0);
}

} // namespace
