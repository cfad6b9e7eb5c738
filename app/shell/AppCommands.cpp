// The application-wide commands of the menus.

#include "app/shell/AboutDlg.h"
#include "app/shell/KIV5980App.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ShellIds.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Document.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Services.h"
#include "framework/ui/CmdUI.h"
#include "frequency/views/HistGraphMaker.h"
#include "frequency/views/HistViewIds.h"
#include "graphdoc/views/GraphPageMaker.h"
#include "project/model/KIV5980Doc.h"

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
    FW_ON_COMMAND_EX(32870, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32870, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32871, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32871, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32872, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32872, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32876, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32876, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32877, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32877, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32874, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32874, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32875, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32875, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32873, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32873, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32815, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32815, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32821, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32821, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32822, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32822, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(32940, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(32940, &CKIV5980App::OnUpdateGraphCommand)
    FW_ON_COMMAND_EX(histview::kIdFrequencyGraph, &CKIV5980App::OnGraphCommand)
    FW_ON_UPDATE(histview::kIdFrequencyGraph, &CKIV5980App::OnUpdateFrequencyGraph)
FW_END_COMMANDS

namespace {

// The instrument document of the active window, for the graph commands.
CKivDocBase* ActiveKivDocument(const CKIV5980App& app)
{
    const CMainFrame* frame = app.GetMainFrameWnd();
    fw::CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    return dynamic_cast<CKivDocBase*>(child ? child->GetActiveDocument() : nullptr);
}

} // namespace

bool CKIV5980App::OnGraphCommand(unsigned id)
{
    CKivDocBase* document = ActiveKivDocument(*this);
    if (!document)
        return false;
    if (id == histview::kIdFrequencyGraph) {
        // The frequency window makes its own; here the project's analyses.
        IHistGraphMaker* maker = fw::Installed<IHistGraphMaker>();
        if (!maker || !dynamic_cast<CKIV5980Doc*>(document))
            return false;
        maker->MakeGraph(*document);
    } else if (id == CGraphPageMaker::kSpectrumCommand) {
        GraphPageMaker().CreatePowerSpectrumGraph(*document);
    } else {
        GraphPageMaker().CreateSimpleGraph(*document, CGraphPageMaker::TypeOfCommand(id));
    }
    return true;
}

void CKIV5980App::OnUpdateGraphCommand(fw::CCmdUI* ui)
{
    ui->Enable(ActiveKivDocument(*this) != nullptr);
}

void CKIV5980App::OnUpdateFrequencyGraph(fw::CCmdUI* ui)
{
    ui->Enable(fw::Installed<IHistGraphMaker>() != nullptr && dynamic_cast<CKIV5980Doc*>(ActiveKivDocument(*this)));
}

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
