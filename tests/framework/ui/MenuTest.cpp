#include "framework/core/MenuResource.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/Menu.h"
#include "tests/framework/ui/UiTestClasses.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

using namespace fw;
using M = MenuResource;

constexpr unsigned kContextMenu = 900;

void RegisterContextMenu()
{
    RegisterMenuResource(kContextMenu, M::Popup("", {M::Popup("context", {
        M::Item("A", 100), M::Item("B", 101), M::Separator(), M::Popup("Sub", {M::Item("C", 102)}),
        M::Item("D", 103, MF_CHECKED | MF_GRAYED)})}));
}

std::vector<unsigned> Ids(const CMenu& menu)
{
    std::vector<unsigned> ids;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
        ids.push_back(menu.GetMenuItemID(i));
    return ids;
}

TEST(Menu, LoadedItemsAndStates)
{
    RegisterContextMenu();
    CMenu root;
    ASSERT_TRUE(root.LoadMenu(kContextMenu));
    CMenu* popup = root.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Ids(*popup), (std::vector<unsigned>{100, 101, 0, 0xFFFFFFFF, 103}));
    EXPECT_EQ(popup->GetMenuString(3, MF_BYPOSITION), "Sub");
    EXPECT_EQ(popup->GetMenuState(103, MF_BYCOMMAND), MF_CHECKED | MF_GRAYED);
    EXPECT_EQ(popup->GetMenuState(102, MF_BYCOMMAND), 0u) << "found inside the sub-menu";
    EXPECT_EQ(popup->GetMenuState(555, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_FALSE(root.LoadMenu(12345));
}

TEST(Menu, EditingByPositionAndCommand)
{
    RegisterContextMenu();
    CMenu root;
    root.LoadMenu(kContextMenu);
    CMenu* popup = root.GetSubMenu(0);
    EXPECT_TRUE(popup->DeleteMenu(101, MF_BYCOMMAND));
    EXPECT_TRUE(popup->InsertMenu(0, MF_BYPOSITION | MF_STRING, 200, "first"));
    EXPECT_TRUE(popup->ModifyMenu(100, MF_BYCOMMAND | MF_STRING, 300, "renamed"));
    EXPECT_TRUE(popup->InsertMenu(102, MF_BYCOMMAND | MF_STRING, 201, "before C"));
    EXPECT_FALSE(popup->DeleteMenu(999, MF_BYCOMMAND));
    EXPECT_EQ(Ids(*popup), (std::vector<unsigned>{200, 300, 0, 0xFFFFFFFF, 103}));
    EXPECT_EQ(Ids(*popup->GetSubMenu(3)), (std::vector<unsigned>{201, 102}));
    EXPECT_EQ(popup->GetMenuString(300, MF_BYCOMMAND), "renamed");

    // RemoveMenu hands a popup back alive; DeleteMenu destroys it.
    CMenu* sub = popup->GetSubMenu(3);
    QPointer<QMenu> subMenu = sub->Menu();
    EXPECT_TRUE(popup->RemoveMenu(3, MF_BYPOSITION));
    EXPECT_FALSE(subMenu.isNull());
    EXPECT_EQ(Ids(*popup), (std::vector<unsigned>{200, 300, 0, 103}));
    EXPECT_TRUE(popup->AppendMenu(MF_POPUP, reinterpret_cast<uintptr_t>(subMenu.data()), "again"));
    EXPECT_TRUE(popup->DeleteMenu(4, MF_BYPOSITION));
    EXPECT_TRUE(subMenu.isNull());
    EXPECT_EQ(popup->CheckMenuItem(103, MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(popup->EnableMenuItem(103, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(popup->GetMenuState(103, MF_BYCOMMAND), 0u);
}

TEST(Menu, TrackPopupMenuUpdatesThenReturnsOrSendsTheChoice)
{
    uitest::Log().clear();
    uitest::TestApp app;
    uitest::MainFrame* main = app.MakeMainFrame();
    app.notes->OpenDocumentFile(CString());
    uitest::Log().clear();
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, uitest::ID_EDIT_COPY, "copy");
    menu.AppendMenu(MF_STRING, uitest::ID_NOBODY, "nobody");
    bool copyEnabled = false, nobodyEnabled = true;
    CMenu::SetTrackHook([&](CMenu& m) {
        copyEnabled = m.GetMenuState(uitest::ID_EDIT_COPY, MF_BYCOMMAND) == 0;
        nobodyEnabled = m.GetMenuState(uitest::ID_NOBODY, MF_BYCOMMAND) == 0;
        return uitest::ID_EDIT_COPY;
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, main), uitest::ID_EDIT_COPY);
    EXPECT_TRUE(uitest::Log().empty()) << "TPM_RETURNCMD only answers";
    EXPECT_TRUE(copyEnabled);
    EXPECT_FALSE(nobodyEnabled);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, main), 1u);
    EXPECT_EQ(uitest::Log(), std::vector<std::string>{"view copy"});
    CMenu::SetTrackHook(nullptr);
    app.CloseAllDocuments(true);
    uitest::RunDeferredDeletes();
    delete main;
}

constexpr unsigned kDialogCommand = 32950;

class ChoiceDialog : public CDialog {
    FW_DECLARE_COMMANDS()
public:
    explicit ChoiceDialog(CWnd* parent) : CDialog(148, parent) {}
    std::vector<unsigned> chosen;

private:
    void OnChoice(unsigned id) { chosen.push_back(id); }
    void OnUpdateChoice(CCmdUI* ui) { ui->SetCheck(1); }
};

FW_BEGIN_COMMANDS(ChoiceDialog, CDialog)
    FW_ON_COMMAND_RANGE(kDialogCommand, kDialogCommand, &ChoiceDialog::OnChoice)
    FW_ON_UPDATE_RANGE(kDialogCommand, kDialogCommand, &ChoiceDialog::OnUpdateChoice)
FW_END_COMMANDS

// A dialog of a window owns its context menus: their items are updated and
// answered by the dialog, not by the window's route, and an item without a
// handler stays as the menu has it.
TEST(Menu, ADialogAnswersTheMenusItOwns)
{
    uitest::Log().clear();
    uitest::TestApp app;
    uitest::MainFrame* main = app.MakeMainFrame();
    app.notes->OpenDocumentFile(CString());
    uitest::Log().clear();
    {
        ChoiceDialog dialog(main);
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kDialogCommand, "choice");
        menu.AppendMenu(MF_STRING, uitest::ID_NOBODY, "nobody");
        unsigned choiceState = 0, nobodyState = 0;
        CMenu::SetTrackHook([&](CMenu& m) {
            choiceState = m.GetMenuState(kDialogCommand, MF_BYCOMMAND);
            nobodyState = m.GetMenuState(uitest::ID_NOBODY, MF_BYCOMMAND);
            return kDialogCommand;
        });
        EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &dialog), 1u);
        CMenu::SetTrackHook(nullptr);
        EXPECT_EQ(choiceState, MF_CHECKED);
        EXPECT_EQ(nobodyState, 0u);
        EXPECT_EQ(dialog.chosen, std::vector<unsigned>{kDialogCommand});
        EXPECT_TRUE(uitest::Log().empty());
    }
    app.CloseAllDocuments(true);
    uitest::RunDeferredDeletes();
    delete main;
}

} // namespace
