#include "grid/views/DocTableView.h"

#include "common/base/LogFont.h"
#include "common/base/TextFile.h"
#include "common/calc/DataFormat.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/UndoBuffer.h"
#include "docview/controls/ContextMenus.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridClipboard.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "grid/views/WHsetDlg.h"

#include <QPoint>
#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

FW_IMPLEMENT_DYNAMIC(CDocTableView, CZELSpredView)

FW_BEGIN_COMMANDS(CDocTableView, CZELSpredView)
    FW_ON_COMMAND(fw::ID_EDIT_CLEAR, &CDocTableView::OnEditClear)
    FW_ON_UPDATE(fw::ID_EDIT_CLEAR, &CDocTableView::OnUpdateEditable)
    FW_ON_COMMAND(fw::ID_EDIT_CUT, &CDocTableView::OnEditCut)
    FW_ON_UPDATE(fw::ID_EDIT_CUT, &CDocTableView::OnUpdateEditable)
    FW_ON_COMMAND(fw::ID_EDIT_COPY, &CDocTableView::OnEditCopy)
    FW_ON_UPDATE(fw::ID_EDIT_COPY, &CDocTableView::OnUpdateCopy)
    FW_ON_COMMAND(fw::ID_EDIT_PASTE, &CDocTableView::OnEditPaste)
    FW_ON_UPDATE(fw::ID_EDIT_PASTE, &CDocTableView::OnUpdatePaste)
    FW_ON_COMMAND(fw::ID_EDIT_SELECT_ALL, &CDocTableView::OnSelectAll)
    FW_ON_UPDATE(fw::ID_EDIT_SELECT_ALL, &CDocTableView::OnUpdateAlways)
    FW_ON_COMMAND(CDocTableView::kIdUndo, &CDocTableView::OnEditUndo)
    FW_ON_UPDATE(CDocTableView::kIdUndo, &CDocTableView::OnUpdateUndo)
    FW_ON_COMMAND(CDocTableView::kIdFillDown, &CDocTableView::OnFillDown)
    FW_ON_UPDATE(CDocTableView::kIdFillDown, &CDocTableView::OnUpdateFillDown)
    FW_ON_COMMAND(CDocTableView::kIdInsertRows, &CDocTableView::OnInsertRows)
    FW_ON_UPDATE(CDocTableView::kIdInsertRows, &CDocTableView::OnUpdateInsertRows)
    FW_ON_COMMAND(CDocTableView::kIdDeleteRows, &CDocTableView::OnDeleteRows)
    FW_ON_UPDATE(CDocTableView::kIdDeleteRows, &CDocTableView::OnUpdateDeleteRows)
    FW_ON_COMMAND(CDocTableView::kIdTextSave, &CDocTableView::OnTextSave)
    FW_ON_UPDATE(CDocTableView::kIdTextSave, &CDocTableView::OnUpdateAlways)
    FW_ON_COMMAND(CDocTableView::kIdColumnWidth, &CDocTableView::OnColumnWidth)
    FW_ON_UPDATE(CDocTableView::kIdColumnWidth, &CDocTableView::OnUpdateWidth)
    FW_ON_COMMAND(CDocTableView::kIdLeftColumnWidth, &CDocTableView::OnLeftColumnWidth)
    FW_ON_UPDATE(CDocTableView::kIdLeftColumnWidth, &CDocTableView::OnUpdateWidth)
    FW_ON_COMMAND(CDocTableView::kIdEditCell, &CDocTableView::OnEditCell)
    FW_ON_UPDATE(CDocTableView::kIdEditCell, &CDocTableView::OnUpdateWidth)
    FW_ON_COMMAND_RANGE(CDocTableView::kIdSuperscript, CDocTableView::kIdNormalScript, &CDocTableView::OnScriptCommand)
    FW_ON_UPDATE_RANGE(CDocTableView::kIdSuperscript, CDocTableView::kIdNormalScript,
                       &CDocTableView::OnUpdateScriptCommand)
    FW_ON_COMMAND(fw::ID_FILE_PRINT, &fw::CView::OnFilePrint)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_DIRECT, &fw::CView::OnFilePrintDirect)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_PREVIEW, &fw::CView::OnFilePrintPreview)
FW_END_COMMANDS

namespace {

constexpr int32_t kUndoKind = CUndoBuffer::kDataViewKind;
constexpr int32_t kPrintFontHeight = 120; // tenths of a point

CCellRange OneCell(CCellIndices cell) { return {cell.row, cell.col, cell.row, cell.col}; }

} // namespace

bool CDocTableView::s_bPrintAcrossFirst = false;

CDocTableView::CDocTableView()
{
    m_nMarginLeft = 400;
    m_nMarginTop = 300;
    m_nMarginRight = 200;
    m_nMarginBottom = 200;
    SetDefaultLogFont(&m_printFont, true, 0);
    m_printFont.lfHeight = kPrintFontHeight;
}

CKivDocBase* CDocTableView::GetKivDoc() const { return dynamic_cast<CKivDocBase*>(GetDocument()); }

bool CDocTableView::EditorOpen() const { return GetGrid() && GetGrid()->GetActiveEditor() != nullptr; }

CCellRange CDocTableView::Selection() const { return GetGrid()->GetSelection(); }

int32_t CDocTableView::SheetRowCount() const
{
    const CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    return style ? style->m_sheet.m_nRows : 0;
}

int32_t CDocTableView::SheetColumnCount() const
{
    const CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    return style ? style->m_sheet.m_nCols : 0;
}

// ---- undo -----------------------------------------------------------------------------------------

void CDocTableView::DiscardUndo()
{
    if (CKivDocBase* doc = GetKivDoc())
        doc->GetUndoBuffer().Release(UndoOwner());
}

void CDocTableView::RecordUndo(CZELGridPane*, int change, const CCellRange*) { RecordSelection(change); }

bool CDocTableView::RecordSelection(int32_t code, int32_t extra)
{
    CKivDocBase* doc = GetKivDoc();
    if (!doc)
        return false;
    std::unique_ptr<fw::CMemFile> file = CUndoBuffer::NewSnapshotFile();
    if (file && WriteUndoRecord(*file, code, extra)) {
        doc->GetUndoBuffer().SetSnapshot(UndoOwner(), kUndoKind, std::move(file));
        return true;
    }
    doc->GetUndoBuffer().Release(UndoOwner());
    return false;
}

bool CDocTableView::ConfirmUndoable(int32_t code)
{
    RecordSelection(code);
    return true;
}

bool CDocTableView::CanUndo() const
{
    CKivDocBase* doc = GetKivDoc();
    if (!doc || doc->IsEditLocked())
        return false;
    const CUndoBuffer& buffer = doc->GetUndoBuffer();
    return buffer.CanUndo(kUndoKind) && buffer.GetOwner() == UndoOwner();
}

void CDocTableView::WriteBlock(fw::CArchive& ar, const CCellRange& range)
{
    if (!GetGrid()->WriteSelectionText(ar, range))
        fw::ThrowArchiveException(fw::CArchiveException::genericException);
}

void CDocTableView::ReadBlock(fw::CArchive& ar, const CCellRange& range) { GetGrid()->ReadTextIntoRange(ar, range); }

bool CDocTableView::WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t extra)
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
        WriteRecordBody(ar, code, job, extra);
        ar.Close();
        return true;
    } catch (const fw::CException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CDocTableView::WriteRecordBody(fw::CArchive& ar, int32_t code, CGridJob& job, int32_t extra)
{
    CZELViewGrid* grid = GetGrid();
    const CCellRange sel = job.m_selection;
    switch (code) {
    case kUndoCell:
        WriteBlock(ar, OneCell(job.m_current));
        break;
    case kUndoBlock:
        WriteBlock(ar, sel);
        break;
    case kUndoRowHeights:
        grid->GetStyle()->GetRowHeights()->Serialize(ar);
        break;
    case kUndoColumnWidths:
        grid->GetStyle()->GetColumnWidths()->Serialize(ar);
        break;
    case kUndoColumn:
        ar << extra;
        WriteBlock(ar, {sel.top, extra, sel.bottom, extra});
        break;
    case kUndoDeletedRows:
        WriteBlock(ar, sel);
        WriteUndoExtra(ar);
        break;
    default:
        break;
    }
}

void CDocTableView::Undo()
{
    CKivDocBase* doc = GetKivDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid || !grid->GetStyle())
        return;
    CUndoBuffer& buffer = doc->GetUndoBuffer();
    if (!buffer.CanUndo(kUndoKind))
        return;
    fw::CMemFile* stored = buffer.GetSnapshot();
    if (!stored)
        return;
    // The reverse record replaces the one being read: read from a copy.
    stored->SeekToBegin();
    std::vector<uint8_t> bytes(static_cast<size_t>(stored->GetLength()));
    stored->Read(bytes.data(), bytes.size());
    fw::CMemFile file(bytes);
    std::unique_ptr<fw::CMemFile> reverse = CUndoBuffer::NewSnapshotFile();
    CGridJob job;
    bool reversed = false;
    const int32_t rowsBefore = UndoExtent();
    try {
        fw::CArchive ar(&file, fw::CArchive::load, 4096);
        int32_t code = 0;
        ar >> code;
        job.Serialize(ar);
        grid->ApplySelectionJob(job);
        if (reverse)
            ReplayRecord(ar, code, job, *reverse, reversed);
        ar.Close();
    } catch (const fw::CException&) {
        reversed = false;
    }
    if (reversed)
        buffer.SetSnapshot(UndoOwner(), kUndoKind, std::move(reverse));
    else
        buffer.Release(UndoOwner());
    doc->SetModifiedFlag(true);
    AfterUndo(job.m_selection, UndoExtent() != rowsBefore);
}

void CDocTableView::ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
                                 bool& reversed)
{
    CZELViewGrid* grid = GetGrid();
    const CCellRange sel = job.m_selection;
    auto restore = [&] { grid->ApplySelectionJob(job); };
    switch (code) {
    case kUndoColumn: {
        int32_t column = 0;
        ar >> column;
        reversed = WriteUndoRecord(reverse, kUndoColumn, column);
        ReadBlock(ar, {sel.top, column, sel.bottom, column});
        break;
    }
    case kUndoDeletedRows:
        // A deletion is undone by inserting the rows again; an insertion
        // (or the undo of a deletion) by deleting them.
        InsertRows(sel.left, sel.top, sel.right, sel.bottom);
        restore();
        reversed = WriteUndoRecord(reverse, kUndoReinsert, -1);
        ReadBlock(ar, sel);
        ReadUndoExtra(ar);
        break;
    case kUndoReinsert:
    case kUndoInsertedRows:
        restore();
        reversed = WriteUndoRecord(reverse, kUndoDeletedRows, -1);
        DeleteRows(sel.left, sel.top, sel.right, sel.bottom);
        break;
    default:
        restore();
        reversed = WriteUndoRecord(reverse, code, -1);
        if (code == kUndoCell) {
            ReadBlock(ar, OneCell(job.m_current));
        } else if (code == kUndoBlock) {
            ReadBlock(ar, sel);
        } else if (code == kUndoRowHeights) {
            grid->GetStyle()->GetRowHeights()->Serialize(ar);
            grid->ApplyStyle(true);
        } else if (code == kUndoColumnWidths) {
            grid->GetStyle()->GetColumnWidths()->Serialize(ar);
            grid->ApplyStyle(true);
        }
        break;
    }
}

void CDocTableView::AfterUndo(const CCellRange& range, bool)
{
    GetGrid()->RedrawPanes();
    AnnounceColumns(range.left, range.right);
}

// ---- state ----------------------------------------------------------------------------------------

bool CDocTableView::CanEdit() const
{
    CKivDocBase* doc = GetKivDoc();
    return doc && !doc->IsEditLocked();
}

bool CDocTableView::CanEditSelection()
{
    const CCellRange sel = Selection();
    return CanEditCell(sel.left, sel.right);
}

bool CDocTableView::HasSelection() const
{
    const CCellRange sel = Selection();
    return sel.top < sel.bottom;
}

bool CDocTableView::CanPaste() const
{
    std::vector<uint8_t> bytes;
    return GetGridClipboardText(bytes) && !bytes.empty();
}

int32_t CDocTableView::GetLastUsedRow(int32_t firstCol, int32_t lastCol)
{
    const int32_t cols = SheetColumnCount();
    if (lastCol < 0 || lastCol >= cols)
        lastCol = cols - 1;
    if (firstCol > lastCol)
        return -1;
    for (int32_t row = SheetRowCount() - 1; row >= 0; --row)
        for (int32_t col = firstCol; col <= lastCol; ++col) {
            fw::CString text;
            if (GetSheetText(text, col, row, 0) && !text.IsEmpty())
                return row;
        }
    return -1;
}

void CDocTableView::AnnounceColumns(int32_t firstCol, int32_t lastCol)
{
    if (CKivDocBase* doc = GetKivDoc())
        doc->SendUpdateHint(this, firstCol, lastCol, 0);
}

void CDocTableView::NotifySelectionColumns()
{
    const CCellRange sel = Selection();
    GetGrid()->RedrawPanes();
    if (CKivDocBase* doc = GetKivDoc())
        doc->SetModifiedFlag(true);
    AnnounceColumns(sel.left, sel.right);
}

// ---- editing ----------------------------------------------------------------------------------------

void CDocTableView::FillFromFirstCell() { GetGrid()->FillDown(); }

void CDocTableView::ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    RecordSelection(kUndoBlock);
    ClearRange(firstCol, firstRow, lastCol, lastRow);
    GetGrid()->RedrawPanes();
    AnnounceColumns(firstCol, lastCol);
}

void CDocTableView::OnEditClear()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->textCursor().removeSelectedText();
        return;
    }
    fw::CWaitCursor wait;
    const CCellRange sel = Selection();
    ClearCells(sel.left, sel.top, sel.right, sel.bottom);
    if (CKivDocBase* doc = GetKivDoc())
        doc->SetModifiedFlag(true);
}

void CDocTableView::OnEditCopy()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->copy();
        return;
    }
    fw::CWaitCursor wait;
    GetGrid()->CopyToClipboard();
}

void CDocTableView::OnEditCut()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->cut();
        return;
    }
    OnEditCopy();
    OnEditClear();
}

void CDocTableView::OnEditPaste()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->paste();
        return;
    }
    fw::CWaitCursor wait;
    // The grid records the pasted block before it writes it.
    if (GetGrid()->PasteFromClipboard())
        NotifySelectionColumns();
}

void CDocTableView::OnSelectAll()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->SetSel(0, -1);
        return;
    }
    int32_t last = GetLastUsedRow(0, -1);
    if (last < 0)
        last = SheetRowCount() - 1;
    CGridJob job;
    GetGrid()->GetSelectionJob(job);
    GetGrid()->SetSelection({0, 0, last, SheetColumnCount() - 1}, job.m_current, job.m_end, true);
}

void CDocTableView::OnEditUndo()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->undo();
        return;
    }
    if (CanUndo())
        Undo();
}

void CDocTableView::OnFillDown()
{
    FillFromFirstCell();
    NotifySelectionColumns();
}

void CDocTableView::OnInsertRows()
{
    if (EditorOpen() || !CanInsertRows() || !ConfirmUndoable(kUndoInsertedRows))
        return;
    const CCellRange sel = Selection();
    InsertRows(sel.left, sel.top, sel.right, sel.bottom);
    NotifySelectionColumns();
}

void CDocTableView::OnDeleteRows()
{
    if (EditorOpen() || !CanDeleteRows() || !ConfirmUndoable(kUndoDeletedRows))
        return;
    const CCellRange sel = Selection();
    DeleteRows(sel.left, sel.top, sel.right, sel.bottom);
    NotifySelectionColumns();
}

// ---- sizes and the cell editor -------------------------------------------------------------------

void CDocTableView::OnColumnWidth()
{
    CKivDocBase* doc = GetKivDoc();
    if (!CanEdit())
        return;
    CWHsetDlg dlg(GetGrid()->GetSheetPane(), this);
    if (dlg.DoModal() != fw::IDOK)
        return;
    doc->SetModifiedFlag(true);
    // Every view showing the same table follows.
    doc->UpdateAllViews(nullptr, 0, nullptr);
}

void CDocTableView::OnLeftColumnWidth()
{
    CKivDocBase* doc = GetKivDoc();
    CZELGridPane* corner = GetGrid()->GetPane(kIndexCorner);
    CZELGridPane* rowHeader = GetGrid()->GetPane(kIndexRowHeader);
    if (!CanEdit() || !corner || !rowHeader)
        return;
    CWHsetDlg dlg(corner, this);
    if (dlg.DoModal() != fw::IDOK)
        return;
    rowHeader->SetColumnWidths(0, corner->GetColumnWidth(0), 1);
    GetGrid()->RecalcLayout(false);
    doc->SetModifiedFlag(true);
    GetGrid()->RedrawPanes();
}

void CDocTableView::OnEditCell()
{
    CZELGridPane* sheet = GetGrid()->GetSheetPane();
    if (!CanEdit() || !sheet || EditorOpen())
        return;
    const CCellIndices cur = sheet->GetCurrentCell();
    GetGrid()->EnsureCellVisible(cur.row, cur.col, true);
    const fw::CRect cell = sheet->GetCellRect({cur.row, cur.col, cur.row, cur.col});
    sheet->OnLButtonDblClk(0, fw::CPoint(cell.left + 1, cell.top + 1));
}

void CDocTableView::OnScriptCommand(unsigned id)
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor(); editor && CanEdit())
        editor->ApplyFormatCommand(id);
}

void CDocTableView::OnUpdateScriptCommand(fw::CCmdUI* ui)
{
    CZELGridRichWnd* editor = GetGrid()->GetActiveEditor();
    if (!editor || !CanEdit()) {
        ui->Enable(false);
        return;
    }
    editor->UpdateFormatCommands(ui);
}

CZELGridRichWnd* CDocTableView::MakeNumericEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                  const fw::CString& allowed, unsigned ch, unsigned key, bool byKey)
{
    if (byKey && ch != 0) {
        const bool digit = ch >= '0' && ch <= '9';
        const bool extra = ch < 0x80 && !allowed.IsEmpty() && allowed.Find(static_cast<char>(ch)) >= 0;
        if (!digit && !extra)
            return nullptr;
    }
    auto editor = std::make_unique<CZELDegitEditWnd>();
    editor->SetAllowedChars(allowed);
    if (byKey)
        editor->CreateForKey(pane, rect, text, ch, key, 0);
    else
        editor->CreateForMouse(pane, rect, text, 0);
    return editor.release();
}

void CDocTableView::SetDropButton(bool on)
{
    CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    if (!style)
        return;
    uint32_t& flags = style->GetPane(kPaneSheet).m_format.nFlags;
    if (on)
        flags |= kCellDropButton;
    else
        flags &= ~static_cast<uint32_t>(kCellDropButton);
}

// ---- text ------------------------------------------------------------------------------------------

void CDocTableView::WriteText(CTextFile& file, bool csv)
{
    CKivDocBase* doc = GetKivDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid || !grid->GetStyle())
        return;
    const char sep = csv ? ',' : '\t';
    WriteTitleLines(file, csv);
    const int32_t lastCol = SheetColumnCount() - 1;
    const int32_t headerRows = grid->GetPane(kIndexColumnHeader)->RowCount();
    for (int32_t row = 0; row < headerRows; ++row) {
        fw::CString line;
        grid->AppendColumnHeaderLine(line, row, sep, m_bRowHeaderInText, 0, lastCol);
        file.WriteLine(line, true);
    }
    const int32_t lastRow = GetLastUsedRow(0, -1);
    for (int32_t row = 0; row <= lastRow; ++row) {
        fw::CString line;
        grid->AppendSheetLine(line, row, sep, m_bRowHeaderInText, 0, lastCol);
        file.WriteLine(line, true);
    }
}

void CDocTableView::WriteTitleLines(CTextFile& file, bool csv)
{
    CKivDocBase* doc = GetKivDoc();
    if (!doc)
        return;
    const fw::CString& title = doc->GetTestTitle();
    file.WriteLine(csv ? CTextFile::MakeCsvField(title) : title, true);
    std::vector<fw::CString> lines;
    GetFrameLines(lines, csv ? ',' : '\t');
    for (const fw::CString& line : lines)
        file.WriteLine(line, true);
}

char CDocTableView::SeparatorFor(const fw::CString& path)
{
    // Only the file-name part counts: a dot in a folder name is no extension.
    std::string upper = path.str();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const size_t slash = upper.find_last_of("/\\");
    if (slash != std::string::npos)
        upper.erase(0, slash + 1);
    const size_t dot = upper.rfind('.');
    return dot != std::string::npos && dot != 0 && upper.compare(dot, std::string::npos, ".CSV") == 0 ? ',' : '\t';
}

bool CDocTableView::SaveTextFile(const fw::CString& path)
{
    CTextFile file;
    if (!file.OpenFile(path, fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareExclusive))
        return false;
    fw::CWaitCursor wait;
    try {
        WriteText(file, SeparatorFor(path) == ',');
        file.Close();
    } catch (const fw::CFileException& e) {
        file.Abort();
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        return false;
    }
    return true;
}

fw::CString CDocTableView::AskTextPath(bool overwritePrompt)
{
    fw::FileDialogRequest request;
    request.filters.push_back(fw::FileFilter{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}});
    request.filters.push_back(fw::FileFilter{fw::CString("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"), {fw::CString("*.txt")}});
    request.defaultExt = TextSaveExtension();
    request.flags = fw::OFN_HIDEREADONLY | (overwritePrompt ? fw::OFN_OVERWRITEPROMPT : 0u);
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return {};
    return result.paths.front();
}

void CDocTableView::OnTextSave()
{
    const fw::CString path = AskTextPath(true);
    if (!path.IsEmpty())
        SaveTextFile(path);
}

// ---- menus -----------------------------------------------------------------------------------------

void CDocTableView::OnContextMenu(fw::CWnd*, fw::CPoint point) { ShowContextMenu(point); }

unsigned CDocTableView::ShowContextMenu(fw::CPoint screen)
{
    if (auto* frame = GetParentFrame())
        frame->SetActiveView(this);
    if (const CZELGridPane* sheet = GetGrid() ? GetGrid()->GetSheetPane() : nullptr) {
        unsigned chosen = 0;
        if (OnCellContextMenu(sheet->GetCurrentCell().col, screen, chosen))
            return chosen;
    }
    const fw::CPoint at = appctl::ContextMenuPoint(*this, screen);
    EnsureMenus();
    fw::CMenu menu;
    if (m_nContextMenuId <= 0 || !menu.LoadMenu(static_cast<unsigned>(m_nContextMenuId & 0xFFFF)))
        return 0;
    fw::CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return 0;
    fw::CMenu formats;
    if (popup->FindAction(kIdFormatItem, fw::MF_BYCOMMAND) && formats.CreatePopupMenu()) {
        for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
            formats.AppendMenu(fw::MF_STRING, item.command, item.text);
        const int pos = popup->PositionOf(kIdFormatItem);
        const fw::CString caption = popup->GetMenuString(kIdFormatItem, fw::MF_BYCOMMAND);
        popup->ModifyMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION | fw::MF_POPUP,
                          reinterpret_cast<uintptr_t>(formats.Detach()), caption);
    }
    CKivUnitMenu units;
    if (popup->FindAction(kIdUnitItem, fw::MF_BYCOMMAND)) {
        units.LoadUnits(kIdUnitItem);
        units.AttachToItem(*popup, kIdUnitItem);
    }
    PrepareContextMenu(*popup);
    const unsigned id =
        popup->TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, at.x, at.y, this);
    if (id != 0)
        OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr);
    return id;
}

unsigned CDocTableView::OpenCellMenu(unsigned menuId, int32_t col, int32_t row)
{
    EnsureMenus();
    fw::CMenu menu;
    if (!menu.LoadMenu(menuId))
        return 0;
    fw::CMenu* popup = menu.GetSubMenu(0);
    return popup ? TrackCellMenu(*popup, col, row) : 0;
}

unsigned CDocTableView::TrackCellMenu(fw::CMenu& popup, int32_t col, int32_t row)
{
    CZELGridPane* sheet = GetGrid()->GetSheetPane();
    if (!sheet)
        return 0;
    const fw::CRect cell = sheet->GetCellRect({row, col, row, col});
    QPoint at(cell.left + 1, cell.bottom);
    if (sheet->Widget())
        at = sheet->Widget()->mapToGlobal(at);
    const unsigned id =
        popup.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, at.x(), at.y(), this);
    if (id != 0)
        OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr);
    return id;
}

// ---- printing --------------------------------------------------------------------------------------

bool CDocTableView::OnPreparePrinting(fw::CPrintInfo*) { return GetGrid() && GetGrid()->GetStyle(); }

int CDocTableView::GetPrintPageCount(fw::CDC& dc)
{
    const int32_t lastRow = std::max(GetLastUsedRow(0, -1), 0);
    const int32_t lastCol = std::max(SheetColumnCount() - 1, 0);
    return GetGrid()->BeginPrint(dc, m_rcPrint, true, lastRow, lastCol, s_bPrintAcrossFirst);
}

void CDocTableView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    fw::CFont font;
    font.CreatePointFontIndirect(m_printFont);
    fw::CFont* old = dc->SelectObject(&font);
    m_nPrintTextHeight = std::max(dc->GetTextExtent("0").cy, 1);
    dc->SelectObject(old);
    const int width = info ? info->m_rectDraw.Width() : dc->GetDeviceCaps(fw::HORZRES);
    const int height = info ? info->m_rectDraw.Height() : dc->GetDeviceCaps(fw::VERTRES);
    m_rcPrint = fw::CRect(m_nMarginLeft, m_nMarginTop + PrintHeaderLines() * m_nPrintTextHeight,
                          width - m_nMarginRight, height - m_nMarginBottom);
    const int pages = GetGrid() ? GetPrintPageCount(*dc) : 0;
    if (GetGrid())
        NotePrintCells(*dc);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 1)));
}

void CDocTableView::NotePrintCells(fw::CDC& dc)
{
    fw::CRect cells = m_rcPrint;
    dc.DPtoLP(&cells);
    const fw::CSize header = GetGrid()->GetHeaderSize();
    cells.right -= header.cx;
    cells.bottom -= header.cy;
    m_rcPrintCells = cells;
}

void CDocTableView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    OnDraw(dc);
    CZELSpredView::OnPrint(dc, info);
}

void CDocTableView::OnDraw(fw::CDC* dc)
{
    if (!dc || !dc->IsPrinting() || !GetKivDoc())
        return;
    DrawPageHeader(*dc);
}

void CDocTableView::DrawPageHeader(fw::CDC& dc)
{
    DrawPageHeaderLine(dc, 0, GetKivDoc()->GetTestTitle());
    std::vector<fw::CString> lines;
    GetFrameLines(lines, ' ');
    for (size_t i = 0; i < lines.size(); ++i)
        DrawPageHeaderLine(dc, static_cast<int>(i + 1), lines[i]);
}

int CDocTableView::PrintedHeaderHeight(fw::CDC& dc)
{
    std::vector<fw::CString> lines;
    GetFrameLines(lines, ' ');
    return static_cast<int>(lines.size() + 1) * PrintLineHeight(dc);
}

int CDocTableView::PrintLineHeight(fw::CDC& dc)
{
    if (m_nPrintTextHeight > 0)
        return m_nPrintTextHeight;
    fw::CFont font;
    font.CreatePointFontIndirect(m_printFont);
    fw::CFont* old = dc.SelectObject(&font);
    const int h = std::max(dc.GetTextExtent("0").cy, 1);
    dc.SelectObject(old);
    return h;
}

void CDocTableView::DrawPageHeaderLine(fw::CDC& dc, int line, const fw::CString& text)
{
    fw::CFont font;
    font.CreatePointFontIndirect(m_printFont);
    fw::CFont* old = dc.SelectObject(&font);
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    const int h = PrintLineHeight(dc);
    const int right = dc.GetDeviceCaps(fw::HORZRES) - m_nMarginRight;
    fw::CRect box(m_nMarginLeft, m_nMarginTop + line * h, right, m_nMarginTop + (line + 1) * h);
    dc.DrawText(text, &box, fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_NOPREFIX);
    dc.SetBkMode(oldMode);
    dc.SelectObject(old);
}

// ---- enabling -------------------------------------------------------------------------------------

void CDocTableView::OnUpdateEditable(fw::CCmdUI* ui)
{
    ui->Enable(CanEdit() && (EditorOpen() || (CanClear() && CanEditSelection())));
}

void CDocTableView::OnUpdateCopy(fw::CCmdUI* ui) { ui->Enable(GetGrid()->GetStyle() != nullptr); }

void CDocTableView::OnUpdatePaste(fw::CCmdUI* ui)
{
    ui->Enable(CanEdit() && (EditorOpen() || (CanPaste() && CanEditSelection())));
}

void CDocTableView::OnUpdateUndo(fw::CCmdUI* ui) { ui->Enable(CanEdit() && (EditorOpen() || CanUndo())); }

void CDocTableView::OnUpdateFillDown(fw::CCmdUI* ui)
{
    ui->Enable(CanEdit() && !EditorOpen() && HasSelection() && CanClear() && CanFillDown() && CanEditSelection());
}

void CDocTableView::OnUpdateInsertRows(fw::CCmdUI* ui) { ui->Enable(!EditorOpen() && CanInsertRows()); }

void CDocTableView::OnUpdateDeleteRows(fw::CCmdUI* ui) { ui->Enable(!EditorOpen() && CanDeleteRows()); }

void CDocTableView::OnUpdateAlways(fw::CCmdUI* ui) { ui->Enable(true); }

void CDocTableView::OnUpdateWidth(fw::CCmdUI* ui) { ui->Enable(CanEdit() && !EditorOpen()); }
