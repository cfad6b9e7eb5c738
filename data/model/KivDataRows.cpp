#include "data/model/KivDataDoc.h"

#include "common/tank/TimeDataTank.h"
#include "framework/core/Services.h"
#include "instrument/MeasureModeName.h"

#include <algorithm>

int CKivDataDoc::GetSampleCount() { return m_boxes.GetTankList().GetDataCount(); }

double CKivDataDoc::GetSampleInterval() const
{
    return m_adSet.m_dClk / m_adSet.GetUnitFactor(CADSetPrf::unitS);
}

fw::CString CKivDataDoc::GetMeasureMethodText() const
{
    fw::CString name;
    GetMeasureModeName(static_cast<unsigned>(m_nMethod), name);
    return name;
}

void CKivDataDoc::AfterRowChange()
{
    const int32_t count = m_boxes.GetTankList().SetDataCount(-1, true);
    if (m_styles[kStyleValues])
        m_styles[kStyleValues]->SetRowCount(std::max(count, 1));
}

void CKivDataDoc::MoveMarks(int from, int32_t samples)
{
    const double interval = GetSampleInterval();
    CMarkerList& marks = m_boxes.GetMarkers();
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;)
        if (CMarkerObj* mark = marks.GetNext(pos); mark->GetSampleIndex() >= from)
            mark->Move(samples, interval);
}

void CKivDataDoc::InsertRows(int first, int last)
{
    if (first < 0 || last < first)
        return;
    fw::CWaitCursor wait;
    CKivSPTankData& list = m_boxes.GetTankList();
    list.InsertRows(0, first, list.GetSize() - 1, last);
    AfterRowChange();
    MoveMarks(first, last - first + 1);
}

void CKivDataDoc::DeleteRows(int first, int last)
{
    if (first < 0 || last < first)
        return;
    fw::CWaitCursor wait;
    CKivSPTankData& list = m_boxes.GetTankList();
    list.DeleteRows(0, first, list.GetSize() - 1, last);
    AfterRowChange();
    m_boxes.KeepMarkers([&](const CMarkerObj& mark) {
        return mark.GetSampleIndex() < first || mark.GetSampleIndex() > last;
    });
    MoveMarks(last + 1, -(last - first + 1));
}

void CKivDataDoc::DeleteOutsideRows(int first, int last)
{
    if (first < 0 || last < first)
        return;
    fw::CWaitCursor wait;
    CKivSPTankData& list = m_boxes.GetTankList();
    const int count = list.GetMaxDataCount(0, -1);
    list.DeleteRows(0, last + 1, list.GetSize() - 1, std::max(count - 1, last));
    if (first > 0)
        list.DeleteRows(0, 0, list.GetSize() - 1, first - 1);
    AfterRowChange();
    m_boxes.KeepMarkers([&](const CMarkerObj& mark) {
        return mark.GetSampleIndex() >= first && mark.GetSampleIndex() <= last;
    });
    MoveMarks(0, -first);
}

void CKivDataDoc::Thin(int n)
{
    CKivSPTankData& list = m_boxes.GetTankList();
    if (n < 1 || n >= list.GetDataCount())
        return;
    fw::CWaitCursor wait;
    list.DecimateChannels(n);
    if (!m_adSet.UsesExternalClock()) {
        m_adSet.m_dClk *= n + 1;
        if (auto* time = dynamic_cast<CTimeDataTank*>(list.GetTimeTank()))
            time->SetInterval(m_adSet.m_dClk / m_adSet.GetUnitFactor(-1));
    }
    AfterRowChange();
    const double interval = GetSampleInterval();
    CMarkerList& marks = m_boxes.GetMarkers();
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;) {
        CMarkerObj* mark = marks.GetNext(pos);
        const int32_t index = (mark->GetSampleIndex() + 1) / (n + 1);
        mark->Set(index, fw::COleDateTime(m_dStartTime + index * interval / 86400.0));
    }
}
