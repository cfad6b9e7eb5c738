#include "app/shell/MainFrameMenus.h"
#include "app/shell/MenuEditing.h"
#include "app/shell/ProgramComposition.h"
#include "docbase/resources/ProgramMenus.h"
#include "framework/core/MenuResource.h"
#include "framework/core/RecentFileList.h"
#include "framework/ui/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using fw::CMenu;
using M = fw::MenuResource;

constexpr unsigned kSource = 9001;

// The items of a menu as "id" / "-" / "[caption: items]" for popups.
std::string Describe(CMenu* menu)
{
    std::string out;
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        if (!out.empty())
            out += " ";
        const unsigned id = menu->GetMenuItemID(i);
        if (id == 0xFFFFFFFFu)
            out += "[" + menu->GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str() + ": " +
                   Describe(menu->GetSubMenu(i)) + "]";
        else if (id == 0)
            out += "-";
        else
            out += std::to_string(id);
    }
    return out;
}

// A popup built from the items (tests build menus the way resources do).
std::unique_ptr<CMenu> PopupOf(std::vector<M> items)
{
    auto menu = std::make_unique<CMenu>();
    menu->CreatePopupMenu();
    CopyMenuItems(menu.get(), M::Popup("", std::move(items)));
    return menu;
}

class MenuEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's own menu resources, as the running program has them.
        ComposeProgram();
        fw::RegisterMenuResource(kSource, M::Popup("", {M::Popup("共有(&S)", {
            M::Item("a", 1), M::Separator(), M::Popup("sub", {M::Item("b", 2), M::Popup("deep", {M::Item("c", 3)})}),
        })}));
    }
};

TEST_F(MenuEditing, CopyMenuItemsCopiesSeparatorsAndPopupsToAnyDepth)
{
    auto source = PopupOf({M::Item("a", 1), M::Separator(), M::Popup("sub", {M::Item("b", 2),
                           M::Popup("deep", {M::Item("c", 3)})})});
    CMenu target;
    target.CreatePopupMenu();
    target.AppendMenu(fw::MF_STRING, 7, "kept");
    CopyMenuItems(&target, source.get());
    EXPECT_EQ(Describe(&target), "7 1 - [sub: 2 [deep: 3]]");
    EXPECT_EQ(target.GetMenuString(1, fw::MF_BYPOSITION), "a");
}

TEST_F(MenuEditing, CopyMenuFromResourceClearsOnlyWhenAskedAndIgnoresMissingResources)
{
    struct Row { const char* name; unsigned resource; bool clear; const char* expected; };
    const Row rows[] = {
        {"appends", kSource, false, "7 1 - [sub: 2 [deep: 3]]"},
        {"clears_first", kSource, true, "1 - [sub: 2 [deep: 3]]"},
        {"missing_resource", 9999, true, "7"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto target = PopupOf({M::Item("x", 7)});
        CopyMenuFromResource(r.resource, target.get(), r.clear);
        EXPECT_EQ(Describe(target.get()), r.expected);
    }
}

TEST_F(MenuEditing, ReplaceMenuItemByPopupPutsThePopupInThePlaceOfTheItem)
{
    auto menu = PopupOf({M::Item("x", 7), M::Item("Graph", 32936), M::Item("y", 8)});
    EXPECT_TRUE(ReplaceMenuItemByPopup(32936, kSource, menu.get()));
    EXPECT_EQ(Describe(menu.get()), "7 [共有(&S): 1 - [sub: 2 [deep: 3]]] 8");

    EXPECT_FALSE(ReplaceMenuItemByPopup(32936, kSource, menu.get())) << "the item is gone";
    auto other = PopupOf({M::Item("Graph", 32936)});
    EXPECT_FALSE(ReplaceMenuItemByPopup(32936, 9999, other.get()));
    EXPECT_EQ(Describe(other.get()), "32936");
}

TEST_F(MenuEditing, DeleteByIdOrTextTakesTheCountAndAnswersThePosition)
{
    auto menu = PopupOf({M::Item("a", 1), M::Item("b", 2), M::Separator(), M::Item("c", 3)});
    EXPECT_EQ(DeleteMenuItemById(menu.get(), 99, 1), -1);
    EXPECT_EQ(Describe(menu.get()), "1 2 - 3");
    EXPECT_EQ(DeleteMenuItemById(menu.get(), 2, 2), 1);
    EXPECT_EQ(Describe(menu.get()), "1 3");
    EXPECT_EQ(DeleteMenuItemByText(menu.get(), "c", 1), 1);
    EXPECT_EQ(DeleteMenuItemByText(menu.get(), "zzz", 1), -1);
    EXPECT_EQ(Describe(menu.get()), "1");
}

struct PopupCase {
    const char* name;
    std::vector<M> items;
    const char* expected;
};

class FramePopups : public MenuEditing, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(FramePopups, TheMainFrameEditsEveryPopupBeforeItShows)
{
    auto popup = PopupOf(GetParam().items);
    EditFramePopup(popup.get());
    EXPECT_EQ(Describe(popup.get()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shell, FramePopups, ::testing::Values(
    // The graph menu never shows the data and history sub-menus, the
    // spectrum graph or the blank form (with the separator after it).
    PopupCase{"graph_placeholder", {M::Item("Graph", 32936)},
              "[モニタグラフ: 32821 32822 32876 32877 32874 32875] 33191 -"},
    // The calculated channels are never offered.
    PopupCase{"channel_pages", {M::Item("ch", 32782)}, "32786 32787 32788 33338"},
    PopupCase{"data_window_can_gps_voice_pages_without_the_map", {M::Item("c", 33299)},
              "33300 33302 33301 33326 33298"},
    PopupCase{"help_of_the_graph_window", {M::Item("h", 33105)}, "57664"},
    PopupCase{"removal_with_separator_after", {M::Item("a", 1), M::Item("b", 32881), M::Separator(), M::Item("c", 3)},
              "- 3"},
    PopupCase{"removal_without_separator_after", {M::Item("a", 1), M::Item("b", 32881), M::Item("c", 3)}, "1 3"},
    PopupCase{"insert_object_takes_the_item_before", {M::Item("a", 1), M::Separator(), M::Item("obj", 57856),
              M::Item("c", 3)}, "1 3"},
    PopupCase{"instrument_caption_takes_the_item_before", {M::Item("a", 1), M::Separator(),
              M::Popup("測定器", {M::Item("x", 5)}), M::Item("c", 3)}, "1 3"},
    PopupCase{"measurement_menu", {M::Item("p", 32779), M::Item("i", 32905), M::Item("d", 32904), M::Item("c", 32906),
              M::Item("y", 32907), M::Item("chk", 32898), M::Item("auto", 32955), M::Item("del", 33156)}, "32779 32904"},
    PopupCase{"marker_menu", {M::Item("x", 33537)}, "33531 - 33532 33533 33534 - 33535 33536"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every menu the main frame fills a popup from exists in the running
// program, whichever window opens first.
TEST_F(MenuEditing, EveryMenuThePopupPassFillsFromExists)
{
    for (unsigned id : {139u, 140u, 141u, 313u, 314u, 150u, 356u, 352u, 348u, 418u, 351u, 350u, 165u, 306u, 333u,
                        353u, 109u, 365u, 372u, 375u, 374u, 419u, 395u, 396u, 401u, 400u, 402u, 403u, 415u}) {
        SCOPED_TRACE(id);
        auto popup = PopupOf({M::Item("placeholder", 1)});
        CopyMenuFromResource(id, popup.get(), true);
        EXPECT_GT(popup->GetMenuItemCount(), 0);
        EXPECT_NE(popup->GetMenuItemID(0), 1u);
    }
}

TEST(RecentFileItems, TheRecentFileItemBecomesOneItemPerFileAndBack)
{
    fw::CRecentFileList files(4);
    auto popup = PopupOf({M::Item("open", 57601), M::Item("最近使ったファイル", 57616), M::Separator(),
                          M::Item("exit", 57665)});
    ExpandRecentFileItems(popup.get(), files);
    EXPECT_EQ(Describe(popup.get()), "57601 57616 - 57665");
    EXPECT_FALSE(popup->FindAction(57616, fw::MF_BYCOMMAND)->isEnabled());

    files.Add("/d/one.kivp");
    files.Add("/d/R&D.kivd");
    ExpandRecentFileItems(popup.get(), files);
    EXPECT_EQ(Describe(popup.get()), "57601 57616 57617 - 57665");
    EXPECT_EQ(popup->FindAction(57616, fw::MF_BYCOMMAND)->text(), "&1 R&&D.kivd");
    EXPECT_EQ(popup->FindAction(57617, fw::MF_BYCOMMAND)->text(), "&2 one.kivp");

    files.Clear();
    ExpandRecentFileItems(popup.get(), files);
    EXPECT_EQ(Describe(popup.get()), "57601 57616 - 57665");
}

} // namespace
