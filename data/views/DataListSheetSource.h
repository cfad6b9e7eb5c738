#pragma once

// A data list as the text exports read it: the texts its panes show, and
// the record and timing lines of its frame.

#include "data/model/DataSheetSource.h"

class CKivDataListViewBase;
class CZELGridStyle;

class CDataListSheetSource final : public IDataSheetSource {
public:
    explicit CDataListSheetSource(CKivDataListViewBase& view) : m_view(view) {}

    int GetColumnCount() const override;
    int GetRowCount() const override;
    int GetRowHeaderColumns() const override;
    fw::CString GetCornerText(int headerRow, int col) const override;
    fw::CString GetColumnHeaderText(int headerRow, int col) const override;
    fw::CString GetRowHeaderText(int row, int col) const override;
    fw::CString GetCellText(int row, int col) const override;
    int GetColumnChannel(int col) const override;
    fw::CString GetRecordText(char separator) const override;
    fw::CString GetTimingText(char separator) const override;

private:
    CZELGridStyle* Style() const;

    CKivDataListViewBase& m_view;
};
