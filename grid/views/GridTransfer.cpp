// Copy, paste and fill through the owner's callbacks, and printing page
// by page with the headers repeated on every page.

#include "framework/core/AllocLimit.h"
#include "framework/core/Archive.h"
#include "framework/core/Clipboard.h"
#include "framework/core/Cp932.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/PrintInfo.h"
#include <functional>
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridClipboard.h"
#include "grid/views/GridPane.h"

#include <algorithm>
#include <new>

using fw::CRect;
using fw::CSize;

namespace {

// A memory file that stops growing at the allocation cap, so that a copy
// too large to build fails instead of ending the program.
class CappedMemFile final : public fw::CMemFile {
public:
    CappedMemFile() : CMemFile(4096) {}
    void Write(const void* buffer, size_t count) override
    {
        fw::AllocLimit::Check(GetLength() + count);
        CMemFile::Write(buffer, count);
    }
};

} // namespace

bool CZELGrid::WriteSelectionText(fw::CArchive& ar, const CCellRange& range)
{
    try {
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
        return true;
    } catch (const fw::CFileException&) {
        return false;
    }
}

bool CZELGrid::CopyToClipboard()
{
    const CCellRange range = GetSelection();
    if (!m_pStyle || !range.IsValid())
        return false;
    std::vector<uint8_t> bytes;
    try {
        CappedMemFile file;
        fw::CArchive ar(&file, fw::CArchive::store, 4096);
        if (!WriteSelectionText(ar, range))
            return false;
        ar.Close();
        bytes = file.Detach();
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const fw::CException&) {
        return false;
    }
    SetGridClipboardText(bytes);
    return true;
}

bool CZELGrid::PasteFromClipboard()
{
    std::vector<uint8_t> bytes;
    if (!GetGridClipboardText(bytes))
        return false;
    fw::CMemFile file(bytes);
    return PasteFromFile(&file);
}

bool CZELGrid::PasteFromFile(fw::CFile* file)
{
    if (!file || !m_pStyle || !GetSelection().IsValid())
        return false;
    try {
        CSize block;
        MeasurePasteBlock(block, *file);
        if (block.cx <= 0 || block.cy <= 0)
            return false;
        RecordUndo(GetSheetPane(), kChangePaste, nullptr);
        fw::CArchive ar(file, fw::CArchive::load, 4096);
        ReadTextIntoRange(ar, GetSelection());
    } catch (const fw::CException&) {
        RedrawPanes();
        return false;
    } catch (const std::bad_alloc&) {
        RedrawPanes();
        return false;
    }
    RedrawPanes();
    return true;
}

void CZELGrid::MeasurePasteBlock(CSize& size, fw::CFile& file)
{
    size = CSize();
    file.SeekToBegin();
    {
        fw::CArchive ar(&file, fw::CArchive::load, 4096);
        fw::CString line;
        while (ar.ReadString(line) && !line.IsEmpty()) {
            const int fields = 1 + static_cast<int>(std::count(line.str().begin(), line.str().end(), '\t'));
            size.cx = std::max(size.cx, fields);
            ++size.cy;
        }
        ar.Abort();
    }
    file.SeekToBegin();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    CCellRange sel = GetSelection();
    if (sel.Cols() == 1 || sel.Cols() > size.cx)
        sel.right = sel.left + size.cx - 1;
    if (sel.Rows() == 1 || sel.Rows() > size.cy)
        sel.bottom = sel.top + size.cy - 1;
    const CZELGridPane* sheet = GetSheetPane();
    sel.right = std::min(sel.right, sheet->ColumnCount() - 1);
    sel.bottom = std::min(sel.bottom, sheet->RowCount() - 1);
    const CCellIndices first{sel.top, sel.left};
    SetSelection(sel, first, first, false);
}

void CZELGrid::ReadTextIntoRange(fw::CArchive& ar, const CCellRange& range)
{
    fw::CString line;
    for (int32_t row = range.top; row <= range.bottom && ar.ReadString(line); ++row) {
        const std::string& s = line.str();
        size_t start = 0;
        for (int32_t col = range.left; col <= range.right; ++col) {
            const size_t tab = s.find('\t', start);
            const std::string field = s.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            SetSheetText(row, col, fw::CString(field), 0);
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
    }
}

void CZELGrid::FillDown()
{
    const CCellRange sel = GetSelection();
    if (!m_pStyle || !sel.IsValid())
        return;
    RecordUndo(GetSheetPane(), kChangePaste, nullptr);
    for (int32_t col = sel.left; col <= sel.right; ++col) {
        fw::CString text;
        GetSheetText(text, col, sel.top, 0);
        for (int32_t row = sel.top + 1; row <= sel.bottom; ++row)
            SetSheetText(row, col, text, 0);
    }
    RedrawPanes();
}

// --- printing -------------------------------------------------------------------------------------

int CZELGrid::BeginPrint(fw::CDC& dc, CRect rect, bool convert, int32_t lastRow, int32_t lastCol, bool acrossFirst)
{
    dc.SetMapMode(fw::MM_ANISOTROPIC);
    dc.SetWindowExt(ScreenDpi(), ScreenDpi());
    const int dpiX = dc.GetDeviceCaps(fw::LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(fw::LOGPIXELSY);
    dc.SetViewportExt(dpiX > 0 ? dpiX : ScreenDpi(), dpiY > 0 ? dpiY : ScreenDpi());
    if (convert)
        dc.DPtoLP(&rect);
    m_rcPrint = rect;
    const CSize header = GetHeaderSize();
    const int64_t width = rect.Width() - header.cx;
    const int64_t height = rect.Height() - header.cy;
    return acrossFirst ? PaginateAcross(m_pages, width, height, lastRow, lastCol)
                       : PaginateDown(m_pages, width, height, lastRow, lastCol);
}

namespace {

std::vector<int32_t> Starts(int32_t last, const std::function<int32_t(int32_t)>& fitting)
{
    std::vector<int32_t> starts;
    for (int32_t start = 0; start <= last;) {
        starts.push_back(start);
        start += std::max(fitting(start), 1);
    }
    return starts;
}

} // namespace

int CZELGrid::PaginateDown(std::vector<CCellIndices>& pages, int64_t width, int64_t height, int32_t lastRow,
                           int32_t lastCol)
{
    pages.clear();
    const CZELGridPane* sheet = GetSheetPane();
    lastRow = std::min(lastRow, sheet->RowCount() - 1);
    lastCol = std::min(lastCol, sheet->ColumnCount() - 1);
    const auto blocks = Starts(lastRow, [&](int32_t s) { return CountFittingRows(s, height, true); });
    const auto bands = Starts(lastCol, [&](int32_t s) { return CountFittingColumns(s, width, true); });
    for (int32_t band : bands)
        for (int32_t block : blocks)
            pages.push_back({block, band});
    return static_cast<int>(pages.size());
}

int CZELGrid::PaginateAcross(std::vector<CCellIndices>& pages, int64_t width, int64_t height, int32_t lastRow,
                             int32_t lastCol)
{
    pages.clear();
    const CZELGridPane* sheet = GetSheetPane();
    lastRow = std::min(lastRow, sheet->RowCount() - 1);
    lastCol = std::min(lastCol, sheet->ColumnCount() - 1);
    const auto blocks = Starts(lastRow, [&](int32_t s) { return CountFittingRows(s, height, true); });
    const auto bands = Starts(lastCol, [&](int32_t s) { return CountFittingColumns(s, width, true); });
    for (int32_t block : blocks)
        for (int32_t band : bands)
            pages.push_back({block, band});
    return static_cast<int>(pages.size());
}

void CZELGrid::PrintPage(fw::CDC& dc, const fw::CPrintInfo& info)
{
    PrintPageIndex(dc, static_cast<int>(info.m_nCurPage) - 1);
}

void CZELGrid::PrintPageIndex(fw::CDC& dc, int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size()))
        fw::ThrowInvalidArgException();
    const CCellIndices page = m_pages[static_cast<size_t>(index)];
    DrawPrintPage(dc, page.col, page.row);
}

void CZELGrid::DrawPrintPage(fw::CDC& dc, int32_t colStart, int32_t rowStart)
{
    const int saved = dc.SaveDC();
    PreparePrinting(dc, m_rcPrint.TopLeft());
    const CSize header = GetHeaderSize();
    const int w = m_rcPrint.Width();
    const int h = m_rcPrint.Height();
    GetPane(kIndexCorner)->SetPrintArea(0, 0, header.cx, header.cy);
    GetPane(kIndexColumnHeader)->SetPrintArea(header.cx, 0, w - header.cx, header.cy);
    GetPane(kIndexRowHeader)->SetPrintArea(0, header.cy, header.cx, h - header.cy);
    GetSheetPane()->SetPrintArea(header.cx, header.cy, w - header.cx, h - header.cy);
    if (header.cx > 0 && header.cy > 0)
        GetPane(kIndexCorner)->Paint(dc, 0, 0);
    if (header.cy > 0)
        GetPane(kIndexColumnHeader)->Paint(dc, colStart, 0);
    if (header.cx > 0)
        GetPane(kIndexRowHeader)->Paint(dc, 0, rowStart);
    GetSheetPane()->Paint(dc, colStart, rowStart);
    dc.RestoreDC(saved);
}
