#pragma once

// What a text export reads of a data-list view: the texts of its panes.
// The value list's column header has five rows (name, unit, maximum,
// minimum, mean); its row header gives the row number and the time.

#include "framework/core/CString.h"

class IDataSheetSource {
public:
    static constexpr int kHeaderRows = 5;
    enum HeaderRow { kRowName = 0, kRowUnit = 1, kRowMax = 2, kRowMin = 3, kRowMean = 4 };

    virtual ~IDataSheetSource() = default;
    virtual int GetColumnCount() const = 0;
    virtual int GetRowCount() const = 0;
    // Columns of the row header (and of the corner above it).
    virtual int GetRowHeaderColumns() const = 0;
    virtual fw::CString GetCornerText(int headerRow, int col) const = 0;
    virtual fw::CString GetColumnHeaderText(int headerRow, int col) const = 0;
    virtual fw::CString GetRowHeaderText(int row, int col) const = 0;
    virtual fw::CString GetCellText(int row, int col) const = 0;
    // The channel index a sheet column shows.
    virtual int GetColumnChannel(int col) const = 0;
    // The measurement fields of the data frame, joined by `separator`.
    virtual fw::CString GetRecordText(char separator) const = 0;
    virtual fw::CString GetTimingText(char separator) const = 0;
};
