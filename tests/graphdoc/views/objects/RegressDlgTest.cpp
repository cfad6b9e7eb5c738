// The regression dialog on a page: its defaults, the record it stores, the
// formula box it creates, and the delete button.

#include "chart/model/RegressionSettings.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Controls.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawRegressObj.h"
#include "graphdoc/views/objects/RegressDlg.h"

#include <gtest/gtest.h>

namespace {

class RegressDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page.m_pageSize = fw::CSize(2000, 1500);
        graph = new CDrawGraphObj(page.GetPageRect());
        page.AddObject(graph);
    }

    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs runner;
    CGraphViewDoc page;
    CDrawGraphObj* graph = nullptr;
};

TEST_F(RegressDlgTest, DefaultsStoreAStraightLineAndCreateTheFormula)
{
    bool deleteEnabled = true;
    std::string degreeShown;
    runner.On(CRegressDlg::IDD, [&](fw::CDialog& d) {
        deleteEnabled = d.GetDlgItem(CRegressDlg::IDC_DELETE)->IsWindowEnabled();
        EXPECT_EQ(d.GetDlgItemText(CRegressDlg::IDC_LEFT_NAME), "y");
        EXPECT_EQ(d.GetDlgItemText(CRegressDlg::IDC_RIGHT_NAME), "x");
        EXPECT_EQ(d.GetDlgItemText(CRegressDlg::IDC_DIVISIONS), "100");
        EXPECT_EQ(d.GetDlgItemText(CRegressDlg::IDC_FORMULA), "y=f(x)");
        d.SetDlgItemText(CRegressDlg::IDC_LEFT_NAME, "P");
        d.OnOK();
        return fw::IDCANCEL;
    });
    CRegressDlg dlg(page);
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_FALSE(deleteEnabled);

    tRegressionSettings settings;
    ASSERT_TRUE(graph->Draw().GetRegression(settings));
    EXPECT_EQ(settings.recompute, 1);
    EXPECT_EQ(settings.degree, 1);
    EXPECT_EQ(settings.curvePoints, 100);
    EXPECT_EQ(settings.square, 1);
    EXPECT_EQ(settings.plotRange, 1);
    EXPECT_EQ(settings.lineWidth, 1);
    auto* formula = dynamic_cast<CDrawRegressObj*>(page.FindRegressObj());
    ASSERT_NE(formula, nullptr);
    EXPECT_EQ(formula->GetFormulaText(), "******");
    EXPECT_EQ(formula->m_strYName, "P");
    EXPECT_LE(formula->m_position.right, 2000);
}

TEST_F(RegressDlgTest, DeleteRemovesTheRegression)
{
    tRegressionSettings settings;
    settings.degree = 3;
    graph->Draw().SetRegression(settings);
    bool deleteEnabled = false;
    runner.On(CRegressDlg::IDD, [&](fw::CDialog& d) {
        deleteEnabled = d.GetDlgItem(CRegressDlg::IDC_DELETE)->IsWindowEnabled();
        d.GetDlgItemAs<fw::CButton>(CRegressDlg::IDC_DELETE)->Click();
        return fw::IDCANCEL;
    });
    CRegressDlg dlg(page);
    EXPECT_EQ(dlg.m_nKind, 1);
    EXPECT_EQ(dlg.m_nDegree, 3);
    EXPECT_EQ(dlg.DoModal(), CRegressDlg::kResultDeleted);
    EXPECT_TRUE(deleteEnabled);
    EXPECT_FALSE(graph->Draw().HasRegression());
}

} // namespace
