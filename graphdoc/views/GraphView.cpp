#include "graphdoc/views/GraphView.h"

#include "chart/model/GrClip.h"
#include "common/picture/BitmapLib.h"
#include "docbase/graphpage/DrawObj.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/MenuResource.h"
#include "framework/core/Services.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "framework/ui/Print.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/DrawTextObj.h"
#include "graphdoc/model/GraphDocHooks.h"
#include "graphdoc/model/GraphDocTexts.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/ProfileTanks.h"
#include "graphdoc/views/GraphFontChooser.h"
#include "graphdoc/views/PagePicture.h"
#include "graphdoc/views/PrintJobsDlg.h"
#include "graphdoc/model/objects/DrawMoniDataObj.h"
#include "graphdoc/model/objects/MoniDataPrf.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/views/GraphUpdateDlgs.h"
#include "chart/model/GraphUpdateHints.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocBase.h"
#include "project/model/ProjectHost.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_DYNCREATE(CGraphView, CZELGraphView)

FW_BEGIN_COMMANDS(CGraphView, CZELGraphView)
FW_ON_COMMAND(ID_GRAPH_ADD_TEXT, &CGraphView::OnAddText)
FW_ON_UPDATE(ID_GRAPH_ADD_TEXT, &CGraphView::OnUpdateUnlocked)
FW_ON_COMMAND(ID_GRAPH_ADD_MONITOR, &CGraphView::OnAddMoniData)
FW_ON_UPDATE(ID_GRAPH_ADD_MONITOR, &CGraphView::OnUpdateUnlocked)
FW_ON_COMMAND(ID_GRAPH_FONT, &CGraphView::OnGraphFont)
FW_ON_UPDATE(ID_GRAPH_FONT, &CGraphView::OnUpdateGraphFont)
FW_ON_COMMAND(ID_GRAPH_LINE_COLOR, &CGraphView::OnLineColor)
FW_ON_COMMAND(fw::ID_EDIT_CLEAR, &CGraphView::OnGraphEditClear)
FW_ON_COMMAND(ID_GRAPH_EDIT_LOCK, &CGraphView::OnGraphEditLock)
FW_ON_UPDATE(ID_GRAPH_EDIT_LOCK, &CGraphView::OnUpdateGraphEditLock)
FW_ON_COMMAND(ID_GRAPH_SAVE_PICTURE, &CGraphView::OnSavePicture)
FW_ON_COMMAND(ID_GRAPH_BLANK_FORM, &CGraphView::OnBlankForm)
FW_ON_COMMAND(ID_GRAPH_BATCH_PRINT, &CGraphView::OnGraphBatchPrint)
FW_ON_COMMAND(ID_GRAPH_PLOT_RANGE, &CGraphView::OnUpdatePlotRange)
FW_ON_COMMAND(ID_GRAPH_REFERENCE, &CGraphView::OnChangeReference)
FW_END_COMMANDS

namespace {

constexpr intptr_t kHintInvalidate = 18;
constexpr intptr_t kHintPrintDirect = 28;
constexpr intptr_t kHintTransferStarts = 37;
constexpr intptr_t kHintTransferEnds = 38;
constexpr unsigned kIdsObjectNotCreated = 102;
// The job name the print spooler takes.
constexpr size_t kJobNameBytes = 31;

// The first view of the page that is a graph view.
CGraphView* FirstGraphView(const fw::CDocument& doc)
{
    fw::POSITION pos = doc.GetFirstViewPosition();
    while (pos) {
        if (auto* view = dynamic_cast<CGraphView*>(doc.GetNextView(pos)))
            return view;
    }
    return nullptr;
}

CGraphViewDoc* FindPageByTitle(const fw::CString& title)
{
    for (CGraphViewDoc* page : GraphPageHost().OpenGraphPages()) {
        if (page && page->GetTitle() == title)
            return page;
    }
    return nullptr;
}

fw::CString LowerEnding(const fw::CString& path)
{
    std::string s = path.c_str();
    s = s.size() >= 4 ? s.substr(s.size() - 4) : s;
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

CGraphViewDoc* CGraphView::GetGraphDocument() const
{
    return dynamic_cast<CGraphViewDoc*>(GetDocument());
}

void CGraphView::OnInitialUpdate()
{
    CZELGraphView::OnInitialUpdate();
    // Objects that follow their view (monitors) learn of it here.
    NotifyViewInitialUpdate(this);
}

void CGraphView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintInvalidate:
        Invalidate(false);
        return;
    case kHintPrintDirect:
        m_directPrint = 1;
        OnFilePrintDirect();
        m_directPrint = 0;
        return;
    case kHintRegression:
        Select(nullptr);
        Invalidate();
        return;
    case kHintTransferStarts:
        m_suspended = 1;
        m_drawSkipped = 0;
        return;
    case kHintTransferEnds:
        m_suspended = 0;
        if (m_drawSkipped)
            Invalidate();
        return;
    default:
        CZELGraphView::OnUpdate(sender, hint, hintObject);
    }
}

void CGraphView::OnDraw(fw::CDC* dc)
{
    if (m_suspended && !dc->IsPrinting()) {
        // Objects hold tanks that the transfer is filling.
        dc->FillSolidRect(GetVisibleClient(), kWindowColor);
        m_drawSkipped = 1;
        return;
    }
    CZELGraphView::OnDraw(dc);
}

void CGraphView::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    const fw::MenuResource* resource = fw::FindMenuResource(kIdrGraphContextMenu);
    if (!resource)
        return;
    fw::CMenu menu;
    if (!menu.LoadMenu(*resource))
        return;
    fw::CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    if (point.x == -1 && point.y == -1) {
        const QPoint global = Widget() ? Widget()->mapToGlobal(QPoint(5, 5)) : QPoint(5, 5);
        point = fw::CPoint(global.x(), global.y());
    }
    fw::CWnd* owner = GetParentFrame() ? static_cast<fw::CWnd*>(GetParentFrame()) : this;
    popup->TrackPopupMenu(fw::TPM_RIGHTBUTTON, point.x, point.y, owner);
}

// --- printing -----------------------------------------------------------------------------

fw::CPoint CGraphView::TileOrigin(int n, int columns, int rows, fw::CSize tile)
{
    if (columns <= 1)
        return {0, n * tile.cy};
    if (rows > 1)
        return {(n % columns) * tile.cx, (n / columns) * tile.cy};
    return {n * tile.cx, 0};
}

bool CGraphView::OnPreparePrinting(fw::CPrintInfo* info)
{
    if (m_directPrint)
        info->m_bDirect = true;
    return true;
}

void CGraphView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    CZELGraphView::OnBeginPrinting(dc, info);
    if (m_batch) {
        const CPrintJobList& jobs = GraphPageHost().PrintJobs();
        const bool paper = jobs.m_layoutMode == CPrintJobList::kPaperSizePrint;
        const int columns = paper ? 1 : std::max(1, jobs.m_columns);
        const int rows = paper ? 1 : std::max(1, jobs.m_rows);
        m_cell = fw::CSize(m_printArea.Width() / columns, m_printArea.Height() / rows);
        // Every cell prints at paper size; the user's choice comes back after.
        m_batchPaperSize = GraphPageHost().PrintAtPaperSize() ? 1 : 0;
        GraphPageHost().SetPrintAtPaperSize(true);
        if (info)
            info->SetMaxPage(static_cast<unsigned>(std::max(1, jobs.SheetCount())));
        return;
    }
    LayoutForPrint(m_printArea, info, false);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(m_columns * m_rows));
}

void CGraphView::OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info)
{
    CZELGraphView::OnPrepareDC(dc, info);
    if (!dc->IsPrinting() || !info || !info->m_bContinuePrinting || m_batch)
        return;
    const int n = static_cast<int>(info->m_nCurPage) - 1;
    dc->SetWindowOrg(TileOrigin(n, m_columns, m_rows, m_printArea.Size()));
}

void CGraphView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (m_batch) {
        PrintBatchSheet(dc, info);
        return;
    }
    CZELGraphView::OnPrint(dc, info);
}

void CGraphView::OnEndPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    m_columns = 1;
    m_rows = 1;
    if (m_batch) {
        GraphPageHost().SetPrintAtPaperSize(m_batchPaperSize != 0);
        m_batch = false;
    }
    CZELGraphView::OnEndPrinting(dc, info);
}

void CGraphView::LayoutForPrint(const fw::CRect& rect, fw::CPrintInfo*, bool enlarge)
{
    CGraphViewDoc* doc = GetGraphDocument();
    if (!doc)
        return;
    const fw::CSize page = doc->GetPageSize();
    const int printWidth = rect.Width();
    const int printHeight = rect.Height();
    if (printWidth <= 0 || printHeight <= 0)
        return;
    if (GraphPageHost().PrintAtPaperSize()) {
        if (!doc->IsAreaLocked()) {
            LayoutObjects(rect);
            return;
        }
        const double x = static_cast<double>(page.cx) / printWidth;
        const double y = static_cast<double>(page.cy) / printHeight;
        double scale = std::max(x, y);
        if (x < 1.0 && y < 1.0 && !enlarge)
            scale = 1.0;
        if (scale <= 0.0)
            scale = 1.0;
        LayoutObjects(fw::CRect(rect.left, rect.top, rect.left + static_cast<int>(page.cx / scale),
                                rect.top + static_cast<int>(page.cy / scale)));
        return;
    }
    if (page.cx >= printWidth || page.cy >= printHeight) {
        m_columns = (page.cx + printWidth - 1) / printWidth;
        m_rows = (page.cy + printHeight - 1) / printHeight;
    }
    fw::CRect area(0, 0, page.cx, page.cy);
    area.OffsetRect(m_printArea.left, m_printArea.top);
    LayoutObjects(area);
}

void CGraphView::PrintCell(fw::CDC* dc, fw::CPrintInfo* info)
{
    SetRedraw(false);
    m_columns = 1;
    m_rows = 1;
    const fw::CRect cell = info->m_rectDraw;
    GrSetClipRect(*dc, cell, kGrClipCopy);
    const bool enlarge = GraphPageHost().PrintJobs().m_layoutMode == CPrintJobList::kPaperSizePrint;
    LayoutForPrint(cell, info, enlarge);
    fw::CView::OnPrint(dc, info);
    if (const CZELGraphViewDoc* doc = GetDocument())
        LayoutObjects(doc->GetPageRect());
    dc->SelectClipRgn(nullptr);
    SetRedraw(true);
}

void CGraphView::PrepareBatch(fw::CPrintInfo& info)
{
    m_batch = true;
    info.SetMinPage(1);
    info.SetMaxPage(static_cast<unsigned>(std::max(1, GraphPageHost().PrintJobs().SheetCount())));
    info.m_bDirect = true;
    std::string name = GraphDocText(kIdsBatchPrintJob, kTextBatchPrintJob).c_str();
    if (name.size() > kJobNameBytes)
        name.resize(kJobNameBytes);
    info.m_strDocName = name;
}

bool CGraphView::PrintJobs()
{
    if (GraphPageHost().PrintJobs().m_titles.empty())
        return false;
    fw::CPrintInfo info;
    PrepareBatch(info);
    GraphPageHost().EnableMainWindow(false);
    const bool printed = fw::PrintView(*this, info);
    GraphPageHost().EnableMainWindow(true);
    m_batch = false;
    return printed;
}

void CGraphView::PrintBatchSheet(fw::CDC* dc, fw::CPrintInfo* info)
{
    const CPrintJobList& jobs = GraphPageHost().PrintJobs();
    const bool paper = jobs.m_layoutMode == CPrintJobList::kPaperSizePrint;
    const int columns = paper ? 1 : std::max(1, jobs.m_columns);
    const int rows = paper ? 1 : std::max(1, jobs.m_rows);
    const int titles = static_cast<int>(jobs.m_titles.size());
    int job = (static_cast<int>(info->m_nCurPage) - 1) * columns * rows;
    for (int row = 0; row < rows && job < titles; ++row) {
        for (int column = 0; column < columns && job < titles; ++column, ++job) {
            CGraphViewDoc* page = FindPageByTitle(jobs.m_titles[static_cast<size_t>(job)]);
            CGraphView* view = page ? FirstGraphView(*page) : nullptr;
            if (!view)
                continue;
            const int saved = dc->SaveDC();
            fw::CPrintInfo cell = *info;
            cell.m_rectDraw = fw::CRect(m_printArea.left + column * m_cell.cx, m_printArea.top + row * m_cell.cy,
                                        m_printArea.left + (column + 1) * m_cell.cx,
                                        m_printArea.top + (row + 1) * m_cell.cy);
            view->CZELGraphView::OnPrepareDC(dc, &cell);
            view->PrintCell(dc, &cell);
            dc->RestoreDC(saved);
        }
    }
}

// --- pictures -----------------------------------------------------------------------------

void CGraphView::SavePicture(const fw::CString& path, bool report)
{
    const fw::CString ending = LowerEnding(path);
    try {
        if (ending == ".bmp")
            SaveBmp(path);
        else if (ending == ".png")
            SavePng(path);
        else if (ending == ".emf")
            SaveEmf(path);
    } catch (const fw::CNotSupportedException&) {
        if (report)
            fw::AfxMessageBox(GraphDocText(kIdsPictureNotSaved, kTextPictureNotSaved));
    } catch (const std::exception& e) {
        if (report)
            fw::ReportException(e);
    }
}

fw::PixelBuffer CGraphView::RenderPicture()
{
    return RenderPagePicture(*this);
}

void CGraphView::SaveBmp(const fw::CString& path)
{
    CBitmapLib().SaveBmp(path, RenderPicture());
}

void CGraphView::SavePng(const fw::CString& path)
{
    CBitmapLib().SavePng(path, RenderPicture());
}

void CGraphView::SaveEmf(const fw::CString& path)
{
    WritePageMetafile(*this, path);
}

// --- commands -----------------------------------------------------------------------------

void CGraphView::OnUpdateUnlocked(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(doc && !doc->IsEditLocked());
}

void CGraphView::OnAddText()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc)
        return;
    fw::CString text;
    bool vertical = false;
    if (!GraphDocDialogs().EditText(text, vertical, true))
        return;
    CDrawTextObj* object = nullptr;
    try {
        object = new CDrawTextObj(GetLastClickRect(), text);
        object->SetVertical(vertical);
        // A turned text takes a box of its turned size.
        object->ResetSize();
        doc->AddObject(object);
        Invalidate();
    } catch (const std::exception&) {
        if (object) {
            doc->RemoveObject(object);
            object->Remove();
        }
        fw::AfxMessageBox(kIdsObjectNotCreated);
    }
}

void CGraphView::OnGraphFont()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsEditLocked())
        return;
    GraphFontChoice choice;
    const CDrawObjList selection = m_selection;
    if (selection.size() == 1 && selection.front()->GetFont()) {
        choice.font = *selection.front()->GetFont();
        choice.pointTenths = choice.font.lfHeight;
        choice.color = selection.front()->GetTextColor();
        choice.fromObject = true;
    }
    if (!GraphFontChooser().Choose(choice))
        return;
    bool changed = false;
    for (CDrawObj* object : selection) {
        const fw::LOGFONT* current = object->GetFont();
        if (!current)
            continue;
        fw::LOGFONT font = *current;
        if (choice.font.lfFaceName[0] == 0) {
            font.lfItalic = choice.font.lfItalic ? 1 : 0;
            font.lfUnderline = choice.font.lfUnderline ? 1 : 0;
            font.lfStrikeOut = choice.font.lfStrikeOut ? 1 : 0;
            font.lfWeight = choice.font.lfWeight;
        } else {
            const int32_t escapement = current->lfEscapement;
            font = choice.font;
            font.lfEscapement = escapement;
            font.lfOrientation = escapement;
        }
        font.lfHeight = choice.pointTenths;
        ApplyObjectFont(*object, font);
        object->SetTextColor(choice.color);
        object->ResetSize();
        changed = true;
    }
    // The new look is saved with the page.
    if (changed)
        doc->SetModifiedFlag();
}

void CGraphView::OnUpdateGraphFont(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsEditLocked()) {
        ui->Enable(false);
        return;
    }
    ui->Enable(std::any_of(m_selection.begin(), m_selection.end(),
                           [](CDrawObj* object) { return object->GetFont() != nullptr; }));
}

void CGraphView::OnLineColor()
{
    CDrawObjPrf style = GraphPageHost().DefaultFrameStyle();
    bool transparencyAllowed = false;
    if (m_selection.size() == 1) {
        style = m_selection.front()->GetFrameStyle();
        transparencyAllowed = dynamic_cast<CDrawGraphObj*>(m_selection.front()) != nullptr;
    }
    if (!transparencyAllowed)
        style.m_transparent = 0;
    if (!GraphDocDialogs().EditLineFill(style, transparencyAllowed))
        return;
    GraphPageHost().DefaultFrameStyle() = style;
    const CDrawObjList selection = m_selection;
    for (CDrawObj* object : selection)
        object->SetFrameStyle(style);
}

void CGraphView::OnGraphEditClear()
{
    CPollingPause pause;
    CZELGraphView::OnEditClear();
}

void CGraphView::OnGraphEditLock()
{
    if (CZELGraphViewDoc* doc = GetDocument())
        doc->ToggleEditLock();
}

void CGraphView::OnUpdateGraphEditLock(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(true);
    ui->SetCheck(doc && doc->IsEditLocked() ? 1 : 0);
}

void CGraphView::OnSavePicture()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc)
        return;
    fw::FileDialogRequest request;
    request.filters = {{"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)", {"*.bmp"}},
                       {"拡張ﾒﾀﾌｧｲﾙ (*.emf)", {"*.emf"}},
                       {"PNGﾌｧｲﾙ (*.png)", {"*.png"}}};
    request.defaultExt = "*.*";
    request.flags = fw::OFN_HIDEREADONLY | fw::OFN_OVERWRITEPROMPT;
    std::string initial = doc->GetPathName().c_str();
    for (const char* extension : {".kivg", ".KIVG"}) {
        const size_t at = initial.find(extension);
        if (at != std::string::npos) {
            initial.erase(at, std::string(extension).size());
            break;
        }
    }
    request.initial = initial;
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    CPollingPause pause;
    SavePicture(result.paths.front(), true);
}

void CGraphView::OnBlankForm()
{
    GraphPageHost().OpenNewGraphPage();
}

void CGraphView::OnGraphBatchPrint()
{
    CPrintJobsDlg dialog;
    dialog.m_pages = GraphPageHost().OpenGraphPages();
    dialog.m_jobs = GraphPageHost().PrintJobs();
    if (dialog.DoModal() != fw::IDOK)
        return;
    GraphPageHost().PrintJobs() = dialog.m_jobs;
    if (dialog.m_jobs.m_titles.empty())
        return;
    // The batch prints through the first open page of the first title.
    CGraphViewDoc* page = FindPageByTitle(dialog.m_jobs.m_titles.front());
    if (CGraphView* view = page ? FirstGraphView(*page) : nullptr)
        view->PrintJobs();
}

namespace {

// To every graph page, or to this one only.
void SendPageHint(CGraphViewDoc& page, bool all, intptr_t hint, fw::CObject* object)
{
    if (all)
        DataDocHost().UpdateAllGraphDocs(hint, object);
    else
        page.DispatchUpdate(hint, object);
}

CKivDocBase* OpenSource(const CDocIdent& ident)
{
    for (unsigned id : {129u, 130u}) {
        std::vector<CKivDocBase*> documents;
        GraphPageHost().DocumentsOfTemplate(id, documents);
        for (CKivDocBase* doc : documents) {
            if (!ident.IsNone() && doc->GetDocIdent() == ident)
                return doc;
        }
    }
    return nullptr;
}

} // namespace

void CGraphView::OnUpdatePlotRange()
{
    CGraphViewDoc* page = GetGraphDocument();
    if (!page)
        return;
    CGraphUpdateDlg dialog(page);
    if (dialog.DoModal() != fw::IDOK)
        return;
    CUpdateGraphStep step;
    step.m_doc = dialog.m_ident;
    step.m_key = dialog.m_kind == 1 ? 3 : 2;
    step.m_first = dialog.m_start - 1;
    step.m_second = dialog.m_end - 1;
    SendPageHint(*page, dialog.m_all != 0, kHintPlotRange, &step);
    if (dialog.m_kind == 0) {
        step.m_key = 5;
        SendPageHint(*page, dialog.m_all != 0, kHintPlotRange, &step);
    }
}

void CGraphView::OnChangeReference()
{
    CGraphViewDoc* page = GetGraphDocument();
    if (!page)
        return;
    CGraphSheetUpdateDlg dialog(page);
    if (dialog.DoModal() != fw::IDOK)
        return;
    CKivDocBase* source = OpenSource(dialog.m_newIdent);
    if (!source)
        return;
    CPollingPause pause;
    CUpdateGraph update;
    update.m_firstDoc = dialog.m_oldIdent;
    update.m_secondDoc = dialog.m_newIdent;
    update.m_path = dialog.m_newName;
    update.m_flag = dialog.m_rename;
    CProfileTanks lists(*source, false);
    update.m_firstKey = profilelist::kUsedTanks;
    update.m_secondKey = profilelist::kOpData;
    update.m_firstTanks = lists.List(profilelist::kUsedTanks);
    update.m_secondTanks = lists.List(profilelist::kOpData);
    SendPageHint(*page, dialog.m_all != 0, kHintReferenceFile, &update);
}

void CGraphView::OnAddMoniData()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc)
        return;
    if (!GraphObjectDialogs().EditMonitor(DefaultMonitorProfile()))
        return;
    CPollingPause pause;
    CDrawMoniDataObj* object = nullptr;
    try {
        object = new CDrawMoniDataObj(GetLastClickRect());
        object->SetFrameStyle(GraphPageHost().DefaultFrameStyle());
        doc->AddObject(object);
        Invalidate();
    } catch (const std::exception&) {
        if (object) {
            doc->RemoveObject(object);
            object->Remove();
        }
        fw::AfxMessageBox(kIdsObjectNotCreated);
    }
}
