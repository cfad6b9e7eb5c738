#include "app/shell/MainFrame.h"

#include "app/shell/CfStatusBtn.h"
#include "app/shell/MainFrameMenus.h"
#include "app/shell/MainFrameTexts.h"
#include "app/shell/ProgramImages.h"
#include "app/shell/ShellIds.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "docview/instrumentdlg/MeterVerupDlg.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/DateTime.h"
#include "framework/core/Document.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/PreviewView.h"
#include "framework/ui/Print.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/WinApp.h"
#include "instrument/system/BoxArray.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QIcon>
#include <QMainWindow>
#include <QStyle>

#include <cmath>

FW_IMPLEMENT_DYNAMIC(CMainFrame, fw::CMDIFrameWnd)

FW_BEGIN_COMMANDS(CMainFrame, fw::CMDIFrameWnd)
    FW_ON_COMMAND(ID_VIEW_TOOLBAR, &CMainFrame::OnViewToolBar)
    FW_ON_UPDATE(ID_VIEW_TOOLBAR, &CMainFrame::OnUpdateViewToolBar)
    FW_ON_COMMAND(ID_VIEW_STATUS_BAR, &CMainFrame::OnViewStatusBar)
    FW_ON_UPDATE(ID_VIEW_STATUS_BAR, &CMainFrame::OnUpdateViewStatusBar)
    FW_ON_COMMAND(ID_VIEW_TRIGGER_BAR, &CMainFrame::OnViewTriggerBar)
    FW_ON_UPDATE(ID_VIEW_TRIGGER_BAR, &CMainFrame::OnUpdateViewTriggerBar)
    FW_ON_UPDATE(ID_CF_STATUS, &CMainFrame::OnUpdateCfStatus)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_SETUP, &CMainFrame::OnFilePrintSetup)
    FW_ON_COMMAND(fw::ID_FILE_PRINT, &CMainFrame::OnPrintUnavailable)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_DIRECT, &CMainFrame::OnPrintUnavailable)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_PREVIEW, &CMainFrame::OnPreviewUnavailable)
    FW_ON_UPDATE(fw::ID_FILE_PRINT, &CMainFrame::OnUpdatePrintUnavailable)
    FW_ON_UPDATE(fw::ID_FILE_PRINT_DIRECT, &CMainFrame::OnUpdatePrintUnavailable)
    FW_ON_UPDATE(fw::ID_FILE_PRINT_PREVIEW, &CMainFrame::OnUpdatePrintUnavailable)
    FW_ON_COMMAND(ID_METER_VERUP, &CMainFrame::OnMeterVerup)
    FW_ON_UPDATE(ID_METER_VERUP, &CMainFrame::OnUpdateMeterVerup)
FW_END_COMMANDS

namespace {

// The buttons of tool bar 128 (0: separator).
constexpr unsigned kToolbarButtons[] = {
    fw::ID_FILE_NEW, fw::ID_FILE_OPEN, fw::ID_FILE_SAVE, 0, fw::ID_FILE_PRINT, 0, ID_KEISOKU_PANEL, 0,
    fw::ID_APP_ABOUT,
};

void BuildMeasurementBar(fw::DialogBuilder& b, CCfStatusBtn*& cfButton)
{
    b.Static(IDC_TRIGGER_TIMES, "");
    b.Static(IDC_MEASURE_MODE, "");
    b.Static(IDC_COUNT_OR_ELAPSED, "");
    auto button = std::make_unique<CCfStatusBtn>();
    cfButton = button.get();
    b.Custom(IDC_CF_STATUS, std::move(button));
}

} // namespace

CMainFrame* GetMainFrame()
{
    return dynamic_cast<CMainFrame*>(fw::AfxGetMainWnd());
}

namespace {

// Takes the files dropped on the main window to the frame.
class DropFilter final : public QObject {
public:
    explicit DropFilter(CMainFrame& frame, QObject* parent) : QObject(parent), m_frame(frame) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::DragEnter) {
            auto* enter = static_cast<QDragEnterEvent*>(event);
            if (enter->mimeData() && enter->mimeData()->hasUrls()) {
                enter->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            std::vector<fw::CString> paths;
            if (drop->mimeData()) {
                for (const QUrl& url : drop->mimeData()->urls()) {
                    if (url.isLocalFile())
                        paths.emplace_back(url.toLocalFile().toStdString());
                }
            }
            drop->acceptProposedAction();
            m_frame.Guard([&] { m_frame.OnDropFiles(paths); });
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CMainFrame& m_frame;
};

// A popup of the format table's commands for the format item.
void AttachFormatMenu(fw::CMenu& menu)
{
    const fw::CString caption = menu.GetMenuString(ID_NUMBER_FORMAT, fw::MF_BYCOMMAND);
    if (caption.IsEmpty())
        return;
    fw::CMenu popup;
    popup.CreatePopupMenu();
    for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
        popup.AppendMenu(fw::MF_STRING, item.command, item.text);
    menu.ModifyMenu(ID_NUMBER_FORMAT, fw::MF_BYCOMMAND | fw::MF_POPUP, reinterpret_cast<uintptr_t>(popup.Detach()),
                    caption);
}

} // namespace

CMainFrame::CMainFrame()
{
    InstallMainFormatTable(&m_dataFormat);
}

bool CMainFrame::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    if (fw::CMDIFrameWnd::OnCmdMsg(id, code, ui, info))
        return true;
    return s_pMeasureCommands && s_pMeasureCommands->OnCmdMsg(id, code, ui, info);
}

CMainFrame::~CMainFrame()
{
    if (&MainFormatTable() == &m_dataFormat)
        InstallMainFormatTable(nullptr);
}

bool CMainFrame::LoadFrame(unsigned resourceId, fw::CWnd* parent)
{
    if (!fw::CMDIFrameWnd::LoadFrame(resourceId, parent))
        return false;
    if (QMainWindow* window = MainWindow()) {
        window->setAcceptDrops(true);
        window->installEventFilter(new DropFilter(*this, window));
    }
    return CreateBars();
}

bool CMainFrame::CreateBars()
{
    fw::CToolBar::SetImageProvider(ToolbarImage);
    if (!m_wndToolBar.Create(this) ||
        !m_wndToolBar.SetButtons(kToolbarButtons, static_cast<int>(std::size(kToolbarButtons)), kIdrMainFrame))
        return false;
    if (!m_wndDlgBar.Create(this, [this](fw::DialogBuilder& b) { BuildMeasurementBar(b, m_pCfStatusBtn); },
                            fw::AFX_IDW_DIALOGBAR))
        return false;
    if (m_pCfStatusBtn)
        m_pCfStatusBtn->SetFaceColor(CCfStatusBtn::kButtonFace);
    static constexpr unsigned kIndicators[] = {fw::ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 1))
        return false;
    ResetDialogBar();
    return true;
}

void CMainFrame::OnInitMenuPopup(fw::CMenu* popup, unsigned index, bool sysMenu)
{
    EditFramePopup(popup);
    if (fw::CWinApp* app = fw::AfxGetApp(); app && app->m_pDocManager)
        ExpandRecentFileItems(popup, app->m_pDocManager->RecentFiles());
    fw::CMDIFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
}

void CMainFrame::OnInitMenu(fw::CMenu* menu)
{
    if (!menu)
        return;
    AttachFormatMenu(*menu);
    const bool hasUnitItem = menu->FindAction(ID_UNIT_MENU, fw::MF_BYCOMMAND) != nullptr;
    if (hasUnitItem && !menu->GetMenuString(ID_UNIT_MENU, fw::MF_BYCOMMAND).IsEmpty()) {
        // The popup lives on in the menu; the unit menu object only builds it.
        CKivUnitMenu units;
        units.AttachToItem(*menu, ID_UNIT_MENU);
        units.Detach();
    }
}

void CMainFrame::OnDropFiles(const std::vector<fw::CString>& paths)
{
    fw::CWinApp* app = fw::AfxGetApp();
    if (!app)
        return;
    for (const fw::CString& path : paths)
        app->OpenDocumentFile(path);
}

// --- the measurement bar ---------------------------------------------------------------

void CMainFrame::ResetDialogBar()
{
    UpdateTriggerStatus(0.0, 0.0, -1);
    m_wndDlgBar.SetDlgItemText(IDC_COUNT_OR_ELAPSED, "");
    if (m_pCfStatusBtn)
        m_pCfStatusBtn->SetStatus(0, -1);
    // No measurement panel yet, so no project with several control units.
    m_bMultiUnit = false;
}

void CMainFrame::ShowWaitingText(bool on)
{
    m_wndDlgBar.SetDlgItemText(IDC_COUNT_OR_ELAPSED, on ? fw::LoadStringText(IDS_WAITING_MEASURE) : fw::CString());
}

void CMainFrame::ShowRecordCount(long count, bool writing)
{
    fw::CString text = fw::Format("%d", static_cast<int>(count));
    if (writing)
        text += fw::LoadStringText(IDS_WRITING_SUFFIX);
    m_wndDlgBar.SetDlgItemText(IDC_COUNT_OR_ELAPSED, text);
}

void CMainFrame::UpdateTriggerStatus(double start, double end, int mode)
{
    constexpr int kFreeRun = 2;
    m_plannedEnd = mode == kFreeRun ? 0.0 : end;
    if (start > 0) {
        if (end > 0) {
            m_plannedSpan = end - start;
            m_plannedDuration = FormatDuration(m_plannedSpan);
            m_wndDlgBar.SetDlgItemText(IDC_TRIGGER_TIMES,
                                       fw::Format("%s - %s", FormatTriggerTime(start), FormatTriggerTime(end)));
        } else {
            m_wndDlgBar.SetDlgItemText(IDC_TRIGGER_TIMES, fw::Format("%s", FormatTriggerTime(start)));
            m_plannedDuration = "0:00:00";
            m_plannedSpan = 0.0;
        }
    } else {
        m_wndDlgBar.SetDlgItemText(IDC_TRIGGER_TIMES, "");
    }
    IMeasureModeNames* names = fw::Installed<IMeasureModeNames>();
    const bool known = mode >= 0 && mode <= 8 && names;
    m_wndDlgBar.SetDlgItemText(IDC_MEASURE_MODE, known ? names->Caption(mode) : fw::CString());
}

void CMainFrame::ShowElapsedTime(double start, std::optional<double> span, bool writing)
{
    const double elapsed = span ? *span : fw::COleDateTime::GetCurrentTime().m_dt - start;
    fw::CString text = FormatDuration(elapsed);
    const bool reachedEnd =
        m_plannedEnd > 0 && std::llround(elapsed * 86400.0) >= std::llround(m_plannedSpan * 86400.0);
    if (writing || reachedEnd)
        text += fw::LoadStringText(IDS_WRITING_SUFFIX);
    m_wndDlgBar.SetDlgItemText(IDC_COUNT_OR_ELAPSED, text);
}

void CMainFrame::UpdateCfStatus(int statusCode, const CBoxArray* system)
{
    const int space = system ? static_cast<uint16_t>(system->GetMinFileSpace()) : -1;
    if (m_pCfStatusBtn)
        m_pCfStatusBtn->SetStatus(statusCode, static_cast<int16_t>(space));
}

void CMainFrame::SetEditLockToolbar(bool locked)
{
    if (locked == m_bEditLock)
        return;
    m_bEditLock = locked;
    m_wndToolBar.LoadBitmap(locked ? kIdrEditLockedToolbar : kIdrMainFrame);
    if (QWidget* w = Widget())
        w->repaint();
}

// --- bars and windows -------------------------------------------------------------------------

void CMainFrame::ToggleBar(fw::CControlBar& bar)
{
    if (QWidget* w = bar.Widget())
        w->setVisible(!w->isVisible());
}

namespace {

void CheckVisible(fw::CCmdUI* ui, fw::CControlBar& bar)
{
    ui->SetCheck(bar.Widget() && !bar.Widget()->isHidden() ? 1 : 0);
}

} // namespace

void CMainFrame::OnUpdateViewToolBar(fw::CCmdUI* ui)
{
    CheckVisible(ui, m_wndToolBar);
}

void CMainFrame::OnUpdateViewStatusBar(fw::CCmdUI* ui)
{
    CheckVisible(ui, m_wndStatusBar);
}

void CMainFrame::OnUpdateViewTriggerBar(fw::CCmdUI* ui)
{
    CheckVisible(ui, m_wndDlgBar);
}

void CMainFrame::OnUpdateCfStatus(fw::CCmdUI* ui)
{
    ui->Enable(m_bMultiUnit);
    if (!m_bMultiUnit)
        ui->SetCheck(0);
}

void CMainFrame::OnFilePrintSetup()
{
    fw::RunPrintSetup(this);
}

// A window whose view has no printing of its own says so instead of
// leaving the command without an answer.
void CMainFrame::OnPrintUnavailable()
{
    fw::AfxMessageBox(fw::kIdpFailedToStartPrint, fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

void CMainFrame::OnPreviewUnavailable()
{
    fw::AfxMessageBox(fw::kIdpCommandFailure, fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

void CMainFrame::OnUpdatePrintUnavailable(fw::CCmdUI* ui)
{
    ui->Enable(GetActiveDocument() != nullptr);
}

void CMainFrame::OnMeterVerup()
{
    CMeterVerupDlg dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnUpdateMeterVerup(fw::CCmdUI* ui)
{
    // No measuring panel exists in this program yet, so only the active
    // window decides.
    fw::CMDIChildWnd* child = MDIGetActive();
    fw::CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    const fw::CDocTemplate* tmpl = doc ? doc->GetDocTemplate() : nullptr;
    ui->Enable(tmpl && tmpl->GetResourceId() == kIdrProjectType);
}
