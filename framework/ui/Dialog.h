#pragma once

// A dialog: controls made in code under their numeric ids (BuildControls),
// data exchange with its members (DoDataExchange), and a modal run through
// the installed dialog runner, so that tests script dialogs instead of
// showing them.

#include "framework/ui/ControlHost.h"
#include "framework/ui/Wnd.h"

#include <memory>
#include <vector>

class QDialog;

namespace fw {

class CDataExchange;
class DialogBuilder;

inline constexpr unsigned IDC_STATIC = 0xFFFFFFFFu;

class CDialog : public CWnd, public ControlHost {
    FW_DECLARE_DYNAMIC(CDialog)
    FW_DECLARE_COMMANDS()
public:
    explicit CDialog(unsigned templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    unsigned GetTemplateId() const { return m_templateId; }
    virtual void BuildControls(DialogBuilder& builder) {}
    // Default: UpdateData(false). True lets the default focus stand.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx) {}
    // Moves data (save: controls to members, with checks). False when a
    // check failed (the user was told).
    bool UpdateData(bool save = true);
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);
    bool IsEnded() const { return m_ended; }
    int GetResult() const { return m_result; }

    // Runs the dialog modally through the installed runner; the result is
    // the EndDialog value (IDOK, IDCANCEL, ...), -1 when it could not run.
    virtual int DoModal();
    // Shows it modeless.
    bool Create(CWnd* parent = nullptr);

    // Makes the Qt dialog and its controls (once).
    void EnsureBuilt();
    // OnInitDialog, once, guarded like any handler.
    void InitDialog();
    QDialog* Dialog() const;
    CWnd* ParentWnd() const { return m_parent; }

    CWnd& HostWindow() override { return *this; }

private:
    unsigned m_templateId;
    CWnd* m_parent;
    bool m_built = false;
    bool m_initialized = false;
    bool m_ended = false;
    int m_result = 0;
};

// How modal dialogs run: the Qt runner shows them, tests install
// fw::test::ScriptedDialogs.
struct IDialogRunner {
    virtual ~IDialogRunner() = default;
    virtual int RunModal(CDialog& dialog) = 0;
};

IDialogRunner& DialogRunner();
IDialogRunner* InstallDialogRunner(IDialogRunner* runner);

// The modal dialogs now running, innermost last (a worker's cancel goes to
// the innermost one).
const std::vector<CDialog*>& ModalDialogs();
CDialog* TopModalDialog();

// A modal run's bookkeeping for runners: stack entry and modal depth.
class ModalDialogScope {
public:
    explicit ModalDialogScope(CDialog& dialog);
    ~ModalDialogScope();
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;

private:
    ModalScope m_depth;
};

} // namespace fw
