#include "graphdoc/model/objects/SimpleGraphObj.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "graphdoc/model/GraphViewDoc.h"

FW_IMPLEMENT_SERIAL(CSimpleGraphObj, CDrawGraphObj, 0)

namespace {

enum : intptr_t {
    kHintPollStarted = 19,
    kHintNewValues = 20,
    kHintPollStopped = 21,
    kHintMonitorStarted = 31,
    kHintMonitorStep = 32,
    kHintTracking = 33,
    kHintMonitorEnded = 34,
};
constexpr int32_t kFlagRedraw = 0x01;

bool IsLineGraph(int type)
{
    return (type >= 1 && type <= 4) || type == 10;
}

} // namespace

CSimpleGraphObj::CSimpleGraphObj() = default;

CSimpleGraphObj::CSimpleGraphObj(const fw::CRect& area, int xAxisKind, int graphType) : CDrawGraphObj(area)
{
    m_draw.SetXAxisKind(static_cast<int16_t>(xAxisKind));
    m_draw.SetGraphType(static_cast<int16_t>(graphType));
    m_draw.RebuildPlot();
    MarkRedraw();
}

CSimpleGraphObj::~CSimpleGraphObj()
{
    SetMonitorUse(false);
}

void CSimpleGraphObj::Serialize(fw::CArchive& ar)
{
    CDrawGraphObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_creationKind;
    } else {
        ar >> m_creationKind;
        m_draw.RebuildPlot();
        MarkRedraw();
    }
}

void CSimpleGraphObj::Draw(fw::CDC* dc)
{
    if (IsLineGraph(m_draw.Info().m_graphType))
        DrawGraph(dc);
}

bool CSimpleGraphObj::AppendToPicture(const fw::CDC* reference)
{
    const fw::CRect rect = GetFrameRect();
    if (!m_picture.GetBitmap() || !m_picture.IsSize(rect.Width(), rect.Height()) || m_pictureRect != rect)
        return false;
    fw::CDC* mem = m_picture.BeginDraw(reference);
    if (!mem)
        return false;
    m_draw.DrawNewData(*mem, fw::CRect(0, 0, rect.Width(), rect.Height()), false);
    m_picture.EndDraw();
    m_redraw = kCopyPicture;
    return true;
}

void CSimpleGraphObj::DrawGraph(fw::CDC* dc)
{
    if (m_redraw == kAppendData && !dc->IsPrinting() && !AppendToPicture(dc))
        m_redraw = kRedrawAll;
    if (m_redraw == kRedrawGraph)
        m_redraw = kRedrawAll;
    DrawThroughPicture(dc);
    if (dc->IsPrinting()) {
        MarkRedraw();
        return;
    }
    if (!m_tracking)
        m_draw.DrawCurrentPoints(*dc);
    else
        m_draw.DrawMarkedPoints(*dc);
    DrawTrackerRect(dc);
}

void CSimpleGraphObj::Redraw()
{
    MarkRedraw();
    NotifyChanged();
}

void CSimpleGraphObj::TakeNewValues()
{
    const bool rescaled = m_draw.AutoScaleLive();
    if (m_redraw != kRedrawAll)
        m_redraw = rescaled ? kRedrawAll : kAppendData;
    // Only the object's area becomes dirty; the views repaint once per poll.
    Invalidate();
}

intptr_t CSimpleGraphObj::OnUpdate(intptr_t hint, fw::CObject* hintObject)
{
    const int dataMode = m_draw.m_dataMode;
    switch (hint) {
    case kHintDataChanged:
        if (const auto* data = dynamic_cast<const CUpdateKivData*>(hintObject);
            data && (data->m_changeFlags & kFlagRedraw) && dataMode == 0)
            Redraw();
        MarkModified();
        break;
    case kHintChannelsInserted:
    case kHintChannelsDeleted:
        if (!IsHistoryKind()) {
            SetMonitorUse(false);
            m_draw.UpdateSeries(hint == kHintChannelsInserted ? 7 : 8, hintObject);
            SetMonitorUse(true);
            // The series took the tanks now at their numbers: show them.
            m_draw.AutoScale();
            Redraw();
        }
        break;
    case kHintPollStarted:
        if (dataMode != 0) {
            m_tracking = 1;
            if (dataMode == 1)
                MarkRedraw();
        }
        break;
    case kHintNewValues:
    case kHintMonitorStep:
        if (m_tracking)
            TakeNewValues();
        break;
    case kHintPollStopped:
    case kHintPanelClosed:
        if (m_tracking) {
            m_tracking = 0;
            m_redraw = kCopyPicture;
            Invalidate();
        }
        break;
    case kHintMonitorStarted:
        if (!IsHistoryKind() && dataMode != 0) {
            Redraw();
            m_tracking = 1;
        }
        break;
    case kHintTracking:
        if (!IsHistoryKind() && dataMode != 0)
            m_tracking = 1;
        break;
    case kHintMonitorEnded:
        m_tracking = 0;
        break;
    case kHintRegression:
    case kHintAxisReset:
        Redraw();
        break;
    default:
        break;
    }
    return 0;
}
