#include "framework/ui/QtServices.h"

#include "framework/core/Message.h"
#include "framework/core/StringTable.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/QtClipboard.h"
#include "framework/ui/QtText.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/WinApp.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QMetaObject>
#include <QThread>

namespace fw {

namespace {

QWidget* MainWidget()
{
    CWnd* main = AfxGetMainWnd();
    return main ? main->Widget() : nullptr;
}

QStringList QtFilters(const FileDialogRequest& r)
{
    QStringList list;
    for (const FileFilter& f : r.filters)
        list << ToQ(QtFilterText(f));
    return list;
}

FileDialogResult RunFileDialog(const FileDialogRequest& r, bool save)
{
    QFileDialog dialog(MainWidget(), ToQ(r.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (r.flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (save && !(r.flags & OFN_OVERWRITEPROMPT))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = QtFilters(r);
    dialog.setNameFilters(filters);
    if (r.selectedFilter >= 0 && r.selectedFilter < filters.size())
        dialog.selectNameFilter(filters[r.selectedFilter]);
    dialog.setDefaultSuffix(ToQ(r.defaultExt));
    if (!r.initial.IsEmpty())
        dialog.selectFile(ToQ(r.initial));
    QCheckBox* extra = nullptr;
    if (r.extraCheckId != 0) {
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            extra = new QCheckBox(ToQ(r.extraCheckText), &dialog);
            extra->setChecked(r.extraCheckState);
            grid->addWidget(extra, grid->rowCount(), 0, 1, grid->columnCount());
        }
    }
    FileDialogResult result;
    ModalScope modal;
    result.ok = dialog.exec() == QDialog::Accepted;
    result.extraCheckState = extra ? extra->isChecked() : r.extraCheckState;
    if (result.ok) {
        for (const QString& f : dialog.selectedFiles())
            result.paths.push_back(FromQ(f));
        result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    }
    return result;
}

} // namespace

QMessageBox::StandardButtons QtPrompt::ButtonsFor(unsigned flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_ABORTRETRYIGNORE: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon QtPrompt::IconFor(unsigned flags)
{
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int QtPrompt::AnswerFor(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

QMessageBox::StandardButton QtPrompt::DefaultFor(unsigned flags)
{
    const int answer = DefaultButtonAnswer(flags);
    for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Abort, QMessageBox::Retry,
                                          QMessageBox::Ignore, QMessageBox::Yes, QMessageBox::No}) {
        if ((ButtonsFor(flags) & b) && AnswerFor(b) == answer)
            return b;
    }
    return QMessageBox::Ok;
}

int QtPrompt::MessageBox(const CString& text, unsigned flags, unsigned, unsigned)
{
    QMessageBox box(IconFor(flags), ToQ(LoadStringText(kIdsAppTitle)), ToQ(text), ButtonsFor(flags), MainWidget());
    box.setDefaultButton(DefaultFor(flags));
    ModalScope modal;
    const int chosen = box.exec();
    return AnswerFor(static_cast<QMessageBox::StandardButton>(chosen));
}

namespace {

// The status line belongs to the GUI thread; a text from work on another
// thread is handed over to it, in order.
template <class F> void OnGuiThread(F&& show)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (QThread::currentThread() == app->thread())
        show();
    else
        QMetaObject::invokeMethod(app, std::forward<F>(show), Qt::QueuedConnection);
}

void ShowStatusText(const CString& text, bool atOnce)
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    CStatusBar* bar = frame ? frame->GetStatusBar() : nullptr;
    if (!bar)
        return;
    // Long operations report without an event loop; the pane is painted at
    // once, but at most ten times a second.
    static QElapsedTimer lastPaint;
    const bool paint = atOnce || !lastPaint.isValid() || lastPaint.elapsed() >= 100;
    if (paint)
        lastPaint.restart();
    bar->SetPaneText(0, text.IsEmpty() ? CommandPromptText(kIdsIdleMessage) : text, paint);
}

} // namespace

void QtStatus::SetText(const CString& text)
{
    OnGuiThread([text] { ShowStatusText(text, false); });
}

void QtStatus::Clear()
{
    // The idle text shows as soon as the operation ends, even when what
    // follows keeps the event loop waiting.
    OnGuiThread([] { ShowStatusText(CString(), true); });
}

void QtStatus::Beep()
{
    QApplication::beep();
}

void QtWaitCursor::Begin()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtWaitCursor::End()
{
    QApplication::restoreOverrideCursor();
}

FileDialogResult QtFileDialogs::Open(const FileDialogRequest& request)
{
    return RunFileDialog(request, false);
}

FileDialogResult QtFileDialogs::Save(const FileDialogRequest& request)
{
    return RunFileDialog(request, true);
}

bool QtFileDialogs::BrowseFolder(const CString& title, CString& folder)
{
    ModalScope modal;
    const QString chosen = QFileDialog::getExistingDirectory(MainWidget(), ToQ(title), ToQ(folder),
                                                             QFileDialog::DontUseNativeDialog);
    if (chosen.isEmpty())
        return false;
    folder = FromQ(chosen);
    return true;
}

void InstallQtEventHooks()
{
    SetQueueWaker([] {
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [] { PumpPosted(); }, Qt::QueuedConnection);
    });
    SetRepaintHook([] {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}

void InstallQtServices()
{
    static QtPrompt prompt;
    static QtStatus status;
    static QtWaitCursor cursor;
    static QtFileDialogs dialogs;
    static QtClipboard clipboard;
    InstallClipboard(&clipboard);
    InstallPrompt(&prompt);
    InstallStatus(&status);
    InstallWaitCursor(&cursor);
    InstallFileDialogs(&dialogs);
    InstallQtEventHooks();
}

} // namespace fw
