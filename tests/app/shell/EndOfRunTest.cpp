// The end of a run that the desktop asks for, and settings that cannot be
// written.

#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/Profile.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/ui/UiTestSupport.h"

#include <filesystem>
#include <fstream>

namespace shelltest {
namespace {

fw::CDocument* OnlyDocument(CKIV5980App& app)
{
    fw::POSITION pos = app.m_pDocManager->GetFirstDocTemplatePosition();
    while (pos) {
        fw::CDocTemplate* tmpl = app.m_pDocManager->GetNextDocTemplate(pos);
        fw::POSITION docPos = tmpl->GetFirstDocPosition();
        if (docPos)
            return tmpl->GetNextDoc(docPos);
    }
    return nullptr;
}

TEST_F(ShellTest, AnEndRequestAsksAboutDocumentsAsClosingDoes)
{
    const std::string file = WriteFile(dir / "work" / "plan.kivp");
    ASSERT_TRUE(Start({file}));
    ASSERT_EQ(OpenDocumentCount(), 1);
    OnlyDocument(app)->SetModifiedFlag();

    // Cancelled: the program goes on with its document.
    services.prompt.Expect(fw::kIdpAskToSave, fw::IDCANCEL);
    app.OnEndRequest();
    EXPECT_EQ(OpenDocumentCount(), 1);
    EXPECT_NE(app.GetMainWnd(), nullptr);

    services.prompt.Expect(fw::kIdpAskToSave, fw::IDNO);
    app.OnEndRequest();
    EXPECT_EQ(OpenDocumentCount(), 0);
    uitest::RunDeferredDeletes();
    app.m_pMainWnd = nullptr;  // the frame closed and deleted itself
    EXPECT_EQ(Stop(), 0);
    EXPECT_FALSE(fw::CProfile(ProfileFile()).Sections().empty()) << "settings saved";
}

TEST_F(ShellTest, SettingsThatCannotBeWrittenAreToldAsAWriteFailure)
{
    ASSERT_TRUE(Start());
    // The profile's folder becomes a file: no rewrite can succeed.
    std::filesystem::remove_all(ProfileFile().parent_path());
    std::filesystem::create_directories(ProfileFile().parent_path().parent_path());
    std::ofstream(ProfileFile().parent_path()) << "x";
    services.prompt.ExpectText("KIV-5400.ini", fw::IDOK);
    EXPECT_EQ(Stop(), 0);
    EXPECT_EQ(services.prompt.PendingExpectations(), 0u);
}

} // namespace
} // namespace shelltest
