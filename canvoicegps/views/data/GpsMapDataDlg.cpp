#include "canvoicegps/views/data/GpsMapDataDlg.h"

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CGpsMapDataDlg, fw::CDialog)

CGpsMapDataDlg::CGpsMapDataDlg(fw::CWnd* parent) : fw::CDialog(IDD, parent) {}

void CGpsMapDataDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Static(static_cast<int>(fw::IDC_STATIC), "設定したデータ数になるようにGPSのデータを間引きします。");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "データ数が多くなると地図の表示に時間が掛かります。");
    b.Row();
    b.Edit(IDC_POINTS);
    b.Row();
    b.OkCancel();
}

bool CGpsMapDataDlg::OnInitDialog()
{
    const bool ok = fw::CDialog::OnInitDialog();
    SetWindowText("GPSデータ数");
    if (m_bNoCancel)
        if (fw::CWnd* cancel = GetDlgItem(fw::IDCANCEL))
            cancel->EnableWindow(false);
    return ok;
}

void CGpsMapDataDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::CDialog::DoDataExchange(dx);
    fw::DDX_Text(dx, IDC_POINTS, m_nPoints);
    fw::DDV_MinMaxInt(dx, m_nPoints, kMinPoints, kMaxPoints);
}

bool CGpsMapPointAsker::Ask(int32_t& count, bool noCancel)
{
    CGpsMapDataDlg dlg;
    dlg.m_nPoints = count;
    dlg.m_bNoCancel = noCancel;
    if (dlg.DoModal() != fw::IDOK)
        return false;
    count = dlg.m_nPoints;
    return true;
}
