#include "canvoicegps/views/data/CanGpsListViews.h"

#include "common/calc/GpsCanTankLists.h"
#include "common/tank/DataTankObject.h"
#include "data/model/KivDataDoc.h"
#include "grid/views/GridPane.h"

FW_IMPLEMENT_DYNCREATE(CCanDataListView, CKivDataViewBase)
FW_IMPLEMENT_DYNCREATE(CGpsNamaDataListView, CKivDataViewBase)

namespace {

constexpr intptr_t kHintTimeUnit = 39;

enum HeaderRow { kRowName, kRowUnit, kRowMax, kRowMin, kRowAverage };

CDataTankObject* TankOf(CDataTankList* list, int32_t col)
{
    if (!list || col < 0 || col >= list->GetSize())
        return nullptr;
    return list->GetObjectAt(col);
}

// The row's value; `formatted` asks for the tank's own format.
void ValueText(CDataTankObject* tank, int32_t row, bool formatted, fw::CString& text)
{
    text.Empty();
    if (!tank || row < 0 || row >= tank->GetDataCount())
        return;
    tank->GetValueText(row, text, formatted);
}

void ApplyStyle(CKivDataViewBase& view)
{
    if (CZELGridStyle* style = view.GetViewStyle())
        view.SetGridStyle(style);
}

} // namespace

// ---- CAN --------------------------------------------------------------------

CCanDataListView::CCanDataListView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

CDataTankList* CCanDataListView::GetColumnList()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? &doc->GetBoxArray().GetCanTanks() : nullptr;
}

CDataTankObject* CCanDataListView::GetColumnTank(int32_t col) { return TankOf(GetColumnList(), col); }

CZELGridStyle* CCanDataListView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleCanValues) : nullptr;
}

void CCanDataListView::OnInitialUpdate()
{
    CKivDataViewBase::OnInitialUpdate();
    ApplyStyle(*this);
}

void CCanDataListView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == kHintTimeUnit) {
        if (GetGrid())
            GetGrid()->RedrawPanes();
        return;
    }
    CKivDataViewBase::OnUpdate(sender, hint, hintObject);
}

bool CCanDataListView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    text.Empty();
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank)
        return true;
    const bool formatted = display != 0;
    switch (row) {
    case kRowName: text = tank->GetName(); break;
    case kRowUnit: text = tank->GetUnit(); break;
    case kRowMax: tank->GetMaxText(text, formatted); break;
    case kRowMin: tank->GetMinText(text, formatted); break;
    case kRowAverage: tank->GetAverageText(text, formatted); break;
    default: break;
    }
    return true;
}

bool CCanDataListView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int display)
{
    // The first tank of each signal's pair always shows its own format.
    ValueText(GetColumnTank(col), row, display != 0 || col % 2 == 0, text);
    return true;
}

// ---- raw GPS ----------------------------------------------------------------

CGpsNamaDataListView::CGpsNamaDataListView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

CDataTankList* CGpsNamaDataListView::GetColumnList()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? &doc->GetBoxArray().GetGpsTanks() : nullptr;
}

CDataTankObject* CGpsNamaDataListView::GetColumnTank(int32_t col) { return TankOf(GetColumnList(), col); }

CZELGridStyle* CGpsNamaDataListView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleGpsRaw) : nullptr;
}

void CGpsNamaDataListView::OnInitialUpdate()
{
    CKivDataViewBase::OnInitialUpdate();
    ApplyStyle(*this);
}

bool CGpsNamaDataListView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (CDataTankObject* tank = GetColumnTank(col)) {
        if (row == kRowName)
            text = tank->GetName();
        else if (row == kRowUnit)
            text = tank->GetUnit();
    }
    return true;
}

bool CGpsNamaDataListView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int display)
{
    ValueText(GetColumnTank(col), row, display != 0 || col == 0, text);
    return true;
}
