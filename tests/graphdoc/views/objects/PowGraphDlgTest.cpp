// The spectrum dialog: the channels of the chosen document, the profile's
// channel selected, the choices written back on OK, and the refusal without
// a channel.

#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Controls.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "graphdoc/model/objects/PowPrf.h"
#include "graphdoc/views/objects/PowGraphDlg.h"

#include <gtest/gtest.h>

namespace {

class NamedChannels : public CKivDocBase {
public:
    NamedChannels()
    {
        m_docIdent = CDocIdent(5, 55);
        SetTitle("proj");
        for (int i = 0; i < 503; ++i) {
            auto* tank = new CFltDataTank;
            if (i == 0 || i == 1 || i == 502)
                tank->SetName(i < 500 ? "in" : "calc");
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList m_list;
};

class PowGraphDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_doc = new NamedChannels; }
    static void TearDownTestSuite() { delete s_doc; }
    void SetUp() override
    {
        list.Add(new CGraphPrf);
        auto* profile = new CGraphPrf;
        profile->m_yChannels = {502};
        list.Add(profile);
        list.m_pow.m_docIdent = s_doc->GetDocIdent();
    }
    static std::vector<std::string> Rows(fw::CDialog& d)
    {
        auto* channels = d.GetDlgItemAs<fw::CListBox>(CPowGraphDlg::IDC_CHANNELS);
        std::vector<std::string> rows;
        for (int i = 0; i < channels->GetCount(); ++i) {
            fw::CString text;
            channels->GetText(i, text);
            rows.push_back(text.str());
        }
        return rows;
    }

    static NamedChannels* s_doc;
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs runner;
    CPowGraphPrfList list;
};

NamedChannels* PowGraphDlgTest::s_doc = nullptr;

TEST_F(PowGraphDlgTest, ListsNamedChannelsAndWritesTheChoicesBack)
{
    std::vector<std::string> rows;
    int selected = -1;
    runner.On(CPowGraphDlg::IDD, [&](fw::CDialog& d) {
        rows = Rows(d);
        selected = d.GetDlgItemAs<fw::CListBox>(CPowGraphDlg::IDC_CHANNELS)->GetCurSel();
        d.GetDlgItemAs<fw::CButton>(CPowGraphDlg::IDC_WINDOW + 2)->Click();
        d.GetDlgItemAs<fw::CButton>(CPowGraphDlg::IDC_COUNT)->Click();
        d.OnOK();
        return fw::IDCANCEL;
    });
    CPowGraphDlg dlg(list, {s_doc});
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(rows, (std::vector<std::string>{"CH1  in", "CH2  in", "NO3  calc"}));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(list.m_pow.m_channel, 502);
    EXPECT_EQ(list.m_pow.m_window, 2);
    EXPECT_EQ(list.m_pow.m_countMode, 0);
    EXPECT_EQ(list.m_pow.m_strName, "proj");
    EXPECT_EQ(list.GetAt(1)->m_yChannels.front() & 0xFFFF, 502);
}

TEST_F(PowGraphDlgTest, AClosedDocumentShowsNoChannelsAndOkAsksForOne)
{
    services.prompt.Expect(0, fw::IDOK);
    list.m_pow.m_docIdent = CDocIdent(9, 9);
    list.m_pow.m_strName = "closed";
    std::vector<std::string> rows{"x"};
    std::string shown;
    runner.On(CPowGraphDlg::IDD, [&](fw::CDialog& d) {
        rows = Rows(d);
        shown = d.GetDlgItemAs<fw::CComboBox>(CPowGraphDlg::IDC_DOCUMENT)->GetWindowText().str();
        d.OnOK();
        return fw::IDCANCEL;
    });
    CPowGraphDlg dlg(list, {});
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(shown, "closed");
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_EQ(services.prompt.Prompts()[0].text, CPowGraphDlg::kTextNoSelection);
}

} // namespace
