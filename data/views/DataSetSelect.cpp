#include "data/views/DataSetSelect.h"

#include "data/model/KivDataDoc.h"
#include "framework/core/Services.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CMabikiDlg, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CSetSelectDlg, fw::CDialog)

void CMabikiDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("間引き");
    b.Static(static_cast<int>(fw::IDC_STATIC), "間引きデータ数");
    b.Edit(kIdCount);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "この操作の結果を元に戻すことはできません。");
    b.Row();
    b.OkCancel("OK", "キャンセル");
}

void CMabikiDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, kIdCount, m_nCount);
    fw::DDV_MinMaxInt(dx, m_nCount, 1, std::max(m_nUpper, 1));
}

void CSetSelectDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("範囲選択");
    b.Static(static_cast<int>(fw::IDC_STATIC), "開始：");
    b.Edit(kIdFirst);
    b.Static(static_cast<int>(fw::IDC_STATIC), "終了：");
    b.Edit(kIdLast);
    b.Row();
    b.OkCancel("OK", "キャンセル");
}

void CSetSelectDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, kIdFirst, m_nFirst);
    fw::DDV_MinMaxInt(dx, m_nFirst, 1, std::max(m_nMax, 1));
    fw::DDX_Text(dx, kIdLast, m_nLast);
    fw::DDV_MinMaxInt(dx, m_nLast, m_nFirst, std::max(m_nMax, 1));
}

int AskThinningCount(int upperBound)
{
    if (upperBound < 1)
        return -1;
    CMabikiDlg dlg;
    dlg.m_nUpper = upperBound;
    return dlg.DoModal() == fw::IDOK ? dlg.m_nCount : -1;
}

bool AskRowRange(CKivDataDoc& doc, int32_t& first, int32_t& last)
{
    CSetSelectDlg dlg;
    dlg.m_nFirst = first;
    dlg.m_nLast = last;
    dlg.m_nMax = std::max(doc.GetSampleCount(), 1);
    if (dlg.DoModal() != fw::IDOK)
        return false;
    first = dlg.m_nFirst;
    last = dlg.m_nLast;
    return true;
}
