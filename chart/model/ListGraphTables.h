#pragma once

// The tables behind the list-graph dialogs: one table row per non-empty row
// of a list graph, one column tank per setting. The label, scale and
// draw-method dialogs show them in their grids; a list copies the labels
// and scales of another list through them by channel, without a dialog.
//
// Rows are named by the Y channel of their first series: index + 1 is kept,
// so that input channel 0 reads "CH1" and calculated channel 500 "NO1".

#include "common/tank/DataTankList.h"
#include "common/tank/ShortDataTank.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <functional>
#include <vector>

class CGraphListObj;
class CListGraphDraw;

// A 16-bit column whose values index a list of choice texts.
class CSelectDataTank : public CShortDataTank {
public:
    explicit CSelectDataTank(std::vector<fw::CString> choices);

    // The first choice equal to the text (exactly) becomes the value;
    // false, the value kept, when none is.
    bool SetValueText(int index, const fw::CString& text) override;
    // The choice text of the value; a value outside the choices is an
    // invalid argument.
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    const std::vector<fw::CString>& Choices() const { return m_choices; }

private:
    std::vector<fw::CString> m_choices;
};

// "OFF" / "ON"; new rows are ON.
class CAutoScaleTank : public CSelectDataTank {
public:
    CAutoScaleTank();
};

// Tick-label formats "非表示" / "FIX" / "FLOT" (0 blank, 1 fixed, 2 exponent).
class CMemoriScaleTank : public CSelectDataTank {
public:
    CMemoriScaleTank();
};

// The rows and their channel numbers, common to the three tables.
class CListGraphTableRows {
public:
    int GetRowCount() const { return static_cast<int>(m_rowMap.size()); }
    int GetListRow(int row) const { return m_rowMap.at(static_cast<size_t>(row)); }
    int GetYChannelNumber(int row) const { return m_yChannels.at(static_cast<size_t>(row)); }
    // "CH<n>" or "NO<n - 500>" of the row's Y channel.
    fw::CString RowHeaderText(int row) const;
    // The first table row showing Y channel index + 1 == number; -1 if none.
    int FindByYChannel(int number) const;

protected:
    // Maps the non-empty rows of `list`; a first series of fewer than two
    // items is an invalid argument.
    void MapRows(const CGraphListObj& list);
    // f(table row, list row) for every table row's list row.
    void ForMappedRows(CGraphListObj& list, const std::function<void(int, CListGraphDraw&)>& f) const;
    // f(table row, list row) for every row of `list` whose Y channel a
    // table row shows.
    void ForRowsByChannel(CGraphListObj& list, const std::function<void(int, CListGraphDraw&)>& f) const;
    static int YChannelNumberOf(const CListGraphDraw& row);

    std::vector<int16_t> m_rowMap;
    std::vector<int16_t> m_xChannels;
    std::vector<int16_t> m_yChannels;
};

// Axis titles: automatic flag, title and unit, for X (columns 0-2) and Y
// (columns 3-5).
class CGraphListLabelTable : public CListGraphTableRows {
public:
    static constexpr int kColumns = 6;

    void LoadLabels(const CGraphListObj& list);
    void StoreLabels(CGraphListObj& list) const;
    // Rows of `list` take the values of the table row of their Y channel.
    void ApplyLabelsByChannel(CGraphListObj& list) const;
    CDataTankList& Columns() { return m_columns; }
    CDataTankObject* Column(int column) const { return m_columns.GetObjectAt(column); }

private:
    void StoreRow(int row, CListGraphDraw& target) const;

    CDataTankList m_columns;
};

// Axis scales: auto-scale, minimum, maximum, step, subdivisions and label
// format, for X (tanks 0-5) and Y (tanks 6-11); a grid shows one axis.
class CGraphListScaleTable : public CListGraphTableRows {
public:
    static constexpr int kColumnsPerAxis = 6;

    void LoadScales(const CGraphListObj& list);
    void StoreScales(CGraphListObj& list) const;
    void ApplyScalesByChannel(CGraphListObj& list) const;
    // 'X' shows tanks 0-5, anything else 6-11.
    void ShowAxis(int axis) { m_offset = axis == 'X' ? 0 : kColumnsPerAxis; }
    int GetOffset() const { return m_offset; }
    // The auto mode an ON cell stores (1; the scale dialog stores 2).
    void SetAutoOnValue(int16_t value) { m_autoOn = value; }
    CDataTankList& Columns() { return m_columns; }
    // The tank of shown column `column` (0-5).
    CDataTankObject* ShownColumn(int column) const { return m_columns.GetObjectAt(column + m_offset); }
    CDataTankObject* Column(int tank) const { return m_columns.GetObjectAt(tank); }

private:
    void StoreRow(int row, CListGraphDraw& target) const;

    int16_t m_autoOn = 1;
    int m_offset = 0;
    CDataTankList m_columns;
};

// How the points of each row's first series are joined: 0 straight, other
// values as steps.
class CDrawTypeTable : public CListGraphTableRows {
public:
    void LoadDrawTypes(const CGraphListObj& list);
    void StoreDrawTypes(CGraphListObj& list) const;
    int16_t GetDrawType(int row) const { return m_drawTypes.at(static_cast<size_t>(row)); }
    // A row beyond the table is an invalid argument.
    void SetDrawType(int row, int16_t type);
    const fw::CString& GetRowName(int row) const { return m_names.at(static_cast<size_t>(row)); }
    // "斜めに結ぶ" for 0, else "水平線垂直線で結ぶ".
    static fw::CString DrawTypeText(int16_t type);

private:
    std::vector<int16_t> m_drawTypes;
    std::vector<fw::CString> m_names;
};
