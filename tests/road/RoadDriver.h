#pragma once

// The user's hands and eyes in a road test: the real program runs on the
// test's main thread (RunProgram, as main() does) while a driver thread
// sends real input events through xdotool and looks at the windows through
// calls queued to the program's own thread. Every wait is a poll with a
// time limit; a failure leaves a picture of the screen in the session's
// folder ($ROAD_TMP/shots, kept by xsession.sh --keep).

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

class QMenu;
class QWidget;

namespace fw {
class CFrameWnd;
class CMDIChildWnd;
class CMDIFrameWnd;
} // namespace fw

namespace road {

// The session's folder (ROAD_TMP, or the system's temporary folder).
std::string SessionFolder();
std::string HomeFolder();

// Set once the program's event loop has ended (or the program returned):
// from then on nothing is asked of it and no answer counts as a failure.
bool LoopEnded();
void MarkLoopEnded();
// Watches the program's event loop; called once the application exists.
void WatchLoop();

// Runs `fn` on the program's thread and answers its result; after
// `seconds` without an answer the test fails and a default value returns.
bool PostToGui(std::function<void()> fn, double seconds);
template <class F> auto OnGui(F fn, double seconds = 20) -> decltype(fn())
{
    using R = decltype(fn());
    if constexpr (std::is_void_v<R>) {
        PostToGui(fn, seconds);
    } else {
        auto result = std::make_shared<R>();
        PostToGui([fn, result] { *result = fn(); }, seconds);
        return *result;
    }
}

// Polls `ready` (on the driver's thread) every 100 ms until it holds or
// `seconds` pass; on time-out the test fails with `what` and a picture.
bool WaitFor(const std::function<bool()>& ready, double seconds, const std::string& what);

// xdotool with these arguments; true when it succeeded.
bool Xdo(const std::string& args);
void Key(const std::string& keys);          // e.g. "alt+f", "F9", "ctrl+s"
void Type(const std::string& text);
void Click(QPoint global, int button = 1);
void DoubleClick(QPoint global);
void Shot(const std::string& name);         // the whole screen as PNG

// --- what the program shows (call from the driver thread) -------------------------
fw::CMDIFrameWnd* MainFrame();               // on the program's thread only
fw::CMDIChildWnd* ActiveChild();             // likewise
bool MainWindowShown();
// Class of the active child frame ("" when none).
std::string ActiveChildClass();
// Class of the active view of the active child ("" when none).
std::string ActiveViewClass();
QString ActiveChildTitle();
int ChildCount();
QStringList MenuBarCaptions();               // of the main window
QRect ChildGeometry();                       // the active sub-window, in the MDI area
QRect MdiAreaRect();                         // the area's viewport, own coordinates
bool ActiveChildMaximized();
QPoint ChildTitlePoint();                    // the middle of the active child's title bar, global
// The visible top-level windows other than the main window: title and
// the X window of each.
struct TopWindow {
    QString title;
    unsigned long wid = 0;
    bool modal = false;
};
std::vector<TopWindow> OtherWindows();
// Asks the window manager to close the window, as Alt+F4 on it does.
void CloseWindow(unsigned long wid);
// The name of the visible modal dialog or popup ("" when none).
QString ModalTitle();
bool PopupShown();

// Opens the menu bar item whose caption starts with path[0] by clicking it,
// then the items along the path (captions compared without "(&X)" and "...");
// false with a failure when a step is missing.
bool ChooseMenu(const QStringList& path);
// Clicks the button of the visible modal dialog whose text starts with `text`.
bool ClickDialogButton(const QString& text);

// The group buttons of the active child's tool bars that carry a drop-down
// arrow: their command texts and the global point of each arrow.
struct DropDown {
    QString text;
    QPoint arrow;
};
std::vector<DropDown> DropDownButtons();
// The enabled items of the visible popup menu: caption and global centre.
struct MenuItem {
    QString caption;
    QPoint centre;
    bool enabled = true;
};
std::vector<MenuItem> PopupItems();

// A caption without its accelerator ("(&F)", "&") and trailing dots.
QString PlainCaption(QString caption);

} // namespace road
