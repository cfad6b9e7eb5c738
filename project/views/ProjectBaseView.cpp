#include "project/views/ProjectBaseView.h"
#include "project/views/pages/PageDrawing.h"

#include "common/base/TextFile.h"
#include "common/base/LogFont.h"
#include "common/calc/DataFormat.h"
#include "docbase/doc/UpdateHints.h"
#include "docview/controls/ContextMenus.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "docview/instrumentdlg/UnitTypeTable.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/DC.h"
#include "framework/core/File.h"
#include "framework/core/Gdi.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/StringTable.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridClipboard.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "grid/views/WHsetDlg.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/unit/KivUnit.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/DataFileRename.h"
#include "project/views/ProjectFrame.h"
#include "project/views/ProjectMenus.h"
#include "framework/ui/Menu.h"
#include "project/views/RenameDlgs.h"
#include "project/views/ReNamePrf.h"
#include "project/views/pages/HistoryPageServices.h"

#include <QPoint>
#include <QTextCursor>
#include <QWidget>
#include <QTextEdit>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

FW_IMPLEMENT_DYNCREATE(CProjectBaseView, CZELSpredView)

FW_BEGIN_COMMANDS(CProjectBaseView, CZELSpredView)
    FW_ON_COMMAND(fw::ID_EDIT_CLEAR, &CProjectBaseView::OnEditClear)
    FW_ON_UPDATE(fw::ID_EDIT_CLEAR, &CProjectBaseView::OnUpdateEditable)
    FW_ON_COMMAND(fw::ID_EDIT_COPY, &CProjectBaseView::OnEditCopy)
    FW_ON_UPDATE(fw::ID_EDIT_COPY, &CProjectBaseView::OnUpdateCopy)
    FW_ON_COMMAND(fw::ID_EDIT_CUT, &CProjectBaseView::OnEditCut)
    FW_ON_UPDATE(fw::ID_EDIT_CUT, &CProjectBaseView::OnUpdateEditable)
    FW_ON_COMMAND(fw::ID_EDIT_PASTE, &CProjectBaseView::OnEditPaste)
    FW_ON_UPDATE(fw::ID_EDIT_PASTE, &CProjectBaseView::OnUpdatePaste)
    FW_ON_COMMAND(CProjectBaseView::kIdFillDown, &CProjectBaseView::OnFillDown)
    FW_ON_UPDATE(CProjectBaseView::kIdFillDown, &CProjectBaseView::OnUpdateFillDown)
    FW_ON_COMMAND(fw::ID_EDIT_SELECT_ALL, &CProjectBaseView::OnSelectAll)
    FW_ON_UPDATE(fw::ID_EDIT_SELECT_ALL, &CProjectBaseView::OnUpdateAlways)
    FW_ON_COMMAND(CProjectBaseView::kIdUndo, &CProjectBaseView::OnEditUndo)
    FW_ON_UPDATE(CProjectBaseView::kIdUndo, &CProjectBaseView::OnUpdateUndo)
    FW_ON_COMMAND(CProjectBaseView::kIdTextSave, &CProjectBaseView::OnTextSave)
    FW_ON_UPDATE(CProjectBaseView::kIdTextSave, &CProjectBaseView::OnUpdateAlways)
    FW_ON_COMMAND(CProjectBaseView::kIdRenameDataFile, &CProjectBaseView::OnRenameDataFile)
    FW_ON_UPDATE(CProjectBaseView::kIdRenameDataFile, &CProjectBaseView::OnUpdateRename)
    FW_ON_COMMAND(CProjectBaseView::kIdChangeTestTitle, &CProjectBaseView::OnChangeTestTitle)
    FW_ON_UPDATE(CProjectBaseView::kIdChangeTestTitle, &CProjectBaseView::OnUpdateRename)
    FW_ON_COMMAND(CProjectBaseView::kIdInsert, &CProjectBaseView::OnInsertRows)
    FW_ON_COMMAND(CProjectBaseView::kIdColumnWidth, &CProjectBaseView::OnColumnWidth)
    FW_ON_UPDATE(CProjectBaseView::kIdColumnWidth, &CProjectBaseView::OnUpdateWidth)
    FW_ON_COMMAND(CProjectBaseView::kIdLeftColumnWidth, &CProjectBaseView::OnLeftColumnWidth)
    FW_ON_UPDATE(CProjectBaseView::kIdLeftColumnWidth, &CProjectBaseView::OnUpdateWidth)
    FW_ON_COMMAND(CProjectBaseView::kIdEditCell, &CProjectBaseView::OnEditCell)
    FW_ON_UPDATE(CProjectBaseView::kIdEditCell, &CProjectBaseView::OnUpdateWidth)
    FW_ON_COMMAND(CProjectBaseView::kIdMeterSetup, &CProjectBaseView::OnMeterSetup)
    FW_ON_UPDATE(CProjectBaseView::kIdMeterSetup, &CProjectBaseView::OnUpdateSetup)
    FW_ON_COMMAND(CProjectBaseView::kIdAdSetup, &CProjectBaseView::OnAdSetup)
    FW_ON_UPDATE(CProjectBaseView::kIdAdSetup, &CProjectBaseView::OnUpdateSetup)
    FW_ON_UPDATE(CProjectBaseView::kIdInsert, &CProjectBaseView::OnUpdateInsert)
    FW_ON_COMMAND(CProjectBaseView::kIdDelete, &CProjectBaseView::OnDeleteRows)
    FW_ON_UPDATE(CProjectBaseView::kIdDelete, &CProjectBaseView::OnUpdateDelete)
    FW_ON_COMMAND_RANGE(CProjectBaseView::kIdSuperscript, CProjectBaseView::kIdNormalScript,
                        &CProjectBaseView::OnScriptCommand)
    FW_ON_UPDATE_RANGE(CProjectBaseView::kIdSuperscript, CProjectBaseView::kIdNormalScript,
                       &CProjectBaseView::OnUpdateScriptCommand)
    FW_ON_COMMAND(fw::ID_FILE_PRINT, &fw::CView::OnFilePrint)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_DIRECT, &fw::CView::OnFilePrintDirect)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_PREVIEW, &fw::CView::OnFilePrintPreview)
FW_END_COMMANDS

namespace {

constexpr int32_t kUndoKind = CUndoBuffer::kDataViewKind;
constexpr intptr_t kHintRepaint = 0;
constexpr intptr_t kHintColumns = 12;
constexpr intptr_t kHintSetup = 16;
constexpr intptr_t kHintPaneMetrics = 30;
constexpr int kCodeOn = 0;
constexpr int kCodeSource = 23;
constexpr int kCodeUnitType = -2;

CCellRange OneCell(CCellIndices cell) { return {cell.row, cell.col, cell.row, cell.col}; }

const CUnitTypeTable& UnitTypes()
{
    static CUnitTypeTable table = [] {
        CUnitTypeTable t;
        t.Load();
        return t;
    }();
    return table;
}

} // namespace

CProjectBaseView::CProjectBaseView()
{
    m_nMarginLeft = 400;
    m_nMarginTop = 300;
    m_nMarginRight = 200;
    m_nMarginBottom = 200;
}

CKIV5980Doc* CProjectBaseView::GetProjectDoc() const { return dynamic_cast<CKIV5980Doc*>(GetDocument()); }

void CProjectBaseView::OnInitialUpdate()
{
    CZELSpredView::OnInitialUpdate();
    if (!m_bMenuRouted) {
        m_bMenuRouted = true;
        appctl::RouteContextMenu(Widget(), [this](fw::CPoint screen) { ShowContextMenu(screen); });
    }
}

void CProjectBaseView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    auto sentByKin = [&] {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        return data && data->IsSentBy(GetDocument(), GetRuntimeClass());
    };
    switch (hint) {
    case kHintRepaint:
    case kHintSetup:
        grid->RedrawPanes();
        break;
    case kHintColumns:
        if (sentByKin())
            grid->RedrawPanes();
        break;
    case kHintTestTitleChanged:
        if (Widget() && Widget()->isVisible()) {
            if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame())) {
                frame->SyncTitleEdit();
                frame->UpdateFrameBar();
            }
        } else if (sentByKin()) {
            grid->RedrawPanes();
        }
        break;
    case kHintPaneMetrics:
        grid->ResetPaneMetrics();
        break;
    default:
        break;
    }
}

// ---- undo -----------------------------------------------------------------------------------------

void CProjectBaseView::DiscardUndo()
{
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->GetUndoBuffer().Release(UndoOwner());
}

void CProjectBaseView::RecordUndo(CZELGridPane*, int change, const CCellRange*) { RecordSelection(change); }

void CProjectBaseView::RecordSelection(int32_t code, int32_t extra)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    std::unique_ptr<fw::CMemFile> file = CUndoBuffer::NewSnapshotFile();
    if (!file)
        return;
    if (WriteUndoRecord(*file, code, extra))
        doc->GetUndoBuffer().SetSnapshot(UndoOwner(), kUndoKind, std::move(file));
    else
        doc->GetUndoBuffer().Release(UndoOwner());
}

void CProjectBaseView::WriteBlock(fw::CArchive& ar, const CCellRange& range)
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

bool CProjectBaseView::WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t extra)
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
        case kUndoDeletedRows:
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

void CProjectBaseView::ReadBlockBack(fw::CArchive& ar, const CCellRange& range)
{
    fw::CString line;
    for (int32_t row = range.top; row <= range.bottom && ar.ReadString(line); ++row) {
        const std::string& s = line.str();
        size_t start = 0;
        for (int32_t col = range.left; col <= range.right; ++col) {
            const size_t tab = s.find('\t', start);
            SetSheetText(row, col, fw::CString(s.substr(start, tab == std::string::npos ? std::string::npos : tab - start)),
                         0);
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
    }
}

void CProjectBaseView::Undo()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid || !CanUndo())
        return;
    CUndoBuffer& buffer = doc->GetUndoBuffer();
    fw::CMemFile* stored = buffer.GetSnapshot();
    if (!stored)
        return;
    // The reverse record replaces the one being read, so the stored bytes
    // are read from a copy.
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
        // A deletion is undone by inserting the rows again; an insertion
        // (or the undo of a deletion) by deleting them.
        int32_t applied = code;
        if (code == kUndoDeletedRows)
            applied = kUndoReinsert;
        else if (code == kUndoReinsert || code == kUndoInsertedRows)
            applied = kUndoDeletedRows;
        bool recorded = code != kUndoDeletedRows && WriteUndoRecord(*reverse, applied, column);
        switch (applied) {
        case kUndoCell:
            ReadBlockBack(ar, OneCell(job.m_current));
            break;
        case kUndoBlock:
            ReadBlockBack(ar, job.m_selection);
            break;
        case kUndoRowHeights:
            grid->GetStyle()->GetRowHeights()->Serialize(ar);
            grid->ApplyStyle(true);
            break;
        case kUndoColumnWidths:
            grid->GetStyle()->GetColumnWidths()->Serialize(ar);
            grid->ApplyStyle(true);
            break;
        case kUndoColumn:
            ReadBlockBack(ar, {job.m_selection.top, column, job.m_selection.bottom, column});
            break;
        case kUndoDeletedRows:
            DeleteRows(job.m_selection.left, job.m_selection.top, job.m_selection.right, job.m_selection.bottom);
            break;
        case kUndoReinsert:
            InsertRows(job.m_selection.left, job.m_selection.top, job.m_selection.right, job.m_selection.bottom);
            grid->ApplySelectionJob(job);
            recorded = WriteUndoRecord(*reverse, kUndoReinsert);
            ReadBlockBack(ar, job.m_selection);
            break;
        default:
            break;
        }
        ar.Close();
        if (recorded)
            buffer.SetSnapshot(UndoOwner(), kUndoKind, std::move(reverse));
    } catch (const fw::CException&) {
        buffer.Release(UndoOwner());
    }
    OnUndone(job.m_selection);
    grid->RedrawPanes();
    doc->NotifyColumnsChanged(this, job.m_selection.left, job.m_selection.right, 0, true);
}

bool CProjectBaseView::CanUndo() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked())
        return false;
    const CUndoBuffer& buffer = doc->GetUndoBuffer();
    return buffer.CanUndo(kUndoKind) && buffer.GetOwner() == UndoOwner();
}

// ---- state ---------------------------------------------------------------------------------------

bool CProjectBaseView::CanEdit() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && !doc->IsEditLocked();
}

bool CProjectBaseView::HasSelection() const
{
    const CCellRange sel = GetGrid()->GetSelection();
    return sel.top < sel.bottom;
}

bool CProjectBaseView::IsMeasuringProject() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && ProjectHost().IsMeasuring(*doc);
}

bool CProjectBaseView::OnEditLock()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    doc->ToggleEditLock();
    if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
        frame->SetBarReadOnly(doc->IsEditLocked());
    return doc->IsEditLocked();
}

int32_t CProjectBaseView::GetLastUsedRow(int32_t firstCol, int32_t lastCol)
{
    const CZELGridPane* sheet = GetGrid()->GetSheetPane();
    if (lastCol < 0)
        lastCol = sheet->ColumnCount() - 1;
    if (firstCol > lastCol)
        return -1;
    for (int32_t row = sheet->RowCount() - 1; row >= 0; --row)
        for (int32_t col = firstCol; col <= lastCol; ++col) {
            fw::CString text;
            if (GetSheetText(text, col, row, 0) && !text.IsEmpty())
                return row;
        }
    return -1;
}

// ---- channel setters -----------------------------------------------------------------------------

void CProjectBaseView::AfterColumnChange(int32_t firstCol, int32_t lastCol, bool channelList)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (channelList)
        doc->RebuildChannels();
    GetGrid()->RedrawPanes();
    doc->SetModifiedFlag(true);
    doc->NotifyColumnsChanged(this, firstCol, lastCol, 0, true);
}

bool CProjectBaseView::SetSelectionAttributeText(int32_t col, int code, const fw::CString& text, int rowOffset)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        const int channel = rowOffset + row;
        if (!doc->GetBoxArray().IsChannelAttrEditable(channel, code))
            continue;
        if (!doc->SetChannelText(code, col, channel, text, nullptr))
            break;
        any = true;
    }
    if (any)
        AfterColumnChange(sel.left, sel.right, code == kCodeOn);
    return any;
}

bool CProjectBaseView::SetSelectionAttributeValue(int32_t col, int code, double value, int rowOffset)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    if (code == kCodeSource) {
        any = doc->SetChannelRangeValue(rowOffset + sel.top, rowOffset + sel.bottom, static_cast<int>(value), code);
    } else {
        for (int32_t row = sel.top; row <= sel.bottom; ++row) {
            const int channel = rowOffset + row;
            if (!doc->GetBoxArray().IsChannelAttrEditable(channel, code))
                continue;
            if (!doc->SetChannelAttribute(code, col, channel, value, nullptr))
                break;
            any = true;
        }
    }
    if (any)
        AfterColumnChange(sel.left, sel.right, code == kCodeOn);
    return any;
}

bool CProjectBaseView::ClearCellsWithUndo(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    RecordSelection(kUndoBlock);
    ClearRange(firstCol, firstRow, lastCol, lastRow);
    GetGrid()->RedrawPanes();
    if (CKIV5980Doc* doc = GetProjectDoc()) {
        doc->SetModifiedFlag(true);
        doc->NotifyColumnsChanged(this, firstCol, lastCol, 0, true);
    }
    return true;
}

// ---- row headers ---------------------------------------------------------------------------------

bool CProjectBaseView::GetChannelRowLabel(fw::CString& text, int32_t kind, int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    CBoxArray& system = doc->GetBoxArray();
    if (row < 0 || row >= system.GetMapSize())
        throw fw::CInvalidArgException();
    const tagBOXCH entry = system.GetMapEntry(row);
    const CBoxPropaty* box = system.GetBox(entry.box);
    const tagBOXCH unit = box->GetChannelRef(entry.ch);
    switch (kind) {
    case 0:
        text.Format("%d", row + 1);
        break;
    case 1:
        text = box->GetName();
        break;
    case 2: {
        const int type = static_cast<int>(system.GetChannelValue(row, kCodeUnitType));
        fw::CString name;
        try {
            name = UnitTypes().GetTypeName(type);
        } catch (const fw::CInvalidArgException&) {
        }
        text.Format("%s(%d)", name.c_str(), unit.box + 1);
        break;
    }
    case 3: {
        // Box channels count on from the unit's first channel.
        const CKivUnit* u = box->GetMeter() ? box->GetMeter()->GetUnit(unit.box) : nullptr;
        text.Format("%d", u ? unit.ch - u->GetFirstChannel() + 2 : unit.ch + 1);
        break;
    }
    default:
        break;
    }
    return true;
}

bool CProjectBaseView::GetChannelCornerText(fw::CString& text, int32_t col, int32_t row, int display) const
{
    static constexpr const char* upper[] = {"CH", "測定器", "測定器", "測定器"};
    static constexpr const char* lower[] = {"CH", "Unit", "Unit", "ch."};
    if (col < 0 || col > 3)
        return false;
    if (row == 0)
        text = upper[col];
    else if (col == 0 && !display)
        text.Empty();
    else
        text = lower[col];
    return true;
}

bool CProjectBaseView::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return GetChannelCornerText(text, col, row, display);
}

void CProjectBaseView::WhitenForPrint(CZELDrawCell& cell)
{
    if (!cell.m_pDC || !cell.m_pDC->IsPrinting())
        return;
    cell.m_format.nFlags |= kCellFillBack;
    cell.m_format.crBack = fw::RGB(255, 255, 255);
}

void CProjectBaseView::DrawTagCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    CZELSpredView::DrawTagCell(cell);
}

void CProjectBaseView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    CZELSpredView::DrawColumnHeaderCell(cell);
}

void CProjectBaseView::DrawRowHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    CZELSpredView::DrawRowHeaderCell(cell);
}

// ---- text export ---------------------------------------------------------------------------------

void CProjectBaseView::WriteText(CTextFile& file, bool csv)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    const char sep = csv ? ',' : '\t';
    const fw::CString& title = doc->GetTestTitle();
    file.WriteLine(csv ? CTextFile::MakeCsvField(title) : title, true);
    if (m_bTimingLine) {
        fw::CString timing;
        if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
            frame->GetTimingText(timing, sep);
        file.WriteLine(timing, true);
    }
    const int32_t lastCol = grid->GetSheetPane()->ColumnCount() - 1;
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

// ---- shared commands -----------------------------------------------------------------------------

void CProjectBaseView::NotifySelectionColumns()
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    GetGrid()->RedrawPanes();
    doc->SetModifiedFlag(true);
    doc->NotifyColumnsChanged(this, sel.left, sel.right, 0, true);
}

bool CProjectBaseView::CanPaste() const
{
    std::vector<uint8_t> bytes;
    return GetGridClipboardText(bytes) && !bytes.empty();
}

void CProjectBaseView::OnEditClear()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->textCursor().removeSelectedText();
        return;
    }
    fw::CWaitCursor wait;
    const CCellRange sel = GetGrid()->GetSelection();
    ClearCellsWithUndo(sel.left, sel.top, sel.right, sel.bottom);
}

void CProjectBaseView::OnEditCopy()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->copy();
        return;
    }
    fw::CWaitCursor wait;
    GetGrid()->CopyToClipboard();
}

void CProjectBaseView::OnEditCut()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->cut();
        return;
    }
    OnEditCopy();
    OnEditClear();
}

void CProjectBaseView::OnEditPaste()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->paste();
        return;
    }
    fw::CWaitCursor wait;
    RecordSelection(kUndoBlock);
    if (GetGrid()->PasteFromClipboard())
        NotifySelectionColumns();
}

void CProjectBaseView::OnFillDown()
{
    GetGrid()->FillDown();
    NotifySelectionColumns();
}

void CProjectBaseView::OnSelectAll()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->SetSel(0, -1);
        return;
    }
    const CZELGridPane* sheet = GetGrid()->GetSheetPane();
    int32_t last = GetLastUsedRow(0, -1);
    if (last < 0)
        last = sheet->RowCount() - 1;
    GetGrid()->SetSelection({0, 0, last, sheet->ColumnCount() - 1}, {0, 0}, {0, 0}, true);
}

void CProjectBaseView::OnEditUndo()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->undo();
        return;
    }
    Undo();
}

bool CProjectBaseView::SaveTextFile(const fw::CString& path)
{
    CTextFile file;
    if (!file.OpenFile(path, fw::CFile::modeCreate | fw::CFile::modeWrite))
        return false;
    fw::CWaitCursor wait;
    std::string upper = path.str();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const size_t dot = upper.rfind('.');
    const bool csv = dot != std::string::npos && dot != 0 && upper.compare(dot, std::string::npos, ".CSV") == 0;
    try {
        WriteText(file, csv);
        file.Close();
    } catch (const fw::CFileException& e) {
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        return false;
    }
    return true;
}

void CProjectBaseView::OnTextSave()
{
    fw::FileDialogRequest request;
    request.filters.push_back(fw::FileFilter{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}});
    request.filters.push_back(fw::FileFilter{fw::CString("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"), {fw::CString("*.txt")}});
    request.defaultExt = "csv";
    request.flags = fw::OFN_OVERWRITEPROMPT | fw::OFN_HIDEREADONLY;
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    SaveTextFile(result.paths.front());
}

void CProjectBaseView::OnUpdateEditable(fw::CCmdUI* ui)
{
    ui->Enable(CanEdit() && (GetGrid()->GetActiveEditor() != nullptr || CanEditSelection()));
}

void CProjectBaseView::OnUpdateCopy(fw::CCmdUI* ui) { ui->Enable(GetGrid()->GetStyle() != nullptr); }

void CProjectBaseView::OnUpdatePaste(fw::CCmdUI* ui)
{
    ui->Enable(CanEdit() && (GetGrid()->GetActiveEditor() != nullptr || (CanPaste() && CanEditSelection())));
}

void CProjectBaseView::OnUpdateFillDown(fw::CCmdUI* ui)
{
    ui->Enable(CanEdit() && !GetGrid()->GetActiveEditor() && HasSelection() && CanEditSelection());
}

void CProjectBaseView::OnUpdateUndo(fw::CCmdUI* ui) { ui->Enable(GetGrid()->GetActiveEditor() != nullptr || CanUndo()); }

void CProjectBaseView::OnUpdateAlways(fw::CCmdUI* ui) { ui->Enable(true); }

bool CProjectBaseView::CanEditSelection()
{
    const CCellRange sel = GetGrid()->GetSelection();
    return CanEditCell(sel.left, sel.right);
}

// ---- data-file rename ----------------------------------------------------------------------------

CReNamePrf& CProjectBaseView::RenameSetting()
{
    static CReNamePrf setting;
    return setting;
}

void CProjectBaseView::OnUpdateRename(fw::CCmdUI* ui) { ui->Enable(CanRenameDataFiles()); }

CReNameTitlePrf& CProjectBaseView::TitleSetting()
{
    static CReNameTitlePrf setting;
    return setting;
}

namespace {

// Data files are not renamed or rewritten while frequency data is open.
bool FrequencyDataOpen()
{
    if (!HistoryPageServices().IsFrequencyDataOpen())
        return false;
    fw::AfxMessageBox(fw::CString("データファイルをすべて閉じてから行ってください。"),
                      fw::MB_OK | fw::MB_ICONINFORMATION);
    return true;
}

} // namespace

void CProjectBaseView::DrawTwoRowColumnHeader(CZELDrawCell& cell, const prjpage::HeaderColumn* columns,
                                              int32_t count, int32_t screenWeight, int32_t printWeight)
{
    WhitenForPrint(cell);
    const CZELGridPane* pane = GetGrid()->GetPane(kIndexColumnHeader);
    if (!pane || !cell.m_pDC || cell.m_nRow > 1) {
        CProjectBaseView::DrawColumnHeaderCell(cell);
        return;
    }
    const bool printing = cell.m_pDC->IsPrinting();
    prjpage::DrawTwoRowHeader(cell, pane, columns, count, printing ? GetPrintCellsRect().Width() : 0,
                              printing ? printWeight : screenWeight);
}

void CProjectBaseView::OnChangeTestTitle()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || !CanRenameDataFiles() || FrequencyDataOpen())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    CRenameTitleDlg dlg(this);
    dlg.m_prf = TitleSetting();
    if (dlg.DoModal() != fw::IDOK)
        return;
    TitleSetting() = dlg.m_prf;
    if (!TitleSetting().Validate())
        return;
    CDataFileRename::Retitle(*doc, sel.top, sel.bottom, TitleSetting());
}

void CProjectBaseView::OnRenameDataFile()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || FrequencyDataOpen())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    CRenameDatafileDlg dlg(this);
    dlg.m_prf = RenameSetting();
    dlg.m_prf.m_nNoNumber = sel.top == sel.bottom ? 1 : 0;
    if (dlg.DoModal() != fw::IDOK)
        return;
    RenameSetting() = dlg.m_prf;
    CReNamePrf pattern = dlg.m_prf;
    if (!pattern.Validate())
        return;
    CDataFileRename::Rename(*doc, sel.top, sel.bottom, pattern);
}

// ---- column setters, rows and cell menus ---------------------------------------------------------

bool CProjectBaseView::IsMeasuringNow() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && ProjectHost().IsMeasuring(*doc);
}

bool CProjectBaseView::SetColumnText(int32_t col, const fw::CString& text)
{
    CPollingPause pause;
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank)
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!tank->SetValueText(row, text))
            break;
        any = true;
    }
    if (any) {
        GetGrid()->RedrawPanes();
        GetProjectDoc()->SetModifiedFlag(true);
        GetProjectDoc()->UpdateAllViews(nullptr, 0, nullptr);
    }
    return any;
}

bool CProjectBaseView::SetColumnNumber(int32_t col, int16_t value)
{
    CPollingPause pause;
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank)
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!tank->SetValue(row, static_cast<double>(value)))
            break;
        any = true;
    }
    if (any) {
        GetGrid()->RedrawPanes();
        GetProjectDoc()->SetModifiedFlag(true);
        GetProjectDoc()->UpdateAllViews(nullptr, 0, nullptr);
    }
    return any;
}

void CProjectBaseView::UpdateColumnCheck(fw::CCmdUI* ui, int32_t col, int32_t value)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    CDataTankObject* tank = GetColumnTank(col);
    if (!doc || !tank || col < sel.left || col > sel.right) {
        ui->SetCheck(0);
        ui->Enable(false);
        return;
    }
    bool all = true;
    for (int32_t row = sel.top; all && row <= sel.bottom; ++row)
        all = tank->GetValue(row) == static_cast<double>(value);
    ui->Enable(!doc->IsEditLocked());
    ui->SetCheck(all ? 1 : 0);
}

void CProjectBaseView::UpdateChannelValueCheck(fw::CCmdUI* ui, int32_t col, int code, double value, int rowOffset)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    if (!doc || !CanEditCell(col, col) || col < sel.left || col > sel.right) {
        ui->SetCheck(0);
        ui->Enable(false);
        return;
    }
    CBoxArray& system = doc->GetBoxArray();
    bool enable = !doc->IsEditLocked();
    bool all = true;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        const int channel = rowOffset + row;
        if (channel < 0 || channel >= system.GetMapSize())
            break;
        if (!system.IsChannelValueAllowed(channel, code, static_cast<int>(value)))
            enable = false;
        if (system.GetChannelValue(channel, code) != value)
            all = false;
    }
    ui->Enable(enable);
    ui->SetCheck(all ? 1 : 0);
}

void CProjectBaseView::InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    if (CDataTankList* table = GetPageTable()) {
        fw::CWaitCursor wait;
        table->InsertRows(firstCol, firstRow, lastCol, lastRow);
    }
}

void CProjectBaseView::DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    if (CDataTankList* table = GetPageTable()) {
        fw::CWaitCursor wait;
        table->DeleteRows(firstCol, firstRow, lastCol, lastRow);
    }
}

bool CProjectBaseView::CanInsert()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked() || !GetPageTable())
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t used = GetLastUsedRow(sel.left, sel.right);
    return (sel.bottom - sel.top + 1) + used < GetGrid()->GetSheetPane()->RowCount();
}

bool CProjectBaseView::CanDelete()
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && !doc->IsEditLocked() && GetPageTable();
}

void CProjectBaseView::OnInsertRows()
{
    if (GetGrid()->GetActiveEditor() || !CanInsert())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    RecordSelection(kUndoInsertedRows);
    InsertRows(sel.left, sel.top, sel.right, sel.bottom);
    AfterColumnChange(sel.left, sel.right, false);
}

void CProjectBaseView::OnDeleteRows()
{
    if (GetGrid()->GetActiveEditor() || !CanDelete())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    RecordSelection(kUndoDeletedRows);
    DeleteRows(sel.left, sel.top, sel.right, sel.bottom);
    AfterColumnChange(sel.left, sel.right, false);
}

void CProjectBaseView::OnUpdateInsert(fw::CCmdUI* ui) { ui->Enable(!GetGrid()->GetActiveEditor() && CanInsert()); }

void CProjectBaseView::OnUpdateDelete(fw::CCmdUI* ui) { ui->Enable(!GetGrid()->GetActiveEditor() && CanDelete()); }

unsigned CProjectBaseView::OpenCellMenu(unsigned menuId, int32_t col, int32_t row)
{
    EnsureProjectPageMenus();
    fw::CMenu menu;
    if (!menu.LoadMenu(menuId))
        return 0;
    fw::CMenu* popup = menu.GetSubMenu(0);
    return popup ? TrackCellMenu(*popup, col, row) : 0;
}

unsigned CProjectBaseView::TrackCellMenu(fw::CMenu& popup, int32_t col, int32_t row)
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

void CProjectBaseView::SetDropButton(bool on)
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

CZELGridRichWnd* CProjectBaseView::MakeNumericEditor(CZELGridPane* pane, const fw::CRect& rect,
                                                     const fw::CString& text, const fw::CString& allowed,
                                                     unsigned ch, unsigned key, bool byKey)
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

// ---- context menu --------------------------------------------------------------------------------

void CProjectBaseView::OnContextMenu(fw::CWnd*, fw::CPoint point) { ShowContextMenu(point); }

unsigned CProjectBaseView::ShowContextMenu(fw::CPoint screen)
{
    if (auto* frame = GetParentFrame())
        frame->SetActiveView(this);
    const fw::CPoint at = appctl::ContextMenuPoint(*this, screen);
    EnsureProjectPageMenus();
    fw::CMenu menu;
    if (m_nContextMenuId == 0 || !menu.LoadMenu(static_cast<unsigned>(m_nContextMenuId)))
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
    popup->DeleteMenu(32963, fw::MF_BYCOMMAND);
    for (int i = 0; i < popup->GetMenuItemCount(); ++i)
        if (popup->GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION) == "最大最小表示") {
            popup->DeleteMenu(static_cast<unsigned>(i), fw::MF_BYPOSITION);
            break;
        }
    const unsigned id = popup->TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, at.x,
                                              at.y, this);
    if (id != 0)
        OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr);
    return id;
}

// ---- sizes and the cell editor -------------------------------------------------------------------

void CProjectBaseView::OnUpdateWidth(fw::CCmdUI* ui)
{
    CKIV5980Doc* doc = GetProjectDoc();
    ui->Enable(doc && !doc->IsEditLocked() && !GetGrid()->GetActiveEditor());
}

void CProjectBaseView::OnColumnWidth()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked())
        return;
    CWHsetDlg dlg(GetGrid()->GetSheetPane(), this);
    if (dlg.DoModal() != fw::IDOK)
        return;
    doc->SetModifiedFlag(true);
    // Every page showing the same table follows.
    doc->UpdateAllViews(nullptr, kHintRepaint, nullptr);
}

void CProjectBaseView::OnLeftColumnWidth()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELGridPane* corner = GetGrid()->GetPane(kIndexCorner);
    CZELGridPane* rowHeader = GetGrid()->GetPane(kIndexRowHeader);
    if (!doc || doc->IsEditLocked() || !corner || !rowHeader)
        return;
    CWHsetDlg dlg(corner, this);
    if (dlg.DoModal() != fw::IDOK)
        return;
    rowHeader->SetColumnWidths(0, corner->GetColumnWidth(0), 1);
    GetGrid()->RecalcLayout(false);
    doc->SetModifiedFlag(true);
    GetGrid()->RedrawPanes();
}

void CProjectBaseView::OnScriptCommand(unsigned id)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor(); editor && doc && !doc->IsEditLocked())
        editor->ApplyFormatCommand(id);
}

void CProjectBaseView::OnUpdateScriptCommand(fw::CCmdUI* ui)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELGridRichWnd* editor = GetGrid()->GetActiveEditor();
    if (!editor || !doc || doc->IsEditLocked()) {
        ui->Enable(false);
        return;
    }
    editor->UpdateFormatCommands(ui);
}

void CProjectBaseView::OnEditCell()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELGridPane* sheet = GetGrid()->GetSheetPane();
    if (!doc || doc->IsEditLocked() || !sheet || GetGrid()->GetActiveEditor())
        return;
    const CCellIndices cur = sheet->GetCurrentCell();
    GetGrid()->EnsureCellVisible(cur.row, cur.col, true);
    const fw::CRect cell = sheet->GetCellRect({cur.row, cur.col, cur.row, cur.col});
    sheet->OnLButtonDblClk(0, fw::CPoint(cell.left + 1, cell.top + 1));
}

// ---- printing ------------------------------------------------------------------------------------

bool CProjectBaseView::s_bPrintAcrossFirst = false;

namespace {

// The page header's font: the program's proportional face at 12 points.
bool MakeHeaderFont(fw::CFont& font)
{
    fw::LOGFONT lf{};
    SetDefaultLogFont(&lf, true, 0);
    lf.lfHeight = 120;
    return font.CreatePointFontIndirect(lf);
}

} // namespace

int CProjectBaseView::GetPrintPageCount(fw::CDC& dc)
{
    const int32_t lastRow = std::max(GetLastUsedRow(0, -1), 0);
    const int32_t lastCol = std::max(GetGrid()->GetSheetPane()->ColumnCount() - 1, 0);
    return GetGrid()->BeginPrint(dc, m_rcPrint, true, lastRow, lastCol, s_bPrintAcrossFirst);
}

void CProjectBaseView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    fw::CFont font;
    fw::CFont* old = MakeHeaderFont(font) ? dc->SelectObject(&font) : nullptr;
    m_nPrintTextHeight = dc->GetTextExtent("A").cy;
    if (old)
        dc->SelectObject(old);
    const int width = info ? info->m_rectDraw.Width() : dc->GetDeviceCaps(fw::HORZRES);
    const int height = info ? info->m_rectDraw.Height() : dc->GetDeviceCaps(fw::VERTRES);
    m_rcPrint = fw::CRect(m_nMarginLeft, m_nMarginTop + 2 * m_nPrintTextHeight, width - m_nMarginRight,
                          height - m_nMarginBottom);
    const int pages = GetPrintPageCount(*dc);
    NotePrintCells(*dc);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 1)));
}

void CProjectBaseView::NotePrintCells(fw::CDC& dc)
{
    fw::CRect cells = m_rcPrint;
    dc.DPtoLP(&cells);
    const fw::CSize header = GetGrid()->GetHeaderSize();
    cells.right -= header.cx;
    cells.bottom -= header.cy;
    m_rcPrintCells = cells;
}

void CProjectBaseView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    OnDraw(dc);
    CZELSpredView::OnPrint(dc, info);
}

void CProjectBaseView::OnDraw(fw::CDC* dc)
{
    if (!dc || !dc->IsPrinting() || !GetProjectDoc())
        return;
    DrawPageHeader(*dc);
}

void CProjectBaseView::DrawPageHeader(fw::CDC& dc)
{
    DrawPageHeaderLine(dc, 0, GetProjectDoc()->GetTestTitle());
    if (m_bTimingLine) {
        fw::CString timing;
        if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
            frame->GetTimingText(timing, ' ');
        DrawPageHeaderLine(dc, 1, timing);
    }
}

void CProjectBaseView::DrawPageHeaderLine(fw::CDC& dc, int line, const fw::CString& text)
{
    fw::CFont font;
    fw::CFont* old = MakeHeaderFont(font) ? dc.SelectObject(&font) : nullptr;
    const int h = m_nPrintTextHeight > 0 ? m_nPrintTextHeight : dc.GetTextExtent("A").cy;
    const int right = dc.GetDeviceCaps(fw::HORZRES) - m_nMarginRight;
    dc.SetBkMode(fw::TRANSPARENT);
    fw::CRect box(m_nMarginLeft, m_nMarginTop + line * h, right, m_nMarginTop + (line + 1) * h);
    dc.DrawText(text, &box, fw::DT_SINGLELINE | fw::DT_VCENTER);
    if (old)
        dc.SelectObject(old);
}
