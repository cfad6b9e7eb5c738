// The merged row-header cells of the channel pages: a control unit's name
// spans all its channels' rows, a unit's name the rows of its channels;
// and their corner, whose captions span the columns they head.

#include "project/views/ProjectBaseView.h"

#include "framework/core/DC.h"
#include "framework/core/Gdi.h"
#include "grid/model/DrawCell.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/unit/KivUnit.h"
#include "grid/views/GridPane.h"
#include "grid/views/SpredView.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/pages/PageDrawing.h"

#include <algorithm>

namespace {

constexpr fw::COLORREF kBlack = fw::RGB(0, 0, 0);
constexpr fw::COLORREF kGrey = fw::RGB(128, 128, 128);
constexpr fw::COLORREF kWhite = fw::RGB(255, 255, 255);

void BottomLine(fw::CDC& dc, const fw::CRect& rect, fw::COLORREF color, int width)
{
    fw::CPen pen(fw::PS_SOLID, width, color);
    fw::CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(rect.left, rect.bottom - 1);
    dc.LineTo(rect.right, rect.bottom - 1);
    dc.SelectObject(old);
}

} // namespace

void CProjectBaseView::DrawCellBottomLine(CZELDrawCell& cell, fw::COLORREF color, int width)
{
    if (cell.m_pDC)
        BottomLine(*cell.m_pDC, cell.m_rcCell, color, width);
}

bool CProjectBaseView::IsLastChannelOfBox(int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row >= doc->GetBoxArray().GetMapSize())
        return false;
    const tagBOXCH entry = doc->GetBoxArray().GetMapEntry(row);
    const CBoxPropaty* box = doc->GetBoxArray().GetBox(entry.box);
    if (!box)
        return false;
    // Outputs follow the control unit's inputs in its channel list.
    if (row >= doc->GetBoxArray().GetMeasuringCount())
        return entry.ch + 1 == box->GetInputCount() + box->GetOutputCount();
    return entry.ch + 1 == box->GetInputCount();
}

void CProjectBaseView::DrawSystemChannelSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (!GetSheetText(text, cell.m_nCol, cell.m_nRow, 1))
        return;
    cell.DrawText(text);
    if (IsLastChannelOfBox(cell.m_nRow))
        DrawCellBottomLine(cell, kBlack, 1);
}

void CProjectBaseView::DrawChannelRowHeaderCell(CZELDrawCell& cell, int inBox, int boxChannels, int inUnit,
                                                int perUnit, bool mergeUnit, int kindOffset)
{
    fw::CDC* dc = cell.m_pDC;
    if (!dc)
        return;
    WhitenForPrint(cell);
    fw::CString text;
    GetRowHeaderText(text, cell.m_nCol, cell.m_nRow, 1);
    const bool printing = dc->IsPrinting();
    const bool lastInBox = inBox + 1 == boxChannels;
    const int kind = cell.m_nCol + kindOffset;
    if (kind != 1 && (kind != 2 || !mergeUnit)) {
        cell.DrawText(text);
        if (lastInBox)
            BottomLine(*dc, cell.m_rcCell, kBlack, 1);
        else if (!printing)
            BottomLine(*dc, cell.m_rcCell, kGrey, 0);
        return;
    }
    const int position = kind == 1 ? inBox : inUnit;
    const int size = std::max(kind == 1 ? boxChannels : perUnit, 1);
    const int height = cell.m_rcCell.Height();
    fw::CRect merged = cell.m_rcCell;
    merged.top -= position * height;
    merged.bottom = merged.top + size * height;
    if (printing) {
        merged.right -= 1;
        merged.top = std::max<int32_t>(merged.top, 0);
        // A group that runs on to the next sheet is labelled on each
        // sheet in its own rows' cells, not once across the page break.
        if (m_rcPrintCells.Height() > 0 && merged.bottom > m_rcPrintCells.Height())
            merged = cell.m_rcCell;
    }
    dc->FillSolidRect(merged, printing ? kWhite : cell.m_format.crBack);
    // The cell's font is a point font, as for every other header text.
    fw::LOGFONT lf = cell.m_format.lf;
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    fw::CFont font;
    font.CreatePointFontIndirect(lf);
    fw::CFont* oldFont = dc->SelectObject(&font);
    const unsigned oldAlign = dc->SetTextAlign(fw::TA_CENTER);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);
    fw::TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    // Turned upright, the text's height runs across the cell; a name longer
    // than its group's rows stays inside them.
    dc->ExtTextOut(merged.left + (merged.Width() - tm.tmHeight) / 2, merged.top + merged.Height() / 2,
                   fw::ETO_CLIPPED, &merged, text);
    dc->SetBkMode(oldMode);
    dc->SetTextAlign(oldAlign);
    dc->SelectObject(oldFont);
    if (position + 1 == size || lastInBox)
        BottomLine(*dc, cell.m_rcCell, kBlack, 1);
}

void CProjectBaseView::DrawSystemChannelRowHeaderCell(CZELDrawCell& cell, int32_t rowOffset, int kindOffset)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CBoxArray* system = doc ? &doc->GetBoxArray() : nullptr;
    const int32_t row = cell.m_nRow + rowOffset;
    const CBoxPropaty* box = nullptr;
    tagBOXCH entry{};
    if (system && row >= 0 && row < system->GetMapSize()) {
        entry = system->GetMapEntry(row);
        box = system->GetBox(entry.box);
    }
    if (!box) {
        CProjectBaseView::DrawRowHeaderCell(cell);
        return;
    }
    // A control unit numbers its input channels first, then its outputs;
    // each unit's channels count on from the unit's first channel (1-based).
    const bool output = row >= system->GetMeasuringCount();
    const int inBox = output ? entry.ch - box->GetInputCount() : entry.ch;
    const int boxChannels = output ? box->GetOutputCount() : box->GetInputCount();
    const tagBOXCH ref = box->GetChannelRef(entry.ch);
    const CKivUnit* unit = box->GetMeter() ? box->GetMeter()->GetUnit(ref.box) : nullptr;
    const int inUnit = unit ? ref.ch - (unit->GetFirstChannel() - 1) : ref.ch % kChannelsPerUnit;
    const int perUnit = unit ? unit->GetChannelCount() : kChannelsPerUnit;
    DrawChannelRowHeaderCell(cell, inBox, boxChannels, inUnit, perUnit, true, kindOffset);
}

void CProjectBaseView::DrawChannelCornerCell(CZELDrawCell& cell)
{
    const CZELGridPane* pane = GetGrid()->GetPane(kIndexCorner);
    if (!pane || !cell.m_pDC) {
        CProjectBaseView::DrawTagCell(cell);
        return;
    }
    const int32_t col = cell.m_nCol;
    const int32_t row = cell.m_nRow;
    int32_t firstCol = col;
    int32_t lastCol = col;
    int32_t firstRow = row;
    int32_t lastRow = row;
    if (col == 0) {
        firstRow = 0;
        lastRow = 1;
    } else if (row == 0) {
        firstCol = 1;
        lastCol = 3;
    } else if (row == 1 && col <= 2) {
        firstCol = 1;
        lastCol = 2;
    }
    lastCol = std::min(lastCol, pane->ColumnCount() - 1);
    lastRow = std::min(lastRow, pane->RowCount() - 1);
    fw::CString text;
    GetChannelCornerText(text, firstCol, firstRow, 1);
    prjpage::DrawMergedBlock(cell, pane, firstCol, lastCol, firstRow, lastRow, text, GetGrid()->GetHeaderSize().cx);
}
