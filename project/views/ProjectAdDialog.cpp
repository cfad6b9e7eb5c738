#include "project/views/ProjectAdDialog.h"

#include "docview/instrumentdlg/ADSetDlg.h"
#include "framework/core/Services.h"

int CProjectAdDialog::Run(CBoxArray& system, CADSetPrf& settings, bool changed)
{
    CADSetDlg dlg(&system);
    dlg.m_nDataCount = settings.m_nNum;
    dlg.m_nPreCount = settings.m_nPreNum;
    dlg.m_dClock = settings.m_dClk;
    dlg.m_nExtSample = settings.m_nExtClk;
    dlg.m_bChanged = changed ? 1 : 0;
    const int result = static_cast<int>(dlg.DoModal());
    if (result == fw::IDOK) {
        settings.m_nNum = dlg.m_nDataCount;
        settings.m_nPreNum = dlg.m_nPreCount;
        settings.m_dClk = dlg.m_dClock;
        settings.m_nExtClk = dlg.m_nExtSample;
    }
    return result;
}
