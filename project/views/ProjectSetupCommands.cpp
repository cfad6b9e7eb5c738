// The set-up commands every project page offers: the control units of the
// connection and the A/D settings.

#include "project/views/ProjectBaseView.h"

#include "docview/instrumentdlg/SelectMeterDlg.h"
#include "framework/core/CmdTarget.h"
#include "project/model/KIV5980Doc.h"

void CProjectBaseView::OnUpdateSetup(fw::CCmdUI* ui)
{
    CKIV5980Doc* doc = GetProjectDoc();
    ui->Enable(doc && !doc->IsEditLocked() && !IsMeasuringProject());
}

void CProjectBaseView::OnMeterSetup()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked() || IsMeasuringProject())
        return;
    CSelectMeterDlg dlg(this);
    dlg.m_prf = doc->GetBoxArray().GetProfile();
    if (dlg.DoModal() == fw::IDOK)
        doc->ApplyMeterSettings(dlg.m_prf);
}

void CProjectBaseView::OnAdSetup()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked() || IsMeasuringProject())
        return;
    doc->ShowADSetDialog(0, 0, 0.0, 0);
}
