#include "canvoicegps/model/GpsGraphTimeListObj.h"

#include "canvoicegps/model/UpdateSelArea.h"
#include "framework/core/Document.h"

#include <algorithm>

CGpsGraphTimeListObj::CGpsGraphTimeListObj(fw::CDocument* document) : m_pDocument(document) {}

CGpsGraphTimeListObj::~CGpsGraphTimeListObj() = default;

void CGpsGraphTimeListObj::OnUpdate(int hint, const fw::CObject* info)
{
    if (hint != kHintSelArea) {
        CGraphListObj::OnUpdate(hint, info);
        return;
    }
    if (const auto* area = dynamic_cast<const CUpdateSelArea*>(info))
        CGraphTimeListObj::SetSelection(area->m_first, area->m_last);
}

void CGpsGraphTimeListObj::ClearSelection()
{
    CGraphTimeListObj::ClearSelection();
    m_nReportedFirst = -1;
    m_nReportedLast = -1;
    Announce(0);
}

int CGpsGraphTimeListObj::SetSelectionEdge(int which, double time)
{
    const int result = CGraphTimeListObj::SetSelectionEdge(which, time);
    AnnounceChange();
    return result;
}

void CGpsGraphTimeListObj::SetSelection(int32_t first, int32_t last)
{
    CGraphTimeListObj::SetSelection(first, last);
    AnnounceChange();
}

void CGpsGraphTimeListObj::AnnounceChange()
{
    int32_t first = -1;
    int32_t last = -1;
    GetSelection(first, last);
    if (first != -1 && last != -1 && last < first)
        std::swap(first, last);
    int16_t mask = 0;
    if (first != m_nReportedFirst)
        mask |= CUpdateSelArea::kFirstChanged;
    if (last != m_nReportedLast)
        mask |= CUpdateSelArea::kLastChanged;
    m_nReportedFirst = first;
    m_nReportedLast = last;
    if (mask != 0)
        Announce(mask);
}

void CGpsGraphTimeListObj::Announce(int16_t mask)
{
    if (!m_pDocument)
        return;
    CUpdateSelArea area(CUpdateSelArea::kFromGraph, mask, m_nReportedFirst, m_nReportedLast);
    m_pDocument->UpdateAllViews(nullptr, kHintSelArea, &area);
}
