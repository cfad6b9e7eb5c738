// The program's own project type: File > New and opening a ".kivp" show
// the project window with its input-channel page, whose edits are saved.

#include "tests/app/shell/ShellFixture.h"

#include "app/shell/MainFrame.h"
#include "grid/views/SpredView.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/PrjChView.h"
#include "project/views/ProjectFrame.h"

namespace shelltest {
namespace {

CPrjChView* ActivePage(CKIV5980App& app)
{
    auto* main = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    if (!main)
        return nullptr;
    auto* frame = dynamic_cast<CProjectFrame*>(main->MDIGetActive());
    return frame ? dynamic_cast<CPrjChView*>(frame->GetActiveView()) : nullptr;
}

TEST_F(ShellTest, NewAndOpenedProjectsShowTheProjectWindow)
{
    // The program's registration, not the stand-in type.
    UnregisterProjectType();
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    app.OnFileNew();
    CPrjChView* page = ActivePage(app);
    ASSERT_NE(page, nullptr);
    auto* doc = dynamic_cast<CKIV5980Doc*>(page->GetDocument());
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(page->GetGrid()->SetSheetText(0, 1, "STRAIN-A", 1));
    const std::string path = (dir / "work" / "shell.kivp").string();
    std::filesystem::create_directories(dir / "work");
    ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
    app.CloseAllDocuments(false);
    ASSERT_EQ(OpenDocumentCount(), 0);

    ASSERT_NE(app.OpenDocumentFile(fw::CString(path)), nullptr);
    CPrjChView* reopened = ActivePage(app);
    ASSERT_NE(reopened, nullptr);
    fw::CString text;
    ASSERT_TRUE(reopened->GetSheetText(text, 1, 0, 1));
    EXPECT_EQ(text, "STRAIN-A");
}

} // namespace
} // namespace shelltest
