// Commands every project page answers: printing and its preview, and the
// raised and normal text of an open in-cell editor.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/StandardCommands.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/views/pages/PrjExChView.h"

#include <QApplication>
#include <QWidget>

namespace prjview {
namespace {

class PageCommandsTest : public ProjectWindowFixture {
protected:
    static bool Enabled(fw::CCmdTarget* page, unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_bEnabled;
    }
};

TEST_F(PageCommandsTest, EveryPagePrintsAndPreviews)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    int pages = 0;
    fw::POSITION pos = doc->GetFirstViewPosition();
    while (pos) {
        auto* page = dynamic_cast<CProjectBaseView*>(doc->GetNextView(pos));
        if (!page)
            continue;
        ++pages;
        SCOPED_TRACE(page->GetRuntimeClass()->name);
        EXPECT_TRUE(page->HasCommandHandler(fw::ID_FILE_PRINT));
        EXPECT_TRUE(page->HasCommandHandler(fw::ID_FILE_PRINT_PREVIEW));
    }
    EXPECT_GE(pages, 15);
}

TEST_F(PageCommandsTest, RaisedTextGoesToTheOpenUnitEditor)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CProjectFrame* frame = FrameOf(doc);
    frame->OnPageCommand(prjcmd::kPageCalc);
    auto* page = dynamic_cast<CPrjExChView*>(frame->GetActiveView());
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(doc->SetCalcChannelText(CPrjExChView::kColUnit, 0, "m2", nullptr));
    page->GetGrid()->SetSelection({0, CPrjExChView::kColUnit, 0, CPrjExChView::kColUnit},
                                  {0, CPrjExChView::kColUnit}, {0, CPrjExChView::kColUnit}, false);
    EXPECT_FALSE(Enabled(page, CProjectBaseView::kIdSuperscript)) << "no editor is open";

    QWidget* window = frame->Widget()->window();
    window->resize(1200, 800);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    frame->ExecuteCommand(CProjectBaseView::kIdEditCell);
    CZELGridRichWnd* editor = page->GetGrid()->GetSheetPane()->GetEditor();
    ASSERT_NE(editor, nullptr);
    for (int attempt = 0; attempt < 5 && QApplication::focusWidget() != editor->Widget(); ++attempt) {
        window->raise();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        QApplication::processEvents();
        editor->Widget()->setFocus();
        QApplication::processEvents();
    }
    if (QApplication::focusWidget() != editor->Widget())
        GTEST_SKIP() << "no keyboard focus on this display";

    editor->SetSel(1, 2);
    ASSERT_TRUE(Enabled(page, CProjectBaseView::kIdSuperscript));
    frame->ExecuteCommand(CProjectBaseView::kIdSuperscript);
    EXPECT_EQ(editor->GetText().str(), "m\\super2\\super");

    page->OnEditLock();
    EXPECT_FALSE(Enabled(page, CProjectBaseView::kIdNormalScript)) << "locked";
    page->OnEditLock();
    window->hide();
}

} // namespace
} // namespace prjview
