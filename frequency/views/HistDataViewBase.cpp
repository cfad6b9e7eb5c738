#include "frequency/views/HistDataViewBase.h"

#include "common/base/LogFont.h"
#include "common/base/TextFile.h"
#include "docbase/doc/UndoBuffer.h"
#include "docview/controls/ContextMenus.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "framework/ui/CmdUI.h"
#include "frequency/document/HistDoc.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistViewIds.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridColors.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridClipboard.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

FW_IMPLEMENT_DYNAMIC(CHistDataViewBase, CZELSpredView)

using namespace histview;

FW_BEGIN_COMMANDS(CHistDataViewBase, CZELSpredView)
    FW_ON_COMMAND(kIdUndoCommand, &CHistDataViewBase::OnEditUndo)
    FW_ON_UPDATE(kIdUndoCommand, &CHistDataViewBase::OnUpdateUndo)
    FW_ON_COMMAND(fw::ID_EDIT_CUT, &CHistDataViewBase::OnEditCut)
    FW_ON_UPDATE(fw::ID_EDIT_CUT, &CHistDataViewBase::OnUpdateClear)
    FW_ON_COMMAND(fw::ID_EDIT_COPY, &CHistDataViewBase::OnEditCopy)
    FW_ON_UPDATE(fw::ID_EDIT_COPY, &CHistDataViewBase::OnUpdateCopy)
    FW_ON_COMMAND(fw::ID_EDIT_PASTE, &CHistDataViewBase::OnEditPaste)
    FW_ON_UPDATE(fw::ID_EDIT_PASTE, &CHistDataViewBase::OnUpdatePaste)
    FW_ON_COMMAND(fw::ID_EDIT_CLEAR, &CHistDataViewBase::OnEditClear)
    FW_ON_UPDATE(fw::ID_EDIT_CLEAR, &CHistDataViewBase::OnUpdateClear)
    FW_ON_COMMAND(fw::ID_EDIT_SELECT_ALL, &CHistDataViewBase::OnSelectAll)
    FW_ON_UPDATE(fw::ID_EDIT_SELECT_ALL, &CHistDataViewBase::OnUpdateAlways)
    FW_ON_COMMAND(kIdFillDown, &CHistDataViewBase::OnFillDown)
    FW_ON_UPDATE(kIdFillDown, &CHistDataViewBase::OnUpdateFillDown)
    FW_ON_COMMAND(kIdDeleteRows, &CHistDataViewBase::OnDeleteRows)
    FW_ON_UPDATE(kIdDeleteRows, &CHistDataViewBase::OnUpdateDelete)
    FW_ON_COMMAND(kIdEditLock, &CHistDataViewBase::OnEditLock)
    FW_ON_UPDATE(kIdEditLock, &CHistDataViewBase::OnUpdateEditLock)
    FW_ON_COMMAND(kIdTextSave, &CHistDataViewBase::OnTextSave)
    FW_ON_UPDATE(kIdTextSave, &CHistDataViewBase::OnUpdateAlways)
FW_END_COMMANDS

namespace {

constexpr int32_t kUndoKind = CUndoBuffer::kDataViewKind;
constexpr int32_t kPrintFontHeight = 120; // tenths of a point

CCellRange OneCell(CCellIndices cell) { return {cell.row, cell.col, cell.row, cell.col}; }

std::string Upper(const fw::CString& text)
{
    std::string s = text.str();
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

CHistDataViewBase::CHistDataViewBase()
{
    m_nMarginLeft = 400;
    m_nMarginTop = 300;
    m_nMarginRight = 200;
    m_nMarginBottom = 200;
    SetDefaultLogFont(&m_printFont, true, 0);
    m_printFont.lfHeight = kPrintFontHeight;
}

CHistDataViewBase::~CHistDataViewBase() = default;

CHistDoc* CHistDataViewBase::GetHistDoc() const { return dynamic_cast<CHistDoc*>(GetDocument()); }

CHistFrame* CHistDataViewBase::GetHistFrame() const { return dynamic_cast<CHistFrame*>(GetParentFrame()); }

bool CHistDataViewBase::IsLocked() const
{
    const CHistDoc* doc = GetHistDoc();
    return !doc || doc->IsEditLocked();
}

void CHistDataViewBase::SetGridStyle(CZELGridStyle* style)
{
    if (style) {
        for (int pane = kPaneCorner; pane <= kPaneSheet; ++pane)
            style->GetPane(pane).m_crBack = kGridButtonFaceColor;
    }
    CZELSpredView::SetGridStyle(style);
}

// ---- text ------------------------------------------------------------------------------------

int32_t CHistDataViewBase::GetLastUsedRow(int32_t first, int32_t limit)
{
    const CZELGridPane* sheet = GetGrid()->GetSheetPane();
    int32_t last = sheet->RowCount() - 1;
    if (limit >= 0)
        last = std::min(last, limit);
    const int32_t lastCol = sheet->ColumnCount() - 1;
    for (int32_t row = last; row >= std::max(first, 0); --row)
        for (int32_t col = 0; col <= lastCol; ++col) {
            fw::CString text;
            if (GetSheetText(text, col, row, 0) && !text.IsEmpty())
                return row;
        }
    return -1;
}

void CHistDataViewBase::WriteText(CTextFile& file, char sep)
{
    CHistDoc* doc = GetHistDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid->GetStyle())
        return;
    const fw::CString& title = doc->GetTestTitle();
    file.WriteLine(sep == ',' ? CTextFile::MakeCsvField(title) : title, true);
    fw::CString info;
    if (CHistFrame* frame = GetHistFrame())
        frame->GetInfoText(info, sep);
    file.WriteLine(info, true);
    const int32_t lastCol = grid->GetSheetPane()->ColumnCount() - 1;
    const int32_t headerRows = grid->GetPane(kIndexColumnHeader)->RowCount();
    for (int32_t row = 0; row < headerRows; ++row) {
        fw::CString line;
        grid->AppendColumnHeaderLine(line, row, sep, true, 0, lastCol);
        file.WriteLine(line, true);
    }
    const int32_t lastRow = GetLastUsedRow(0, -1);
    for (int32_t row = 0; row <= lastRow; ++row) {
        fw::CString line;
        grid->AppendSheetLine(line, row, sep, true, 0, lastCol);
        file.WriteLine(line, true);
    }
}

char CHistDataViewBase::SeparatorFor(const fw::CString& path)
{
    // Only the file-name part counts: a dot in a folder name is no extension.
    std::string upper = Upper(path);
    const size_t slash = upper.find_last_of("/\\");
    if (slash != std::string::npos)
        upper.erase(0, slash + 1);
    const size_t dot = upper.rfind('.');
    return dot != std::string::npos && dot != 0 && upper.compare(dot, std::string::npos, ".CSV") == 0 ? ',' : '\t';
}

bool CHistDataViewBase::SaveTextFile(const fw::CString& path)
{
    CTextFile file;
    if (!file.OpenFile(path, fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareExclusive))
        return false;
    fw::CWaitCursor wait;
    try {
        WriteText(file, SeparatorFor(path));
        file.Close();
    } catch (const fw::CFileException& e) {
        file.Abort();
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        return false;
    }
    return true;
}

fw::CString CHistDataViewBase::AskTextPath(bool overwritePrompt)
{
    fw::FileDialogRequest request;
    request.filters.push_back(fw::FileFilter{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}});
    request.filters.push_back(fw::FileFilter{fw::CString("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"), {fw::CString("*.txt")}});
    request.defaultExt = "txt";
    request.flags = fw::OFN_HIDEREADONLY | (overwritePrompt ? fw::OFN_OVERWRITEPROMPT : 0u);
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return {};
    return result.paths.front();
}

void CHistDataViewBase::OnTextSave()
{
    const fw::CString path = AskTextPath(true);
    if (!path.IsEmpty())
        SaveTextFile(path);
}

// ---- undo ------------------------------------------------------------------------------------

bool CHistDataViewBase::CanUndo() const
{
    CHistDoc* doc = GetHistDoc();
    if (!doc)
        return false;
    const CUndoBuffer& buffer = doc->GetUndoBuffer();
    return buffer.CanUndo(kUndoKind) && buffer.GetOwner() == GetSafeHwnd();
}

void CHistDataViewBase::DiscardUndo()
{
    if (CHistDoc* doc = GetHistDoc())
        doc->GetUndoBuffer().Release(GetSafeHwnd());
}

void CHistDataViewBase::RecordUndo(CZELGridPane*, int change, const CCellRange*) { WriteUndoRecord(change); }

bool CHistDataViewBase::WriteUndoRecord(int32_t code, int32_t extra)
{
    CHistDoc* doc = GetHistDoc();
    if (!doc)
        return false;
    std::unique_ptr<fw::CMemFile> file = CUndoBuffer::NewSnapshotFile();
    if (file && WriteUndoData(*file, code, extra)) {
        doc->GetUndoBuffer().SetSnapshot(GetSafeHwnd(), kUndoKind, std::move(file));
        return true;
    }
    doc->GetUndoBuffer().Release(GetSafeHwnd());
    return false;
}

void CHistDataViewBase::WriteRange(fw::CArchive& ar, const CCellRange& range)
{
    for (int32_t row = range.top; row <= range.bottom; ++row) {
        for (int32_t col = range.left; col <= range.right; ++col) {
            fw::CString text;
            GetSheetText(text, col, row, 0);
            ar.WriteString(text);
            if (col != range.right)
                ar.WriteString("\t");
        }
        ar.WriteString("\r\n");
    }
}

void CHistDataViewBase::ReadRange(fw::CArchive& ar, const CCellRange& range)
{
    fw::CString line;
    for (int32_t row = range.top; row <= range.bottom && ar.ReadString(line); ++row) {
        const std::string& s = line.str();
        size_t start = 0;
        for (int32_t col = range.left; col <= range.right; ++col) {
            const size_t tab = s.find('\t', start);
            const std::string cell = s.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            SetSheetText(row, col, fw::CString(cell), 0);
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
    }
}

bool CHistDataViewBase::WriteUndoData(fw::CMemFile& file, int32_t code, int32_t extra)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return false;
    try {
        fw::CArchive ar(&file, fw::CArchive::store, 4096);
        ar << code;
        CGridJob job;
        grid->GetSelectionJob(job);
        job.Serialize(ar);
        const CCellRange sel = job.m_selection;
        switch (code) {
        case kUndoCell:
            WriteRange(ar, OneCell(job.m_current));
            break;
        case kUndoRange:
        case kUndoDeletedRows:
            WriteRange(ar, sel);
            break;
        case kUndoColumnWidths:
            grid->GetStyle()->GetColumnWidths()->Serialize(ar);
            break;
        case kUndoRowHeights:
            grid->GetStyle()->GetRowHeights()->Serialize(ar);
            break;
        case kUndoColumn:
            ar << extra;
            WriteRange(ar, {sel.top, extra, sel.bottom, extra});
            break;
        default:
            break;
        }
        ar.Close();
        return true;
    } catch (const fw::CException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CHistDataViewBase::Undo()
{
    CHistDoc* doc = GetHistDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid || !CanUndo())
        return;
    CUndoBuffer& buffer = doc->GetUndoBuffer();
    fw::CMemFile* stored = buffer.GetSnapshot();
    if (!stored)
        return;
    // The reverse record replaces the one being read: read from a copy.
    stored->SeekToBegin();
    std::vector<uint8_t> bytes(static_cast<size_t>(stored->GetLength()));
    stored->Read(bytes.data(), bytes.size());
    fw::CMemFile file(bytes);
    auto reverse = CUndoBuffer::NewSnapshotFile();
    CGridJob job;
    try {
        fw::CArchive ar(&file, fw::CArchive::load, 4096);
        int32_t code = 0;
        ar >> code;
        job.Serialize(ar);
        grid->ApplySelectionJob(job);
        int32_t column = -1;
        if (code == kUndoColumn)
            ar >> column;
        const bool recorded = reverse && WriteUndoData(*reverse, code, column);
        switch (code) {
        case kUndoCell:
            ReadRange(ar, OneCell(job.m_current));
            break;
        case kUndoRange:
            ReadRange(ar, job.m_selection);
            break;
        case kUndoColumnWidths:
            grid->GetStyle()->GetColumnWidths()->Serialize(ar);
            grid->ApplyStyle(true);
            break;
        case kUndoRowHeights:
            grid->GetStyle()->GetRowHeights()->Serialize(ar);
            grid->ApplyStyle(true);
            break;
        case kUndoColumn:
            ReadRange(ar, {job.m_selection.top, column, job.m_selection.bottom, column});
            break;
        default:
            // Row deletions never happen in the frequency tables.
            break;
        }
        ar.Close();
        if (recorded)
            buffer.SetSnapshot(GetSafeHwnd(), kUndoKind, std::move(reverse));
    } catch (const fw::CException&) {
        buffer.Release(GetSafeHwnd());
    }
    grid->RedrawPanes();
    doc->SendUpdateHint(this, job.m_selection.left, job.m_selection.right, 0);
}

// ---- view ------------------------------------------------------------------------------------

void CHistDataViewBase::OnUpdate(fw::CView*, intptr_t hint, fw::CObject*)
{
    CZELViewGrid* grid = GetGrid();
    switch (hint) {
    case kHintRepaint:
        Invalidate();
        if (grid && grid->GetStyle())
            grid->RedrawPanes();
        break;
    case kHintTitleChanged:
        if (CHistFrame* frame = GetHistFrame(); frame && Widget() && Widget()->isVisible()) {
            frame->UpdateTitleField();
            frame->UpdateTimes();
        } else if (grid && grid->GetStyle()) {
            grid->RedrawPanes();
        }
        break;
    case kHintDataChanged:
        if (grid && grid->GetStyle())
            grid->RedrawPanes();
        break;
    case kHintPaneMetrics:
        if (grid)
            grid->ResetPaneMetrics();
        break;
    default:
        break;
    }
}

void CHistDataViewBase::OnDraw(fw::CDC* dc)
{
    if (!dc || !dc->IsPrinting())
        return;
    int y = m_nMarginTop;
    DrawPrintHeader(*dc, y);
}

void CHistDataViewBase::DrawPrintHeader(fw::CDC& dc, int& y)
{
    CHistDoc* doc = GetHistDoc();
    fw::CFont font;
    font.CreatePointFontIndirect(m_printFont);
    fw::CFont* old = dc.SelectObject(&font);
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    const int width = dc.GetDeviceCaps(fw::HORZRES);
    const int line = std::max(dc.GetTextExtent("0").cy, 1);
    fw::CRect box(m_nMarginLeft, y, width - m_nMarginRight, y + line);
    if (doc)
        dc.DrawText(doc->GetTestTitle(), &box, fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_NOPREFIX);
    box.OffsetRect(0, line);
    fw::CString info;
    if (CHistFrame* frame = GetHistFrame())
        frame->GetInfoText(info, ' ');
    dc.DrawText(info, &box, fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_NOPREFIX);
    y = box.bottom;
    dc.SetBkMode(oldMode);
    dc.SelectObject(old);
}

bool CHistDataViewBase::OnPreparePrinting(fw::CPrintInfo*) { return GetGrid() && GetGrid()->GetStyle(); }

int CHistDataViewBase::CountPrintPages(fw::CDC& dc)
{
    const int32_t lastRow = std::max(GetGrid()->GetSheetPane()->RowCount() - 1, 0);
    const int32_t lastCol = std::max(GetGrid()->GetSheetPane()->ColumnCount() - 1, 0);
    return GetGrid()->CountPrintPages(dc, m_rcPrint, true, lastRow, lastCol, false);
}

void CHistDataViewBase::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    fw::CFont font;
    font.CreatePointFontIndirect(m_printFont);
    fw::CFont* old = dc->SelectObject(&font);
    m_nLineHeight = std::max(dc->GetTextExtent("0").cy, 1);
    dc->SelectObject(old);
    const int width = dc->GetDeviceCaps(fw::HORZRES);
    const int height = dc->GetDeviceCaps(fw::VERTRES);
    m_rcPrint = fw::CRect(m_nMarginLeft, m_nMarginTop + PrintHeaderLines() * m_nLineHeight, width - m_nMarginRight,
                          height - m_nMarginBottom);
    const int pages = CountPrintPages(*dc);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 1)));
}

void CHistDataViewBase::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    OnDraw(dc);
    CZELSpredView::OnPrint(dc, info);
}

void CHistDataViewBase::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    if (m_nContextMenuId > 0)
        appctl::TrackControlMenu(static_cast<unsigned>(m_nContextMenuId), *this, point);
}

// ---- commands --------------------------------------------------------------------------------

void CHistDataViewBase::NotifySelectionColumns()
{
    CHistDoc* doc = GetHistDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    GetGrid()->RedrawPanes();
    doc->SetModifiedFlag(true);
    doc->SendUpdateHint(this, sel.left, sel.right, 0);
}

bool CHistDataViewBase::CanPaste() const
{
    std::vector<uint8_t> bytes;
    return GetGridClipboardText(bytes) && !bytes.empty();
}

void CHistDataViewBase::OnEditUndo()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->undo();
        return;
    }
    Undo();
}

void CHistDataViewBase::OnEditCut()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->cut();
        return;
    }
    fw::CWaitCursor wait;
    GetGrid()->CopyToClipboard();
    const CCellRange sel = GetGrid()->GetSelection();
    ClearCells(sel.left, sel.top, sel.right, sel.bottom);
    GetHistDoc()->SetModifiedFlag(true);
}

void CHistDataViewBase::OnEditCopy()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->copy();
        return;
    }
    fw::CWaitCursor wait;
    GetGrid()->CopyToClipboard();
}

void CHistDataViewBase::OnEditPaste()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->paste();
        return;
    }
    fw::CWaitCursor wait;
    WriteUndoRecord(kUndoRange);
    if (GetGrid()->PasteFromClipboard())
        NotifySelectionColumns();
}

void CHistDataViewBase::OnEditClear()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->textCursor().removeSelectedText();
        return;
    }
    fw::CWaitCursor wait;
    const CCellRange sel = GetGrid()->GetSelection();
    ClearCells(sel.left, sel.top, sel.right, sel.bottom);
    GetHistDoc()->SetModifiedFlag(true);
}

void CHistDataViewBase::OnSelectAll()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->SetSel(0, -1);
        return;
    }
    const CZELGridPane* sheet = GetGrid()->GetSheetPane();
    int32_t last = GetLastUsedRow(0, -1);
    if (last < 0)
        last = sheet->RowCount() - 1;
    CGridJob job;
    GetGrid()->GetSelectionJob(job);
    GetGrid()->SetSelection({0, 0, last, sheet->ColumnCount() - 1}, job.m_current, job.m_end, true);
}

void CHistDataViewBase::OnFillDown()
{
    GetGrid()->FillDown();
    NotifySelectionColumns();
}

void CHistDataViewBase::OnDeleteRows()
{
    SaveUndo(kUndoDeletedRows);
    const CCellRange sel = GetGrid()->GetSelection();
    DeleteRows(sel.left, sel.top, sel.right, sel.bottom);
    NotifySelectionColumns();
}

void CHistDataViewBase::OnEditLock()
{
    CHistDoc* doc = GetHistDoc();
    if (!doc)
        return;
    doc->ToggleEditLock();
    if (CHistFrame* frame = GetHistFrame())
        frame->Bar().SetTitleReadOnly(doc->IsEditLocked());
    doc->SetModifiedFlag(true);
}

void CHistDataViewBase::OnUpdateUndo(fw::CCmdUI* ui)
{
    ui->Enable(!IsLocked() && (GetGrid()->GetActiveEditor() != nullptr || CanUndo()));
}

void CHistDataViewBase::OnUpdateClear(fw::CCmdUI* ui)
{
    ui->Enable(!IsLocked() && (GetGrid()->GetActiveEditor() != nullptr || CanClear()));
}

void CHistDataViewBase::OnUpdateCopy(fw::CCmdUI* ui)
{
    if (GetGrid()->GetActiveEditor()) {
        ui->Enable(true);
        return;
    }
    ui->Enable(GetGrid()->GetStyle() != nullptr);
}

void CHistDataViewBase::OnUpdatePaste(fw::CCmdUI* ui)
{
    ui->Enable(!IsLocked() && (GetGrid()->GetActiveEditor() != nullptr || CanPaste()));
}

void CHistDataViewBase::OnUpdateFillDown(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid()->GetSelection();
    ui->Enable(!IsLocked() && !GetGrid()->GetActiveEditor() && CanClear() && sel.top < sel.bottom);
}

void CHistDataViewBase::OnUpdateDelete(fw::CCmdUI* ui) { ui->Enable(!GetGrid()->GetActiveEditor() && CanDelete()); }

void CHistDataViewBase::OnUpdateEditLock(fw::CCmdUI* ui)
{
    CHistDoc* doc = GetHistDoc();
    ui->Enable(true);
    ui->SetCheck(doc && doc->IsEditLocked() ? 1 : 0);
}

void CHistDataViewBase::OnUpdateAlways(fw::CCmdUI* ui) { ui->Enable(true); }
