// The menu bar of each document window as the running program has it: its
// own menu resource, the shared popups spliced in at start-up, and every
// popup filled and pruned by the main frame before it shows.

#include "tests/app/shell/ShellFixture.h"

#include "app/shell/MainFrame.h"
#include "app/shell/ShellIds.h"
#include "framework/ui/Menu.h"
#include "framework/ui/ToolBar.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QAction>

#include <map>
#include <set>

namespace shelltest {
namespace {

// First items that stand for a menu resource until the popup opens.
const std::set<unsigned> kPlaceholders = {
    32782, 32783, 32784, 33369, 32785, 32828, 32841, 32849, 32852, 32856, 32858, 32860, 32861, 32862, 32915, 32936,
    32938, 33010, 33105, 33151, 33164, 33171, 33172, 33557, 33290, 33299, 33321, 33323, 33324, 33325, 33537,
};

// Commands the program keeps out of every menu (their handlers stay).
const std::set<unsigned> kRemoved = {
    32846, 32850, 32920, 32898, 32912, 32880, 32881, 32940, 32878, 33101, 32891, 57856, 57857, 57872, 32911, 32905,
    32906, 32907, 32955, 33156, 32789, 32792, 32793, 32794, 32863, 32867, 1306, 33202, 33368, 33334, 33530, 33558,
};
const std::set<QString> kRemovedCaptions = {
    "ｺﾝﾄﾛｰﾙ", "データグラフ", "履歴グラフ", "アラーム", "最大最小表示", "グラフのコピー", "測定器", "出力ﾚﾝｼﾞ",
};

// Opens `menu` as a user would (its popup pass runs), then every sub-menu
// it now holds; what should not be there is listed with its path.
void Walk(QMenu* menu, const QString& path, std::vector<QString>& problems, int& items)
{
    fw::RunMenuAboutToShow(menu);
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        ++items;
        const QString caption = a->text().section('\t', 0, 0);
        const QString here = path + " > " + caption;
        const unsigned id = fw::CMenu::CommandOf(a);
        if (kPlaceholders.count(id))
            problems.push_back(here + " placeholder " + QString::number(id));
        if (kRemoved.count(id))
            problems.push_back(here + " removed " + QString::number(id));
        if (kRemovedCaptions.count(caption))
            problems.push_back(here + " removed");
        if (a->menu())
            Walk(a->menu(), here, problems, items);
    }
}

struct WindowCase {
    const char* name;
    unsigned type;
    std::vector<QString> captions;
};

class DocumentMenus : public ShellTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(DocumentMenus, TheActiveWindowShowsItsOwnMenuFilledAndPruned)
{
    // The program's own project type and menus.
    UnregisterProjectType();
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    ASSERT_NE(app.OpenDocumentByTemplate(GetParam().type, fw::CString(), true), nullptr);
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->MDIGetActive(), nullptr);

    QMenuBar* bar = frame->MainWindow()->menuBar();
    std::vector<QString> captions;
    for (QAction* a : bar->actions())
        captions.push_back(a->text());
    EXPECT_EQ(captions, GetParam().captions);

    std::vector<QString> problems;
    int items = 0;
    for (QAction* a : bar->actions()) {
        ASSERT_NE(a->menu(), nullptr) << a->text().toStdString();
        Walk(a->menu(), a->text(), problems, items);
    }
    EXPECT_TRUE(problems.empty()) << problems.front().toStdString() << " (" << problems.size() << " in all)";
    EXPECT_GT(items, 30);
}

INSTANTIATE_TEST_SUITE_P(Shell, DocumentMenus, ::testing::Values(
    WindowCase{"project", kIdrProjectType, {"ファイル(&F)", "編集(&E)", "表示(&V)", "計測プロジェクト(&P)",
                                            "グラフ(&G)", "計測(&M)", "ウィンドウ(&W)", "ヘルプ(&H)"}},
    WindowCase{"data", kIdrDataType, {"ファイル(&F)", "編集(&E)", "表示(&V)", "グラフ(&G)", "計測(&M)",
                                      "ウィンドウ(&W)", "ヘルプ(&H)"}},
    WindowCase{"graph", kIdrGraphType, {"ファイル(&F)", "編集(&E)", "グラフ(&G)", "計測(&M)", "ウィンドウ(&W)",
                                        "ヘルプ(&H)"}},
    WindowCase{"frequency", kIdrHistType, {"ファイル(&F)", "編集(&E)", "表示(&V)", "グラフ(&G)", "計測(&M)",
                                           "ウィンドウ(&W)", "ヘルプ(&H)"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The commands a window's menu offers reach a handler of that window: the
// project window's save, print and measurement-panel items are enabled.
TEST_F(ShellTest, TheProjectWindowOffersSavePrintAndThePanel)
{
    UnregisterProjectType();
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    app.OnFileNew();
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_NE(frame->MDIGetActive(), nullptr);
    fw::CMenu* menu = frame->GetActiveMenu();
    ASSERT_NE(menu, nullptr);
    for (int pos = 0; pos < menu->GetMenuItemCount(); ++pos)
        fw::RunMenuAboutToShow(menu->GetSubMenu(pos)->Menu());
    for (unsigned id : {57603u, 57604u, 57607u, 57609u, 32831u, ID_KEISOKU_PANEL}) {
        QAction* a = menu->FindAction(id, fw::MF_BYCOMMAND);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_TRUE(a->isEnabled()) << id;
    }
    EXPECT_EQ(menu->FindAction(ID_KEISOKU_PANEL, fw::MF_BYCOMMAND)->shortcut(), QKeySequence("F9"));
    EXPECT_EQ(menu->FindAction(57603, fw::MF_BYCOMMAND)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(menu->FindAction(57607, fw::MF_BYCOMMAND)->shortcut(), QKeySequence("Ctrl+P"));
}

// Each document window binds the second keys of the edit commands and F2
// besides the keys its menu names; a key the menu binds is not bound twice.
TEST_F(ShellTest, EveryDocumentWindowBindsItsAcceleratorTable)
{
    UnregisterProjectType();
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    for (unsigned type : {kIdrProjectType, kIdrDataType, kIdrGraphType, kIdrHistType}) {
        SCOPED_TRACE(type);
        ASSERT_NE(app.OpenDocumentByTemplate(type, fw::CString(), true), nullptr);
        fw::CMDIChildWnd* child = frame->MDIGetActive();
        ASSERT_NE(child, nullptr);
        std::map<QString, unsigned> keys;
        for (QAction* a : child->Widget()->actions())
            keys[a->shortcut().toString(QKeySequence::PortableText)] = a->data().toUInt();
        EXPECT_EQ(keys["Shift+Ins"], 57637u);
        EXPECT_EQ(keys["Shift+Del"], 57635u);
        EXPECT_EQ(keys["F2"], 32838u);
        EXPECT_EQ(keys.count("Ctrl+V"), 0u) << "the menu's key";
    }
}

// Every button of the main tool bar has its tip, the last one included.
TEST_F(ShellTest, TheMainToolBarButtonsHaveTips)
{
    ASSERT_TRUE(Start());
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    const fw::CToolBar& bar = frame->ToolBar();
    for (int i = 0; i < bar.GetCount(); ++i) {
        const unsigned id = bar.GetItemID(i);
        if (id != 0) {
            EXPECT_FALSE(bar.ActionOf(id)->toolTip().isEmpty()) << id;
        }
    }
    EXPECT_EQ(bar.ActionOf(ID_KEISOKU_PANEL)->toolTip(), "計測パネル表示");
    EXPECT_NE(bar.GetItemID(bar.GetCount() - 1), 0u);
}

} // namespace
} // namespace shelltest
