#include "project/views/pages/PrjMMAView.h"

#include "common/base/TextFile.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/DC.h"
#include "framework/core/StringTable.h"
#include "grid/model/DrawCell.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ProjectFrame.h"
#include "project/views/pages/MmaListTextDlg.h"
#include "project/views/pages/PageDrawing.h"
#include "project/views/pages/PageHints.h"

#include <cmath>
#include <cstdio>
#include <string>

FW_IMPLEMENT_DYNCREATE(CPrjMMAView, CPrjHistoryView)

FW_BEGIN_COMMANDS(CPrjMMAView, CPrjHistoryView)
    FW_ON_COMMAND(CProjectBaseView::kIdTextSave, &CPrjMMAView::OnSaveText)
FW_END_COMMANDS

namespace {

constexpr unsigned kCornerIds[] = {208, 172, 174};
constexpr const char* kCornerTexts[] = {"ステップ", "計測日時", "サイクル数"};
constexpr int kTanksPerChannel = 3;

} // namespace

void CPrjMMAView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    SetupGrid(CKIV5980Doc::kTabStatistics);
}

void CPrjMMAView::SetUsedExtents()
{
    auto* grid = dynamic_cast<CZELGridEX*>(GetGrid());
    CKIV5980Doc* doc = GetProjectDoc();
    if (!grid || !doc)
        return;
    grid->SetUsedExtent(0, doc->GetHistory().GetChannelTankCount() - 1);
    grid->SetUsedExtent(1, LastStep());
}

int32_t CPrjMMAView::PrintLastColumn() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? std::max(doc->GetHistory().GetChannelTankCount() - 1, 0) : 0;
}

CDataTankObject* CPrjMMAView::GetColumnTank(int32_t col)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || col < 0 || col >= doc->GetHistory().GetChannelTankCount())
        return nullptr;
    return doc->GetHistory().GetChannelTank(col);
}

bool CPrjMMAView::GetTagText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col < 0 || col > 2)
        return false;
    text = prjpage::PageText(kCornerIds[col], kCornerTexts[col]);
    return true;
}

bool CPrjMMAView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank) {
        text.Empty();
        return true;
    }
    switch (row) {
    case 0: text = MmaChannelName(tank->GetName()); break;
    case 1: text = tank->GetUnit(); break;
    case 2: text = MmaKindLabel(tank->GetName()); break;
    default: text.Empty(); break;
    }
    return true;
}

bool CPrjMMAView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row > LastStep())
        return true;
    const CMMAObject& history = doc->GetHistory();
    char buf[64];
    switch (col) {
    case 0:
        std::snprintf(buf, sizeof buf, "%d", row + 1);
        text = buf;
        break;
    case 1: text = history.GetStepTime(row).Format(prjpage::kStepTimeFormat); break;
    case 2: {
        const double cycles = history.GetCycleCount(row);
        if (cycles != HUGE_VAL) {
            std::snprintf(buf, sizeof buf, "%.0f", cycles);
            text = buf;
        }
        break;
    }
    default: break;
    }
    return true;
}

bool CPrjMMAView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CDataTankObject* tank = GetColumnTank(col);
    if (tank && row >= 0 && row <= LastStep() && row < tank->GetDataCount())
        tank->GetValueText(row, text, true);
    return true;
}

void CPrjMMAView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    if (cell.m_nRow > 1) {
        CProjectBaseView::DrawColumnHeaderCell(cell);
        return;
    }
    const int32_t first = cell.m_nCol / kTanksPerChannel * kTanksPerChannel;
    fw::CString text;
    GetColumnHeaderText(text, first, cell.m_nRow, 1);
    prjpage::DrawMergedHeader(cell, GetGrid()->GetPane(kIndexColumnHeader), first, first + kTanksPerChannel - 1, text);
}

// ---- text ----------------------------------------------------------------------------------------

void CPrjMMAView::OnSaveText()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    CMmaListTextDlg dlg(*doc, this);
    if (dlg.DoModal() != fw::IDOK)
        return;
    OnTextSave();
}

void CPrjMMAView::WriteText(CTextFile& file, bool csv)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid->GetStyle())
        return;
    const CMmaListTextOption& option = CMmaListTextOption::Current();
    const char sep = csv ? ',' : '\t';
    const std::string sepText(1, sep);
    if (option.m_bTitle) {
        const fw::CString& title = doc->GetTestTitle();
        file.WriteLine(csv ? CTextFile::MakeCsvField(title) : title, true);
        fw::CString timing;
        if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
            frame->GetTimingText(timing, sep);
        file.WriteLine(timing, true);
    }
    // Each chosen channel writes its three columns.
    auto headerLine = [&](int32_t row) {
        fw::CString line;
        bool first = true;
        for (int16_t k : option.m_channels)
            first = grid->AppendColumnHeaderLine(line, row, sep, first, k, k + kTanksPerChannel - 1);
        file.WriteLine(line, true);
    };
    if (option.m_bName && option.m_bUnit && option.m_bOneLine) {
        fw::CString line;
        grid->AppendTagLine(line, 0, sep);
        for (int16_t k : option.m_channels)
            for (int32_t col = k; col < k + kTanksPerChannel; ++col) {
                fw::CString name, unit;
                GetColumnHeaderText(name, col, 0, 0);
                GetColumnHeaderText(unit, col, 1, 0);
                std::string pair = name.str() + " " + unit.str();
                if (csv) {
                    std::erase(pair, '\t');
                    pair = CTextFile::MakeCsvField(fw::CString(pair)).str();
                }
                line += fw::CString(sepText + pair);
            }
        file.WriteLine(line, true);
    } else {
        if (option.m_bName)
            headerLine(0);
        if (option.m_bUnit)
            headerLine(1);
    }
    headerLine(2);
    const int32_t last = std::min(option.m_nLastStep, LastStep() + 1);
    for (int32_t step = std::max(option.m_nFirstStep, 1) - 1; step <= last - 1; ++step) {
        fw::CString line;
        bool first = true;
        for (int16_t k : option.m_channels)
            first = grid->AppendSheetLine(line, step, sep, first, k, k + kTanksPerChannel - 1);
        file.WriteLine(line, true);
    }
}
