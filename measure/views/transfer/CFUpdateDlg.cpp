#include "measure/views/transfer/CFUpdateDlg.h"

#include "framework/core/Services.h"
#include "framework/ui/CommonControls.h"
#include "framework/ui/DialogBuilder.h"
#include "measure/views/transfer/InterfaceThreadTarget.h"
#include "measure/views/transfer/ProjectTransferHost.h"
#include "measure/views/transfer/TransferSession.h"
#include "project/model/KIV5980Doc.h"

#include <QDialog>
#include <QTimer>

FW_IMPLEMENT_DYNAMIC(CCFUpdateDlg, fw::CDialog)

CCFUpdateDlg::CCFUpdateDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
}

CCFUpdateDlg::~CCFUpdateDlg()
{
    if (m_session)
        m_session->Cancel();
    StopTransfer();
}

void CCFUpdateDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("計測ﾃﾞｰﾀ更新中");
    b.Static(kIdCaption, "");
    b.Row();
    b.Progress(kIdItemProgress).SetRange32(0, 100);
    b.Row();
    b.Progress(kIdFileProgress);
}

bool CCFUpdateDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (auto* files = GetDlgItemAs<fw::CProgressCtrl>(kIdFileProgress)) {
        files->SetRange32(0, m_fileSets);
        files->SetPos(1);
    }
    // The transfer starts once the dialog shows, from its event loop.
    QTimer::singleShot(0, Dialog(), [this] { Guard([&] { StartTransfer(); }); });
    return true;
}

int CCFUpdateDlg::GetProgressPosts() const
{
    return m_target ? m_target->GetProgressPosts() : 0;
}

int CCFUpdateDlg::DoModal()
{
    if (!m_pDoc || !m_pFiles)
        return CTransferSession::kStopped;
    m_done = false;
    m_host = std::make_unique<CProjectTransferHost>(*m_pDoc);
    m_host->Broadcast(CProjectTransferHost::kHintTransferBegins);
    m_target = std::make_unique<CInterfaceThreadTarget>(*m_host);
    m_target->SetProgressSink([this](const CInterfaceThreadTarget::Progress& p) {
        ShowProgress(p.percentChanged ? p.percent : ~0u, p.captionChanged ? &p.caption : nullptr,
                     p.fileSetChanged ? p.fileSet : -1);
    });
    m_session = std::make_unique<CTransferSession>(*m_target, m_nMode, *m_pFiles);
    m_session->SetUseFileFormat(m_bUseFileFormat);
    m_session->SetDeleteAfterTransfer(m_nDeleteAfterTransfer != 0);
    m_session->SetAskOnError(m_bAskOnError);
    m_fileSets = m_session->GetFileSetCount();
    int result = CTransferSession::kStopped;
    if (m_session->PrepareFirst()) {
        result = fw::CDialog::DoModal();
        // Esc or a closed dialog: the run stops after its chunk.
        if (!m_done)
            m_session->Cancel();
        StopTransfer();
    }
    m_session->Finish();
    m_session.reset();
    m_pDoc->DoFileSave();
    m_host->Broadcast(CProjectTransferHost::kHintTransferEnds);
    m_target.reset();
    m_host.reset();
    return result;
}

void CCFUpdateDlg::StartTransfer()
{
    if (m_thread.joinable() || !m_session || IsEnded())
        return;
    m_thread = std::thread([this] {
        int result = CTransferSession::kFailed;
        // Everything the run meets becomes a result; nothing may leave the
        // thread.
        try {
            result = m_session->Run();
        } catch (const std::exception& e) {
            try {
                m_session->ReportException(e);
            } catch (...) {
            }
        } catch (...) {
        }
        m_target->Post([this, result] { OnTransferEnded(result); });
        m_done = true;
    });
}

void CCFUpdateDlg::StopTransfer()
{
    if (!m_thread.joinable())
        return;
    m_target->WaitUntil([this] { return m_done.load(); });
    m_thread.join();
}

void CCFUpdateDlg::OnTransferEnded(int result)
{
    if (!IsEnded())
        EndDialog(result);
}

void CCFUpdateDlg::OnCancel()
{
    if (m_session)
        m_session->Cancel();
    EndDialog(CTransferSession::kStopped);
}

void CCFUpdateDlg::ShowProgress(unsigned percent, const fw::CString* caption, int fileSet)
{
    if (caption)
        SetDlgItemText(kIdCaption, *caption);
    if (percent != ~0u) {
        if (auto* item = GetDlgItemAs<fw::CProgressCtrl>(kIdItemProgress))
            item->SetPos(static_cast<int>(percent));
    }
    if (fileSet >= 0) {
        if (auto* files = GetDlgItemAs<fw::CProgressCtrl>(kIdFileProgress))
            files->SetPos(fileSet + 1);
    }
}
