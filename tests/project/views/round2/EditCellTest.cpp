// The edit-cell command (F2) opens the current cell's editor as a double
// click does, and does nothing while the project is locked.

#include "tests/project/views/ProjectWindowFixture.h"

#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

#include <QWidget>

namespace prjview {
namespace {

class EditCellTest : public ProjectWindowFixture {};

TEST_F(EditCellTest, TheCommandOpensTheCurrentCellsEditorUnlessLocked)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CPrjChView* page = ChannelPage(doc);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->GetGrid()->SetSheetText(2, 1, "STRAIN-C", 1));
    page->GetGrid()->SetSelection({2, 1, 2, 1}, {2, 1}, {2, 1}, false);
    // The window is never shown here: the sheet gets room for the cell.
    CZELGridPane* sheet = page->GetGrid()->GetSheetPane();
    sheet->Widget()->resize(1200, 800);

    page->OnEditLock();
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdEditCell);
    EXPECT_EQ(sheet->GetEditor(), nullptr) << "locked: no editor";

    page->OnEditLock();
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdEditCell);
    CZELGridRichWnd* editor = sheet->GetEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetText().str(), "STRAIN-C") << "the editor holds the current cell's text";
}

} // namespace
} // namespace prjview
