// The owner-drawn controls paint through their own drawing operations when
// Qt paints them.

#include "docview/controls/ColorBtn.h"
#include "docview/controls/ColorPickers.h"
#include "docview/controls/ZELTabCtrl.h"
#include "docview/instrumentdlg/KivUnitMenu.h"

#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

uint32_t Rgb(fw::COLORREF c)
{
    return (static_cast<uint32_t>(fw::GetRValue(c)) << 16) | (static_cast<uint32_t>(fw::GetGValue(c)) << 8) |
           fw::GetBValue(c);
}

TEST(OwnerDrawPaint, TheColourButtonShowsItsFace)
{
    CColorBtn button;
    button.Widget()->resize(60, 24);
    QImage shot = button.Widget()->grab().toImage();
    EXPECT_EQ(shot.pixel(6, 6) & 0xFFFFFF, Rgb(fw::RGB(0, 192, 0))) << "indicator green";
    button.m_crFace = fw::RGB(200, 0, 0);
    button.SetDrawValue(0);
    shot = button.Widget()->grab().toImage();
    EXPECT_EQ(shot.pixel(6, 6) & 0xFFFFFF, Rgb(fw::RGB(200, 0, 0)));
}

TEST(OwnerDrawPaint, TheClosedColourComboShowsTheChosenColour)
{
    CColorCmbBox box;
    box.AddColor(fw::RGB(0, 0, 255));
    box.SetCurSel(0);
    box.Widget()->resize(80, 24);
    const QImage shot = box.Widget()->grab().toImage();
    bool blue = false;
    for (int x = 0; x < shot.width() && !blue; ++x)
        blue = (shot.pixel(x, shot.height() / 2) & 0xFFFFFF) == 0x0000FFu;
    EXPECT_TRUE(blue);
}

TEST(OwnerDrawPaint, TheUnitMenuMeasuresItsItemsWithoutMarkers)
{
    CKivUnitMenu menu;
    menu.LoadUnits(CKivUnitMenu::kUnitItemId);
    const QSize size = menu.Menu()->sizeHint();
    EXPECT_GT(size.height(), 41 * 8);
    EXPECT_FALSE(menu.Menu()->grab().toImage().isNull());
}

TEST(OwnerDrawPaint, AnOwnerDrawnTabBarPaintsItsTabs)
{
    CZELTabCtrl tabs;
    tabs.InsertItem(0, "Sheet1");
    tabs.SetOwnerDraw(1);
    tabs.Widget()->resize(200, 30);
    const QImage shot = tabs.Widget()->grab().toImage();
    const fw::CRect tab = tabs.GetItemRect(0);
    EXPECT_EQ(shot.pixel(tab.left + 1, tab.bottom - 1) & 0xFFFFFF, 0xF0F0F0u) << "button face";
}

} // namespace
