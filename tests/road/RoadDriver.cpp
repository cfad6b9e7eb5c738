#include "tests/road/RoadDriver.h"

#include "framework/core/Document.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace road {

namespace {

std::string Quote(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Env(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

QMenu* ActivePopup()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

} // namespace

std::string SessionFolder()
{
    return Env("ROAD_TMP", std::filesystem::temp_directory_path().string());
}

std::string HomeFolder()
{
    return Env("HOME", SessionFolder());
}

namespace {
std::atomic<bool> g_loopEnded{false};
} // namespace

bool LoopEnded()
{
    return g_loopEnded;
}

void MarkLoopEnded()
{
    g_loopEnded = true;
}

void WatchLoop()
{
    PostToGui([] {
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] { g_loopEnded = true; });
    }, 20);
}

bool PostToGui(std::function<void()> fn, double seconds)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (g_loopEnded || !app)
        return false;
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> answer = done->get_future();
    QMetaObject::invokeMethod(
        app, [fn, done] { fn(); done->set_value(); }, Qt::QueuedConnection);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (answer.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        if (g_loopEnded)
            return false;
        if (std::chrono::steady_clock::now() > end) {
            ADD_FAILURE() << "the program did not answer within " << seconds << " s (busy or hung)";
            return false;
        }
    }
    return true;
}

bool WaitFor(const std::function<bool()>& ready, double seconds, const std::string& what)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (ready())
            return true;
        if (std::chrono::steady_clock::now() > end)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ADD_FAILURE() << "waited " << seconds << " s in vain for: " << what;
    std::string name;
    for (char c : what)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '-';
    Shot("timeout-" + name.substr(0, 40));
    return false;
}

bool Xdo(const std::string& args)
{
    return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

void Key(const std::string& keys)
{
    Xdo("key --clearmodifiers " + keys);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

void Type(const std::string& text)
{
    Xdo("type --delay 20 " + Quote(text));
}

void Click(QPoint global, int button)
{
    Xdo("mousemove --sync " + std::to_string(global.x()) + " " + std::to_string(global.y()));
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    Xdo("click " + std::to_string(button));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

void DoubleClick(QPoint global)
{
    Xdo("mousemove --sync " + std::to_string(global.x()) + " " + std::to_string(global.y()));
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    Xdo("click --repeat 2 --delay 80 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

void Shot(const std::string& name)
{
    static int count = 0;
    const std::string folder = SessionFolder() + "/shots";
    std::filesystem::create_directories(folder);
    const std::string file = folder + "/" + std::to_string(++count) + "-" + name + ".png";
    // Qt grabs the root window, so no picture tool is needed; a program
    // that no longer answers leaves no picture.
    const bool saved = QCoreApplication::instance() && PostToGui([file] {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            screen->grabWindow(0).save(QString::fromStdString(file));
    }, 5);
    if (saved)
        std::printf("[road] screen saved: %s\n", file.c_str());
}

fw::CMDIFrameWnd* MainFrame()
{
    fw::CWinApp* app = fw::AfxGetApp();
    return app ? dynamic_cast<fw::CMDIFrameWnd*>(app->m_pMainWnd) : nullptr;
}

fw::CMDIChildWnd* ActiveChild()
{
    fw::CMDIFrameWnd* frame = MainFrame();
    return frame ? frame->MDIGetActive() : nullptr;
}

bool MainWindowShown()
{
    return OnGui([] {
        fw::CMDIFrameWnd* frame = MainFrame();
        return frame && frame->MainWindow() && frame->MainWindow()->isVisible();
    });
}

std::string ActiveChildClass()
{
    return OnGui([] {
        fw::CMDIChildWnd* child = ActiveChild();
        return child ? std::string(child->GetRuntimeClass()->name) : std::string();
    });
}

std::string ActiveViewClass()
{
    return OnGui([] {
        fw::CMDIChildWnd* child = ActiveChild();
        fw::CView* view = child ? child->GetActiveView() : nullptr;
        return view ? std::string(view->GetRuntimeClass()->name) : std::string();
    });
}

QString ActiveChildTitle()
{
    return OnGui([] {
        fw::CMDIChildWnd* child = ActiveChild();
        return child && child->SubWindow() ? child->SubWindow()->windowTitle() : QString();
    });
}

int ChildCount()
{
    return OnGui([] {
        fw::CMDIFrameWnd* frame = MainFrame();
        return frame && frame->MdiArea() ? static_cast<int>(frame->MdiArea()->subWindowList().size()) : 0;
    });
}

QStringList MenuBarCaptions()
{
    return OnGui([] {
        QStringList captions;
        fw::CMDIFrameWnd* frame = MainFrame();
        if (frame && frame->MainWindow())
            for (QAction* a : frame->MainWindow()->menuBar()->actions())
                if (a->isVisible() && !a->isSeparator())
                    captions << a->text();
        return captions;
    });
}

QRect ChildGeometry()
{
    return OnGui([] {
        fw::CMDIChildWnd* child = ActiveChild();
        return child && child->SubWindow() ? child->SubWindow()->geometry() : QRect();
    });
}

QRect MdiAreaRect()
{
    return OnGui([] {
        fw::CMDIFrameWnd* frame = MainFrame();
        return frame && frame->MdiArea() ? frame->MdiArea()->viewport()->rect() : QRect();
    });
}

bool ActiveChildMaximized()
{
    return OnGui([] {
        fw::CMDIChildWnd* child = ActiveChild();
        return child && child->SubWindow() && child->SubWindow()->isMaximized();
    });
}

QPoint ChildTitlePoint()
{
    return OnGui([] {
        fw::CMDIChildWnd* child = ActiveChild();
        QMdiSubWindow* sub = child ? child->SubWindow() : nullptr;
        if (!sub)
            return QPoint();
        // The title bar is what lies above the child's own widget; a
        // quarter in from the left stays clear of the buttons and the icon.
        const int titleBottom = sub->widget() ? sub->widget()->geometry().top() : 20;
        return sub->mapToGlobal(QPoint(sub->width() / 3, std::max(3, titleBottom / 2)));
    });
}

std::vector<TopWindow> OtherWindows()
{
    return OnGui([] {
        std::vector<TopWindow> found;
        fw::CMDIFrameWnd* frame = MainFrame();
        QWidget* main = frame ? frame->MainWindow() : nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != main && w->isVisible() && !qobject_cast<QMenu*>(w) && !w->windowTitle().isEmpty())
                found.push_back({w->windowTitle(), static_cast<unsigned long>(w->winId()), w->isModal()});
        return found;
    });
}

void CloseWindow(unsigned long wid)
{
    Xdo("windowactivate --sync " + std::to_string(wid));
    Key("alt+F4");
}

QString ModalTitle()
{
    return OnGui([] {
        QWidget* modal = QApplication::activeModalWidget();
        return modal ? modal->windowTitle() + "|" + modal->metaObject()->className() : QString();
    });
}

bool PopupShown()
{
    return OnGui([] { return ActivePopup() != nullptr; });
}

QString PlainCaption(QString caption)
{
    static const QRegularExpression accelerator(R"(\(&.\))");
    caption.remove(accelerator);
    caption.remove('&');
    const int tab = caption.indexOf('\t');
    if (tab >= 0)
        caption.truncate(tab);
    while (caption.endsWith('.') || caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    return caption.trimmed();
}

std::vector<MenuItem> PopupItems()
{
    return OnGui([] {
        std::vector<MenuItem> items;
        QMenu* menu = ActivePopup();
        if (!menu)
            return items;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            items.push_back({a->text(), menu->mapToGlobal(menu->actionGeometry(a).center()), a->isEnabled()});
        }
        return items;
    });
}

bool ChooseMenu(const QStringList& path)
{
    if (path.isEmpty())
        return false;
    const QPoint barItem = OnGui([first = path.front()] {
        fw::CMDIFrameWnd* frame = MainFrame();
        if (!frame || !frame->MainWindow())
            return QPoint();
        QMenuBar* bar = frame->MainWindow()->menuBar();
        for (QAction* a : bar->actions())
            if (PlainCaption(a->text()).startsWith(first))
                return bar->mapToGlobal(bar->actionGeometry(a).center());
        return QPoint();
    });
    if (barItem.isNull()) {
        ADD_FAILURE() << "the menu bar has no " << path.front().toStdString() << ": "
                      << MenuBarCaptions().join(" ").toStdString();
        return false;
    }
    Click(barItem);
    for (int step = 1; step < path.size(); ++step) {
        if (!WaitFor(PopupShown, 5, "the menu " + path[step - 1].toStdString() + " to open"))
            return false;
        // A sub-menu that just opened becomes the active popup.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const QString wanted = path[step];
        MenuItem found;
        bool have = false;
        for (const MenuItem& item : PopupItems())
            if (PlainCaption(item.caption).startsWith(wanted)) {
                found = item;
                have = true;
                break;
            }
        if (!have || !found.enabled) {
            QStringList shown;
            for (const MenuItem& item : PopupItems())
                shown << item.caption + (item.enabled ? "" : " (disabled)");
            ADD_FAILURE() << "menu " << path.join(" > ").toStdString() << ": "
                          << (have ? "item is disabled" : "item is missing") << "; the menu shows: "
                          << shown.join(", ").toStdString();
            Shot("menu-" + std::to_string(step));
            Key("Escape");
            Key("Escape");
            Key("Escape");
            return false;
        }
        Click(found.centre);
    }
    return true;
}

bool ClickDialogButton(const QString& text)
{
    const QPoint at = OnGui([text] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return QPoint();
        for (QAbstractButton* b : modal->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled() && PlainCaption(b->text()).startsWith(text))
                return b->mapToGlobal(b->rect().center());
        return QPoint();
    });
    if (at.isNull())
        return false;
    Click(at);
    return true;
}

std::vector<DropDown> DropDownButtons()
{
    return OnGui([] {
        std::vector<DropDown> found;
        fw::CMDIChildWnd* child = ActiveChild();
        QMdiSubWindow* sub = child ? child->SubWindow() : nullptr;
        if (!sub)
            return found;
        for (QToolButton* b : sub->findChildren<QToolButton*>()) {
            if (!b->isVisible() || b->popupMode() != QToolButton::MenuButtonPopup)
                continue;
            const int arrow = b->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, b);
            found.push_back({b->text(), b->mapToGlobal(QPoint(b->width() - std::max(4, arrow / 2), b->height() / 2))});
        }
        std::sort(found.begin(), found.end(), [](const DropDown& a, const DropDown& b) { return a.arrow.x() < b.arrow.x(); });
        return found;
    });
}

} // namespace road
