#include "measure/views/panel/TLimitMessDlg.h"

#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DialogBuilder.h"

#include <cmath>

FW_IMPLEMENT_DYNAMIC(CTLimitMessDlg, fw::CDialog)

namespace {

constexpr unsigned kIdsAppName = 57344;

} // namespace

CTLimitMessDlg::CTLimitMessDlg(const fw::CString& message, int32_t seconds, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_seconds(seconds), m_message(message)
{
}

void CTLimitMessDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Static(kIdMessage, "");
    b.Row();
    b.Static(kIdSeconds, "");
    b.Row();
    b.Button(fw::IDOK, "続行", true);
    b.Button(fw::IDCANCEL, "中断");
}

bool CTLimitMessDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    SetWindowText(fw::LoadStringText(kIdsAppName));
    m_startMs = fw::Clock().SteadyMs();
    m_timer = SetTimer(kTimerId, kTimerMs);
    SetDlgItemText(kIdMessage, m_message);
    return true;
}

void CTLimitMessDlg::OnTimer(unsigned id)
{
    if (id != kTimerId || m_seconds < 0)
        return;
    const long elapsed = std::lround((fw::Clock().SteadyMs() - m_startMs) / 1000.0);
    if (elapsed > m_seconds) {
        EndDialog(fw::IDOK);
        return;
    }
    SetDlgItemText(kIdSeconds, fw::Format("%ld", static_cast<long>(m_seconds - elapsed)));
}

void CTLimitMessDlg::DestroyWindow()
{
    if (m_timer != 0)
        KillTimer(kTimerId);
    m_timer = 0;
    fw::CDialog::DestroyWindow();
}

bool ShowTimeLimitDialog(const fw::CString& message, int32_t seconds)
{
    CTLimitMessDlg dialog(message, seconds);
    return dialog.DoModal() == fw::IDOK;
}
