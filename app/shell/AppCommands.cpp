// The application-wide commands of the menus.

#include "app/shell/AboutDlg.h"
#include "app/shell/KIV5980App.h"
#include "app/shell/ShellIds.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Document.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Services.h"
#include "framework/ui/CmdUI.h"

FW_BEGIN_COMMANDS(CKIV5980App, CZELApp)
    FW_ON_COMMAND(fw::ID_FILE_NEW, &CKIV5980App::OnFileNew)
    FW_ON_COMMAND(fw::ID_APP_ABOUT, &CKIV5980App::OnAppAbout)
    FW_ON_COMMAND(ID_PRINT_OPTION, &CKIV5980App::OnPrintOption)
    FW_ON_COMMAND(ID_GRAPH_BATCH_PRINT, &CKIV5980App::OnGraphBatchPrint)
    FW_ON_UPDATE(ID_GRAPH_BATCH_PRINT, &CKIV5980App::OnUpdateGraphBatchPrint)
    FW_ON_COMMAND(ID_HIGHPASS_DISPLAY, &CKIV5980App::OnHighPassDisplay)
    FW_ON_UPDATE(ID_HIGHPASS_DISPLAY, &CKIV5980App::OnUpdateHighPassDisplay)
    FW_ON_COMMAND(ID_ALARM_SETTINGS, &CKIV5980App::OnAlarmSettings)
    FW_ON_UPDATE(ID_ALARM_SETTINGS, &CKIV5980App::OnUpdateAlarmSettings)
FW_END_COMMANDS

void CKIV5980App::OnFileNew()
{
    if (m_nNewDocTemplateId != 0)
        OpenDocumentByTemplate(m_nNewDocTemplateId, fw::CString(), true);
}

void CKIV5980App::OnAlarmSettings()
{
    if (IAlarmSettingsDialog* dialog = fw::Installed<IAlarmSettingsDialog>())
        m_settings.EditAlarmSettings([dialog](AlarmSettingsFields& fields) { return dialog->Run(fields); });
}

void CKIV5980App::OnUpdateAlarmSettings(fw::CCmdUI* ui)
{
    ui->Enable(fw::Installed<IAlarmSettingsDialog>() != nullptr);
}

void CKIV5980App::OnAppAbout()
{
    CAboutDlg about(m_pMainWnd);
    about.DoModal();
}

void CKIV5980App::OnPrintOption()
{
    CPrintOptionDlg dialog(m_pMainWnd);
    dialog.m_options = m_printOptions;
    if (dialog.DoModal() == fw::IDOK)
        m_printOptions = dialog.m_options;
}

void CKIV5980App::OnGraphBatchPrint()
{
    // The batch-print dialog and the graph views that print the jobs come
    // with the graph documents; until then there is nothing to print.
}

void CKIV5980App::OnUpdateGraphBatchPrint(fw::CCmdUI* ui)
{
    fw::CDocTemplate* graphs = FindDocTemplate(kIdrGraphType);
    ui->Enable(graphs && graphs->GetDocumentCount() > 0);
}

void CKIV5980App::OnHighPassDisplay()
{
    if (!m_bHighPassDisplay && fw::AfxMessageBox(IDP_HIGHPASS_QUESTION, fw::MB_YESNO | fw::MB_ICONQUESTION) != fw::IDYES)
        return;
    m_bHighPassDisplay = m_bHighPassDisplay ? 0 : 1;
    for (unsigned type : {kIdrProjectType, kIdrDataType, kIdrHistType}) {
        fw::CDocTemplate* tmpl = FindDocTemplate(type);
        if (!tmpl)
            continue;
        fw::POSITION pos = tmpl->GetFirstDocPosition();
        while (pos)
            tmpl->GetNextDoc(pos)->UpdateAllViews(nullptr, kHintHighPassDisplay, nullptr);
    }
}

void CKIV5980App::OnUpdateHighPassDisplay(fw::CCmdUI* ui)
{
    ui->Enable(!m_bHighPassDisplay);
    ui->SetCheck(m_bHighPassDisplay ? 1 : 0);
}
