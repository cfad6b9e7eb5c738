#pragma once

// The grids that show recorded files of the control units (entries held in
// one list per control unit, owned by the dialog that shows them). They
// keep no cell texts: every text comes from the lists when drawn.
// - found-file grids: the files of one control unit, one row per file;
// - registered-file grids: every control unit side by side, one column per
//   unit, one multi-line cell per file;
// - selection grids: the files of one control unit with a mark per file
//   (set: delete), toggled by a double-click or the drop-down menu.

#include "docview/instrumentdlg/UnitTypeTable.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "instrument/meter/Kiv406FileInfo.h"

#include <functional>
#include <vector>

// The grid's own layout, built before the grid and ended after it.
struct CFileGridLayout {
    CZELGridStyle m_layout;
};

class CCFFileGridBase : protected CFileGridLayout, public CZELGrid {
public:
    using FileLists = std::vector<std::vector<CKiv406FileInfo>*>;
    static constexpr unsigned kIdsStartTime = 172;     // "計測日時"
    static constexpr unsigned kIdsRecordTime = 790;    // "録音日時"
    static constexpr unsigned kIdsClock = 549;         // "ｻﾝﾌﾟﾙｸﾛｯｸ(ミリ秒)"
    static constexpr unsigned kIdsCount = 550;         // "データ数"
    static constexpr unsigned kIdsUnitColumn = 548;    // "KIV-406(%d)"
    static constexpr unsigned kIdsExternal = 839;      // "外部サンプル"
    static constexpr unsigned kIdsTwoLineTime = 526;   // "%y/%m/%d\n%H:%M:%S"
    static constexpr unsigned kIdsOneLineTime = 525;   // "%y/%m/%d %H:%M:%S"
    static constexpr unsigned kIdsCardName = 622;      // "CFファイル名"
    static constexpr unsigned kIdsDelete = 629;        // "削除"

    void SetFileLists(const FileLists* lists) { m_lists = lists; }
    const FileLists* GetFileLists() const { return m_lists; }
    // The list shown by found-file and selection grids.
    void SetUnit(int unit) { m_unit = unit; }
    int GetUnit() const { return m_unit; }
    CZELGridStyle& GetLayout() { return m_layout; }

    // The file-name part of an entry's name.
    static fw::CString FileNameOf(const CKiv406FileInfo& entry);
    static fw::CString TimeText(const CKiv406FileInfo& entry, unsigned formatId);
    // "外部サンプル" when externally sampled, else the interval ("%g").
    static fw::CString ClockText(const CKiv406FileInfo& entry);
    static bool IsExternal(const CKiv406FileInfo& entry);

protected:
    // Mode 3 with the dimensions and default sizes, the family's pane
    // formats (centred, 9 points), the sheet's extra cell flags and the
    // selection flags of the three panes.
    void BuildLayout(const int32_t dims[6], const int32_t sizes[6], uint32_t sheetFlags, uint32_t colHeaderSel,
                     uint32_t rowHeaderSel, uint32_t sheetSel, bool cornerResizable);
    // The current unit's list; a unit outside the lists:
    // fw::CInvalidArgException.
    const std::vector<CKiv406FileInfo>* Files() const;
    const CKiv406FileInfo* FileAt(int32_t row) const;
    const CKiv406FileInfo* FileOf(int unit, int32_t row) const;
    int ListLength(int unit) const;
    void SetRows(int rows);

    const FileLists* m_lists = nullptr;
    int m_unit = 0;
};

// Found waveform files of the current unit: start time, clock, count and
// the model of each of the ten unit ports.
class CCFFileInfoGrid : public CCFFileGridBase {
public:
    CCFFileInfoGrid();
    void UpdateRowCount();
    void Reset();
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;

private:
    CUnitTypeTable m_unitTable;
};

// Found voice recordings of the current unit.
class CCFVoiceFileInfoGrid : public CCFFileGridBase {
public:
    CCFVoiceFileInfoGrid();
    void ResizeToFileList();
    void Refresh();
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
};

// Registered files, one column per unit.
class CCFGetFileInfoGrid : public CCFFileGridBase {
public:
    CCFGetFileInfoGrid();
    // Rows: the longest list (at least 1); columns: the units.
    void ResizeToFileLists();
    void Refresh();
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;

protected:
    explicit CCFGetFileInfoGrid(int32_t sheetWidth);
};

class CCFGetHistFileInfoGrid : public CCFGetFileInfoGrid {
public:
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
};

class CCFGetVoiceFileInfoGrid : public CCFGetFileInfoGrid {
public:
    CCFGetVoiceFileInfoGrid();
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
};

// Files of the current unit with a delete mark each.
class CCFFileSelGrid : public CCFFileGridBase {
public:
    static constexpr unsigned kIdMarkSet = 33158;    // "する"
    static constexpr unsigned kIdMarkClear = 33159;  // "しない"
    using MarkArrays = std::vector<std::vector<bool>>;

    CCFFileSelGrid();
    // One empty mark array per list.
    void CreateMarkArrays(int lists);
    // Row count of the current list and every mark array sized to its list
    // (at least 1; new marks clear), the layout attached.
    void Reset();
    void UpdateRowCount();
    MarkArrays& GetMarks() { return m_marks; }
    const MarkArrays& GetMarks() const { return m_marks; }
    bool IsMarked(int32_t row) const;
    void SetMark(int32_t row, bool on);
    bool HasAnyMark() const;
    // Called after each toggle (the owner updates its OK button).
    void SetOnMarksChanged(std::function<void()> call) { m_onChanged = std::move(call); }
    // The owner of the drop-down menu's commands.
    void SetCommandOwner(fw::CWnd* owner) { m_owner = owner; }

    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;

protected:
    explicit CCFFileSelGrid(int headerColumns);
    void MarksChanged();

    MarkArrays m_marks;
    std::function<void()> m_onChanged;
    fw::CWnd* m_owner = nullptr;
};

// Voice recordings with a delete mark: file name and recording time only.
class CCFVoiceFileSelGrid : public CCFFileSelGrid {
public:
    CCFVoiceFileSelGrid();
};
