#include "data/views/KivDataViewBase.h"

#include "common/base/LogFont.h"
#include "common/base/TextFile.h"
#include "common/calc/KivSPTankData.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "grid/model/GridArray.h"
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

FW_IMPLEMENT_DYNAMIC(CKivDataViewBase, CZELSpredView)

FW_BEGIN_COMMANDS(CKivDataViewBase, CZELSpredView)
    FW_ON_COMMAND(fw::ID_EDIT_CLEAR, &CKivDataViewBase::OnEditClear)
    FW_ON_UPDATE(fw::ID_EDIT_CLEAR, &CKivDataViewBase::OnUpdateEditable)
    FW_ON_COMMAND(fw::ID_EDIT_CUT, &CKivDataViewBase::OnEditCut)
    FW_ON_UPDATE(fw::ID_EDIT_CUT, &CKivDataViewBase::OnUpdateEditable)
    FW_ON_COMMAND(fw::ID_EDIT_COPY, &CKivDataViewBase::OnEditCopy)
    FW_ON_UPDATE(fw::ID_EDIT_COPY, &CKivDataViewBase::OnUpdateCopy)
    FW_ON_COMMAND(fw::ID_EDIT_PASTE, &CKivDataViewBase::OnEditPaste)
    FW_ON_UPDATE(fw::ID_EDIT_PASTE, &CKivDataViewBase::OnUpdatePaste)
    FW_ON_COMMAND(fw::ID_EDIT_SELECT_ALL, &CKivDataViewBase::OnSelectAll)
    FW_ON_UPDATE(fw::ID_EDIT_SELECT_ALL, &CKivDataViewBase::OnUpdateAlways)
    FW_ON_COMMAND(CKivDataViewBase::kIdUndo, &CKivDataViewBase::OnEditUndo)
    FW_ON_UPDATE(CKivDataViewBase::kIdUndo, &CKivDataViewBase::OnUpdateUndo)
    FW_ON_COMMAND(CKivDataViewBase::kIdFillDown, &CKivDataViewBase::OnFillDown)
    FW_ON_UPDATE(CKivDataViewBase::kIdFillDown, &CKivDataViewBase::OnUpdateFillDown)
    FW_ON_COMMAND(CKivDataViewBase::kIdInsertRows, &CKivDataViewBase::OnInsertRows)
    FW_ON_UPDATE(CKivDataViewBase::kIdInsertRows, &CKivDataViewBase::OnUpdateInsertRows)
    FW_ON_COMMAND(CKivDataViewBase::kIdDeleteRows, &CKivDataViewBase::OnDeleteRows)
    FW_ON_UPDATE(CKivDataViewBase::kIdDeleteRows, &CKivDataViewBase::OnUpdateDeleteRows)
    FW_ON_COMMAND(CKivDataViewBase::kIdTextSave, &CKivDataViewBase::OnFileSaveText)
    FW_ON_UPDATE(CKivDataViewBase::kIdTextSave, &CKivDataViewBase::OnUpdateAlways)
    FW_ON_COMMAND(CKivDataViewBase::kIdEditLock, &CKivDataViewBase::OnEditLock)
    FW_ON_UPDATE(CKivDataViewBase::kIdEditLock, &CKivDataViewBase::OnUpdateEditLock)
    FW_ON_COMMAND(CKivDataViewBase::kIdRecalculate, &CKivDataViewBase::OnRecalculate)
    FW_ON_UPDATE(CKivDataViewBase::kIdRecalculate, &CKivDataViewBase::OnUpdateRecalculate)
    FW_ON_COMMAND_RANGE(CKivDataViewBase::kIdTimeUnitMs, CKivDataViewBase::kIdTimeUnitH, &CKivDataViewBase::OnTimeUnit)
    FW_ON_UPDATE_RANGE(CKivDataViewBase::kIdTimeUnitMs, CKivDataViewBase::kIdTimeUnitH,
                       &CKivDataViewBase::OnUpdateTimeUnit)
FW_END_COMMANDS

namespace {

constexpr int32_t kUndoKind = CUndoBuffer::kDataViewKind;
constexpr int32_t kPrintFontHeight = 120; // tenths of a point

CCellRange OneCell(CCellIndices cell) { return {cell.row, cell.col, cell.row, cell.col}; }

} // namespace

CKivDataViewBase::CKivDataViewBase()
{
    m_nMarginLeft = 400;
    m_nMarginTop = 300;
    m_nMarginRight = 200;
    m_nMarginBottom = 200;
    SetDefaultLogFont(&m_printFont, true, 0);
    m_printFont.lfHeight = kPrintFontHeight;
}

CKivDataDoc* CKivDataViewBase::GetDataDoc() const { return dynamic_cast<CKivDataDoc*>(GetDocument()); }

CKivDataFrame* CKivDataViewBase::GetDataFrame() const { return dynamic_cast<CKivDataFrame*>(GetParentFrame()); }

void CKivDataViewBase::OnInitialUpdate()
{
    CZELSpredView::OnInitialUpdate();
    SetGridStyle(GetViewStyle());
}

void CKivDataViewBase::SetGridStyle(CZELGridStyle* style)
{
    if (!style)
        return;
    CZELSpredView::SetGridStyle(style);
}

void CKivDataViewBase::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    switch (hint) {
    case kHintRepaint:
        grid->RedrawPanes();
        break;
    case kHintTitle:
        if (CKivDataFrame* frame = GetDataFrame(); frame && IsWindowVisible()) {
            frame->UpdateTitleEdit();
            frame->UpdateBarFields();
            break;
        }
        [[fallthrough]];
    case kHintData:
        if (auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
            data && data->IsSentBy(GetDocument(), GetRuntimeClass()))
            grid->RedrawPanes();
        break;
    case kHintMetrics:
        grid->ResetPaneMetrics();
        break;
    default:
        break;
    }
}

// ---- undo journal --------------------------------------------------------------------------------

void CKivDataViewBase::ReleaseUndo()
{
    if (CKivDataDoc* doc = GetDataDoc())
        doc->GetUndoBuffer().Release(UndoOwner());
}

void CKivDataViewBase::RecordUndo(CZELGridPane*, int change, const CCellRange*) { SaveUndoSnapshot(change); }

void CKivDataViewBase::SaveUndoSnapshot(int32_t code, int32_t param)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    std::unique_ptr<fw::CMemFile> file = CUndoBuffer::NewSnapshotFile();
    if (!file)
        return;
    if (WriteUndoRecord(*file, code, param))
        doc->GetUndoBuffer().SetSnapshot(UndoOwner(), kUndoKind, std::move(file));
    else
        doc->GetUndoBuffer().Release(UndoOwner());
}

bool CKivDataViewBase::ConfirmUndoable(int32_t code)
{
    SaveUndoSnapshot(code);
    return true;
}

bool CKivDataViewBase::CanUndo() const
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || doc->IsEditLocked())
        return false;
    const CUndoBuffer& buffer = doc->GetUndoBuffer();
    return buffer.CanUndo(kUndoKind) && buffer.GetOwner() == UndoOwner();
}

int32_t CKivDataViewBase::SheetRowCount() const
{
    const CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    return style ? style->m_sheet.m_nRows : 0;
}

int32_t CKivDataViewBase::SheetColumnCount() const
{
    const CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    return style ? style->m_sheet.m_nCols : 0;
}

void CKivDataViewBase::WriteBlock(fw::CArchive& ar, const CCellRange& range)
{
    if (!GetGrid()->WriteSelectionText(ar, range))
        fw::ThrowArchiveException(fw::CArchiveException::genericException);
}

void CKivDataViewBase::ReadBlock(fw::CArchive& ar, const CCellRange& range)
{
    GetGrid()->ReadTextIntoRange(ar, range);
}

bool CKivDataViewBase::WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t param)
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
            ar << param;
            WriteBlock(ar, {sel.top, param, sel.bottom, param});
            break;
        case kUndoDeletedRows:
            WriteBlock(ar, sel);
            WriteUndoExtra(ar);
            break;
        case kUndoOutside: {
            // The rows and columns of the table itself: a scroll limit can
            // stop short of them and lose rows.
            const int32_t lastRow = UndoExtent() - 1;
            const int32_t lastCol = SheetColumnCount() - 1;
            ar << lastRow;
            if (sel.top > 0)
                WriteBlock(ar, {0, sel.left, sel.top - 1, lastCol});
            if (lastRow > sel.bottom)
                WriteBlock(ar, {sel.bottom + 1, sel.left, lastRow, lastCol});
            grid->ApplySelectionJob(job);
            WriteUndoExtra(ar);
            break;
        }
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

void CKivDataViewBase::ApplyUndo()
{
    CKivDataDoc* doc = GetDataDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid || !grid->GetStyle())
        return;
    CUndoBuffer& buffer = doc->GetUndoBuffer();
    if (!buffer.CanUndo(kUndoKind))
        return;
    fw::CMemFile* stored = buffer.GetSnapshot();
    if (!stored)
        return;
    std::unique_ptr<fw::CMemFile> reverse = CUndoBuffer::NewSnapshotFile();
    CGridJob job;
    bool reversed = false;
    const int32_t rowsBefore = UndoExtent();
    {
        fw::CArchive ar(stored, fw::CArchive::load, 4096);
        int32_t code = 0;
        ar >> code;
        job.Serialize(ar);
        grid->ApplySelectionJob(job);
        ReplayRecord(ar, code, job, *reverse, reversed);
        ar.Close();
    }
    if (reversed)
        buffer.SetSnapshot(UndoOwner(), kUndoKind, std::move(reverse));
    else
        buffer.Release(UndoOwner());
    doc->SetModifiedFlag(true);
    AfterUndo(job.m_selection, UndoExtent() != rowsBefore);
}

void CKivDataViewBase::ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
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
    case kUndoOutside: {
        int32_t lastRow = 0;
        ar >> lastRow;
        const int32_t lastCol = SheetColumnCount() - 1;
        if (sel.top > 0) {
            InsertRows(sel.left, 0, sel.right, sel.top - 1);
            ReadBlock(ar, {0, sel.left, sel.top - 1, lastCol});
        }
        if (lastRow >= sel.bottom + 1) {
            InsertRows(sel.left, sel.bottom + 1, sel.right, lastRow);
            ReadBlock(ar, {sel.bottom + 1, sel.left, lastRow, lastCol});
        }
        ReadUndoExtra(ar);
        restore();
        reversed = WriteUndoRecord(reverse, kUndoKeptRows, -1);
        break;
    }
    case kUndoKeptRows: {
        restore();
        reversed = WriteUndoRecord(reverse, kUndoOutside, -1);
        DeleteOutsideRows(sel.left, sel.top, sel.right, sel.bottom);
        const int32_t shift = sel.top;
        job.m_selection.top = 0;
        job.m_selection.bottom -= shift;
        job.m_current.row = std::max(job.m_current.row - shift, 0);
        job.m_end.row = std::max(job.m_end.row - shift, 0);
        job.m_topLeft.row = 0;
        grid->ApplySelectionJob(job);
        break;
    }
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

void CKivDataViewBase::AfterUndo(const CCellRange& range, bool)
{
    GetGrid()->RedrawPanes();
    GetDataDoc()->SendUpdateHint(this, range.left, range.right, 0);
}

// ---- state ----------------------------------------------------------------------------------------

bool CKivDataViewBase::CanEdit() const
{
    CKivDataDoc* doc = GetDataDoc();
    return doc && !doc->IsEditLocked();
}

bool CKivDataViewBase::CanPaste() const
{
    std::vector<uint8_t> bytes;
    return GetGridClipboardText(bytes) && !bytes.empty();
}

bool CKivDataViewBase::CanInsertRows()
{
    if (!CanEdit())
        return false;
    const CCellRange sel = Selection();
    const int32_t used = GetLastUsedRow(sel.left, sel.right);
    return sel.bottom + used - sel.top + 1 < SheetRowCount();
}

int32_t CKivDataViewBase::GetLastUsedRow(int32_t firstCol, int32_t lastCol)
{
    const int32_t cols = SheetColumnCount();
    if (lastCol < 0)
        lastCol = cols - 1;
    if (firstCol > lastCol)
        return -1;
    for (int32_t row = SheetRowCount() - 1; row >= 0; --row)
        for (int32_t col = firstCol; col < cols; ++col) {
            fw::CString text;
            if (GetSheetText(text, col, row, 0) && !text.IsEmpty())
                return row;
        }
    return -1;
}

CCellRange CKivDataViewBase::Selection() const { return GetGrid()->GetSelection(); }

bool CKivDataViewBase::EditorOpen() const { return GetGrid()->GetActiveEditor() != nullptr; }

void CKivDataViewBase::NotifySelectionColumns()
{
    CKivDataDoc* doc = GetDataDoc();
    const CCellRange sel = Selection();
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, sel.left, sel.right, 0);
    doc->SetModifiedFlag(true);
}

// ---- editing ----------------------------------------------------------------------------------------

void CKivDataViewBase::FillFromFirstCell()
{
    GetGrid()->FillDown();
}

void CKivDataViewBase::ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    SaveUndoSnapshot(kUndoBlock);
    ClearRange(firstCol, firstRow, lastCol, lastRow);
    GetGrid()->RedrawPanes();
    GetDataDoc()->SendUpdateHint(this, firstCol, lastCol, 0);
}

void CKivDataViewBase::OnEditClear()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->textCursor().removeSelectedText();
        return;
    }
    fw::CWaitCursor wait;
    const CCellRange sel = Selection();
    ClearCells(sel.left, sel.top, sel.right, sel.bottom);
    GetDataDoc()->SetModifiedFlag(true);
}

void CKivDataViewBase::OnEditCopy()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->copy();
        return;
    }
    fw::CWaitCursor wait;
    GetGrid()->CopyToClipboard();
}

void CKivDataViewBase::OnEditCut()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->cut();
        return;
    }
    OnEditCopy();
    OnEditClear();
}

void CKivDataViewBase::OnEditPaste()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->paste();
        return;
    }
    fw::CWaitCursor wait;
    if (GetGrid()->PasteFromClipboard())
        NotifySelectionColumns();
}

void CKivDataViewBase::OnSelectAll()
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
    job.m_selection = {0, 0, last, SheetColumnCount() - 1};
    GetGrid()->ApplySelectionJob(job);
}

void CKivDataViewBase::OnEditUndo()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->undo();
        return;
    }
    ApplyUndo();
}

void CKivDataViewBase::OnFillDown()
{
    FillFromFirstCell();
    NotifySelectionColumns();
}

void CKivDataViewBase::OnInsertRows()
{
    if (!ConfirmUndoable(kUndoInsertedRows))
        return;
    const CCellRange sel = Selection();
    InsertRows(sel.left, sel.top, sel.right, sel.bottom);
    NotifySelectionColumns();
}

void CKivDataViewBase::OnDeleteRows()
{
    if (!ConfirmUndoable(kUndoDeletedRows))
        return;
    const CCellRange sel = Selection();
    DeleteRows(sel.left, sel.top, sel.right, sel.bottom);
    NotifySelectionColumns();
}

void CKivDataViewBase::OnEditLock()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    const bool locked = doc->ToggleEditLock();
    if (CKivDataFrame* frame = GetDataFrame())
        frame->SetBarReadOnly(locked);
}

void CKivDataViewBase::OnRecalculate()
{
    CKivDataDoc* doc = GetDataDoc();
    fw::CWaitCursor wait;
    doc->GetBoxArray().GetTankList().RecalculateAll();
    doc->GetUndoBuffer().Release(0);
    doc->SendUpdateHint(this, -1, -1, 1);
    doc->SetModifiedFlag(true);
}

void CKivDataViewBase::OnTimeUnit(unsigned id)
{
    CKivDataDoc* doc = GetDataDoc();
    doc->SetTimeUnit(static_cast<int>(id - kIdTimeUnitMs));
    if (CKivDataFrame* frame = GetDataFrame())
        frame->UpdateBarFields();
}

// ---- text ------------------------------------------------------------------------------------------

void CKivDataViewBase::WriteText(CTextFile& file, bool csv)
{
    CKivDataDoc* doc = GetDataDoc();
    CZELViewGrid* grid = GetGrid();
    const char sep = csv ? ',' : '\t';
    const fw::CString& title = doc->GetTestTitle();
    file.WriteLine(csv ? CTextFile::MakeCsvField(title) : title, true);
    fw::CString timing;
    fw::CString record;
    if (CKivDataFrame* frame = GetDataFrame()) {
        frame->GetTimingText(timing, sep);
        frame->GetRecordText(record, sep);
    }
    file.WriteLine(timing, true);
    file.WriteLine(record, true);
    const int32_t lastCol = SheetColumnCount() - 1;
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

bool CKivDataViewBase::SaveTextFile(const fw::CString& path)
{
    CTextFile file;
    if (!file.OpenFile(path, fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareExclusive))
        return false;
    fw::CWaitCursor wait;
    std::string upper = path.str();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const size_t dot = upper.rfind('.');
    const bool csv = dot != std::string::npos && dot != 0 && upper.compare(dot, 4, ".CSV") == 0;
    try {
        WriteText(file, csv);
        file.Close();
    } catch (const fw::CFileException& e) {
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        return false;
    }
    return true;
}

void CKivDataViewBase::OnFileSaveText()
{
    fw::FileDialogRequest request;
    request.filters.push_back(fw::FileFilter{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}});
    request.filters.push_back(fw::FileFilter{fw::CString("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"), {fw::CString("*.txt")}});
    request.defaultExt = "csv";
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    SaveTextFile(result.paths.front());
}

// ---- enabling -------------------------------------------------------------------------------------

void CKivDataViewBase::OnUpdateEditable(fw::CCmdUI* ui) { ui->Enable(CanEdit()); }

void CKivDataViewBase::OnUpdateCopy(fw::CCmdUI* ui) { ui->Enable(GetGrid()->GetStyle() != nullptr); }

void CKivDataViewBase::OnUpdatePaste(fw::CCmdUI* ui) { ui->Enable(CanEdit() && (EditorOpen() || CanPaste())); }

void CKivDataViewBase::OnUpdateUndo(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc && !doc->IsEditLocked() && (EditorOpen() || CanUndo()));
}

void CKivDataViewBase::OnUpdateFillDown(fw::CCmdUI* ui)
{
    const CCellRange sel = Selection();
    ui->Enable(CanEdit() && !EditorOpen() && CanFillDown() && sel.bottom > sel.top);
}

void CKivDataViewBase::OnUpdateInsertRows(fw::CCmdUI* ui) { ui->Enable(!EditorOpen() && CanInsertRows()); }

void CKivDataViewBase::OnUpdateDeleteRows(fw::CCmdUI* ui) { ui->Enable(!EditorOpen() && CanDeleteRows()); }

void CKivDataViewBase::OnUpdateAlways(fw::CCmdUI* ui) { ui->Enable(true); }

void CKivDataViewBase::OnUpdateEditLock(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc != nullptr);
    ui->SetCheck(doc && doc->IsEditLocked() ? 1 : 0);
}

void CKivDataViewBase::OnUpdateRecalculate(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc && doc->GetBoxArray().GetTankList().GetSize() > CKivDocBase::kFirstCalcChannel);
}

void CKivDataViewBase::OnUpdateTimeUnit(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || doc->GetAdSet().UsesExternalClock()) {
        ui->Enable(false);
        ui->SetCheck(0);
        return;
    }
    ui->SetCheck(static_cast<unsigned>(doc->GetAdSet().m_nUnit) == ui->m_nID - kIdTimeUnitMs ? 1 : 0);
    ui->Enable(!doc->IsEditLocked());
}
