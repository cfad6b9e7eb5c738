// The program on the user's road: started as main() starts it, in a real X
// session with a window manager, driven by real mouse and keyboard events.
// Each test is its own process and session (see CMakeLists.txt).

#include "tests/road/RoadDriver.h"
#include "tests/road/RoadFiles.h"
#include "tests/road/RoadRun.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <thread>

namespace road {
namespace {

namespace fs = std::filesystem;

// The window types a user opens, how the road reaches each, and what its
// menu bar must offer while it is active.
struct WindowType {
    const char* name;
    const char* frameClass;          // the active child frame's class
    QStringList menus;               // menu bar captions, without accelerators
};

const WindowType kProject{"project", "CProjectFrame", {"ファイル", "計測", "グラフ", "ウィンドウ", "ヘルプ"}};
const WindowType kData{"data", "CKivDataFrame", {"ファイル", "計測", "グラフ", "ウィンドウ", "ヘルプ"}};
const WindowType kGraph{"graph", "CGraphViewFrame", {"ファイル", "ウィンドウ", "ヘルプ"}};
const WindowType kFrequency{"frequency", "CHistFrame", {"ファイル", "ウィンドウ", "ヘルプ"}};

std::string DataFile()
{
    const std::string path = HomeFolder() + "/road-data.kivd";
    if (!fs::exists(path)) {
        EXPECT_TRUE(MakeDataFile(path)) << "the data file for the road could not be written";
    }
    return path;
}

// The arguments that open the window type at start-up.
std::vector<std::string> ArgsFor(const WindowType& type)
{
    if (&type == &kData)
        return {DataFile()};
    if (&type == &kFrequency) {
        const std::string path = MakeFrequencyFile(HomeFolder());
        EXPECT_FALSE(path.empty()) << "the frequency file for the road could not be written";
        return {path};
    }
    return {"--no-start-page"};
}

bool WaitForFrame(const char* frameClass)
{
    return WaitFor([frameClass] { return ActiveChildClass() == frameClass; }, 30,
                   std::string("an active ") + frameClass + " window");
}

// Puts the window type in front; the graph window is a blank form made
// from the project window's グラフ menu.
bool Reach(const WindowType& type)
{
    if (&type != &kGraph)
        return WaitForFrame(type.frameClass);
    if (!WaitForFrame(kProject.frameClass) || !ChooseMenu({"グラフ", "白紙フォーム"}))
        return false;
    return WaitFor([] { return ChildCount() == 2 && ActiveChildClass() == kGraph.frameClass; }, 20,
                   "the blank graph form to open");
}

QStringList Plain(const QStringList& captions)
{
    QStringList plain;
    for (const QString& c : captions)
        plain << PlainCaption(c);
    return plain;
}

void ExpectMenuBar(const WindowType& type)
{
    const QStringList shown = Plain(MenuBarCaptions());
    for (const QString& wanted : type.menus)
        EXPECT_TRUE(shown.contains(wanted)) << "with the " << type.name << " window active the menu bar lacks "
                                            << wanted.toStdString() << "; it shows: " << shown.join(" ").toStdString();
}

void FocusActiveChild()
{
    Click(ChildTitlePoint());
}

// A new window opens at about three quarters of the area; the title bar
// moves it, and a double click on it maximises it; Ctrl+F4 closes it.
void WindowHandling(const WindowType& type)
{
    const QRect area = MdiAreaRect();
    const QRect opened = ChildGeometry();
    ASSERT_FALSE(area.isEmpty()) << "no MDI area";
    const double w = double(opened.width()) / area.width();
    const double h = double(opened.height()) / area.height();
    EXPECT_TRUE(w > 0.6 && w < 0.9 && h > 0.6 && h < 0.9)
        << "the new " << type.name << " window is " << opened.width() << " x " << opened.height() << " in an area of "
        << area.width() << " x " << area.height() << " (expected about three quarters)";

    const QPoint grip = ChildTitlePoint();
    Xdo("mousemove --sync " + std::to_string(grip.x()) + " " + std::to_string(grip.y()));
    Xdo("mousedown 1");
    for (int step = 1; step <= 6; ++step)
        Xdo("mousemove --sync " + std::to_string(grip.x() + 10 * step) + " " + std::to_string(grip.y() + 6 * step));
    Xdo("mouseup 1");
    WaitFor([&] { return ChildGeometry().topLeft() != opened.topLeft(); }, 5,
            std::string("the ") + type.name + " window to move when its title bar is dragged");

    DoubleClick(ChildTitlePoint());
    if (WaitFor(ActiveChildMaximized, 5,
                std::string("the ") + type.name + " window to maximise on a double click on its title bar")) {
        const QRect maximised = ChildGeometry();
        EXPECT_GE(maximised.width(), area.width() - 2);
        EXPECT_GE(maximised.height(), area.height() - 2);
    }

    const int before = ChildCount();
    Key("ctrl+F4");
    WaitFor([before] { return ChildCount() == before - 1; }, 5, std::string("Ctrl+F4 to close the ") + type.name + " window");
}

class WindowRoad : public ::testing::TestWithParam<const WindowType*> {};

TEST_P(WindowRoad, MenuBarSizeMaximiseAndClose)
{
    const WindowType& type = *GetParam();
    const int code = RunRoad(ArgsFor(type), [&] {
        if (!Reach(type))
            return;
        ExpectMenuBar(type);
        WindowHandling(type);
    });
    EXPECT_EQ(code, 0) << "exit code";
    EXPECT_TRUE(fs::exists(ProfileFile())) << "no profile written at " << ProfileFile();
}

// Every page of a group opens from the arrow beside the group's button, and
// the window's title then names that page.
void PagesFromDropDowns(const WindowType& type, size_t minimumButtons)
{
    const std::vector<DropDown> buttons = DropDownButtons();
    ASSERT_GE(buttons.size(), minimumButtons) << "the " << type.name << " window's tool bar has " << buttons.size()
                                              << " group buttons with a drop-down arrow";
    for (size_t b = 0; b < buttons.size(); ++b) {
        const std::string group = buttons[b].text.toStdString();
        // The bar may be rebuilt by a page switch: the arrow is looked up anew.
        const auto arrowOf = [&]() -> std::optional<QPoint> {
            const std::vector<DropDown> now = DropDownButtons();
            if (b < now.size())
                return now[b].arrow;
            ADD_FAILURE() << "the drop-down button " << group << " went away";
            return std::nullopt;
        };
        const auto first = arrowOf();
        if (!first)
            break;
        Click(*first);
        if (!WaitFor(PopupShown, 5, "the page menu of " + group))
            continue;
        const std::vector<MenuItem> items = PopupItems();
        Key("Escape");
        std::set<QString> titles;
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_FALSE(PlainCaption(items[i].caption).isEmpty()) << group << ": item " << i << " has no caption";
            if (!items[i].enabled)
                continue;
            const QString before = ActiveChildTitle();
            const auto arrow = arrowOf();
            if (!arrow)
                break;
            Click(*arrow);
            if (!WaitFor(PopupShown, 5, "the page menu of " + group))
                break;
            const std::vector<MenuItem> again = PopupItems();
            if (i >= again.size()) {
                ADD_FAILURE() << group << ": the page menu changed between two openings";
                Key("Escape");
                break;
            }
            Click(again[i].centre);
            const QString caption = PlainCaption(items[i].caption);
            WaitFor([] { return !PopupShown(); }, 5, "the page menu to close");
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const QString title = ActiveChildTitle();
            static const QRegularExpression page(R"( - \((.+)\)$)");
            const auto match = page.match(title);
            EXPECT_TRUE(match.hasMatch()) << group << " > " << caption.toStdString()
                                          << ": the window title names no page: " << title.toStdString();
            if (match.hasMatch()) {
                EXPECT_TRUE(titles.insert(match.captured(1)).second)
                    << group << " > " << caption.toStdString() << ": shows the same page as another item ("
                    << title.toStdString() << ", before: " << before.toStdString() << ")";
            }
            std::printf("[road] %s > %s: %s (%s)\n", group.c_str(), caption.toStdString().c_str(),
                        title.toStdString().c_str(), ActiveViewClass().c_str());
        }
    }
}

TEST(PageRoad, ProjectPagesFromDropDowns)
{
    const int code = RunRoad(ArgsFor(kProject), [] {
        if (WaitForFrame(kProject.frameClass))
            PagesFromDropDowns(kProject, 4);
    });
    EXPECT_EQ(code, 0) << "exit code";
}

TEST(PageRoad, DataPagesFromDropDowns)
{
    const std::vector<std::string> args = ArgsFor(kData);
    const int code = RunRoad(args, [] {
        if (WaitForFrame(kData.frameClass))
            PagesFromDropDowns(kData, 2);
    });
    EXPECT_EQ(code, 0) << "exit code";
}

std::set<fs::path> FilesUnder(const fs::path& folder, const std::string& ending, const std::string& prefix = "")
{
    std::set<fs::path> found;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file() && name.ends_with(ending) && name.starts_with(prefix))
            found.insert(it->path());
    }
    return found;
}

// Ctrl+S on a new project asks for a name (Qt's file dialog, the name typed
// with its folder); after that Ctrl+S (上書き保存) writes the same file again
// without asking.
TEST(SaveRoad, CtrlSNamesThenOverwrites)
{
    const fs::path home = HomeFolder();
    const int code = RunRoad(ArgsFor(kProject), [&] {
        if (!WaitForFrame(kProject.frameClass))
            return;
        FocusActiveChild();
        Key("ctrl+s");
        if (!WaitFor([] { return !ModalTitle().isEmpty(); }, 10, "Ctrl+S to ask for a file name"))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        Key("ctrl+a");
        Type((home / "road-save").string());
        Key("Return");
        if (!WaitFor([&] { return !FilesUnder(home, "", "road-save").empty() && ModalTitle().isEmpty(); }, 15,
                     "the named project file to be written"))
            return;
        const fs::path saved = *FilesUnder(home, "", "road-save").begin();
        EXPECT_GT(fs::file_size(saved), 0u);
        fs::remove(saved);
        FocusActiveChild();
        Key("ctrl+s");
        WaitFor([&] { return fs::exists(saved); }, 10, "上書き保存 (Ctrl+S) to write " + saved.string() + " again");
        EXPECT_TRUE(ModalTitle().isEmpty()) << "上書き保存 asked again: " << ModalTitle().toStdString();
        EXPECT_NE(ActiveChildTitle().indexOf("road-save"), -1) << "the window title does not name the saved file: "
                                                               << ActiveChildTitle().toStdString();
    });
    EXPECT_EQ(code, 0) << "exit code";
}

// Ctrl+P shows Qt's print dialog; without a print server its one printer is
// "print to PDF file", with a file name in the home folder, and accepting it
// writes the PDF. The program's own option dialogs on the way are accepted
// as they come.
class PrintRoad : public ::testing::TestWithParam<const WindowType*> {};

TEST_P(PrintRoad, CtrlPWritesPdf)
{
    const WindowType& type = *GetParam();
    const fs::path home = HomeFolder();
    const int code = RunRoad(ArgsFor(type), [&] {
        if (!Reach(type))
            return;
        const std::set<fs::path> before = FilesUnder(home, ".pdf");
        FocusActiveChild();
        Key("ctrl+p");
        if (!WaitFor([] { return !ModalTitle().isEmpty(); }, 10, std::string("Ctrl+P in the ") + type.name + " window to show a dialog"))
            return;
        const auto written = [&] { return FilesUnder(home, ".pdf").size() > before.size(); };
        for (int round = 0; round < 6 && !written(); ++round) {
            const QString modal = ModalTitle();
            std::printf("[road] print: dialog %s\n", modal.toStdString().c_str());
            if (modal.isEmpty())
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            Key("Return");
            WaitFor([&] { return written() || ModalTitle() != modal; }, 10, "the dialog " + modal.toStdString() + " to go");
        }
        if (WaitFor(written, 20, std::string("a PDF from the ") + type.name + " window under " + home.string())) {
            std::set<fs::path> after = FilesUnder(home, ".pdf");
            for (const fs::path& p : before)
                after.erase(p);
            const fs::path pdf = *after.begin();
            WaitFor([&] {
                std::error_code ec;
                return fs::file_size(pdf, ec) > 1000 && !ec;
            }, 10, "the PDF to be complete");
            std::ifstream in(pdf, std::ios::binary);
            std::string head(5, '\0');
            in.read(head.data(), 5);
            EXPECT_EQ(head, "%PDF-") << pdf;
        }
    });
    EXPECT_EQ(code, 0) << "exit code";
}

// The emulator of a control unit on a free loopback port, for one test.
class Emulator {
public:
    Emulator()
    {
        const char* sim = std::getenv("KIVSIM");
        if (!sim) {
            ADD_FAILURE() << "KIVSIM names no emulator";
            return;
        }
        const std::string log = SessionFolder() + "/kivsim.log";
        m_pid = fork();
        if (m_pid == 0) {
            std::freopen(log.c_str(), "w", stdout);
            execl(sim, sim, "--bind", "127.0.0.1", "0", static_cast<char*>(nullptr));
            _exit(127);
        }
        WaitFor([&] {
            std::ifstream in(log);
            std::string line;
            while (std::getline(in, line)) {
                const auto at = line.rfind(':');
                if (line.find("listening on") != std::string::npos && at != std::string::npos)
                    m_port = std::atoi(line.c_str() + at + 1);
            }
            return m_port > 0;
        }, 10, "the emulator to listen");
    }
    ~Emulator()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    int Port() const { return m_port; }

private:
    pid_t m_pid = -1;
    int m_port = 0;
};

// A user who set the connection to 127.0.0.1 and the emulator's port in an
// earlier session opens the measurement panel (F9) with the new project,
// answers what it asks, closes it and ends the program: exit code 0.
TEST(PanelRoad, PanelAgainstEmulatorThenExit)
{
    Emulator emulator;
    ASSERT_GT(emulator.Port(), 0);
    fs::create_directories(fs::path(ProfileFile()).parent_path());
    std::ofstream(ProfileFile()) << "[METER]\n406=1\nINTERFACE=0\nIPADDRESS=" << 0x7F000001 << "\nPORT="
                                 << emulator.Port() << "\nSERLIALNO=1\n";
    const auto seeded = fs::last_write_time(ProfileFile());
    const int code = RunRoad(ArgsFor(kProject), [] {
        if (!WaitForFrame(kProject.frameClass))
            return;
        FocusActiveChild();
        Key("F9");
        if (!WaitFor([] { return !OtherWindows().empty(); }, 20, "F9 to open the measurement panel"))
            return;
        // The panel may ask first (units found, settings to send): each
        // question is answered with its default button.
        TopWindow panel;
        for (int round = 0; round < 8; ++round) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            const std::vector<TopWindow> shown = OtherWindows();
            for (const TopWindow& w : shown)
                std::printf("[road] panel round %d: window \"%s\"%s\n", round, w.title.toStdString().c_str(),
                            w.modal ? " (modal)" : "");
            const auto question = std::find_if(shown.begin(), shown.end(), [](const TopWindow& w) { return w.modal; });
            const auto found = std::find_if(shown.begin(), shown.end(),
                                            [](const TopWindow& w) { return w.title.startsWith("計測パネル"); });
            if (question == shown.end() && found != shown.end()) {
                panel = *found;
                break;
            }
            if (question != shown.end())
                Key("Return");
        }
        Shot("panel");
        if (!panel.wid) {
            ADD_FAILURE() << "no window \"計測パネル\" stayed open after F9";
            return;
        }
        CloseWindow(panel.wid);
        WaitFor([&] {
            for (const TopWindow& w : OtherWindows())
                if (w.wid == panel.wid)
                    return false;
            return true;
        }, 15, "the measurement panel to close");
    });
    EXPECT_EQ(code, 0) << "exit code after the panel was used";
    EXPECT_GT(fs::last_write_time(ProfileFile()), seeded) << "the profile was not written at the end";
}

std::string TypeName(const ::testing::TestParamInfo<const WindowType*>& info)
{
    return info.param->name;
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowRoad, ::testing::Values(&kProject, &kData, &kGraph, &kFrequency), TypeName);
INSTANTIATE_TEST_SUITE_P(Windows, PrintRoad, ::testing::Values(&kProject, &kData, &kGraph, &kFrequency), TypeName);

} // namespace
} // namespace road
