#include "tests/app/shell/ShellFixture.h"

#include "app/shell/DocumentTypes.h"
#include "app/shell/ShellIds.h"
#include "framework/core/Archive.h"
#include "framework/ui/MultiDocTemplate.h"
#include "tests/support/ui/UiTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <optional>

namespace shelltest {

FW_IMPLEMENT_DYNCREATE(ProjectDoc, fw::CDocument)
FW_IMPLEMENT_DYNCREATE(ProjectView, fw::CView)
FW_BEGIN_COMMANDS(ProjectView, fw::CView)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_DIRECT, &fw::CView::OnFilePrintDirect)
FW_END_COMMANDS

void ProjectDoc::Serialize(fw::CArchive&)
{
}

// The stand-in shows the program's own project menu (registered at start-up).
void RegisterProjectType()
{
    RegisterDocumentType(kIdrProjectType, [] {
        return new fw::CMultiDocTemplate(kIdrProjectType, FW_RUNTIME_CLASS(ProjectDoc),
                                         FW_RUNTIME_CLASS(fw::CMDIChildWnd), FW_RUNTIME_CLASS(ProjectView));
    });
}

void UnregisterProjectType()
{
    UnregisterDocumentType(kIdrProjectType);
}

std::string WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

namespace {

// The environment of the other tests comes back after each shell test.
void RestoreVariable(const char* name, const std::optional<std::string>& value)
{
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

std::optional<std::string> Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace

void ShellTest::SetUp()
{
    m_oldConfig = Variable("XDG_CONFIG_HOME");
    m_oldData = Variable("XDG_DATA_HOME");
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    RegisterProjectType();
}

void ShellTest::TearDown()
{
    if (started && !stopped)
        Stop();
    app.CloseAllDocuments(true);
    uitest::RunDeferredDeletes();
    delete app.m_pMainWnd;
    app.m_pMainWnd = nullptr;
    uitest::RunDeferredDeletes();
    UnregisterProjectType();
    RestoreVariable("XDG_CONFIG_HOME", m_oldConfig);
    RestoreVariable("XDG_DATA_HOME", m_oldData);
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_EQ(dialogs.Problems(), "");
    EXPECT_EQ(files.Problems(), "");
}

bool ShellTest::Start(const std::vector<std::string>& args)
{
    std::vector<std::string> all{"kiv5400"};
    all.insert(all.end(), args.begin(), args.end());
    app.SetCommandLine(all);
    started = app.InitInstance();
    return started;
}

int ShellTest::Stop()
{
    stopped = true;
    return app.ExitInstance();
}

void ShellTest::SeedRecentFiles(const std::vector<std::string>& paths)
{
    std::filesystem::create_directories(ProfileFile().parent_path());
    std::ofstream ini(ProfileFile());
    ini << "[Recent File List]\n";
    for (size_t i = 0; i < paths.size(); ++i)
        ini << "File" << (i + 1) << "=" << paths[i] << "\n";
}

} // namespace shelltest
