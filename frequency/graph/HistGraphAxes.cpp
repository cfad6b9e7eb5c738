// The axis elements of the frequency graph drawer: oblique-capable frame,
// grid lines, marks and labels (they draw like the flat ones until given a
// depth or a face), the depth axis' own elements, and where each is drawn
// in the flat and the oblique layout.

#include "frequency/graph/HistGraphDraw.h"

#include "chart/model/GrRecord.h"
#include "chart/model/Oblique3D.h"

#include <utility>

namespace {

// The engine's placement 1 stands depth lines up on a wall, its placement 2
// lays them (and the depth labels) across a floor.
constexpr int16_t kOnWall = oblique::kFloor;
constexpr int16_t kAcrossFloor = oblique::kLeftWall;

int QuarterWidth(const fw::CRect& r) { return (r.right - r.left) / 4; }
int ThirdHeight(const fw::CRect& r) { return (r.bottom - r.top) / 3; }

// A label element of another class keeps the look the user gave the old
// one.
template <class Wanted> void ReplaceLabels(std::unique_ptr<CTickLabel>& slot)
{
    auto fresh = std::make_unique<Wanted>();
    if (slot) {
        tTickLabelAttributes attributes;
        slot->GetAttributes(attributes);
        fresh->SetAttributes(attributes);
    }
    slot = std::move(fresh);
}

template <class T> bool Holds(const std::unique_ptr<T>& slot, bool logarithmic)
{
    return slot && slot->IsLogarithmic() == logarithmic;
}

// Restores the record's plot rectangle and ranges however a face's
// drawing ends.
class RecordScope {
public:
    explicit RecordScope(OGPRecord& record) : m_record(record), m_saved(record) {}
    ~RecordScope() { m_record = m_saved; }
    RecordScope(const RecordScope&) = delete;
    RecordScope& operator=(const RecordScope&) = delete;

private:
    OGPRecord& m_record;
    OGPRecord m_saved;
};

} // namespace

fw::CRect CHistGraphDraw::BackWall(const fw::CRect& p)
{
    return {p.left + QuarterWidth(p), p.top, p.right, p.bottom - ThirdHeight(p) + 1};
}

fw::CRect CHistGraphDraw::FrontFace(const fw::CRect& p)
{
    return {p.left, p.top + ThirdHeight(p) - 1, p.right - QuarterWidth(p), p.bottom};
}

fw::CRect CHistGraphDraw::Floor(const fw::CRect& p)
{
    return {p.left, p.bottom - ThirdHeight(p) + 1, p.right, p.bottom};
}

fw::CRect CHistGraphDraw::LeftWall(const fw::CRect& p) { return {p.left, p.top, p.left + QuarterWidth(p), p.bottom}; }

// ---- elements --------------------------------------------------------------------------------

void CHistGraphDraw::CreateFrame()
{
    const bool oblique = IsOblique();
    const bool isOblique = dynamic_cast<CPlotFrame3D*>(m_plotFrame.get()) != nullptr;
    if (!m_plotFrame || isOblique != oblique) {
        if (oblique)
            m_plotFrame = std::make_unique<CPlotFrame3D>();
        else
            m_plotFrame = std::make_unique<CPlotFrame>();
    }
    CKivGraphDraw::CreateFrame();
}

void CHistGraphDraw::CreateGridLines(int axis)
{
    const bool x = axis == 'X' || axis == 'x';
    const bool log = IsLogAxis(x ? 'X' : 'Y');
    if (x && !log && !dynamic_cast<CXGridLine3D*>(m_xGrid.get()))
        m_xGrid = std::make_unique<CXGridLine3D>();
    if (!x && !log && (!dynamic_cast<CYGridLine3D*>(m_yGrid.get()) || m_yGrid->IsLogarithmic()))
        m_yGrid = std::make_unique<CYGridLine3D>();
    if (!x && log && !dynamic_cast<CYLogGridLine3D*>(m_yGrid.get()))
        m_yGrid = std::make_unique<CYLogGridLine3D>();
    CKivGraphDraw::CreateGridLines(axis);
}

void CHistGraphDraw::CreateTickMarks(int axis)
{
    if (axis == 'X' && !IsLogAxis('X') && !dynamic_cast<CTickXMark3D*>(m_xTicks.get()))
        m_xTicks = std::make_unique<CTickXMark3D>();
    CKivGraphDraw::CreateTickMarks(axis);
}

void CHistGraphDraw::CreateTickLabels(int axis)
{
    if (axis == 'X' && !IsLogAxis('X') && !dynamic_cast<CTickXLabel3D*>(m_xTickLabels.get()))
        ReplaceLabels<CTickXLabel3D>(m_xTickLabels);
    CKivGraphDraw::CreateTickLabels(axis);
}

void CHistGraphDraw::CreateDepthElements()
{
    // The depth labels look like the X labels.
    const bool log = IsLogAxis('X');
    if (!Holds(m_zLabels, log) && m_xTickLabels) {
        tTickLabelAttributes attributes;
        m_xTickLabels->GetAttributes(attributes);
        if (log)
            m_zLabels = std::make_unique<CLogTickXLabel>();
        else
            m_zLabels = std::make_unique<CTickXLabel3D>();
        m_zLabels->SetAttributes(attributes);
    }
    GrScaleRec::Axis& z = m_scale.m_z;
    z.labelEvery = m_scale.m_x.labelEvery;
    z.labelSide = m_scale.m_x.labelSide;
    // The X axis' element makers build the depth elements from the Z
    // range while the two axes trade places.
    class Trade {
    public:
        explicit Trade(CHistGraphDraw& draw) : d(draw) { Swap(); }
        ~Trade() { Swap(); }
        Trade(const Trade&) = delete;
        Trade& operator=(const Trade&) = delete;

    private:
        void Swap()
        {
            std::swap(d.m_scale.m_x, d.m_scale.m_z);
            std::swap(d.m_xGrid, d.m_zGrid);
            std::swap(d.m_xTicks, d.m_zTicks);
            std::swap(d.m_xTickLabels, d.m_zLabels);
            std::swap(d.m_record.m_xMin, min);
            std::swap(d.m_record.m_xMax, max);
        }
        CHistGraphDraw& d;
        double min = d.m_scale.m_z.minimum;
        double max = d.m_scale.m_z.maximum;
    };
    Trade traded(*this);
    CreateGridLines('X');
    CreateTickMarks('X');
    CreateTickLabels('X');
}

void CHistGraphDraw::MeasureTickLabels(fw::CDC& dc)
{
    CKivGraphDraw::MeasureTickLabels(dc);
    auto* depth = dynamic_cast<CTickXLabel3D*>(m_zLabels.get());
    if (!IsOblique() || !depth || !m_info.m_showAxes)
        return;
    WithDepthRanges([&] {
        depth->SetMode(kAcrossFloor);
        depth->Measure(dc, &m_record);
        depth->SetMode(0);
    });
}

// ---- drawing ---------------------------------------------------------------------------------

template <class Fn> void CHistGraphDraw::WithDepthRanges(Fn draw)
{
    const double x0 = m_record.m_xMin, x1 = m_record.m_xMax;
    const double y0 = m_record.m_yMin, y1 = m_record.m_yMax;
    GrSetXRange(ZMin(), ZMax(), &m_record);
    GrSetYRange(ZMin(), ZMax(), &m_record);
    try {
        draw();
    } catch (...) {
        GrSetXRange(x0, x1, &m_record);
        GrSetYRange(y0, y1, &m_record);
        throw;
    }
    GrSetXRange(x0, x1, &m_record);
    GrSetYRange(y0, y1, &m_record);
}

void CHistGraphDraw::DrawGrid(fw::CDC& dc, const fw::CRect& rect)
{
    if (!IsOblique()) {
        CKivGraphDraw::DrawGrid(dc, rect);
        return;
    }
    m_record.m_clipRect = rect;
    const fw::CRect plot = m_record.m_plotRect;
    {
        RecordScope scope(m_record);
        DrawObliqueGrid(dc);
        if (m_info.m_showAxes) {
            m_record.m_plotRect = BackWall(plot);
            if (m_xTicks)
                m_xTicks->Draw(dc, &m_record);
            if (m_yTicks)
                m_yTicks->Draw(dc, &m_record);
        }
    }
    if (m_plotFrame && m_frame.m_frameWidth != 0)
        m_plotFrame->Draw(dc, &m_record);
}

void CHistGraphDraw::DrawObliqueGrid(fw::CDC& dc)
{
    const fw::CRect plot = m_record.m_plotRect;
    const int w4 = QuarterWidth(plot);
    const int h3 = ThirdHeight(plot);
    auto* xGrid = dynamic_cast<CXGridLine3D*>(m_xGrid.get());
    auto* yGrid = dynamic_cast<CYGridLine3D*>(m_yGrid.get());
    m_record.m_plotRect = BackWall(plot);
    if (m_info.m_showXGrid && m_xGrid)
        m_xGrid->Draw(dc, &m_record);
    if (m_info.m_showYGrid && m_yGrid)
        m_yGrid->Draw(dc, &m_record);
    // On the floor the X lines run from the front face to the back wall.
    if (m_info.m_showXGrid && xGrid) {
        m_record.m_plotRect = fw::CRect(plot.left, plot.bottom - h3 + 1, plot.right - w4, plot.bottom);
        xGrid->SetShift(static_cast<int16_t>(w4));
        xGrid->Draw(dc, &m_record);
        xGrid->SetShift(0);
    }
    // On the left wall the Y lines rise toward the back.
    if (m_info.m_showYGrid && yGrid) {
        m_record.m_plotRect = fw::CRect(plot.left, plot.top + h3, plot.left + w4, plot.bottom);
        yGrid->SetShift(static_cast<int16_t>(-h3));
        yGrid->Draw(dc, &m_record);
        yGrid->SetShift(0);
    }
    auto* zGrid = dynamic_cast<CXGridLine3D*>(m_zGrid.get());
    if (!m_info.m_showXGrid || !zGrid)
        return;
    WithDepthRanges([&] {
        m_record.m_plotRect = LeftWall(plot);
        zGrid->SetMode(kOnWall);
        zGrid->Draw(dc, &m_record);
        m_record.m_plotRect = Floor(plot);
        zGrid->SetMode(kAcrossFloor);
        zGrid->Draw(dc, &m_record);
        zGrid->SetMode(0);
    });
}

void CHistGraphDraw::DrawLabels(fw::CDC& dc, const fw::CRect& rect)
{
    if (!IsOblique()) {
        CKivGraphDraw::DrawLabels(dc, rect);
        return;
    }
    const fw::CRect plot = m_record.m_plotRect;
    RecordScope scope(m_record);
    m_record.m_clipRect = rect;
    if (m_info.m_showAxes) {
        m_record.m_plotRect = FrontFace(plot);
        if (m_xTickLabels)
            m_xTickLabels->Draw(dc, &m_record);
        if (m_yTickLabels)
            m_yTickLabels->Draw(dc, &m_record);
        if (auto* depth = dynamic_cast<CTickXLabel3D*>(m_zLabels.get())) {
            WithDepthRanges([&] {
                m_record.m_plotRect = fw::CRect(plot.right - QuarterWidth(plot), plot.bottom - ThirdHeight(plot) + 1,
                                                plot.right, plot.bottom);
                depth->SetMode(kAcrossFloor);
                depth->Draw(dc, &m_record);
                depth->SetMode(0);
            });
        }
    }
    m_record.m_plotRect = FrontFace(plot);
    if (m_xTitle)
        m_xTitle->Draw(dc, &m_record);
    if (m_yTitle)
        m_yTitle->Draw(dc, &m_record);
}
