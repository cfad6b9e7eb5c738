#include "graphdoc/model/objects/SimpleGraphObj.h"

#include "chart/model/GraphParamArray.h"
#include "common/tank/DataTankList.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Exceptions.h"
#include "graphdoc/model/ProfileTanks.h"
#include "graphdoc/model/objects/SourceDocuments.h"

#include <algorithm>
#include <cstring>
#include <memory>
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
    const int type = m_draw.Info().m_graphType;
    if (IsLineGraph(type))
        DrawGraph(dc);
    else if (type >= 31 && type <= 34)
        DrawBarGraph(dc);
}

void CSimpleGraphObj::DrawBarGraph(fw::CDC* dc)
{
    // Bars and distributions show the current values: a poll redraws them
    // whole rather than appending to the picture.
    if (m_redraw != kCopyPicture)
        m_redraw = kRedrawAll;
    DrawThroughPicture(dc);
    if (dc->IsPrinting()) {
        MarkRedraw();
        return;
    }
    DrawTrackerRect(dc);
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

// --- profiles ------------------------------------------------------------------------

namespace {

constexpr int kXTimeAxis = 2;
constexpr int32_t kOpDataKind = profilelist::kOpData;
constexpr int32_t kUsedTankKind = profilelist::kUsedTanks;

// The second source value: time-based X values, distributions, or neither.
int16_t SecondSourceValue(int kind, int xAxisKind)
{
    if (kind == 2 || kind == 7 || kind == 8 || kind == 10)
        return 2;
    return xAxisKind == 1 ? 1 : 0;
}

CDataTankObject* ProfileTank(CProfileTanks& lists, const std::vector<int32_t>& channels,
                             const std::vector<int16_t>& kinds, const CGraphParamArray* source, int item)
{
    CDataTankObject* tank = nullptr;
    if (!channels.empty())
        tank = lists.Tank(kinds.empty() ? profilelist::kUsedTanks : kinds.front(), channels.front());
    if (!tank && source)
        tank = source->GetItemTank(item);
    return tank;
}

// The last sample index of the longest tank of the list the Y side reads.
int LastSampleOfList(CProfileTanks& lists, int16_t yKind)
{
    if (yKind != profilelist::kUsedTanks && yKind != profilelist::kCanChannels)
        return 0;
    int last = 0;
    if (CDataTankList* tanks = lists.List(yKind))
        for (int t = 0; t < tanks->GetSize(); ++t)
            if (CDataTankObject* tank = tanks->GetObjectAt(t))
                last = std::max(last, tank->GetDataCount() - 1);
    return last;
}

// A distribution or bar series: the operation-data tank of the base channel
// gives each value its position, the channels' tanks the values (a closed
// source's kept tanks where the document has none).
void BuildDistribution(CKivDocBase& doc, const CGraphPrf& profile, CGraphParamArray& series, int type)
{
    const bool yBase = type == 32 || type == 34;
    const std::vector<int32_t>& base = yBase ? profile.m_yChannels : profile.m_xChannels;
    const std::vector<int32_t>& values = yBase ? profile.m_xChannels : profile.m_yChannels;
    CProfileTanks lists(doc, false);
    const int32_t baseChannel = base.front();
    CDataTankObject* baseTank = lists.Tank(kOpDataKind, baseChannel);
    series.SetFirstItem(kOpDataKind, baseChannel, baseTank, static_cast<int>(values.size()));
    for (size_t k = 0; k < values.size(); ++k) {
        CDataTankObject* tank = lists.Tank(kUsedTankKind, values[k]);
        const int kept = static_cast<int>(k) + 1;
        if (!tank && profile.m_pSeries && kept < profile.m_pSeries->GetItemCount())
            tank = profile.m_pSeries->GetItemTank(kept);
        series.AppendItem(kUsedTankKind, values[k], tank);
    }
    series.SetDrawRange(0, std::max(profile.m_rangeEnd - 1, 0));
}

} // namespace

void CSimpleGraphObj::SwitchAutoScroll(const CSimpleGraphPrfList& list)
{
    if (m_draw.m_autoScroll == 0 && list.m_autoScroll != 0) {
        GrScaleRec::Axis* x = m_draw.ScaleAxis('X');
        m_draw.SetAutoScale('X', 1);
        if (x) {
            const double width = m_draw.m_autoScrollWidth;
            double step = x->step;
            if (width <= step)
                step = width / 2;
            m_draw.SetAxisRange('X', 0.0, width, step, x->subdivisions);
        }
        // A scrolling X axis cannot be logarithmic: the scale record and
        // the graph type both drop the log X.
        int16_t& type = m_draw.Scale().m_scaleType;
        if (type == GrScaleRec::kLogXY)
            type = GrScaleRec::kLogY;
        else if (type == GrScaleRec::kLogX)
            type = GrScaleRec::kLinear;
        if (type >= GrScaleRec::kLinear && type <= GrScaleRec::kLogY)
            m_draw.SetGraphType(type);
    }
    m_draw.m_autoScroll = list.m_autoScroll;
}

void CSimpleGraphObj::TakeOutSeries(CSimpleGraphPrfList& list)
{
    std::vector<CGraphParamArray*> series;
    for (int i = 0; i < m_draw.GetSeriesCount(); ++i)
        series.push_back(m_draw.GetSeries(i));
    for (CGraphParamArray* s : series) {
        m_draw.GetPage()->RemoveSeries(s);
        bool named = false;
        for (int i = 1; i < list.GetSize(); ++i)
            named = named || list.GetAt(i)->m_pSeries == s;
        if (!named)
            delete s;
    }
}

void CSimpleGraphObj::BuildSeriesFromProfiles(CSimpleGraphPrfList& list)
{
    if (list.GetSize() < 1)
        fw::ThrowInvalidArgException();
    const bool lines = list.GetAt(0)->m_lineStyle != 0;
    const int xAxisKind = m_draw.Info().m_xAxisKind;
    for (int i = 1; i < list.GetSize(); ++i) {
        CGraphPrf& profile = *list.GetAt(i);
        CKivDocBase* doc = FindKivDocument(profile.m_docIdent);
        if (!doc && !profile.m_pSeries)
            continue;
        if (profile.m_xChannels.empty() || profile.m_yChannels.empty())
            fw::ThrowInvalidArgException();
        CGraphParamArray* series = m_draw.AddSeries(lines);
        tSeriesSource source;
        source.path = profile.m_strSourceName;
        source.document = profile.m_docIdent;
        source.sampleOffset = static_cast<int16_t>(profile.m_seriesValue);
        source.nameKind = SecondSourceValue(m_creationKind, xAxisKind);
        series->SetSource(source);
        if (profile.m_pSeries) {
            int16_t block[CGraphPrf::kLineBlockValues];
            profile.GetLineBlock(block);
            tSeriesStyle style;
            static_assert(sizeof block == sizeof style);
            std::memcpy(&style, block, sizeof style);
            series->SetStyle(style);
        }
        if (doc && xAxisKind == 1) {
            BuildDistribution(*doc, profile, *series, m_draw.Info().m_graphType);
            if (!profile.m_strNote.IsEmpty())
                series->SetName(profile.m_strNote);
            else
                series->RebuildName();
        } else if (doc) {
            int16_t xKind = profile.m_xListKinds.empty() ? 2 : profile.m_xListKinds.front();
            const int16_t yKind = profile.m_yListKinds.empty() ? 2 : profile.m_yListKinds.front();
            int32_t xChannel = profile.m_xChannels.front();
            const int32_t yChannel = profile.m_yChannels.front();
            // A CAN signal over the elapsed time plots against its own
            // sample times, the tank before it.
            if (yKind == profilelist::kCanChannels && xKind == profilelist::kUsedTanks &&
                xChannel == CKivDocBase::kTimeChannel) {
                xKind = profilelist::kCanChannels;
                xChannel = yChannel - 1;
            }
            CProfileTanks lists(*doc, profilelist::IsHistoryCreation(m_creationKind));
            CDataTankObject* x = ProfileTank(lists, {xChannel}, {xKind}, profile.m_pSeries, 0);
            CDataTankObject* y = ProfileTank(lists, profile.m_yChannels, profile.m_yListKinds, profile.m_pSeries, 1);
            series->SetItem(0, xKind, xChannel, x, true);
            series->SetItem(1, yKind, yChannel, y, true);
            if (profile.m_autoRange == 1) {
                series->SetDrawRange(0, LastSampleOfList(lists, yKind));
            } else {
                series->SetDrawRange(profile.m_rangeStart - 1, profile.m_rangeEnd - 1);
            }
            if (!profile.m_strNote.IsEmpty())
                series->SetName(profile.m_strNote);
            else
                series->RebuildName();
        } else {
            const CGraphParamArray& from = *profile.m_pSeries;
            for (int item = 0; item < from.GetItemCount(); ++item) {
                const tDataTankParam& param = from.GetTanks()->GetAt(item);
                series->SetItem(item, param.first, param.second, from.GetItemTank(item), true);
            }
            series->SetName(from.GetName());
            series->SetDrawRange(profile.m_rangeStart - 1, profile.m_rangeEnd - 1);
        }
    }
    m_draw.UpdateAutoScaleModes();
}

void CSimpleGraphObj::SetPrfList(CSimpleGraphPrfList& list)
{
    m_creationKind = list.m_creationKind;
    SwitchAutoScroll(list);
    SetMonitorUse(false);
    TakeOutSeries(list);
    BuildSeriesFromProfiles(list);
    if (list.m_bFlag)
        for (int i = 1; i < list.GetSize(); ++i)
            if (list.GetAt(i)->m_pSeries)
                list.GetAt(i)->m_bOwner = 1;
    m_draw.RebuildPlot();
    m_draw.AutoScale();
    UpdateAxisTitles();
    UpdateLegendTexts();
    MarkRedraw();
    SetMonitorUse(true);
}

bool CSimpleGraphObj::GetPrfList(CSimpleGraphPrfList& list)
{
    try {
        list.m_creationKind = m_creationKind;
        list.m_autoScroll = m_draw.m_autoScroll;
        list.Add(new CGraphPrf);
        for (int i = 0; i < m_draw.GetSeriesCount(); ++i) {
            CGraphParamArray* series = m_draw.GetSeries(i);
            auto profile = std::make_unique<CGraphPrf>();
            profile->m_pSeries = series;
            profile->m_strSourceName = series->GetSourcePath();
            profile->m_docIdent = series->GetSourceDocument();
            profile->m_seriesValue = series->GetSampleOffset();
            profile->m_secondFlag = series->GetNameKind();
            profile->m_autoRange = 1;
            const int first = std::max(series->GetSampleIndex(0), 0);
            profile->m_rangeStart = first + 1;
            profile->m_rangeEnd = std::max(series->GetSampleIndex(series->GetLastSamplePosition()), first) + 1;
            int16_t block[CGraphPrf::kLineBlockValues];
            std::memcpy(block, &series->GetStyle(), sizeof block);
            profile->SetLineBlock(block);
            if (series->GetItemCount() >= 2) {
                const tDataTankParam& x = series->GetTanks()->GetAt(0);
                const tDataTankParam& y = series->GetTanks()->GetAt(1);
                profile->m_xChannels = {x.second};
                profile->m_xListKinds = {static_cast<int16_t>(x.first)};
                profile->m_yChannels = {y.second};
                profile->m_yListKinds = {static_cast<int16_t>(y.first)};
                if (x.first == 5 && y.first == 5 && x.second == y.second - 1) {
                    profile->m_xChannels = {CKivDocBase::kTimeChannel};
                    profile->m_xListKinds = {2};
                }
            }
            list.Add(profile.release());
        }
        return true;
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return false;
    }
}

CDrawObj* CSimpleGraphObj::Clone(CZELGraphViewDoc* document)
{
    auto copy = std::make_unique<CSimpleGraphObj>(m_position, m_draw.Info().m_xAxisKind, m_draw.Info().m_graphType);
    copy->Assign(*this);
    copy->m_draw.m_dataMode = m_draw.m_dataMode;
    CSimpleGraphPrfList list;
    if (!GetPrfList(list))
        return nullptr;
    for (int i = 1; i < list.GetSize(); ++i)
        if (CGraphParamArray* series = list.GetAt(i)->m_pSeries)
            list.GetAt(i)->m_strNote = series->GetName();
    // The series stay this graph's.
    list.m_bFlag = 0;
    copy->SetPrfList(list);
    copy->m_draw.Scale() = m_draw.Scale();
    copy->m_draw.m_autoScroll = m_draw.m_autoScroll;
    copy->m_draw.m_autoScrollWidth = m_draw.m_autoScrollWidth;
    tRegressionSettings regression;
    if (m_draw.GetRegression(regression)) {
        regression.recompute = 1;
        copy->m_draw.SetRegression(regression);
    }
    copy->m_draw.RebuildPlot();
    copy->m_draw.SetGraphRect(fw::CRect());
    CSimpleGraphObj* result = copy.release();
    if (document)
        document->AddObject(result);
    return result;
}
