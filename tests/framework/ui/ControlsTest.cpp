#include "framework/ui/CommonControls.h"
#include "framework/ui/Controls.h"
#include "tests/framework/ui/UiTestClasses.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QLineEdit>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(IpAddressCtrl, HostOrderAddressAndBlankFields)
{
    CIPAddressCtrl ip;
    // A profile word as the original stored it (signed).
    ip.SetAddress(static_cast<uint32_t>(-1062731519));
    uint32_t address = 0;
    EXPECT_EQ(ip.GetAddress(address), 4);
    EXPECT_EQ(address, 0xC0A80101u);
    EXPECT_EQ(ip.Field(0)->text(), "192");
    EXPECT_EQ(ip.Field(3)->text(), "1");
    ip.Field(2)->clear();
    EXPECT_EQ(ip.GetAddress(address), 3);
    EXPECT_EQ(address, 0xC0A80001u);
    ip.ClearAddress();
    EXPECT_TRUE(ip.IsBlank());
}

TEST(ProgressCtrl, StepsWrapAtTheEnd)
{
    CProgressCtrl bar;
    bar.SetRange32(0, 100);
    EXPECT_EQ(bar.GetPos(), 0);
    bar.SetStep(40);
    EXPECT_EQ(bar.StepIt(), 0);
    EXPECT_EQ(bar.StepIt(), 40);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 20) << "120 wraps to 20";
    EXPECT_EQ(bar.SetPos(500), 20);
    EXPECT_EQ(bar.GetPos(), 100);
}

TEST(ListControls, ItemDataAndExactSearchWithoutCase)
{
    CComboBox combo;
    CListBox list;
    for (const char* text : {"Ch1", "ch2", "計測"}) {
        combo.AddString(text);
        list.AddString(text);
    }
    struct Row { const char* name; int startAfter; const char* text; int found; };
    const Row rows[] = {
        {"case_folded", -1, "CH2", 1},
        {"japanese", -1, "計測", 2},
        {"wraps_around", 1, "ch1", 0},
        {"prefix_is_not_exact", -1, "Ch", -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(combo.FindStringExact(r.startAfter, r.text), r.found);
        EXPECT_EQ(list.FindStringExact(r.startAfter, r.text), r.found);
    }
    combo.SetItemData(2, 499);
    list.SetItemData(1, 1500);
    EXPECT_EQ(combo.GetItemData(2), 499u);
    EXPECT_EQ(list.GetItemData(1), 1500u);
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.SelectString(-1, "ch"), 0);
    EXPECT_EQ(combo.DeleteString(0), 2);
    EXPECT_EQ(combo.GetLBText(0), "ch2");
}

TEST(WindowPlacement, AChildFrameTakesBackItsNormalRectangle)
{
    uitest::TestApp app;
    uitest::MainFrame* main = app.MakeMainFrame();
    main->Widget()->resize(800, 600);
    main->Widget()->show();
    app.notes->OpenDocumentFile(CString());
    CMDIChildWnd* child = main->MDIGetActive();
    ASSERT_NE(child, nullptr);
    WINDOWPLACEMENT wp;
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = CRect(10, 20, 310, 220);
    ASSERT_TRUE(child->SetWindowPlacement(&wp));
    WINDOWPLACEMENT back;
    ASSERT_TRUE(child->GetWindowPlacement(&back));
    EXPECT_EQ(back.length, 44u);
    EXPECT_EQ(back.rcNormalPosition, CRect(10, 20, 310, 220));
    EXPECT_EQ(back.showCmd, static_cast<uint32_t>(SW_SHOWNORMAL));
    app.CloseAllDocuments(true);
    uitest::RunDeferredDeletes();
    delete main;
}

} // namespace
