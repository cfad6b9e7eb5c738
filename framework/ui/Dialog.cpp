#include "framework/ui/Dialog.h"

#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/QtText.h"
#include "framework/ui/WndBridge.h"

#include <QDialog>

#include <algorithm>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CDialog, CWnd)

FW_BEGIN_COMMANDS(CDialog, CWnd)
    FW_ON_COMMAND(IDOK, &CDialog::OnOK)
    FW_ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
FW_END_COMMANDS

namespace {

// Escape and the window's close button cancel through the route, so that
// a dialog's own OnCancel decides.
class DialogWidget : public WndBridge<QDialog> {
public:
    DialogWidget(CDialog* owner, QWidget* parent) : WndBridge<QDialog>(owner, parent), m_dialog(owner) {}
    void reject() override
    {
        m_dialog->Guard([&] { m_dialog->OnCmdMsg(IDCANCEL, CN_COMMAND, nullptr); });
    }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        reject();
    }

private:
    CDialog* m_dialog;
};

class QtDialogRunner final : public IDialogRunner {
public:
    int RunModal(CDialog& dialog) override
    {
        dialog.EnsureBuilt();
        ModalDialogScope scope(dialog);
        dialog.InitDialog();
        if (!dialog.IsEnded())
            dialog.Dialog()->exec();
        return dialog.IsEnded() ? dialog.GetResult() : IDCANCEL;
    }
};

QtDialogRunner g_qtRunner;
std::vector<CDialog*>& Stack()
{
    static std::vector<CDialog*> stack;
    return stack;
}

} // namespace

IDialogRunner& DialogRunner()
{
    IDialogRunner* r = Installed<IDialogRunner>();
    return r ? *r : g_qtRunner;
}

IDialogRunner* InstallDialogRunner(IDialogRunner* runner)
{
    return Install<IDialogRunner>(runner);
}

const std::vector<CDialog*>& ModalDialogs()
{
    return Stack();
}

CDialog* TopModalDialog()
{
    return Stack().empty() ? nullptr : Stack().back();
}

ModalDialogScope::ModalDialogScope(CDialog& dialog)
{
    Stack().push_back(&dialog);
}

ModalDialogScope::~ModalDialogScope()
{
    Stack().pop_back();
}

CDialog::CDialog(unsigned templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent)
{
}

CDialog::~CDialog()
{
    std::erase(Stack(), this);
    // The controls' widgets go with the dialog's widget; their wrappers
    // must not delete them a second time.
    ReleaseControlWidgets();
    DestroyWidgetNow();
}

QDialog* CDialog::Dialog() const
{
    return static_cast<QDialog*>(Widget());
}

void CDialog::EnsureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    QWidget* parentWidget = m_parent ? m_parent->Widget() : nullptr;
    Attach(new DialogWidget(this, parentWidget));
    DialogBuilder builder(*this, Dialog());
    BuildControls(builder);
}

void CDialog::InitDialog()
{
    if (m_initialized)
        return;
    m_initialized = true;
    Guard([&] { OnInitDialog(); });
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

bool CDialog::UpdateData(bool save)
{
    CDataExchange dx(this, save);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return false;
    }
    return true;
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (Dialog() && Dialog()->isVisible())
        Dialog()->done(result);
}

int CDialog::DoModal()
{
    m_ended = false;
    m_result = 0;
    return DialogRunner().RunModal(*this);
}

bool CDialog::Create(CWnd* parent)
{
    if (parent)
        m_parent = parent;
    EnsureBuilt();
    InitDialog();
    Dialog()->setModal(false);
    Dialog()->show();
    return true;
}

} // namespace fw
