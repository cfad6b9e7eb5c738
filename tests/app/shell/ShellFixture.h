#pragma once

// A started application in its own profile and data folders, with
// scripted prompts, dialogs and file dialogs, and a stand-in project
// document type (string 129) that shows the program's own project menu.

#include "app/shell/KIV5980App.h"
#include "framework/core/Document.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/View.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace shelltest {

class ProjectDoc : public fw::CDocument {
    FW_DECLARE_DYNCREATE(ProjectDoc)
public:
    void Serialize(fw::CArchive& ar) override;
};

class ProjectView : public fw::CView {
    FW_DECLARE_DYNCREATE(ProjectView)
    FW_DECLARE_COMMANDS()
public:
    void OnDraw(fw::CDC*) override {}
    void OnUpdate(fw::CView*, intptr_t hint, fw::CObject*) override { hints.push_back(hint); }
    std::vector<intptr_t> hints;
};

// Registers the stand-in project type (once per test).
void RegisterProjectType();
void UnregisterProjectType();

// Writes a file (with `bytes`) and answers its path.
std::string WriteFile(const std::filesystem::path& path, const std::string& bytes = "x");

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // InitInstance with these arguments after the program name (the Qt
    // services stay the test's own).
    bool Start(const std::vector<std::string>& args = {"--no-start-page"});
    // ExitInstance, once.
    int Stop();
    // The profile file and the data folder this test uses.
    std::filesystem::path ProfileFile() const { return dir / "config" / "ZEL" / "KIV-5400.ini"; }
    std::filesystem::path DataFolder() const { return dir / "data" / "ZEL" / "KIVDATA"; }
    // Recent-file lines for the profile before start-up.
    void SeedRecentFiles(const std::vector<std::string>& paths);
    int OpenDocumentCount() const { return app.m_pDocManager->GetOpenDocumentCount(); }

    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs dialogs;
    fw::test::ScriptedFileDialogs files;
    CKIV5980App app;
    bool started = false;
    bool stopped = false;

private:
    std::optional<std::string> m_oldConfig;
    std::optional<std::string> m_oldData;
};

} // namespace shelltest
