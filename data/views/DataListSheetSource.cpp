#include "data/views/DataListSheetSource.h"

#include "common/tank/DataTankList.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataListViewBase.h"
#include "grid/model/GridStyle.h"

CZELGridStyle* CDataListSheetSource::Style() const { return m_view.GetViewStyle(); }

int CDataListSheetSource::GetColumnCount() const { return Style() ? Style()->m_sheet.m_nCols : 0; }

int CDataListSheetSource::GetRowCount() const { return Style() ? Style()->m_sheet.m_nRows : 0; }

int CDataListSheetSource::GetRowHeaderColumns() const { return Style() ? Style()->m_rowHeader.m_nCols : 0; }

fw::CString CDataListSheetSource::GetCornerText(int headerRow, int col) const
{
    fw::CString text;
    m_view.GetTagText(text, col, headerRow, 0);
    return text;
}

fw::CString CDataListSheetSource::GetColumnHeaderText(int headerRow, int col) const
{
    fw::CString text;
    m_view.GetColumnHeaderText(text, col, headerRow, 0);
    return text;
}

fw::CString CDataListSheetSource::GetRowHeaderText(int row, int col) const
{
    fw::CString text;
    m_view.GetRowHeaderText(text, col, row, 0);
    return text;
}

fw::CString CDataListSheetSource::GetCellText(int row, int col) const
{
    fw::CString text;
    m_view.GetSheetText(text, col, row, 0);
    return text;
}

int CDataListSheetSource::GetColumnChannel(int col) const
{
    CDataTankObject* tank = m_view.GetColumnTank(col);
    CKivDataDoc* doc = m_view.GetDataDoc();
    CDataTankList* channels = doc ? doc->GetChannelTankList() : nullptr;
    if (!tank || !channels)
        return -1;
    for (int i = 0; i < channels->GetSize(); ++i)
        if (channels->GetObjectAt(i) == tank)
            return i;
    return -1;
}

fw::CString CDataListSheetSource::GetRecordText(char separator) const
{
    fw::CString text;
    if (CKivDataFrame* frame = m_view.GetDataFrame())
        frame->GetRecordText(text, separator);
    return text;
}

fw::CString CDataListSheetSource::GetTimingText(char separator) const
{
    fw::CString text;
    if (CKivDataFrame* frame = m_view.GetDataFrame())
        frame->GetTimingText(text, separator);
    return text;
}
