#include "docview/controls/ZELTabCtrl.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Draws every tab as the control does and keeps the text lines.
std::vector<std::string> DrawTabs(CZELTabCtrl& tabs)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    std::vector<std::string> texts;
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        appctl::DrawItemInfo info;
        info.itemID = i;
        info.rcItem = fw::CRect(100 * i, 0, 100 * i + 80, 20);
        tabs.DrawItem(dc, info);
    }
    for (const std::string& line : sink.Log()) {
        if (line.rfind("text", 0) == 0)
            texts.push_back(line);
    }
    return texts;
}

TEST(ZELTabCtrl, TheHeavierOfTheTwoFontsBecomesTheControlsFont)
{
    struct Row { const char* name; int32_t sel; uint8_t selItalic; int32_t other; uint8_t otherItalic; int32_t weight; uint8_t italic; };
    const Row rows[] = {
        {"bold_selected", 700, 0, 400, 0, 700, 0},
        {"bold_others", 400, 0, 700, 0, 700, 0},
        {"equal_weights_take_the_others", 400, 1, 400, 0, 400, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CZELTabCtrl tabs;
        tabs.SetFonts(r.sel, r.selItalic, 0, r.other, r.otherItalic, 0);
        EXPECT_EQ(tabs.GetControlFont().lfWeight, r.weight);
        EXPECT_EQ(tabs.GetControlFont().lfItalic, r.italic);
        EXPECT_EQ(tabs.m_fontSelected.Info().lfWeight, r.sel);
        EXPECT_EQ(tabs.m_fontOther.Info().lfWeight, r.other);
    }
}

TEST(ZELTabCtrl, TheSelectedTabIsCentredInItsFontTheOthersSitAtTheBottom)
{
    CZELTabCtrl tabs;
    tabs.InsertItem(0, "Sheet1");
    tabs.InsertItem(1, "Sheet2");
    tabs.SetFonts(700, 0, 0, 400, 0, 0);
    tabs.SetCurSel(0);
    std::vector<std::string> first = DrawTabs(tabs);
    ASSERT_EQ(first.size(), 2u);
    tabs.SetCurSel(1);
    std::vector<std::string> second = DrawTabs(tabs);
    ASSERT_EQ(second.size(), 2u);
    auto head = [](const std::string& line) { return line.substr(0, line.find(" top|")); };
    // The tab rectangle is moved down by the 2-pixel edge (0..22 becomes
    // 2..22 after the clip). Selected: its top moved back up and the text
    // centred, (22 - 12) / 2 = 5 with the recording metrics; others: at
    // the bottom, 22 - 12 = 10.
    EXPECT_EQ(head(first[0]), "text 22,5 \"Sheet1\"");
    EXPECT_EQ(head(first[1]), "text 122,10 \"Sheet2\"");
    EXPECT_EQ(head(second[0]), "text 22,10 \"Sheet1\"");
    EXPECT_EQ(head(second[1]), "text 122,5 \"Sheet2\"");
}

TEST(ZELTabCtrl, TextStartsAtTheLeftEdgeUnlessTheTabHasAnImage)
{
    CZELTabCtrl tabs;
    tabs.InsertItem(0, "A");
    tabs.InsertItem(1, "A", 0);
    tabs.SetCurSel(0);
    tabs.SetImageList(16, 16);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    appctl::DrawItemInfo info;
    info.itemID = 1;
    info.rcItem = fw::CRect(0, 0, 80, 20);
    tabs.DrawItem(dc, info);
    const std::string withImage = sink.Log().back();
    sink.Clear();
    tabs.InsertItem(2, "A");
    info.itemID = 2;
    tabs.DrawItem(dc, info);
    const std::string without = sink.Log().back();
    // Same tab rectangle and text; the image pushes the centred text right
    // by half of a blank plus the image's width.
    auto x = [](const std::string& line) { return std::stoi(line.substr(5)); };
    const int blank = dc.GetTextExtent(" ").cx;
    EXPECT_EQ(x(withImage) - x(without), (blank + 16) / 2);
    EXPECT_EQ(sink.Log().front(), "fill 0,2,80,22 brush=solid #F0F0F0");
}

TEST(ZELTabCtrl, AnUnknownTabDrawsNothing)
{
    CZELTabCtrl tabs;
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    appctl::DrawItemInfo info;
    info.itemID = -1;
    tabs.DrawItem(dc, info);
    info.itemID = 3;
    tabs.DrawItem(dc, info);
    EXPECT_TRUE(sink.Log().empty());
}

TEST(ZELTabCtrl, TheStripHangsBelowTheOwnersClientArea)
{
    const fw::CRect strip = CZELTabCtrl::StripRect(fw::CRect(0, 0, 400, 300), fw::CRect(2, 2, 60, 22));
    EXPECT_EQ(strip, fw::CRect(2, 274, 398, 303));
    QWidget owner;
    owner.resize(400, 300);
    CZELTabCtrl tabs;
    tabs.Widget()->setParent(&owner);
    tabs.InsertItem(0, "Sheet1");
    tabs.ResizeClient();
    const fw::CRect tab = tabs.GetItemRect(0);
    const fw::CRect placed = tabs.GetWindowRect();
    EXPECT_EQ(placed.Height(), tab.Height() + 9);
    EXPECT_EQ(tabs.Widget()->geometry().bottom() + 1, 300 + tab.top + 1);
    tabs.Widget()->setParent(nullptr);
}

} // namespace
