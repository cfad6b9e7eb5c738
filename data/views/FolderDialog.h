#pragma once

// Asks for a folder through the installed file dialogs, starting at a given
// folder; the process's current folder is the same afterwards whatever the
// chooser did with it.

#include "framework/core/CString.h"

namespace fw {
class CWnd;
}

class CFolderDialog {
public:
    // Added to the caller's flags: the resizable chooser with an edit field.
    static constexpr unsigned kNewDialogStyle = 0x40;
    // A longer path is shown cut to this many characters and "...".
    static constexpr int kShownChars = 35;

    explicit CFolderDialog(const fw::CString& initialFolder = {}, unsigned flags = 0, fw::CWnd* owner = nullptr);

    void SetTitle(const fw::CString& title) { m_title = title; }
    // IDOK with the chosen folder, else IDCANCEL (the chosen folder stays
    // the initial one).
    int DoModal();
    const fw::CString& GetFolderPath() const { return m_chosen; }
    unsigned GetFlags() const { return m_flags; }
    fw::CWnd* GetOwner() const { return m_owner; }

    // The path as the chooser's status line shows it.
    static fw::CString ShownPath(const fw::CString& path);

private:
    fw::CString m_initial;
    fw::CString m_chosen;
    fw::CString m_title{"Current Selection"};
    unsigned m_flags;
    fw::CWnd* m_owner;
};
