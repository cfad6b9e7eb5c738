#pragma once

// The rows of the channel name lists that dialogs pick channels from: the
// named tanks of tank lists, filtered by a list kind, each with a running
// name ("CH3") and item data that say where the tank came from. The list
// control shows these rows; the rules live here so that they hold without
// a window.

#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

class CDataTankList;
class CDataTankObject;

struct NameListRow {
    fw::CString name;        // column 0: the tank's name
    fw::CString runningName; // column 1: prefix and running number
    uint32_t itemData = 0;   // list number << 16 | tank index
};

class CNameListModel {
public:
    // The list kinds with one column only (names without running names).
    static bool HasSingleColumn(int listKind);
    static int ColumnCount(int listKind) { return HasSingleColumn(listKind) ? 1 : 2; }
    // Width of a column for a control of `controlWidth` pixels: two thirds
    // and one third of the usable width with two columns, all of it with one.
    static int ColumnWidth(int column, int columns, int controlWidth);
    static uint32_t ItemData(int listNumber, int tankIndex);

    // Whether a list of that kind shows the tank. Tanks without a name never
    // qualify; with `skipDoubles` neither do tanks of data type 8.
    static bool Qualifies(CDataTankObject* tank, int listKind, bool skipDoubles);

    // Appends a row for every qualifying tank of indices first to last
    // (-1: the list's last). The running number counts from the first
    // index, also over tanks that were skipped. A null list adds nothing.
    void AddNames(CDataTankList* list, const fw::CString& prefix, int listKind, int first, int last,
                  int listNumber);
    // The row whose item data name this tank of this list; -1 when none.
    int FindItem(int tankIndex, int listNumber) const;
    void Clear() { m_rows.clear(); }

    const std::vector<NameListRow>& Rows() const { return m_rows; }
    void SetSkipDoubles(bool on) { m_skipDoubles = on ? 1 : 0; }
    bool GetSkipDoubles() const { return m_skipDoubles != 0; }

private:
    int32_t m_skipDoubles = 0;
    std::vector<NameListRow> m_rows;
};

// The data selection: measured channels 0 to 320 as CH1, CH2 ... and the
// channels from 500 on as NO1, NO2 ..., all with list number 2.
class CDataSelectModel {
public:
    static constexpr int kListNumber = 2;
    static constexpr int kLastMeasured = 320;
    static constexpr int kFirstCalculated = 500;

    void Fill(CDataTankList* usedTanks);
    // The row of the current tank; -1 when it is not listed.
    int RowOfTank(int tankIndex) const { return m_list.FindItem(tankIndex, kListNumber); }
    // The item data of the chosen row; false, after message 238, when no
    // row is chosen (the dialog then stays open).
    bool Choose(int row, uint32_t& itemData) const;
    const CNameListModel& List() const { return m_list; }

private:
    CNameListModel m_list;
};
