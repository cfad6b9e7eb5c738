#include "measure/views/voice/VoiceUpdateDlg.h"

#include "framework/core/Services.h"
#include "framework/ui/CommonControls.h"
#include "framework/ui/DialogBuilder.h"
#include "measure/model/voice/CFVoiceUpdate.h"
#include "measure/model/voice/VoiceCopyRun.h"
#include "measure/views/voice/ProjectVoiceTarget.h"
#include "project/model/KIV5980Doc.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTimer>

FW_IMPLEMENT_DYNAMIC(CVoiceUpdateDlg, fw::CDialog)

// The project's side of the copy: questions in the measuring system's
// continue question, messages and file errors as the program shows them,
// progress into the dialog.
class CVoiceUpdateDlg::Host final : public ITransferHost {
public:
    Host(CKIV5980Doc& doc, CVoiceUpdateDlg& dlg) : m_doc(doc), m_dlg(dlg) {}

    CBoxArray& GetActiveBoxArray() override { return m_doc.GetBoxArray(); }
    CBoxArray& GetOwnBoxArray() override { return m_doc.GetBoxArray(); }
    bool BeginImportBoxArray(const CMeterInterfacePrf&, const CADSetPrf&) override { return false; }
    void RefreshChannelColumns() override {}
    bool AskContinue(const fw::CString& text) override
    {
        const fw::CString path = m_doc.GetPathName();
        return m_doc.GetBoxArray().AskContinue(text.c_str(), path.IsEmpty() ? nullptr : path.c_str());
    }
    void ShowMessage(const fw::CString& text) override { fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION); }
    void ReportException(const std::exception& e) override { fw::ReportException(e); }
    void ShowProgress(unsigned, unsigned percent) override { m_dlg.ShowPercent(percent); }

private:
    CKIV5980Doc& m_doc;
    CVoiceUpdateDlg& m_dlg;
};

CVoiceUpdateDlg::CVoiceUpdateDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent) {}

CVoiceUpdateDlg::~CVoiceUpdateDlg() = default;

void CVoiceUpdateDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("計測ﾃﾞｰﾀ更新中");
    b.Static(kIdCaption, "");
    b.Row();
    b.Progress(kIdFileProgress).SetRange32(0, 100);
    b.Row();
    b.Progress(kIdOverallProgress);
}

int CVoiceUpdateDlg::DoModal()
{
    if (!m_pDoc || !m_pLists)
        return CVoiceCopyRun::kCancelled;
    m_host = std::make_unique<Host>(*m_pDoc, *this);
    m_target = std::make_unique<CProjectVoiceTarget>(*m_pDoc);
    m_job = std::make_unique<CCFVoiceUpdate>(*m_host, *m_target);
    m_job->SetFileLists(m_pLists);
    m_run = std::make_unique<CVoiceCopyRun>(*m_host, *m_target);
    int result = CVoiceCopyRun::kCancelled;
    if (m_job->Prepare())
        result = fw::CDialog::DoModal();
    m_run->RestoreTimeout();
    m_run.reset();
    m_job.reset();
    m_pDoc->UpdateAllViews(nullptr, kHintVoiceListChanged);
    return result;
}

bool CVoiceUpdateDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (auto* overall = GetDlgItemAs<fw::CProgressCtrl>(kIdOverallProgress)) {
        overall->SetRange32(0, m_job ? m_job->GetFileCount() : 0);
        overall->SetPos(1);
    }
    // The copy starts once the dialog shows, from its event loop.
    QTimer::singleShot(0, Dialog(), [this] { Guard([&] { RunCopy(); }); });
    return true;
}

void CVoiceUpdateDlg::RunCopy()
{
    // A dialog closed before its first event runs nothing.
    if (m_running || !m_run || !m_job || IsEnded())
        return;
    m_running = true;
    m_run->SetIdle([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); });
    const int result = m_run->RunPrepared(*m_job, [this](int ordinal) { ShowFile(ordinal); });
    m_running = false;
    EndDialog(result);
}

void CVoiceUpdateDlg::OnCancel()
{
    // A running copy ends after its block and ends the dialog itself.
    if (m_running && m_run)
        m_run->Cancel();
    else if (!IsEnded())
        EndDialog(CVoiceCopyRun::kCancelled);
}

void CVoiceUpdateDlg::ShowFile(int ordinal)
{
    fw::CString caption;
    m_job->GetCaption(caption);
    SetDlgItemText(kIdCaption, caption);
    ShowPercent(0);
    if (auto* overall = GetDlgItemAs<fw::CProgressCtrl>(kIdOverallProgress))
        overall->SetPos(ordinal);
}

void CVoiceUpdateDlg::ShowPercent(unsigned percent)
{
    if (auto* file = GetDlgItemAs<fw::CProgressCtrl>(kIdFileProgress))
        file->SetPos(static_cast<int>(percent));
}
