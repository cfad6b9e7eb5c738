#include "graphdoc/model/DrawGraphObj.h"

#include "chart/model/GraphParamArray.h"
#include "chart/model/PlotText.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "graphdoc/model/GraphDocHooks.h"

FW_IMPLEMENT_SERIAL(CDrawGraphObj, CDrawMeasObj, 0)

namespace {

// Axis titles sit centred on their reference point and above it.
constexpr int32_t kTitleAlign = 14;
// Minimum tick-label widths of a new graph, in zero digits.
constexpr int16_t kXLabelZeros = 7;
constexpr int16_t kYLabelZeros = 3;
constexpr int16_t kLightGrey = 15;

int Fraction(int from, int extent, double fraction)
{
    return from + static_cast<int>(static_cast<double>(extent) * fraction);
}

} // namespace

CDrawGraphObj::CDrawGraphObj()
{
    InitGraph();
}

CDrawGraphObj::CDrawGraphObj(const fw::CRect& area)
{
    InitGraph();
    RecalcPosition(area);
}

CDrawGraphObj::~CDrawGraphObj()
{
    m_picture.Reset();
}

CDrawGraphObj& CDrawGraphObj::Assign(const CDrawGraphObj& other)
{
    if (this == &other)
        return *this;
    m_relRight = other.m_relRight;
    m_relBottom = other.m_relBottom;
    m_pictureRect = other.m_pictureRect;
    CopyFrom(other);
    return *this;
}

void CDrawGraphObj::InitGraph()
{
    try {
        MarkRedraw();
        m_frame.m_sides = 0;
        m_relX = kDefaultLeft;
        m_relY = kDefaultTop;
        m_relRight = kDefaultRight;
        m_relBottom = kDefaultBottom;

        m_draw.SetOption(0, true);
        m_draw.SetAxisTitle('X', "", "");
        m_draw.SetAxisTitle('Y', "", "");

        GrFrameRec& frame = m_draw.Frame();
        frame.m_xGridMajorWidth = 1;
        frame.m_yGridMajorWidth = 1;
        frame.m_xGridMinorWidth = 0;
        frame.m_yGridMinorWidth = 0;
        frame.m_xTickSide = GrFrameRec::kSideNone;
        frame.m_yTickSide = GrFrameRec::kSideNone;
        frame.m_gridMajorColor = kLightGrey;
        frame.m_gridMinorColor = kLightGrey;
        frame.m_tickColor = kLightGrey;

        m_draw.Scale().m_x.subdivisions = 1;
        m_draw.Scale().m_y.subdivisions = 1;
        m_draw.Record().m_xLabelWidth = kXLabelZeros;
        m_draw.Record().m_yLabelWidth = kYLabelZeros;

        for (int axis : {'X', 'Y'}) {
            if (CPlotLabel* title = m_draw.GetAxisTitle(axis)) {
                tTextAttributes attributes;
                title->GetTextAttributes(attributes);
                attributes.align = kTitleAlign;
                title->SetTextAttributes(attributes);
            }
        }
        m_draw.CreatePlot();
    } catch (const std::exception& e) {
        fw::ReportException(e);
        throw;
    }
}

void CDrawGraphObj::Serialize(fw::CArchive& ar)
{
    CDrawObj::Serialize(ar);
    m_draw.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_relRight << m_relBottom;
    } else {
        ar >> m_relRight >> m_relBottom;
        MarkRedraw();
    }
}

void CDrawGraphObj::SetFrameStyle(const CDrawObjPrf& style)
{
    CDrawObj::SetFrameStyle(style);
    MarkRedraw();
}

void CDrawGraphObj::RecalcPosition(const fw::CRect& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    m_position = fw::CRect(Fraction(area.left, width, m_relX), Fraction(area.top, height, m_relY),
                           Fraction(area.left, width, m_relRight), Fraction(area.top, height, m_relBottom));
}

void CDrawGraphObj::SetRelativePosition(const fw::CRect& rect, const fw::CRect& area)
{
    const double width = area.right - area.left;
    const double height = area.bottom - area.top;
    // A page without extent gives no fractions: the old ones stay.
    if (width != 0.0) {
        m_relX = (rect.left - area.left) / width;
        m_relRight = (rect.right - area.left) / width;
    }
    if (height != 0.0) {
        m_relY = (rect.top - area.top) / height;
        m_relBottom = (rect.bottom - area.top) / height;
    }
    m_position = rect;
    if (width != 0.0 && height != 0.0)
        RecalcPosition(area);
}

bool CDrawGraphObj::EditAxes()
{
    if (!GraphDocDialogs().EditScales(m_draw))
        return false;
    m_draw.UpdateAutoScaleModes();
    MarkRedraw();
    return true;
}

bool CDrawGraphObj::EditLabels()
{
    if (!GraphDocDialogs().EditLabels(m_draw))
        return false;
    MarkRedraw();
    return true;
}

bool CDrawGraphObj::EditGrid()
{
    GrFrameRec frame = m_draw.Frame();
    if (!GraphDocDialogs().EditGrid(frame))
        return false;
    m_draw.Frame() = frame;
    m_draw.CreatePlot();
    MarkRedraw();
    return true;
}

bool CDrawGraphObj::UpdateLegendTexts()
{
    return m_draw.RefreshSeriesNames();
}

bool CDrawGraphObj::UpdateAxisTitles()
{
    CGraphParamArray* series = m_draw.GetSeries(0);
    if (!series)
        return false;
    const int type = m_draw.Info().m_graphType;
    // Y distributions and horizontal bars plot the first tank upward.
    const bool swapped = type == 32 || type == 34;
    CDataTankObject* xTank = series->GetItemTank(swapped ? 1 : 0);
    CDataTankObject* yTank = series->GetItemTank(swapped ? 0 : 1);
    bool result = false;
    if (xTank)
        result = m_draw.SetAxisTitle('X', xTank->GetName(), xTank->GetUnit());
    if (yTank)
        result = m_draw.SetAxisTitle('Y', yTank->GetName(), yTank->GetUnit());
    return result;
}

void CDrawGraphObj::RenderGraph(fw::CDC& dc, const fw::CRect& rect)
{
    m_draw.DrawGraph(dc, rect);
}

void CDrawGraphObj::DrawThroughPicture(fw::CDC* dc)
{
    const fw::CRect rect = GetFrameRect();
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    if (dc->IsPrinting() || !RenderPicture(dc, rect)) {
        RenderGraph(*dc, rect);
        return;
    }
    // A device that takes no pictures gets the graph drawn directly.
    if (!m_picture.GetBitmap()->CopyTo(*dc, rect.TopLeft()))
        RenderGraph(*dc, rect);
}

bool CDrawGraphObj::RenderPicture(const fw::CDC* reference, const fw::CRect& rect)
{
    const bool sized = m_picture.GetBitmap() && m_picture.IsSize(rect.Width(), rect.Height());
    if (sized && m_redraw == kCopyPicture && m_pictureRect == rect)
        return true;
    if (!sized && !m_picture.Create(reference, rect.Width(), rect.Height()))
        return false;
    fw::CDC* mem = m_picture.BeginDraw(reference);
    if (!mem)
        return false;
    const fw::CRect local(0, 0, rect.Width(), rect.Height());
    mem->FillSolidRect(local, m_draw.m_color);
    RenderGraph(*mem, local);
    m_picture.EndDraw();
    m_pictureRect = rect;
    m_redraw = kCopyPicture;
    return true;
}
