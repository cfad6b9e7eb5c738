// The drop-downs of the signal grid's cells: the engineering units, the
// number formats and, for a send signal, the channels of the control
// unit's units with inputs.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanSigArray.h"
#include "framework/core/MenuResource.h"
#include "framework/ui/Menu.h"

#include <string>
#include <vector>

namespace cangrid {
namespace {

class CanSignalDropDownTest : public CanPageFixture {
protected:
    ~CanSignalDropDownTest() override { fw::CMenu::SetTrackHook(nullptr); }
    // One message of the direction with one signal, current.
    void OneSignal(bool send)
    {
        ShowDirection(send);
        Type(nodes, 0, 0, send ? "TX" : "RX");
        ShowDirection(send);
        Type(signalGrid, 0, 0, "SIG");
        Select(signalGrid, 0, 0, 0, CCanSignalView::kColumns - 1);
    }
    // Drops the cell's menu down, keeps its top-level texts and their
    // submenus' sizes, and chooses `choice`.
    void DropDown(int32_t col, unsigned choice)
    {
        texts.clear();
        subItems.clear();
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
                texts.push_back(popup.GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
                fw::CMenu* sub = popup.GetSubMenu(i);
                subItems.push_back(sub ? sub->GetMenuItemCount() : 0);
                if (sub && sub->GetMenuItemCount() > 0)
                    firstSubText.push_back(sub->GetMenuString(0, fw::MF_BYPOSITION).str());
            }
            return choice;
        });
        Select(signalGrid, 0, col, 0, col);
        signalGrid->OnDropDown(col, 0, fw::CPoint());
    }
    CCanSigArray& Signals() { return *signalGrid->GetSignals(); }

    std::vector<std::string> texts;
    std::vector<int> subItems;
    std::vector<std::string> firstSubText;
};

TEST_F(CanSignalDropDownTest, UnitAndFormatCellsOfferTheirLists)
{
    OneSignal(false);
    int stops = host.stops;
    DropDown(7, CCanSignalView::kIdFirstUnit + 1);
    EXPECT_EQ(texts.size(), 41u);
    fw::CString unit;
    Signals().GetText(0, canattr::kUnit, unit);
    EXPECT_FALSE(unit.IsEmpty());
    EXPECT_EQ(Text(signalGrid, 7, 0), unit.str());
    EXPECT_GT(host.stops, stops) << "polling paused for the change";

    DropDown(8, CCanSignalView::kIdFirstFormat + 2);
    EXPECT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[2], "0.00");
    EXPECT_EQ(Signals().GetValue(0, canattr::kDecimals), 2);
    EXPECT_EQ(Text(signalGrid, 8, 0), "0.00");
    // The format commands beyond seven decimals stay off.
    EXPECT_FALSE(Enabled(signalGrid, CCanSignalView::kIdFormatRangeLast));
    EXPECT_TRUE(Enabled(signalGrid, CCanSignalView::kIdFirstFormat + 3));
}

TEST_F(CanSignalDropDownTest, TheSourceCellListsTheChannelsOfUnitsWithInputs)
{
    OneSignal(true);
    // Port 2 holds the strain unit: its first channel is number 9.
    DropDown(1, CCanSignalView::kIdSourceOff + 9);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "OFF");
    EXPECT_EQ(texts.back(), "ユニット２");
    EXPECT_EQ(subItems.back(), CCanSignalView::kSourcesPerSlot);
    EXPECT_EQ(Signals().GetValue(0, canattr::kSource), 9);
    EXPECT_TRUE(doc.IsModified());

    Select(signalGrid, 0, 1, 0, 1);
    int check = 0;
    EXPECT_TRUE(Enabled(signalGrid, CCanSignalView::kIdSourceOff + 9, &check));
    EXPECT_EQ(check, 1);
    EXPECT_FALSE(Enabled(signalGrid, CCanSignalView::kIdSourceOff)) << "OFF is never chosen";
    EXPECT_FALSE(Enabled(signalGrid, CCanSignalView::kIdSourceOff + 8 * 5 + 1)) << "an empty unit slot";
}

TEST_F(CanSignalDropDownTest, NoDropDownWhileLocked)
{
    OneSignal(false);
    doc.ToggleEditLock();
    bool opened = false;
    fw::CMenu::SetTrackHook([&](fw::CMenu&) -> unsigned {
        opened = true;
        return 0;
    });
    signalGrid->OnDropDown(7, 0, fw::CPoint());
    EXPECT_FALSE(opened);
}

} // namespace
} // namespace cangrid
