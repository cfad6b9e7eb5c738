#include "chart/model/ListGraphTables.h"

#include "chart/model/GraphDataTankAr.h"
#include "chart/model/GraphListObj.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/ListGraphDraw.h"
#include "chart/model/PlotText.h"
#include "chart/model/TickLabel.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"

namespace {

constexpr unsigned kIdsStraight = 822;
constexpr unsigned kIdsSteps = 823;

// A tank of `rows` values handed to the list.
template <class Tank> void AddColumn(CDataTankList& list, Tank* tank, int rows)
{
    tank->SetSize(std::max(rows, 1), true);
    list.AddTank(tank, false);
}

double ValueOf(const CDataTankList& columns, int tank, int row)
{
    return columns.GetObjectAt(tank)->GetValue(row);
}

fw::CString TextOf(const CDataTankList& columns, int tank, int row)
{
    fw::CString text;
    columns.GetObjectAt(tank)->GetValueText(row, text, false);
    return text;
}

void TitleTexts(const CListGraphDraw& row, int axis, fw::CString& title, fw::CString& unit)
{
    title.Empty();
    unit.Empty();
    if (CPlotLabel* label = row.GetAxisTitle(axis)) {
        tTextAttributes attributes;
        int16_t side = 0;
        int colour = 0;
        label->GetLabel(title, unit, attributes, side, colour);
    }
}

int16_t FormatOf(const CListGraphDraw& row, int axis)
{
    tLabelFormat format;
    if (CTickLabel* labels = row.GetTickLabels(axis)) {
        labels->GetLabelFormat(format);
        return format.kind;
    }
    return 0;
}

} // namespace

// --- choice tanks -------------------------------------------------------------------

CSelectDataTank::CSelectDataTank(std::vector<fw::CString> choices) : m_choices(std::move(choices)) {}

bool CSelectDataTank::SetValueText(int index, const fw::CString& text)
{
    // An emptied cell holds the tank's empty value.
    if (text.IsEmpty())
        return SetValue(index, static_cast<double>(GetEmptyMarker()));
    for (size_t i = 0; i < m_choices.size(); ++i) {
        if (m_choices[i] == text)
            return SetValue(index, static_cast<double>(i));
    }
    return false;
}

void CSelectDataTank::GetValueText(int index, fw::CString& out, bool)
{
    const double value = GetValue(index);
    const bool choice = value >= 0 && value < static_cast<double>(m_choices.size());
    // A cell never set, or emptied, shows nothing rather than failing
    // (unless the tank's empty value is itself a choice).
    if (!choice && value == static_cast<double>(GetEmptyMarker())) {
        out.Empty();
        return;
    }
    if (!choice)
        fw::ThrowInvalidArgException();
    out = m_choices[static_cast<size_t>(value)];
}

CAutoScaleTank::CAutoScaleTank() : CSelectDataTank({"OFF", "ON"})
{
    m_fillMarker = 1;
    m_emptyMarker = 1;
}

CMemoriScaleTank::CMemoriScaleTank() : CSelectDataTank({"非表示", "FIX", "FLOT"}) {}

// --- rows ---------------------------------------------------------------------------

int CListGraphTableRows::YChannelNumberOf(const CListGraphDraw& row)
{
    const CGraphParamArray* series = row.GetSeries(0);
    const CGraphDataTankAr* items = series ? series->GetTanks() : nullptr;
    if (!items || items->GetSize() < 2)
        fw::ThrowInvalidArgException();
    return items->GetAt(1).second + 1;
}

void CListGraphTableRows::MapRows(const CGraphListObj& list)
{
    m_rowMap.clear();
    m_xChannels.clear();
    m_yChannels.clear();
    for (int r = 0; r < list.GetRowCount(); ++r) {
        const CListGraphDraw* row = list.GetRow(r);
        if (!row)
            continue;
        const CGraphParamArray* series = row->GetSeries(0);
        const CGraphDataTankAr* items = series ? series->GetTanks() : nullptr;
        if (!items || items->GetSize() < 2)
            fw::ThrowInvalidArgException();
        m_rowMap.push_back(static_cast<int16_t>(r));
        m_xChannels.push_back(static_cast<int16_t>(items->GetAt(0).second + 1));
        m_yChannels.push_back(static_cast<int16_t>(items->GetAt(1).second + 1));
    }
}

void CListGraphTableRows::ForMappedRows(CGraphListObj& list, const std::function<void(int, CListGraphDraw&)>& f) const
{
    for (int k = 0; k < GetRowCount(); ++k)
        if (CListGraphDraw* row = list.GetRow(GetListRow(k)))
            f(k, *row);
}

void CListGraphTableRows::ForRowsByChannel(CGraphListObj& list,
                                           const std::function<void(int, CListGraphDraw&)>& f) const
{
    for (int r = 0; r < list.GetRowCount(); ++r) {
        CListGraphDraw* row = list.GetRow(r);
        if (!row)
            continue;
        const int k = FindByYChannel(YChannelNumberOf(*row));
        if (k >= 0)
            f(k, *row);
    }
}

fw::CString CListGraphTableRows::RowHeaderText(int row) const
{
    const int number = GetYChannelNumber(row);
    return number >= 500 ? fw::Format("NO%d", number - 500) : fw::Format("CH%d", number);
}

int CListGraphTableRows::FindByYChannel(int number) const
{
    for (size_t i = 0; i < m_yChannels.size(); ++i)
        if (m_yChannels[i] == number)
            return static_cast<int>(i);
    return -1;
}

// --- labels -------------------------------------------------------------------------

void CGraphListLabelTable::LoadLabels(const CGraphListObj& list)
{
    MapRows(list);
    const int rows = list.GetRowCount();
    m_columns.DeleteAll();
    AddColumn(m_columns, new CAutoScaleTank, rows);
    AddColumn(m_columns, new CStringDataTank, rows);
    AddColumn(m_columns, new CStringDataTank, rows);
    AddColumn(m_columns, new CAutoScaleTank, rows);
    AddColumn(m_columns, new CStringDataTank, rows);
    AddColumn(m_columns, new CStringDataTank, rows);
    for (int k = 0; k < GetRowCount(); ++k) {
        const CListGraphDraw& row = *list.GetRow(GetListRow(k));
        fw::CString title, unit;
        m_columns.GetObjectAt(0)->SetValue(k, row.m_xTitleFromSeries ? 1 : 0);
        TitleTexts(row, 'X', title, unit);
        m_columns.GetObjectAt(1)->SetValueText(k, title);
        m_columns.GetObjectAt(2)->SetValueText(k, unit);
        m_columns.GetObjectAt(3)->SetValue(k, row.m_yTitleFromSeries ? 1 : 0);
        TitleTexts(row, 'Y', title, unit);
        m_columns.GetObjectAt(4)->SetValueText(k, title);
        m_columns.GetObjectAt(5)->SetValueText(k, unit);
    }
}

void CGraphListLabelTable::StoreRow(int k, CListGraphDraw& target) const
{
    // The flag first: an automatic title then comes from the series.
    target.m_xTitleFromSeries = ValueOf(m_columns, 0, k) > 0 ? 1 : 0;
    target.SetAxisTitle('X', TextOf(m_columns, 1, k), TextOf(m_columns, 2, k));
    target.m_yTitleFromSeries = ValueOf(m_columns, 3, k) > 0 ? 1 : 0;
    target.SetAxisTitle('Y', TextOf(m_columns, 4, k), TextOf(m_columns, 5, k));
}

void CGraphListLabelTable::StoreLabels(CGraphListObj& list) const
{
    ForMappedRows(list, [this](int k, CListGraphDraw& row) { StoreRow(k, row); });
}

void CGraphListLabelTable::ApplyLabelsByChannel(CGraphListObj& list) const
{
    ForRowsByChannel(list, [this](int k, CListGraphDraw& row) { StoreRow(k, row); });
}

// --- scales -------------------------------------------------------------------------

void CGraphListScaleTable::LoadScales(const CGraphListObj& list)
{
    MapRows(list);
    const int rows = list.GetRowCount();
    m_columns.DeleteAll();
    for (int axis = 0; axis < 2; ++axis) {
        AddColumn(m_columns, new CAutoScaleTank, rows);
        AddColumn(m_columns, new CFltDataTank, rows);
        AddColumn(m_columns, new CFltDataTank, rows);
        AddColumn(m_columns, new CFltDataTank, rows);
        AddColumn(m_columns, new CShortDataTank, rows);
        AddColumn(m_columns, new CMemoriScaleTank, rows);
    }
    for (int k = 0; k < GetRowCount(); ++k) {
        const CListGraphDraw& row = *list.GetRow(GetListRow(k));
        for (int axis = 0; axis < 2; ++axis) {
            const GrScaleRec::Axis& a = axis == 0 ? row.Scale().m_x : row.Scale().m_y;
            const int base = axis * kColumnsPerAxis;
            m_columns.GetObjectAt(base + 0)->SetValue(k, a.autoMode != 0 ? 1 : 0);
            m_columns.GetObjectAt(base + 1)->SetValue(k, a.minimum);
            m_columns.GetObjectAt(base + 2)->SetValue(k, a.maximum);
            m_columns.GetObjectAt(base + 3)->SetValue(k, a.step);
            m_columns.GetObjectAt(base + 4)->SetValue(k, a.subdivisions);
            m_columns.GetObjectAt(base + 5)->SetValue(k, FormatOf(row, axis == 0 ? 'X' : 'Y'));
        }
    }
}

void CGraphListScaleTable::StoreRow(int k, CListGraphDraw& target) const
{
    for (int axis = 0; axis < 2; ++axis) {
        GrScaleRec::Axis& a = axis == 0 ? target.Scale().m_x : target.Scale().m_y;
        const int base = axis * kColumnsPerAxis;
        a.autoMode = static_cast<uint8_t>(ValueOf(m_columns, base + 0, k) == 1 ? m_autoOn : 0);
        a.minimum = ValueOf(m_columns, base + 1, k);
        a.maximum = ValueOf(m_columns, base + 2, k);
        a.step = ValueOf(m_columns, base + 3, k);
        a.subdivisions = static_cast<int16_t>(ValueOf(m_columns, base + 4, k));
        if (CTickLabel* labels = target.GetTickLabels(axis == 0 ? 'X' : 'Y'))
            labels->SetFormatKind(static_cast<int16_t>(ValueOf(m_columns, base + 5, k)));
    }
}

void CGraphListScaleTable::StoreScales(CGraphListObj& list) const
{
    ForMappedRows(list, [this](int k, CListGraphDraw& row) { StoreRow(k, row); });
}

void CGraphListScaleTable::ApplyScalesByChannel(CGraphListObj& list) const
{
    ForRowsByChannel(list, [this](int k, CListGraphDraw& row) { StoreRow(k, row); });
}

// --- draw types ---------------------------------------------------------------------

void CDrawTypeTable::LoadDrawTypes(const CGraphListObj& list)
{
    MapRows(list);
    m_drawTypes.clear();
    m_names.clear();
    for (int k = 0; k < GetRowCount(); ++k) {
        const CGraphParamArray* series = list.GetRow(GetListRow(k))->GetSeries(0);
        m_drawTypes.push_back(series->GetStyle().drawType);
        CDataTankObject* tank = series->GetItemTank(1);
        m_names.push_back(tank ? tank->GetName() : fw::CString());
    }
}

void CDrawTypeTable::StoreDrawTypes(CGraphListObj& list) const
{
    for (int k = 0; k < GetRowCount(); ++k) {
        CListGraphDraw* row = list.GetRow(GetListRow(k));
        if (CGraphParamArray* series = row ? row->GetSeries(0) : nullptr)
            series->SetDrawType(m_drawTypes[static_cast<size_t>(k)]);
    }
}

void CDrawTypeTable::SetDrawType(int row, int16_t type)
{
    if (row < 0 || row >= static_cast<int>(m_drawTypes.size()))
        fw::ThrowInvalidArgException();
    m_drawTypes[static_cast<size_t>(row)] = type;
}

fw::CString CDrawTypeTable::DrawTypeText(int16_t type)
{
    return fw::LoadStringText(type == 0 ? kIdsStraight : kIdsSteps);
}
