#include "project/views/PrjDataView.h"

#include "common/tank/DataTankList.h"
#include "common/tank/ZELDataPoter.h"
#include "project/model/KIV5980Doc.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_DYNAMIC(CPrjDataView, CProjectBaseView)

CPrjDataView::CPrjDataView() = default;

void CPrjDataView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        m_pChannels = &doc->GetUseTanks();
    SetGridStyle(GetPageStyle());
}

CDataTankObject* CPrjDataView::GetColumnTank(int32_t col)
{
    if (!m_pChannels || col < 0 || col >= m_pChannels->GetSize())
        return nullptr;
    return m_pChannels->GetObjectAt(col);
}

CDataTankList* CPrjDataView::GetPageTable() { return m_pChannels; }

int32_t CPrjDataView::GetLastUsedRow(int32_t firstCol, int32_t lastCol)
{
    if (!m_pChannels)
        return 0;
    const int32_t last = lastCol < 0 ? kLastChannelColumn : lastCol;
    int32_t used = 0;
    // Each tank is read from its end down to its last valid value, as
    // numbers: no cell text is made.
    for (int32_t col = std::max(firstCol, 0); col <= last && col < m_pChannels->GetSize(); ++col) {
        CDataTankObject* tank = m_pChannels->GetObjectAt(col);
        if (!tank)
            continue;
        for (int32_t i = tank->GetDataCount() - 1; i > used; --i) {
            const double v = tank->GetValue(i);
            if (std::isfinite(v)) {
                used = i;
                break;
            }
        }
    }
    return used;
}

bool CPrjDataView::CanEdit() const { return CProjectBaseView::CanEdit() && !IsMeasuringNow(); }

bool CPrjDataView::CanPaste() const { return CProjectBaseView::CanPaste() && !IsMeasuringNow(); }

bool CPrjDataView::HasSelection() const { return CProjectBaseView::HasSelection() && !IsMeasuringNow(); }

bool CPrjDataView::CanUndo() const { return CProjectBaseView::CanUndo() && !IsMeasuringNow(); }

void CPrjDataView::RecalcScale(int32_t firstCol, int32_t count)
{
    for (int32_t col = firstCol; col < firstCol + count; ++col) {
        CDataTankObject* tank = GetColumnTank(col);
        if (!tank)
            continue;
        double max = HUGE_VAL;
        double min = HUGE_VAL;
        if (!GetTankMaxMin(tank, max, min, 0, -1))
            max = min = HUGE_VAL;
        tank->SetMax(max);
        tank->SetMin(min);
        tank->SetAverage(GetTankAverage(tank, 0, -1));
    }
}
