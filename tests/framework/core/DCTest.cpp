#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace fw;
using Log = std::vector<std::string>;

TEST(DCMapping, LogicalToDeviceTable)
{
    struct Row {
        const char* name;
        int mode;
        CSize windowExt, viewportExt;
        CPoint windowOrg, viewportOrg;
        CPoint logical, device;
    };
    const Row rows[] = {
        {"text_with_origins", MM_TEXT, {1, 1}, {1, 1}, {10, 20}, {5, 5}, {30, 40}, {25, 25}},
        // -25.5 rounds away from zero to -26.
        {"anisotropic_halves_and_flips", MM_ANISOTROPIC, {1000, 1000}, {500, -250}, {0, 0}, {0, 300}, {101, 102}, {51, 274}},
        {"anisotropic_rounds_half_away", MM_ANISOTROPIC, {2, 2}, {1, 1}, {0, 0}, {0, 0}, {-3, 3}, {-2, 2}},
        // 10 mm on the 96-DPI display is 37.8 pixels; y grows upwards.
        {"lometric", MM_LOMETRIC, {}, {}, {0, 0}, {0, 0}, {100, 100}, {38, -38}},
        // The y scale (0.5) is the smaller; x shrinks to it.
        {"isotropic_keeps_aspect", MM_ISOTROPIC, {100, 100}, {200, 50}, {0, 0}, {0, 0}, {100, 100}, {50, 50}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RecordingSink sink;
        CDC dc(&sink);
        dc.SetMapMode(r.mode);
        if (r.mode == MM_ISOTROPIC || r.mode == MM_ANISOTROPIC) {
            dc.SetWindowExt(r.windowExt);
            dc.SetViewportExt(r.viewportExt);
        }
        dc.SetWindowOrg(r.windowOrg);
        dc.SetViewportOrg(r.viewportOrg);
        CPoint p = r.logical;
        dc.LPtoDP(&p);
        EXPECT_EQ(p, r.device);
    }
}

TEST(DCMapping, DeviceToLogicalRoundTripsOnExactScales)
{
    RecordingSink sink;
    CDC dc(&sink);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, -200);
    dc.SetViewportOrg(0, 400);
    CRect r(10, 20, 30, 40);
    dc.LPtoDP(&r);
    EXPECT_EQ(r, CRect(20, 360, 60, 320));
    dc.DPtoLP(&r);
    EXPECT_EQ(r, CRect(10, 20, 30, 40));
    EXPECT_EQ(dc.SetWindowExt(0, 5), CSize(100, 100)) << "a zero extent is refused";
    EXPECT_EQ(dc.GetWindowExt(), CSize(100, 100));
}

TEST(DCDrawing, CallsReachTheSinkWithTheSelectedObjects)
{
    RecordingSink sink;
    CDC dc(&sink);
    CPen red(PS_DASH, 2, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&red);
    dc.MoveTo(0, 0);
    dc.LineTo(10, 5);
    dc.SelectObject(old);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(10, 10, 0, 0);
    CBrush hatch;
    hatch.CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 255));
    dc.FillRect(CRect(1, 2, 3, 4), &hatch);
    const CPoint tri[] = {{0, 0}, {4, 0}, {0, 4}};
    dc.SetPolyFillMode(WINDING);
    dc.Polygon(tri, 3);
    EXPECT_EQ(sink.Log(), (Log{
        "line 0,0 10,5 pen=dash 2 #FF0000",
        "rect 0,0,10,10 pen=solid 0 #000000 brush=null",
        "fill 1,2,3,4 brush=hatch3 #0000FF",
        "polygon 0,0 4,0 0,4 winding pen=solid 0 #000000 brush=null",
    }));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10, 5));
}

TEST(DCDrawing, UserStyleDashesAreKeptInLogicalUnits)
{
    RecordingSink sink;
    CDC dc(&sink);
    CPen pen;
    pen.CreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 3, LOGBRUSH{BS_SOLID, RGB(1, 2, 3), 0}, {6, 3});
    dc.SelectObject(&pen);
    const CPoint line[] = {{0, 0}, {5, 5}, {9, 0}};
    dc.Polyline(line, 3);
    EXPECT_EQ(sink.Log(), Log{"polyline 0,0 5,5 9,0 pen=user 3 #010203 [6,3]"});
}

TEST(DCText, AlignmentColoursAndTheCurrentPosition)
{
    RecordingSink sink;
    CDC dc(&sink);
    CFont font;
    font.CreatePointFont(90, "ＭＳ ゴシック");
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 128, 0));
    dc.SetTextAlign(TA_BASELINE | TA_CENTER);
    dc.TextOut(50, 60, "Ch1");
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(5, 5);
    dc.TextOut(0, 0, "ab");
    dc.TextOut(0, 0, "計");
    EXPECT_EQ(sink.Log(), (Log{
        "text 50,60 \"Ch1\" baseline|center #008000 font=ＭＳ ゴシック/-12",
        "text 5,5 \"ab\" top|left #008000 font=ＭＳ ゴシック/-12",
        "text 17,5 \"計\" top|left #008000 font=ＭＳ ゴシック/-12",
    }));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(29, 5));
}

TEST(DCText, DrawTextPlacesAndMeasures)
{
    RecordingSink sink;
    CDC dc(&sink);
    dc.SetBkMode(TRANSPARENT);
    CRect box(0, 0, 100, 40);
    dc.DrawText("&File", &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    CRect measure(10, 10, 10, 10);
    EXPECT_EQ(dc.DrawText("ab\nabcd", &measure, DT_CALCRECT | DT_NOPREFIX), 24);
    EXPECT_EQ(measure, CRect(10, 10, 34, 34));
    EXPECT_EQ(sink.Log(), Log{"text 38,14 \"File\" top|left #000000 font=MS UI Gothic/-12 cut=0,0,100,40"});
}

TEST(DCState, SaveAndRestoreBringBackObjectsMappingAndClip)
{
    RecordingSink sink;
    CDC dc(&sink);
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    const int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    dc.SelectObject(&blue);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(20, 20);
    dc.IntersectClipRect(0, 0, 50, 50);
    dc.SaveDC();
    dc.SetViewportOrg(7, 7);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    dc.MoveTo(1, 1);
    dc.LineTo(2, 2);
    CRect clip;
    dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 50, 50));
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_FALSE(dc.RestoreDC(1)) << "nothing is saved any more";
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_FALSE(dc.HasClip());
    dc.LineTo(3, 3);
    // The current position is part of the saved state too.
    EXPECT_EQ(sink.Log(), (Log{"line 1,1 2,2 pen=solid 1 #0000FF clip=0,0,100,100",
                               "line 0,0 3,3 pen=solid 0 #000000"}));
}

TEST(LogFont, FaceIsStoredAsCp932AndCutAtACharacter)
{
    LOGFONT lf;
    lf.SetFaceName("ＭＳ Ｐゴシック");
    EXPECT_EQ(std::strlen(lf.lfFaceName), 15u);
    EXPECT_EQ(static_cast<uint8_t>(lf.lfFaceName[0]), 0x82);
    EXPECT_EQ(lf.GetFaceName(), "ＭＳ Ｐゴシック");
    // 16 wide characters are 32 bytes: the face keeps 15 of them.
    lf.SetFaceName("あいうえおかきくけこさしすせそた");
    EXPECT_EQ(std::strlen(lf.lfFaceName), 30u);
    EXPECT_EQ(lf.lfFaceName[31], '\0');
}

TEST(LogFont, PointFontsUseTheVirtualDisplay)
{
    CFont f;
    f.CreatePointFont(90, "MS UI Gothic");
    EXPECT_EQ(f.Info().lfHeight, -12);
    f.CreatePointFont(105, "MS UI Gothic");
    EXPECT_EQ(f.Info().lfHeight, -14);
}

} // namespace
