#pragma once

// One control unit of a measurement-data document: its channels' 15
// attribute columns as they stood when the measurement was recorded. The
// last column holds the display format as a code and reads as its text.

#include "common/tank/DataBoxPropaty.h"

class CKivDataBoxPropaty : public CDataBoxPropaty {
    FW_DECLARE_SERIAL(CKivDataBoxPropaty)
public:
    static constexpr int kColumnCount = 15;
    static constexpr int kColSet = 0;
    static constexpr int kColName = 1;
    static constexpr int kColInputMode = 2;
    static constexpr int kColLowPass = 4;
    static constexpr int kColCoefficient = 9;
    static constexpr int kColUnit = 13;
    static constexpr int kColFormat = 14;

    CKivDataBoxPropaty();

    // Tables stored with 11, 12 or 13 columns are widened on loading.
    void Serialize(fw::CArchive& ar) override;
    fw::CString GetCellText(int row, int column, fw::CString& text) override;
    // The format column takes a format text; false when it names no format.
    bool SetCellText(int row, int column, const fw::CString& text) override;
    void CreateColumns() override;

    // The string id of each column's caption, and the measuring system's
    // attribute code the column is filled from.
    static unsigned ColumnCaption(int column);
    static int ColumnAttribute(int column);

private:
    void WidenOldTable();
};
