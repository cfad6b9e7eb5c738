#pragma once

// The desktop's implementations of the services model code calls: message
// boxes titled with the application title, the main frame's status line,
// the wait cursor, file dialogs, and the posted-message waker.

#include "framework/core/FileDialogs.h"
#include "framework/core/Services.h"

#include <QMessageBox>

namespace fw {

class QtPrompt final : public IPrompt {
public:
    int MessageBox(const CString& text, unsigned flags, unsigned msgId, unsigned help) override;

    // The buttons, icon and default button a box of these flags shows, and
    // the answer of each button (kept apart from the modal run for tests).
    static QMessageBox::StandardButtons ButtonsFor(unsigned flags);
    static QMessageBox::Icon IconFor(unsigned flags);
    static QMessageBox::StandardButton DefaultFor(unsigned flags);
    static int AnswerFor(QMessageBox::StandardButton button);
};

class QtStatus final : public IStatus {
public:
    void SetText(const CString& text) override;
    void Clear() override;
    void Beep() override;
};

class QtWaitCursor final : public IWaitCursor {
public:
    void Begin() override;
    void End() override;
};

class QtFileDialogs final : public IFileDialogs {
public:
    FileDialogResult Open(const FileDialogRequest& request) override;
    FileDialogResult Save(const FileDialogRequest& request) override;
    bool BrowseFolder(const CString& title, CString& folder) override;
};

// Installs all of the above (process lifetime) and the Qt waker of the
// posted-message queue.
void InstallQtServices();
// Only the waker and the repaint hook of WaitPump (tests keep their fakes).
void InstallQtEventHooks();

} // namespace fw
