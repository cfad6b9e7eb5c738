#include "project/views/pages/PrjCheckView.h"

#include "common/base/TextFile.h"
#include "common/tank/DataBoxPropaty.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridObject.h"
#include "grid/views/GridPane.h"
#include "instrument/check/CheckData.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/pages/PageHints.h"

#include <vector>

FW_IMPLEMENT_DYNCREATE(CPrjCheckView, CProjectBaseView)
FW_IMPLEMENT_DYNCREATE(CPrjCheckHistoryView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjCheckView, CProjectBaseView)
    FW_ON_UPDATE(CProjectBaseView::kIdLeftColumnWidth, &CPrjCheckView::OnUpdateDisabled)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(CPrjCheckHistoryView, CProjectBaseView)
    FW_ON_COMMAND(CPrjCheckHistoryView::kIdDelete, &CPrjCheckHistoryView::OnDelete)
    FW_ON_UPDATE(CPrjCheckHistoryView::kIdDelete, &CPrjCheckHistoryView::OnUpdateDelete)
    // The list's one column always fills the page.
    FW_ON_UPDATE(CProjectBaseView::kIdColumnWidth, &CPrjCheckHistoryView::OnUpdateDisabled)
    FW_ON_UPDATE(CProjectBaseView::kIdLeftColumnWidth, &CPrjCheckHistoryView::OnUpdateDisabled)
FW_END_COMMANDS

namespace {

constexpr int32_t kUndoKind = CUndoBuffer::kDataViewKind;
struct Caption {
    unsigned id;
    const char* text;
};
constexpr Caption kColumnCaptions[] = {{181, "SET"},  {182, "入力ﾓｰﾄﾞ"}, {500, "バージョン"},
                                       {434, "ROM"},  {435, "RAM"},      {437, "感度"},
                                       {436, "絶縁"}, {438, "イニシャル"}, {439, "ダイレクト"}};

} // namespace

// ==== record page ===================================================================================

CPrjCheckView::CPrjCheckView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    m_bTimingLine = false;
}

void CPrjCheckView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabSelfCheck));
    SelectRecord(m_nRecord);
}

void CPrjCheckView::SelectRecord(int32_t index)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELGridStyle* style = GetGrid()->GetStyle();
    if (!doc || !style)
        return;
    m_nRecord = std::max(index, 0);
    const std::vector<CCheckData*>& records = doc->GetCheckRecords();
    m_pRecord = static_cast<size_t>(m_nRecord) < records.size() ? records[static_cast<size_t>(m_nRecord)] : nullptr;
    const int32_t rows = m_pRecord ? m_pRecord->GetTotalRows() : doc->GetBoxArray().GetMeasuringCount();
    style->SetRowCount(std::max(rows, 0));
    GetGrid()->ApplyStyle(false);
    GetGrid()->RedrawPanes();
}

bool CPrjCheckView::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return GetChannelCornerText(text, col, row, display);
}

bool CPrjCheckView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col < 0 || col >= kColumns)
        return false;
    text = prjpage::PageText(kColumnCaptions[col].id, kColumnCaptions[col].text);
    return true;
}

bool CPrjCheckView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (!m_pRecord) {
        CKIV5980Doc* doc = GetProjectDoc();
        if (!doc || row < 0 || row >= doc->GetBoxArray().GetMapSize())
            return false;
        return GetChannelRowLabel(text, col, row);
    }
    if (row < 0 || row >= m_pRecord->GetTotalRows())
        return false;
    const auto& map = m_pRecord->GetRowMap();
    if (row >= map.GetSize())
        return true;
    const tagBOXCH entry = map[row];
    const int rowInBox = entry.ch;
    CDataBoxPropaty* box = m_pRecord->GetBox(entry.box);
    switch (col) {
    case 0: text = fw::Format("%d", row + 1); break;
    case 1: text = box ? box->GetName() : fw::CString(); break;
    case 2: text = fw::Format("%d", rowInBox + 1); break;
    default: break;
    }
    return true;
}

void CPrjCheckView::OnUpdateDisabled(fw::CCmdUI* ui) { ui->Enable(false); }

void CPrjCheckView::DrawTagCell(CZELDrawCell& cell) { DrawChannelCornerCell(cell); }

void CPrjCheckView::DrawPageHeader(fw::CDC& dc)
{
    CProjectBaseView::DrawPageHeader(dc);
    fw::CString time;
    if (m_pRecord)
        m_pRecord->FormatCheckTime(time);
    DrawPageHeaderLine(dc, 1, time);
}

void CPrjCheckView::DrawRowHeaderCell(CZELDrawCell& cell)
{
    if (!m_pRecord) {
        DrawSystemChannelRowHeaderCell(cell);
        return;
    }
    const auto& map = m_pRecord->GetRowMap();
    CDataBoxPropaty* box = nullptr;
    tagBOXCH entry{};
    if (cell.m_nRow >= 0 && cell.m_nRow < map.GetSize()) {
        entry = map[cell.m_nRow];
        box = m_pRecord->GetBox(entry.box);
    }
    if (!box) {
        CProjectBaseView::DrawRowHeaderCell(cell);
        return;
    }
    // A record's control unit lists every channel of its units in slot
    // order, so a channel's place in its unit follows from its place in
    // the control unit. Its second column numbers each channel, so that
    // column is not drawn once over a unit's rows.
    DrawChannelRowHeaderCell(cell, entry.ch, box->GetRowCount(), entry.ch % kChannelsPerUnit, kChannelsPerUnit,
                             false);
}

bool CPrjCheckView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (m_pRecord && col >= 0 && col < kColumns && row >= 0 && row < m_pRecord->GetTotalRows())
        m_pRecord->GetChannelText(row, col, text);
    return true;
}

void CPrjCheckView::WriteText(CTextFile& file, bool csv)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid->GetStyle())
        return;
    const char sep = csv ? ',' : '\t';
    const fw::CString& title = doc->GetTestTitle();
    file.WriteLine(csv ? CTextFile::MakeCsvField(title) : title, true);
    fw::CString time;
    if (m_pRecord)
        m_pRecord->FormatCheckTime(time);
    file.WriteLine(time, true);
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

// ==== list page =====================================================================================

CPrjCheckHistoryView::CPrjCheckHistoryView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    m_pStyle.reset(CKIV5980Doc::MakeTableStyle(1, 1, 1, 1, 1, 0, -18));
}

CPrjCheckHistoryView::~CPrjCheckHistoryView()
{
    // The grid lets go of the style before it goes.
    if (GetGrid() && GetGrid()->GetStyle() == m_pStyle.get())
        GetGrid()->SetStyle(nullptr);
}

CPrjCheckView* CPrjCheckHistoryView::GetRecordPage() const
{
    if (m_pRecordPage)
        return m_pRecordPage;
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return nullptr;
    fw::POSITION pos = doc->GetFirstViewPosition();
    while (pos)
        if (auto* page = dynamic_cast<CPrjCheckView*>(doc->GetNextView(pos)))
            return page;
    return nullptr;
}

int32_t CPrjCheckHistoryView::RecordCount() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? static_cast<int32_t>(doc->GetCheckRecords().size()) : 0;
}

void CPrjCheckHistoryView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    SetGridStyle(m_pStyle.get());
    SetRowCount();
    FitColumn();
}

void CPrjCheckHistoryView::SetRowCount()
{
    if (!GetGrid()->GetStyle())
        return;
    m_pStyle->SetRowCount(std::max(RecordCount(), 1));
    GetGrid()->ApplyStyle(false);
}

void CPrjCheckHistoryView::FitColumn()
{
    if (!GetGrid()->GetStyle())
        return;
    const int width = std::max(GetGrid()->GetSheetPane()->Widget() ? GetClientRect().Width() : 0, 0);
    m_pStyle->SetColumnWidths(0, width, 1);
    GetGrid()->ApplyStyle(false);
    GetGrid()->RedrawPanes();
}

void CPrjCheckHistoryView::OnSize(unsigned type, int cx, int cy)
{
    CProjectBaseView::OnSize(type, cx, cy);
    FitColumn();
}

void CPrjCheckHistoryView::ShowCurrentRecord()
{
    if (CPrjCheckView* page = GetRecordPage())
        page->SelectRecord(GetGrid()->GetSelection().top);
}

intptr_t CPrjCheckHistoryView::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == WM_GRID_SELCHANGE)
        ShowCurrentRecord();
    return CProjectBaseView::OnMessage(message, wParam, lParam);
}

void CPrjCheckHistoryView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid->GetStyle()) {
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
        return;
    }
    switch (hint) {
    case prjpage::kHintColumns: {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (!data || !data->IsSentBy(GetDocument(), GetRuntimeClass()))
            return;
        SetRowCount();
        CCellRange sel = grid->GetSelection();
        const int32_t top = std::max(RecordCount() - 1, 1);
        sel.top = std::min(sel.top, top);
        sel.bottom = std::min(sel.bottom, top);
        grid->SetSelection(sel, {sel.top, sel.left}, {sel.top, sel.left}, false);
        FitColumn();
        return;
    }
    case prjpage::kHintRepaint:
        if (CPrjCheckView* page = GetRecordPage())
            page->SelectRecord(grid->GetSelection().top);
        return;
    case prjpage::kHintSelfCheck: {
        SetRowCount();
        FitColumn();
        const int32_t last = std::max(RecordCount() - 1, 0);
        grid->SetSelection({last, 0, last, 0}, {last, 0}, {last, 0}, true);
        if (CPrjCheckView* page = GetRecordPage())
            page->SelectRecord(last);
        return;
    }
    default:
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
    }
}

bool CPrjCheckHistoryView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col != 0)
        return false;
    text = prjpage::PageText(458, "チェック履歴");
    return true;
}

bool CPrjCheckHistoryView::GetRowHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text.Empty();
    return true;
}

bool CPrjCheckHistoryView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CKIV5980Doc* doc = GetProjectDoc();
    if (doc && col == 0 && row >= 0 && row < RecordCount())
        doc->GetCheckRecords()[static_cast<size_t>(row)]->FormatCheckTime(text);
    return true;
}

void CPrjCheckHistoryView::WriteText(CTextFile& file, bool csv)
{
    if (CPrjCheckView* page = GetRecordPage())
        page->WriteText(file, csv);
}

bool CPrjCheckHistoryView::OnPreparePrinting(fw::CPrintInfo* info)
{
    CPrjCheckView* page = GetRecordPage();
    return page ? page->OnPreparePrinting(info) : CProjectBaseView::OnPreparePrinting(info);
}

void CPrjCheckHistoryView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (CPrjCheckView* page = GetRecordPage())
        page->OnBeginPrinting(dc, info);
}

void CPrjCheckHistoryView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (CPrjCheckView* page = GetRecordPage())
        page->OnPrint(dc, info);
}

bool CPrjCheckHistoryView::CanDeleteRecords() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && !doc->IsEditLocked() && RecordCount() > 0;
}

void CPrjCheckHistoryView::OnUpdateDelete(fw::CCmdUI* ui) { ui->Enable(CanDeleteRecords()); }

void CPrjCheckHistoryView::OnUpdateDisabled(fw::CCmdUI* ui) { ui->Enable(false); }

void CPrjCheckHistoryView::OnDelete()
{
    if (!CanDeleteRecords())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    if (sel.top < 0 || sel.top >= RecordCount())
        return;
    RecordSelection(kUndoDeletedRows);
    fw::CWaitCursor wait;
    GetProjectDoc()->DeleteCheckRecords(sel.top, sel.bottom - sel.top + 1);
    SetRowCount();
    ShowCurrentRecord();
    GetGrid()->RedrawPanes();
}

bool CPrjCheckHistoryView::WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || !GetGrid()->GetStyle())
        return false;
    try {
        fw::CArchive ar(&file, fw::CArchive::store, 4096);
        ar << code;
        CGridJob job;
        GetGrid()->GetSelectionJob(job);
        job.Serialize(ar);
        if (code == kUndoDeletedRows) {
            const int32_t first = job.m_selection.top;
            const int32_t last = std::min(job.m_selection.bottom, RecordCount() - 1);
            ar << std::max(last - first + 1, 0);
            for (int32_t i = first; i <= last; ++i)
                ar.WriteObject(doc->GetCheckRecords()[static_cast<size_t>(i)]);
        }
        ar.Close();
        return true;
    } catch (const fw::CException& e) {
        e.ReportError();
        return false;
    }
}

void CPrjCheckHistoryView::Undo()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid->GetStyle() || !CanUndo())
        return;
    CUndoBuffer& buffer = doc->GetUndoBuffer();
    fw::CMemFile* stored = buffer.GetSnapshot();
    if (!stored)
        return;
    stored->SeekToBegin();
    std::vector<uint8_t> bytes(static_cast<size_t>(stored->GetLength()));
    stored->Read(bytes.data(), bytes.size());
    fw::CMemFile file(bytes);
    auto reverse = CUndoBuffer::NewSnapshotFile();
    bool recorded = false;
    CGridJob job;
    try {
        fw::CArchive ar(&file, fw::CArchive::load, 4096);
        int32_t code = 0;
        ar >> code;
        job.Serialize(ar);
        if (code == kUndoDeletedRows) {
            int32_t count = 0;
            ar >> count;
            std::vector<CCheckData*> records;
            for (int32_t i = 0; i < count; ++i)
                if (auto* record = dynamic_cast<CCheckData*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CCheckData))))
                    records.push_back(record);
            doc->InsertCheckRecords(job.m_selection.top, std::move(records));
            SetRowCount();
            grid->ApplySelectionJob(job);
            ShowCurrentRecord();
            recorded = WriteUndoRecord(*reverse, kUndoReinsert);
        } else if (code == kUndoReinsert || code == kUndoInsertedRows) {
            grid->ApplySelectionJob(job);
            recorded = WriteUndoRecord(*reverse, kUndoDeletedRows);
            doc->DeleteCheckRecords(job.m_selection.top, job.m_selection.bottom - job.m_selection.top + 1);
            SetRowCount();
            ShowCurrentRecord();
        }
        ar.Close();
    } catch (const fw::CException& e) {
        e.ReportError();
        recorded = false;
    }
    if (recorded)
        buffer.SetSnapshot(UndoOwner(), kUndoKind, std::move(reverse));
    else
        buffer.Release(UndoOwner());
    grid->RedrawPanes();
    doc->NotifyColumnsChanged(this, job.m_selection.left, job.m_selection.right, 0, true);
}
