// The installed program: `cmake --install` into a temporary folder, then
// the result tried with the desktop's own tools and started from there,
// with nothing of the build folder in reach.

#include "framework/ui/HandOverServer.h"
#include "framework/ui/InstanceLock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    bool finished = false;
    int code = -1;
    std::string output;  // standard output and error, together
};

Outcome RunTool(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                const fs::path& folder = {}, int ms = 60000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!folder.empty())
        process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.start(program, args);
    Outcome out;
    out.finished = process.waitForStarted(10000) && process.waitForFinished(ms);
    out.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    out.output = process.readAll().toStdString();
    return out;
}

QString Q(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

template <class Done> bool PumpUntil(Done done, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// One installation for every test: DESTDIR keeps even an absolute udev
// folder of the build's configuration inside the temporary folder, and
// the prefix differs from the configured one, so the program must find
// its parts relative to itself.
class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new kivtest::TempDir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", Q(Dir() / "stage"));
        s_install = RunTool(KIV_CMAKE_COMMAND, {"--install", KIV_BUILD_DIR, "--prefix", "/opt/kiv"}, env);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_install.finished && s_install.code == 0) << s_install.output;
    }

    static const fs::path& Dir() { return s_dir->Path(); }
    static fs::path Prefix() { return Dir() / "stage" / "opt" / "kiv"; }
    static fs::path Program() { return Prefix() / "bin" / "kiv5400"; }
    static fs::path Share() { return Prefix() / "share"; }

    // What a desktop session of a fresh user gives the program: no library
    // path, no build folder, an offscreen screen.
    static QProcessEnvironment UserSession(const fs::path& home)
    {
        fs::create_directories(home / "runtime");
        fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
        QProcessEnvironment env;
        env.insert("PATH", "/usr/bin:/bin");
        env.insert("HOME", Q(home));
        env.insert("XDG_DATA_HOME", Q(home / "data"));
        env.insert("XDG_CONFIG_HOME", Q(home / "config"));
        env.insert("XDG_RUNTIME_DIR", Q(home / "runtime"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LANG", "C.UTF-8");
        env.insert("TZ", "JST-9");
        return env;
    }
    // The desktop's look-ups through the installed share folder only (and
    // the system's base types), on a desktop xdg-utils knows no special
    // tool for.
    static QProcessEnvironment MimeLookUp()
    {
        QProcessEnvironment env;
        env.insert("PATH", "/usr/bin:/bin");
        env.insert("HOME", Q(Dir() / "home"));
        env.insert("XDG_DATA_HOME", Q(Dir() / "nothing"));
        env.insert("XDG_CONFIG_HOME", Q(Dir() / "nothing"));
        env.insert("XDG_DATA_DIRS", Q(Share()) + ":/usr/share");
        env.insert("XDG_CURRENT_DESKTOP", "X-Generic");
        return env;
    }

    static kivtest::TempDir* s_dir;
    static Outcome s_install;
};

kivtest::TempDir* Installed::s_dir = nullptr;
Outcome Installed::s_install;

TEST_F(Installed, TheProgramFindsTheUsbLibrariesBesideItselfNotInTheBuild)
{
    const fs::path libs = Prefix() / KIV_INSTALL_LIBDIR;
    EXPECT_TRUE(fs::is_regular_file(Program()));
    EXPECT_TRUE(fs::is_regular_file(libs / "libkiv406.so"));
    EXPECT_TRUE(fs::is_regular_file(libs / "libZELUSB.so"));

    // The program loads libkiv406.so by name: from its own folder, else
    // through its run path, which must lead to the installed library.
    const Outcome elf = RunTool("readelf", {"-d", Q(Program())}, QProcessEnvironment::systemEnvironment());
    ASSERT_EQ(elf.code, 0) << elf.output;
    const size_t at = elf.output.find("runpath: [");
    ASSERT_NE(at, std::string::npos) << elf.output;
    const size_t start = at + 10;
    std::string runpath = elf.output.substr(start, elf.output.find(']', start) - start);
    EXPECT_EQ(runpath.find(KIV_BUILD_DIR), std::string::npos) << runpath;
    bool found = false;
    std::stringstream parts(runpath);
    for (std::string part; std::getline(parts, part, ':');) {
        if (part.rfind("$ORIGIN", 0) == 0)
            part = (Prefix() / "bin").string() + part.substr(7);
        found = found || fs::is_regular_file(fs::path(part) / "libkiv406.so");
    }
    EXPECT_TRUE(found) << runpath;
}

TEST_F(Installed, TheDesktopEntryValidatesAndOpensTheFourTypesWithItsIcon)
{
    const fs::path entry = Share() / "applications" / "kiv5400.desktop";
    const Outcome valid = RunTool("desktop-file-validate", {Q(entry)}, QProcessEnvironment::systemEnvironment());
    EXPECT_TRUE(valid.finished && valid.code == 0 && valid.output.empty()) << valid.output;

    const std::string text = ReadText(entry);
    for (const char* line : {"\nName=KIV-5400\n", "\nName[ja]=KIV-5400\n", "\nExec=kiv5400 %F\n", "\nIcon=kiv5400\n",
                             "\nMimeType=application/x-kiv5400-project;application/x-kiv5400-data;"
                             "application/x-kiv5400-graph;application/x-kiv5400-histdata;\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_TRUE(fs::is_regular_file(Share() / "icons" / "hicolor" / "scalable" / "apps" / "kiv5400.svg"));

    // The desktop's table of which program opens which type names ours.
    const Outcome cache = RunTool("update-desktop-database", {Q(Share() / "applications")}, MimeLookUp());
    ASSERT_EQ(cache.code, 0) << cache.output;
    for (const char* type : {"application/x-kiv5400-project", "application/x-kiv5400-data",
                             "application/x-kiv5400-graph", "application/x-kiv5400-histdata"}) {
        const Outcome handler = RunTool("xdg-mime", {"query", "default", type}, MimeLookUp());
        EXPECT_EQ(handler.output, "kiv5400.desktop\n") << type;
    }
}

TEST_F(Installed, TheDesktopKnowsTheDocumentsByExtensionAndByTheirFirstBytes)
{
    const Outcome update = RunTool("update-mime-database", {Q(Share() / "mime")}, MimeLookUp());
    ASSERT_TRUE(update.finished && update.code == 0) << update.output;

    struct Row {
        const char* file;
        std::string bytes;
        const char* type;
    };
    const std::string int32 = std::string("\x08\x00\x00\x00", 4);
    const Row rows[] = {
        {"plan.kivp", "KIVKIV5980Docmect" + int32, "application/x-kiv5400-project"},
        {"run.kivd", "KivDataDocmect" + int32, "application/x-kiv5400-data"},
        {"page.kivg", "<GRAPHVIEW>" + int32, "application/x-kiv5400-graph"},
        {"counts.kivh", "KivHistDocmect" + int32, "application/x-kiv5400-histdata"},
        // Any case of the extension, and files whose start says nothing.
        {"OLD.KIVG", std::string("\x01\x00\x00\x00", 4), "application/x-kiv5400-graph"},
        {"empty.kivd", "", "application/x-kiv5400-data"},
        // Renamed files are known by their first bytes.
        {"project copy", "KIVKIV5980Docmect" + int32 + std::string(64, '\0'), "application/x-kiv5400-project"},
        {"data copy", "KivDataDocmect" + int32 + std::string(64, '\0'), "application/x-kiv5400-data"},
        {"graph copy", "<GRAPHVIEW>" + std::string("\x03\x00\x00\x00", 4) + std::string(64, '\0'),
         "application/x-kiv5400-graph"},
        {"counts copy", "KivHistDocmect" + std::string("\x03\x00\x00\x00", 4) + std::string(64, '\0'),
         "application/x-kiv5400-histdata"},
    };
    for (const Row& row : rows) {
        const std::string file = Write(Dir() / "files" / row.file, row.bytes);
        const Outcome type = RunTool("xdg-mime", {"query", "filetype", QString::fromStdString(file)}, MimeLookUp());
        EXPECT_EQ(type.output, std::string(row.type) + "\n") << row.file;
    }
}

TEST_F(Installed, TheInstalledProgramRunsAndASecondStartWithAFileEndsAtOnce)
{
    const fs::path home = Dir() / "user";
    const QProcessEnvironment env = UserSession(home);
    const fs::path socket = home / "data" / "ZEL" / "KIVDATA" / "KIV5980.sock";

    QProcess first;
    first.setProcessEnvironment(env);
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.setWorkingDirectory("/");
    first.start(Q(Program()), {"--no-start-page"});
    ASSERT_TRUE(first.waitForStarted(10000));
    const bool listening = PumpUntil(
        [&] { return fs::exists(fs::symlink_status(socket)) || first.state() == QProcess::NotRunning; }, 20000);
    ASSERT_TRUE(listening && first.state() == QProcess::Running) << first.readAll().toStdString();

    Write(home / "work" / "plan.kivp", "KIVKIV5980Docmect");
    const Outcome handed = RunTool(Q(Program()), {"plan.kivp"}, env, home / "work", 15000);
    EXPECT_TRUE(handed.finished && handed.code == 0) << handed.output;
    const Outcome bare = RunTool(Q(Program()), {}, env, home, 15000);
    EXPECT_TRUE(bare.finished && bare.code == 0) << bare.output;
    // The first instance has taken the file in the meantime and goes on.
    PumpUntil([&] { return first.state() != QProcess::Running; }, 1000);
    EXPECT_EQ(first.state(), QProcess::Running) << first.readAll().toStdString();

    first.terminate();
    if (!first.waitForFinished(10000)) {
        first.kill();
        first.waitForFinished(5000);
    }
}

TEST_F(Installed, ASecondStartOfTheInstalledProgramHandsItsFileToTheRunningInstance)
{
    const fs::path home = Dir() / "second";
    const fs::path data = home / "data" / "ZEL" / "KIVDATA";
    fs::create_directories(data);
    fw::InstanceLock running;
    ASSERT_TRUE(running.Acquire((data / "KIV5980.lock").string()));
    std::vector<std::string> received;
    fw::HandOverServer server;
    ASSERT_TRUE(server.Listen((data / "KIV5980.sock").string(), [&](const std::vector<fw::CString>& names) {
        for (const fw::CString& name : names)
            received.push_back(name.str());
    }));

    Write(home / "work" / "run 1.kivd", "KivDataDocmect");
    QProcess second;
    second.setProcessEnvironment(UserSession(home));
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.setWorkingDirectory(Q(home / "work"));
    second.start(Q(Program()), {"run 1.kivd", "/elsewhere/page.kivg"});
    ASSERT_TRUE(second.waitForStarted(10000));
    ASSERT_TRUE(PumpUntil([&] { return second.state() == QProcess::NotRunning; }, 15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAll().toStdString();
    PumpUntil([&] { return !received.empty(); }, 2000);
    EXPECT_EQ(received, (std::vector<std::string>{(home / "work" / "run 1.kivd").string(), "/elsewhere/page.kivg"}));
}

} // namespace
