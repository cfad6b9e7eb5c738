#pragma once

// The grid of the card-import dialog that lists the frequency files of one
// control unit found on a memory card: the file name in the row header,
// the start of the record in the sheet.

#include "docview/instrumentdlg/UnitTypeTable.h"
#include "frequency/views/GridLayoutHolder.h"
#include "grid/views/Grid.h"
#include "instrument/KivUnitTypes.h"

#include <vector>

class CKiv406FileInfo;

class CCFHistFileInfoGrid : private CGridLayoutHolder, public CZELGrid {
public:
    // The card's files per control unit (the dialog owns them).
    using FileLists = std::vector<std::vector<CKiv406FileInfo>*>;
    static constexpr unsigned kIdsColumnTitle = 172;  // "計測日時"
    static constexpr unsigned kIdsStartFormat = 526;  // "%y/%m/%d\n%H:%M:%S"

    CCFHistFileInfoGrid();
    ~CCFHistFileInfoGrid() override;

    void SetFileLists(const FileLists* lists) { m_lists = lists; }
    void SetUnit(int unit) { m_unit = unit; }
    int GetUnit() const { return m_unit; }

    // One row per file of the shown control unit (at least one). A control
    // unit outside the lists: fw::CInvalidArgException.
    void UpdateRowCount();
    // UpdateRowCount, then the grid takes its own layout.
    void Reset();

    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;

    // The file name part of a card file's name (after the last separator).
    static fw::CString FileNameOf(const fw::CString& name);

private:
    const std::vector<CKiv406FileInfo>* Files() const;
    const CKiv406FileInfo* FileAt(int32_t row) const;

    const FileLists* m_lists = nullptr;
    int m_unit = 0;
    CUnitTypeTable m_unitTable;
    CKivUnitTypes m_unitTypes;
};
