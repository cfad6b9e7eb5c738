// The unit settings form printed to a recording printer: one page, the
// test title at the corner of the page less 20 mm, then the port's lines
// with their values at the tab stops.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/views/settings/GPSFormView.h"
#include "canvoicegps/views/settings/GpsFormPrint.h"
#include "framework/core/DC.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/RecordingSink.h"

#include <algorithm>
#include <cstdlib>

namespace cangrid {
namespace {

class GPSFormPrintTest : public CanPageFixture {
protected:
    GPSFormPrintTest()
    {
        form = new CGPSFormView;  // the window deletes it
        form->Create(parent.get(), &doc);
        form->OnInitialUpdate();
        doc.SetTestTitle("Road test");
    }
    // Prints the form on a 600-DPI page of 4800 x 6600 pixels.
    void Print()
    {
        fw::CDC dc(&printer);
        fw::CPrintInfo info;
        form->OnBeginPrinting(&dc, &info);
        pages = info.GetMaxPage();
        form->OnPrepareDC(&dc, &info);
        form->OnPrint(&dc, &info);
        form->OnEndPrinting(&dc, &info);
    }
    // The logged text call that draws `text`, or "".
    std::string TextCall(const std::string& text) const
    {
        const std::string quoted = "\"" + text + "\"";
        auto found = std::find_if(printer.Log().begin(), printer.Log().end(),
                                  [&](const std::string& line) { return line.find(quoted) != std::string::npos; });
        return found == printer.Log().end() ? std::string() : *found;
    }
    static std::string At(int x, int y) { return "text " + std::to_string(x) + "," + std::to_string(y) + " "; }
    bool Has(int x, int y, const std::string& text) const
    {
        const std::string start = At(x, y) + "\"" + text + "\"";
        return std::any_of(printer.Log().begin(), printer.Log().end(),
                           [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    }
    // The y of the call drawing `text`; -1 without one.
    int LineOf(const std::string& text) const
    {
        const std::string call = TextCall(text);
        const size_t comma = call.find(',');
        return comma == std::string::npos ? -1 : std::atoi(call.c_str() + comma + 1);
    }

    CGPSFormView* form = nullptr;
    fw::RecordingSink printer{4800, 6600, 600, true};
    unsigned pages = 0;
};

TEST_F(GPSFormPrintTest, OnePageInsideTwentyMillimetresInDisplayUnits)
{
    Print();
    EXPECT_EQ(pages, 1u);
    // 20 mm = 472 printer pixels = 75.5 display pixels.
    EXPECT_EQ(form->GetPrintArea(), fw::CRect(76, 76, 692, 980));
    EXPECT_EQ(TextCall("Road test").rfind(At(76, 76), 0), 0u) << TextCall("Road test");
    EXPECT_NE(TextCall("Road test").find("top|left"), std::string::npos);
    EXPECT_EQ(TextCall("Road test").find(" bk="), std::string::npos) << "transparent";
}

TEST_F(GPSFormPrintTest, ThePortLinesFollowTheTitleWithTheirValuesAtTheTabStops)
{
    Unit().Can().memoryBytes = 1500000;
    Unit().Can().singleShot = true;
    Print();
    // A 9-point font is 12 display pixels high; lines are 1.3 heights apart.
    const int singleShot = LineOf("バスエラーで再送信しない（シングルショット）");
    ASSERT_GT(singleShot, 0);
    struct Row {
        const char* name;
        int x, y;
        const char* text;
    } rows[] = {
        {"port line one line below the title", 76, 92, "Port 1"},
        {"no empty line after the port line", 76, 108, "メモリ配分"},
        {"a label", 76, 124, "CAN"},
        {"a short label's value at the first stop", 76 + 150, 124, "1500000"},
        {"a long label's value at the second stop", 76 + 280, singleShot, "ON"},
    };
    for (const Row& r : rows)
        EXPECT_TRUE(Has(r.x, r.y, r.text)) << r.name << "\n" << TextCall(r.text);
    EXPECT_NE(TextCall("Port 1").find("/-12"), std::string::npos) << "9 points at 96 pixels an inch";
}

} // namespace
} // namespace cangrid
