#include "framework/ui/QPainterSink.h"

#include "framework/ui/QtText.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QStaticText>

#include <cmath>
#include <list>
#include <unordered_map>

namespace fw {

namespace {

QColor ColorOf(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QTransform TransformOf(const CDC& dc)
{
    const double sx = dc.ScaleX(), sy = dc.ScaleY();
    const CPoint wo = dc.GetWindowOrg(), vo = dc.GetViewportOrg();
    return QTransform(sx, 0, 0, sy, vo.x - wo.x * sx, vo.y - wo.y * sy);
}

QPen PenOf(const CPen& pen)
{
    if (pen.Style() == PS_NULL)
        return QPen(Qt::NoPen);
    QPen qp(ColorOf(pen.Color()));
    if (pen.Width() <= 0) {
        qp.setCosmetic(true);
        qp.setWidth(0);
        qp.setCapStyle(Qt::FlatCap);
    } else {
        qp.setWidthF(pen.Width());
        const uint32_t cap = pen.FullStyle() & 0xF00;
        qp.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
        qp.setJoinStyle(Qt::RoundJoin);
    }
    switch (pen.Style()) {
    case PS_DASH: qp.setStyle(Qt::DashLine); break;
    case PS_DOT: qp.setStyle(Qt::DotLine); break;
    case PS_DASHDOT: qp.setStyle(Qt::DashDotLine); break;
    case PS_DASHDOTDOT: qp.setStyle(Qt::DashDotDotLine); break;
    case PS_USERSTYLE: {
        // Qt counts dashes in pen widths, the original in logical units.
        QList<qreal> pattern;
        const double w = std::max(1, pen.Width());
        for (uint32_t d : pen.Dashes())
            pattern << std::max(d / w, 0.01);
        if (pattern.size() % 2)
            pattern << pattern.back();
        if (!pattern.isEmpty())
            qp.setDashPattern(pattern);
        break;
    }
    default: break;
    }
    return qp;
}

QBrush BrushOf(const CBrush& brush)
{
    const LOGBRUSH& lb = brush.Info();
    if (lb.lbStyle == BS_NULL)
        return QBrush(Qt::NoBrush);
    if (lb.lbStyle == BS_HATCHED) {
        Qt::BrushStyle style = Qt::SolidPattern;
        switch (static_cast<int>(lb.lbHatch)) {
        case HS_HORIZONTAL: style = Qt::HorPattern; break;
        case HS_VERTICAL: style = Qt::VerPattern; break;
        case HS_FDIAGONAL: style = Qt::FDiagPattern; break;
        case HS_BDIAGONAL: style = Qt::BDiagPattern; break;
        case HS_CROSS: style = Qt::CrossPattern; break;
        case HS_DIAGCROSS: style = Qt::DiagCrossPattern; break;
        default: break;
        }
        return QBrush(ColorOf(lb.lbColor), style);
    }
    return QBrush(ColorOf(lb.lbColor));
}

QPolygonF PolygonOf(const std::vector<CPoint>& points)
{
    QPolygonF poly;
    for (const CPoint& p : points)
        poly << QPointF(p.x, p.y);
    return poly;
}

// A grid page draws thousands of cells in one or two fonts, and repaints
// the same texts again and again. Building the Qt font, its metrics and the
// shaped glyphs for every call cost several times the drawing itself, so a
// font keeps them, with the layouts of the texts it drew last, across
// paints.
struct LaidOutText {
    QStaticText glyphs;
    double width = 0;
};

TEXTMETRIC MetricsOf(const LOGFONT& lf, const QFontMetricsF& fm)
{
    TEXTMETRIC tm;
    tm.tmAscent = static_cast<int32_t>(std::lround(fm.ascent()));
    tm.tmDescent = static_cast<int32_t>(std::lround(fm.descent()));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmExternalLeading = static_cast<int32_t>(std::lround(std::max(0.0, fm.leading())));
    tm.tmAveCharWidth = static_cast<int32_t>(std::lround(fm.averageCharWidth()));
    tm.tmMaxCharWidth = static_cast<int32_t>(std::lround(fm.maxWidth()));
    tm.tmWeight = lf.lfWeight;
    return tm;
}

struct FontCacheEntry {
    explicit FontCacheEntry(const LOGFONT& f)
        : lf(f), font(QPainterSink::FontOf(f)), metrics(font), ascent(metrics.ascent()), descent(metrics.descent()),
          height(metrics.height()), tm(MetricsOf(f, metrics))
    {
    }
    LOGFONT lf;
    QFont font;
    QFontMetricsF metrics;
    double ascent;
    double descent;
    double height;
    TEXTMETRIC tm;
    std::unordered_map<QString, LaidOutText> texts;
};

constexpr size_t kCachedFonts = 16;
constexpr size_t kCachedTextsPerFont = 4096;

// The entry of a font, made the most recent; the least recent goes when
// too many are kept. Painting happens on one thread, printing may run on
// another: each keeps its own.
FontCacheEntry& CachedFont(const LOGFONT& lf)
{
    thread_local std::list<FontCacheEntry> fonts;
    for (auto it = fonts.begin(); it != fonts.end(); ++it) {
        if (it->lf == lf) {
            if (it != fonts.begin())
                fonts.splice(fonts.begin(), fonts, it);
            return fonts.front();
        }
    }
    if (fonts.size() >= kCachedFonts)
        fonts.pop_back();
    fonts.emplace_front(lf);
    return fonts.front();
}

// Plain one-line text: no control characters, which drawText shows in its
// own way.
bool IsPlainLine(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 0x20)
            return false;
    return true;
}

const LaidOutText& LayOut(FontCacheEntry& entry, const QString& s)
{
    auto found = entry.texts.find(s);
    if (found != entry.texts.end())
        return found->second;
    if (entry.texts.size() >= kCachedTextsPerFont)
        entry.texts.clear();
    LaidOutText& text = entry.texts[s];
    text.glyphs.setText(s);
    text.glyphs.setTextFormat(Qt::PlainText);
    text.glyphs.prepare(QTransform(), entry.font);
    text.width = entry.metrics.horizontalAdvance(s);
    return text;
}

} // namespace

QPainterSink::QPainterSink(QPainter* painter, int dpi, bool printing)
    : m_painter(painter), m_dpi(dpi), m_printing(printing)
{
    if (painter && painter->isActive() && painter->hasClipping()) {
        m_hasBaseClip = true;
        m_baseClip = painter->clipRegion();
    }
}

void QPainterSink::ApplyClip(const CDC* dc)
{
    m_painter->resetTransform();
    if (m_hasBaseClip)
        m_painter->setClipRegion(m_baseClip);
    if (dc && dc->HasClip())
        m_painter->setClipRect(ToQ(dc->DeviceClip()), m_hasBaseClip ? Qt::IntersectClip : Qt::ReplaceClip);
    else if (!m_hasBaseClip)
        m_painter->setClipping(false);
}

QFont QPainterSink::FontOf(const LOGFONT& lf)
{
    QFont font(ToQ(lf.GetFaceName()));
    font.setPixelSize(std::max(1, std::abs(lf.lfHeight != 0 ? lf.lfHeight : 12)));
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

void QPainterSink::Prepare(const CDC& dc, bool withBrush)
{
    ApplyClip(&dc);
    m_painter->setTransform(TransformOf(dc));
    m_painter->setPen(PenOf(dc.GetCurrentPen()));
    m_painter->setBrush(withBrush ? BrushOf(dc.GetCurrentBrush()) : QBrush(Qt::NoBrush));
    m_painter->setBackgroundMode(dc.GetBkMode() == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter->setBackground(ColorOf(dc.GetBkColor()));
    m_painter->setCompositionMode(dc.GetROP2() == R2_XORPEN && !m_printing ? QPainter::RasterOp_SourceXorDestination
                                                                            : QPainter::CompositionMode_SourceOver);
}

void QPainterSink::Line(const CDC& dc, CPoint from, CPoint to)
{
    Prepare(dc, false);
    m_painter->drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

void QPainterSink::Polyline(const CDC& dc, const std::vector<CPoint>& points)
{
    Prepare(dc, false);
    m_painter->drawPolyline(PolygonOf(points));
}

void QPainterSink::Polygon(const CDC& dc, const std::vector<CPoint>& points, int fillMode)
{
    Prepare(dc, true);
    m_painter->drawPolygon(PolygonOf(points), fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

void QPainterSink::Rectangle(const CDC& dc, const CRect& rect)
{
    Prepare(dc, true);
    // The outline covers left..right-1 and top..bottom-1.
    m_painter->drawRect(QRectF(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
}

void QPainterSink::Ellipse(const CDC& dc, const CRect& rect)
{
    Prepare(dc, true);
    m_painter->drawEllipse(QRectF(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
}

void QPainterSink::FillRect(const CDC& dc, const CRect& rect, const CBrush& brush)
{
    Prepare(dc, false);
    m_painter->fillRect(QRectF(rect.left, rect.top, rect.Width(), rect.Height()), BrushOf(brush));
}

void QPainterSink::Text(const CDC& dc, CPoint ref, const CString& text, const CRect* opaque, const CRect* clip)
{
    Prepare(dc, false);
    const LOGFONT& lf = dc.GetCurrentFont().Info();
    if (opaque)
        m_painter->fillRect(QRectF(opaque->left, opaque->top, opaque->Width(), opaque->Height()), ColorOf(dc.GetBkColor()));
    // An empty text only fills its box.
    if (text.IsEmpty())
        return;
    FontCacheEntry& entry = CachedFont(lf);
    const QFontMetricsF& fm = entry.metrics;
    const QString s = ToQ(text);
    // The glyphs laid out once are placed again wherever the painter only
    // moves them; turned text, decorations, an opaque background (which
    // Qt's laid-out text draws without the painter's offset), printers and
    // scaled mappings are shaped as they come.
    const bool reuse = !m_printing && !lf.lfEscapement && !lf.lfUnderline && !lf.lfStrikeOut &&
                       dc.GetBkMode() != OPAQUE && m_painter->transform().type() <= QTransform::TxTranslate &&
                       IsPlainLine(s);
    const LaidOutText* laidOut = reuse ? &LayOut(entry, s) : nullptr;
    const unsigned align = dc.GetTextAlign();
    const bool centred = (align & TA_CENTER) == TA_CENTER;
    const bool needWidth = centred || (align & TA_RIGHT) || dc.GetBkMode() == OPAQUE;
    const double width = laidOut ? laidOut->width : needWidth ? fm.horizontalAdvance(s) : 0.0;
    m_painter->save();
    if (clip)
        m_painter->setClipRect(QRectF(clip->left, clip->top, clip->Width(), clip->Height()), Qt::IntersectClip);
    m_painter->translate(ref.x, ref.y);
    if (lf.lfEscapement)
        m_painter->rotate(-lf.lfEscapement / 10.0);
    double x = 0;
    if (centred)
        x = -width / 2;
    else if (align & TA_RIGHT)
        x = -width;
    double baseline = entry.ascent;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -entry.descent;
    if (dc.GetBkMode() == OPAQUE)
        m_painter->fillRect(QRectF(x, baseline - entry.ascent, width, entry.height), ColorOf(dc.GetBkColor()));
    m_painter->setFont(entry.font);
    m_painter->setPen(ColorOf(dc.GetTextColor()));
    if (laidOut)
        m_painter->drawStaticText(QPointF(x, baseline - entry.ascent), laidOut->glyphs);
    else
        m_painter->drawText(QPointF(x, baseline), s);
    m_painter->restore();
}

void QPainterSink::SetPixel(const CDC& dc, CPoint point, COLORREF color)
{
    CPoint device = point;
    dc.LPtoDP(&device);
    ApplyClip(&dc);
    m_painter->fillRect(QRect(device.x, device.y, 1, 1), ColorOf(color));
}

CSize QPainterSink::TextExtent(const CDC& dc, const CString& text)
{
    const QFontMetricsF& fm = CachedFont(dc.GetCurrentFont().Info()).metrics;
    return CSize(static_cast<int32_t>(std::lround(fm.horizontalAdvance(ToQ(text)))),
                 static_cast<int32_t>(std::lround(fm.height())));
}

TEXTMETRIC QPainterSink::TextMetrics(const CDC& dc)
{
    return CachedFont(dc.GetCurrentFont().Info()).tm;
}

int QPainterSink::DeviceCaps(int index) const
{
    QPaintDevice* device = m_painter->device();
    const int w = device ? device->width() : kDisplayWidthPx;
    const int h = device ? device->height() : kDisplayHeightPx;
    switch (index) {
    case TECHNOLOGY: return m_printing ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES: return m_printing ? w : kDisplayWidthPx;
    case VERTRES: return m_printing ? h : kDisplayHeightPx;
    case LOGPIXELSX:
    case LOGPIXELSY: return m_dpi;
    case HORZSIZE: return m_printing ? static_cast<int>(std::lround(w * 25.4 / m_dpi)) : kDisplayWidthMm;
    case VERTSIZE: return m_printing ? static_cast<int>(std::lround(h * 25.4 / m_dpi)) : kDisplayHeightMm;
    case PHYSICALWIDTH:
    case PHYSICALHEIGHT:
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return PhysicalCaps(index, w, h);
    default: return 0;
    }
}

int QPainterSink::PhysicalCaps(int index, int w, int h) const
{
    // A printer's drawable area lies inside the paper by its margins; the
    // paper and the offset come from the page layout at the sink's
    // resolution. Other devices are all paper.
    const auto* paged = m_printing ? dynamic_cast<const QPagedPaintDevice*>(m_painter->device()) : nullptr;
    if (!paged) {
        switch (index) {
        case PHYSICALWIDTH: return w;
        case PHYSICALHEIGHT: return h;
        default: return 0;
        }
    }
    const QPageLayout layout = paged->pageLayout();
    const QRect full = layout.fullRectPixels(m_dpi);
    const QRect paint = layout.paintRectPixels(m_dpi);
    switch (index) {
    case PHYSICALWIDTH: return full.width();
    case PHYSICALHEIGHT: return full.height();
    case PHYSICALOFFSETX: return paint.left() - full.left();
    default: return paint.top() - full.top();
    }
}

struct CImageDC::Parts {
    explicit Parts(QImage& image) : painter(&image), sink(&painter) {}
    QPainter painter;
    QPainterSink sink;
};

CImageDC::CImageDC(QImage& image) : CImageDC(new Parts(image))
{
}

CImageDC::CImageDC(Parts* parts) : CDC(&parts->sink), m_parts(parts)
{
}

CImageDC::~CImageDC()
{
    m_parts->painter.end();
}

} // namespace fw
