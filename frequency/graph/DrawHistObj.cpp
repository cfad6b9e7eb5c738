#include "frequency/graph/DrawHistObj.h"

#include "chart/model/GrRecord.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphPageParam.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/DblDataTank.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Format.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "frequency/document/HistDataBoxArray.h"
#include "frequency/graph/HistGraphDlg.h"
#include "frequency/document/HistDoc.h"
#include "frequency/model/HistTables.h"
#include "graphdoc/model/GraphDocHooks.h"
#include "graphdoc/model/GraphPrf.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/views/ScaleDlg.h"
#include "chart/model/GraphUpdateHints.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

FW_IMPLEMENT_SERIAL(CDrawHistObj, CDrawMeasObj, 0)

namespace {

constexpr intptr_t kHintDocumentOpened = 1;
constexpr intptr_t kHintIdentChanged = 3;
constexpr intptr_t kHintAnalysesChanged = 40;
// The measurement panel's hints: following a document, new current values,
// polling stopped, the panel opened.
constexpr intptr_t kHintFollow = 19;
constexpr intptr_t kHintFollowAgain = 31;
constexpr intptr_t kHintNewValues = 20;
constexpr intptr_t kHintNewValuesAgain = 32;
constexpr intptr_t kHintStopped = 21;
constexpr intptr_t kHintProjectPanel = 22;
constexpr int32_t kCountChangeFlags = 0x04 | 0x10 | 0x80;
// Axis titles in points (the fonts count tenths of a point).
constexpr int kAxisTitleHeight = 140;
constexpr int16_t kGridColour = 15;
constexpr fw::COLORREF kWindowColour = fw::RGB(255, 255, 255);

int Place(int origin, int extent, double fraction) { return origin + static_cast<int>(extent * fraction); }

// Count columns of a table of n values.
int ColumnValues(int operation, int n)
{
    switch (operation) {
    case kHistPeakValley: return n / 4;
    case kHistMaxMin:
    case kHistAmp:
    case kHistLevel: return n / 3;
    default: return n;
    }
}

CHistCountArray* AnalysesOf(fw::CDocument* document)
{
    if (auto* hist = dynamic_cast<CHistDoc*>(document))
        return hist->GetHistCountArray();
    if (auto* project = dynamic_cast<CKIV5980Doc*>(document))
        return project->GetHistCountArray();
    return nullptr;
}

} // namespace

CDrawHistObj::CDrawHistObj() = default;

CDrawHistObj::CDrawHistObj(const fw::CRect& area)
{
    m_relX = kDefaultLeft;
    m_relY = kDefaultTop;
    RecalcPosition(area);
    InitGraphDefaults();
}

CDrawHistObj::~CDrawHistObj()
{
    m_analyses.RemoveAll();
    ReleaseXTanks();
}

void CDrawHistObj::InitGraphDefaults()
{
    m_bRedraw = true;
    m_draw.SetOption(0, true);
    m_draw.m_xTitleFromSeries = 0;
    m_draw.m_yTitleFromSeries = 0;
    m_draw.SetAxisTitle('X', {}, {});
    m_draw.SetAxisTitle('Y', {}, {});
    m_draw.Scale().m_x.subdivisions = 1;
    m_draw.Scale().m_y.subdivisions = 1;
    GrFrameRec& frame = m_draw.Frame();
    frame.m_gridMajorColor = kGridColour;
    frame.m_gridMinorColor = kGridColour;
    frame.m_xGridMajorWidth = 1;
    frame.m_xGridMinorWidth = 0;
    frame.m_xTickSide = GrFrameRec::kSideNone;
    frame.m_yGridMajorWidth = 1;
    frame.m_yGridMinorWidth = 0;
    frame.m_yTickSide = GrFrameRec::kSideNone;
    for (int axis : {'X', 'Y'}) {
        if (CPlotLabel* title = m_draw.GetAxisTitle(axis)) {
            tTextAttributes attributes;
            title->GetTextAttributes(attributes);
            attributes.font.lfHeight = kAxisTitleHeight;
            title->SetTextAttributes(attributes);
        }
    }
    m_draw.CreatePlot();
}

CDblDataTank* CDrawHistObj::XTank(int index) const
{
    return index >= 0 && index < static_cast<int>(m_xTanks.size()) ? m_xTanks[static_cast<size_t>(index)] : nullptr;
}

CDblDataTank* CDrawHistObj::EnsureXTank(int index)
{
    while (static_cast<int>(m_xTanks.size()) <= index)
        m_xTanks.push_back(nullptr);
    CDblDataTank*& tank = m_xTanks[static_cast<size_t>(index)];
    if (!tank)
        tank = new CDblDataTank;
    return tank;
}

void CDrawHistObj::ReleaseXTanks()
{
    for (CDblDataTank* tank : m_xTanks)
        if (tank)
            ReleaseTank(tank);
    m_xTanks.clear();
}

int CDrawHistObj::SetGraphPrf(const CHistGraphPrf& profile)
{
    return SetGraphPrf(profile, const_cast<fw::CDocument*>(FindGraphDocument(profile.m_docIdent)));
}

int CDrawHistObj::SetGraphPrf(const CHistGraphPrf& profile, fw::CDocument* document)
{
    if (&profile != &m_prf)
        m_prf = profile;
    CHistCountArray* source = AnalysesOf(document);
    if (!document || !source)
        return 0;
    m_analyses.RemoveAll();
    m_analyses.m_mode = source->m_mode;
    m_analyses.m_startTime = source->m_startTime;
    m_analyses.m_endTime = source->m_endTime;
    m_analyses.m_measuringTime = source->m_measuringTime;
    for (int32_t index : m_prf.m_analyses) {
        CHistCountObj* a = index >= 0 && index < source->GetSize() ? source->GetAt(index) : nullptr;
        if (a)
            a->AddRef();
        m_analyses.Add(a);
    }
    if (m_prf.m_layout == CHistGraphPrf::kFromTo)
        m_prf.m_layout = CHistGraphPrf::kPerAnalysis;
    m_draw.SetXAxisKind(m_prf.m_layout);
    if (m_prf.m_layout == CHistGraphPrf::kPerAnalysis)
        BuildSeriesPerAnalysis(document);
    else
        BuildSeriesPerTank(document);
    m_draw.CreatePlot();
    m_draw.AutoScale();
    m_draw.RefreshSeriesNames();
    m_bRedraw = true;
    return static_cast<int>(m_prf.m_analyses.size());
}

fw::CString CDrawHistObj::UnitOf(const CHistCountObj& analysis) const { return HistDisplayUnit(analysis); }

void CDrawHistObj::BuildSeriesPerAnalysis(fw::CDocument* document)
{
    const bool project = dynamic_cast<CKIV5980Doc*>(document) != nullptr;
    const int chosen = static_cast<int>(m_prf.m_analyses.size());
    for (int i = 0; i < chosen; ++i) {
        const int k = m_prf.m_analyses[static_cast<size_t>(i)];
        CGraphParamArray* series = m_draw.GetSeries(i);
        if (!series)
            series = m_draw.AddSeries(false);
        // A series is built again from its tanks each time.
        while (series->GetItemCount() > 0)
            series->GetTanks()->RemoveAt(series->GetItemCount() - 1);
        tSeriesSource source;
        source.path = m_prf.m_strTitle;
        source.document = m_prf.m_docIdent;
        series->SetSource(source);
        CDblDataTank* x = EnsureXTank(i);
        CHistCountObj* a = m_analyses.GetAt(i);
        CDblDataTank* counts = a ? a->GetCountTank() : nullptr;
        if (!a || !counts) {
            series->AppendItem(0, 0, x);
            series->SetDrawRange(0, 0);
            continue;
        }
        const int n = counts->GetDataCount();
        const int g = ColumnValues(a->m_operation, n);
        const int h = a->m_operation == kHistAmp || a->m_operation == kHistRain ? 2 : 1;
        const int plus = a->m_plusSlices;
        const int minus = a->m_minusSlices;
        const double stepMinus = minus > 0 ? static_cast<double>(a->m_fullScale) / minus * h : 0.0;
        const double stepPlus = plus > 0 ? static_cast<double>(a->m_fullScale) / plus * h : 0.0;
        x->SetDataCount(0);
        // Every column block holds the same slice edges at the same rows.
        for (int block = 0; g > 0 && block * g < n; ++block) {
            int row = block * g;
            for (int j = -minus; j <= -1 && row < n; ++j)
                x->SetValue(row++, j * stepMinus);
            for (int j = 1; j <= plus && row < n; ++j)
                x->SetValue(row++, j * stepPlus);
        }
        if (g >= n) {
            series->SetDrawRange(0, g - 1);
        } else {
            const int t = m_prf.CountType(a->m_operation);
            series->SetDrawRange(g * t, g * (t + 1) - 1);
        }
        x->SetName(project ? fw::Format("DN_%d", k + 1) : a->m_name);
        x->SetUnit(UnitOf(*a));
        const char* label = HistCountLabel(a->m_operation, m_prf.CountType(a->m_operation));
        counts->SetName(*label ? fw::CString(label) : fw::CString(a->GetOperationText()));
        series->AppendItem(0, 0, x);
        series->AppendItem(k, 1, counts);
    }
    RemoveSeriesFrom(chosen);
}

void CDrawHistObj::BuildSeriesPerTank(fw::CDocument* document)
{
    RemoveSeriesFrom(0);
    CHistCountObj* a = m_analyses.GetSize() > 0 ? m_analyses.GetAt(0) : nullptr;
    if (!a)
        return;
    CDblDataTank* x = EnsureXTank(0);
    const int plus = a->m_plusSlices;
    const int minus = a->m_minusSlices;
    const double stepMinus = minus > 0 ? static_cast<double>(a->m_fullScale) / minus : 0.0;
    const double stepPlus = plus > 0 ? static_cast<double>(a->m_fullScale) / plus : 0.0;
    int row = 0;
    x->SetDataCount(0);
    for (int j = -minus; j <= -1; ++j)
        x->SetValue(row++, j * stepMinus);
    for (int j = 0; j <= plus - 1; ++j)
        x->SetValue(row++, j * stepPlus);
    x->SetName(a->m_name);
    x->SetUnit(UnitOf(*a));
    CDataTankList& tanks = a->GetCountTanks();
    for (int i = 0; i < tanks.GetSize(); ++i) {
        CDataTankObject* tank = tanks.GetAt(i);
        if (!tank)
            continue;
        tank->SetName(a->GetOperationText());
        CGraphParamArray* series = m_draw.AddSeries(false);
        series->SetDrawType(7);
        series->AppendItem(0, 0, x);
        series->AppendItem(m_prf.m_analyses.empty() ? 0 : m_prf.m_analyses[0], 1, tank);
        series->SetDrawRange(0, row - 1);
    }
    (void)document;
}

void CDrawHistObj::RemoveSeriesFrom(int first)
{
    while (m_draw.GetSeriesCount() > first) {
        const int last = m_draw.GetSeriesCount() - 1;
        CGraphParamArray* series = m_draw.GetSeries(last);
        m_draw.GetPage()->RemoveSeries(series);
        delete series;
        if (last < static_cast<int>(m_xTanks.size()) && m_xTanks[static_cast<size_t>(last)]) {
            ReleaseTank(m_xTanks[static_cast<size_t>(last)]);
            m_xTanks[static_cast<size_t>(last)] = nullptr;
        }
    }
}

void CDrawHistObj::UpdateAxisTitles()
{
    fw::CString unit;
    if (fw::CDocument* doc = const_cast<fw::CDocument*>(FindGraphDocument(m_prf.m_docIdent))) {
        if (m_prf.m_analyses.empty())
            fw::ThrowInvalidArgException();
        const CHistCountArray* source = AnalysesOf(doc);
        const int k = m_prf.m_analyses.front();
        if (source && k >= 0 && k < source->GetSize() && source->GetAt(k))
            unit = UnitOf(*source->GetAt(k));
    }
    m_draw.SetAxisTitle('X', unit, {});
    m_draw.SetAxisTitle('Y', "Count", {});
    m_bRedraw = true;
}

bool CDrawHistObj::RefersToDocument(const CDocIdent* ident) { return ident && *ident == m_prf.m_docIdent; }

// ---- file ------------------------------------------------------------------------------------

void CDrawHistObj::Serialize(fw::CArchive& ar)
{
    CDrawObj::Serialize(ar);
    m_prf.Serialize(ar);
    m_draw.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_relRight << m_relBottom;
        m_analyses.Serialize(ar);
        return;
    }
    ar >> m_relRight >> m_relBottom;
    m_analyses.Serialize(ar);
    RelinkTanksAfterLoad();
    m_bRedraw = true;
}

void CDrawHistObj::RelinkTanksAfterLoad()
{
    ReleaseXTanks();
    for (int s = 0; s < m_draw.GetSeriesCount(); ++s) {
        CGraphParamArray* series = m_draw.GetSeries(s);
        auto* x = series ? dynamic_cast<CDblDataTank*>(series->GetItemTank(0)) : nullptr;
        if (x)
            x->AddRef();
        m_xTanks.push_back(x);
    }
    m_draw.CreatePlot();
}

// ---- drawing ---------------------------------------------------------------------------------

void CDrawHistObj::Draw(fw::CDC* dc)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    fw::CRect rect = m_position;
    rect.NormalizeRect();
    // A transparent frame lets the page show through: drawn straight.
    const bool printing = dc->IsPrinting();
    if (printing || m_frame.m_transparent || !DrawThroughPicture(*dc, rect))
        RenderWhole(*dc, rect);
    m_bRedraw = printing;
    dc->RestoreDC(saved);
    if (!printing)
        DrawTrackerRect(dc);
}

void CDrawHistObj::RenderWhole(fw::CDC& dc, const fw::CRect& rect)
{
    DrawFrame(&dc, rect);
    fw::CRect graph = rect;
    graph.DeflateRect(kGraphMargin, kGraphMargin);
    // The plot leaves room for the axis labels inside the graph rectangle.
    GrClearError(&m_draw.Record());
    m_draw.FitPlotRect(dc, graph);
    m_draw.DrawGraph(dc, graph);
}

bool CDrawHistObj::DrawThroughPicture(fw::CDC& dc, const fw::CRect& rect)
{
    // New values and settings mark the picture; otherwise a repaint only
    // copies it.
    const int width = rect.Width() + 1;
    const int height = rect.Height() + 1;
    const bool sized = m_picture.GetBitmap() && m_picture.IsSize(width, height);
    if (!sized || m_bRedraw) {
        if (!sized && !m_picture.Create(&dc, width, height))
            return false;
        fw::CDC* mem = m_picture.BeginDraw(&dc);
        if (!mem)
            return false;
        const fw::CRect local(0, 0, width, height);
        mem->FillSolidRect(local, kWindowColour);
        RenderWhole(*mem, fw::CRect(0, 0, rect.Width(), rect.Height()));
        m_picture.EndDraw();
    }
    return m_picture.GetBitmap()->CopyTo(dc, rect.TopLeft());
}

void CDrawHistObj::SetFrameStyle(const CDrawObjPrf& style)
{
    CDrawObj::SetFrameStyle(style);
    m_bRedraw = true;
}

void CDrawHistObj::RecalcPosition(const fw::CRect& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    m_position = fw::CRect(Place(area.left, width, m_relX), Place(area.top, height, m_relY),
                           Place(area.left, width, m_relRight), Place(area.top, height, m_relBottom));
}

void CDrawHistObj::SetRelativePosition(const fw::CRect& rect, const fw::CRect& area)
{
    const double width = area.right - area.left;
    const double height = area.bottom - area.top;
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

intptr_t CDrawHistObj::OnUpdate(intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintDocumentOpened:
    case kHintAnalysesChanged: {
        auto* update = dynamic_cast<CUpdateDataDoc*>(hintObject);
        auto* doc = update ? dynamic_cast<CZELDataDoc*>(update->m_pDocument) : nullptr;
        if (!doc || doc->GetDocIdent() != m_prf.m_docIdent)
            return 0;
        Retake(doc, false);
        return 1;
    }
    case kHintIdentChanged: {
        auto* change = dynamic_cast<CUpdateChangeDocIdent*>(hintObject);
        if (!change || change->m_oldIdent != m_prf.m_docIdent)
            return 0;
        m_prf.m_docIdent = change->m_newIdent;
        m_prf.m_strTitle = change->m_title;
        Retake(const_cast<fw::CDocument*>(FindGraphDocument(m_prf.m_docIdent)), false);
        return 1;
    }
    case kHintDataChanged: {
        auto* update = dynamic_cast<CUpdateKivData*>(hintObject);
        auto* doc = update ? dynamic_cast<CZELDataDoc*>(update->m_pDocument) : nullptr;
        if (!doc || doc->GetDocIdent() != m_prf.m_docIdent || !(update->m_changeFlags & kCountChangeFlags))
            return 0;
        Retake(doc, true);
        return 1;
    }
    default:
        return OnLiveHint(hint, hintObject);
    }
}

intptr_t CDrawHistObj::OnLiveHint(intptr_t hint, fw::CObject* hintObject)
{
    const auto* named = dynamic_cast<const CUpdateDataDoc*>(hintObject);
    const fw::CDocument* document = named ? named->m_pDocument : nullptr;
    switch (hint) {
    case kHintFollow:
    case kHintFollowAgain: {
        // The panel names no document when it sends these: the graph's own
        // source is the one measured.
        if (!document)
            document = FindGraphDocument(m_prf.m_docIdent);
        fw::CDC none(nullptr);
        m_draw.SetHighlight(none, 0, 1, document);
        return 1;
    }
    case kHintNewValues:
    case kHintNewValuesAgain:
        m_draw.AutoScaleExpand();
        m_bRedraw = true;
        Invalidate();
        return 1;
    case kHintStopped: {
        fw::CDC none(nullptr);
        m_draw.SetHighlight(none, 0, 0, nullptr);
        m_bRedraw = true;
        Invalidate();
        return 1;
    }
    case kHintProjectPanel: {
        auto* project = dynamic_cast<CKIV5980Doc*>(const_cast<fw::CDocument*>(document));
        if (!m_prf.m_projectSource || !project)
            return 0;
        m_prf.m_docIdent = project->GetDocIdent();
        Retake(project, true);
        return 1;
    }
    case kHintRegression:
    case kHintAxisReset:
        // The page changed the graph's settings itself.
        m_bRedraw = true;
        Invalidate();
        return 1;
    case kHintReferenceFile: {
        const auto* change = dynamic_cast<const CUpdateGraph*>(hintObject);
        if (!change || change->m_firstDoc != m_prf.m_docIdent)
            return 0;
        m_prf.m_docIdent = change->m_secondDoc;
        fw::CDocument* doc = const_cast<fw::CDocument*>(FindGraphDocument(m_prf.m_docIdent));
        if (!change->m_path.IsEmpty())
            m_prf.m_strTitle = change->m_path;
        else if (doc)
            m_prf.m_strTitle = doc->GetTitle();
        Retake(doc, false);
        return 1;
    }
    default:
        return 0;
    }
}

void CDrawHistObj::Retake(fw::CDocument* document, bool resizeLegend)
{
    SetGraphPrf(m_prf, document);
    if (resizeLegend)
        ResizeLegend();
    m_bRedraw = true;
    Invalidate();
    MarkModified();
}

void CDrawHistObj::ResizeLegend()
{
    if (auto* page = dynamic_cast<CGraphViewDoc*>(m_pDocument))
        if (CDrawObj* legend = page->FindLegObj())
            legend->ResetSize();
}

void CDrawHistObj::OnEditProperties()
{
    CHistGraphPrf edited = m_prf;
    CHistGraphDlg dlg(edited);
    if (dlg.DoModal() != fw::IDOK)
        return;
    ProjectHost().StopPanelPolling();
    try {
        SetGraphPrf(edited);
    } catch (const std::bad_alloc& e) {
        // The panel stays paused: the graph is left half-taken.
        fw::ReportException(e);
        return;
    }
    ResizeLegend();
    NotifyChanged();
    MarkModified();
    ProjectHost().RestartPanelPolling();
}

// ---- the page's graph commands ---------------------------------------------------------------

bool CDrawHistObj::EditScales()
{
    CScaleDlg dlg;
    // The frequency graph offers linear or logarithmic counts only.
    dlg.m_settings.frequencyMode = 1;
    dlg.LoadScales(m_draw);
    if (dlg.DoModal() != fw::IDOK)
        return false;
    dlg.StoreScales(m_draw);
    m_bRedraw = true;
    return true;
}

bool CDrawHistObj::EditGrid()
{
    GrFrameRec frame = m_draw.Frame();
    if (!GraphDocDialogs().EditGrid(frame))
        return false;
    m_draw.Frame() = frame;
    m_draw.CreatePlot();
    m_bRedraw = true;
    return true;
}

bool CDrawHistObj::EditLabels()
{
    if (!GraphDocDialogs().EditLabels(m_draw))
        return false;
    m_bRedraw = true;
    return true;
}

bool CDrawHistObj::BuildPlotLinePrfList(CGraphPrfList& list)
{
    try {
        list.Add(new CGraphPrf);
        for (int i = 0; i < m_draw.GetSeriesCount(); ++i) {
            CGraphParamArray* series = m_draw.GetSeries(i);
            auto profile = std::make_unique<CGraphPrf>();
            if (series) {
                profile->m_pSeries = series;
                profile->m_strSourceName = series->GetSourcePath();
                profile->m_docIdent = series->GetSourceDocument();
                int16_t block[CGraphPrf::kLineBlockValues];
                static_assert(sizeof block == sizeof(tSeriesStyle));
                std::memcpy(block, &series->GetStyle(), sizeof block);
                profile->SetLineBlock(block);
            }
            list.Add(profile.release());
        }
        return true;
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return false;
    }
}

bool CDrawHistObj::EditPlotLines()
{
    CGraphPrfList list;
    if (!BuildPlotLinePrfList(list))
        return false;
    if (!GraphObjectDialogs().EditPlotLines(list, true, false))
        return false;
    m_bRedraw = true;
    // The bar dialog edits outline and fill only; the series keep the rest
    // of their style (a FROM/TO row its draw type).
    for (int i = 1; i < list.GetSize(); ++i) {
        CGraphParamArray* series = m_draw.GetSeries(i - 1);
        if (!series)
            continue;
        const CGraphPrf& edited = *list.GetAt(i);
        tSeriesStyle style = series->GetStyle();
        style.lineWidth = edited.m_lineWidth;
        style.lineHeight = edited.m_lineWidthCopy;
        style.fill = edited.m_fillPattern;
        style.symbolSize = edited.m_size;
        style.lineColor = edited.m_lineColor;
        style.fillColor = edited.m_fillColor;
        series->SetStyle(style);
    }
    return true;
}

CDrawObj* CDrawHistObj::Clone(CZELGraphViewDoc* document)
{
    // The copy is read from this graph's own record, so it has its scales,
    // frame, labels and series, and the counts it shows also while their
    // document is closed; an open document then lends it its analyses.
    fw::CMemFile file;
    {
        fw::CArchive out(&file, fw::CArchive::store);
        Serialize(out);
        out.Close();
    }
    file.SeekToBegin();
    auto copy = std::make_unique<CDrawHistObj>();
    {
        fw::CArchive in(&file, fw::CArchive::load);
        copy->Serialize(in);
    }
    copy->CopyFrom(*this);
    copy->SetGraphPrf(copy->m_prf);
    copy->m_draw.SetGraphRect(fw::CRect());
    copy->m_bRedraw = true;
    CDrawHistObj* result = copy.release();
    if (document)
        document->AddObject(result);
    return result;
}

CDrawHistObj* AddHistGraph(CZELGraphViewDoc& page, const CHistGraphPrf& profile, fw::CDocument* source)
{
    auto* graph = new CDrawHistObj(page.GetPageRect());
    graph->SetGraphPrf(profile, source);
    graph->UpdateAxisTitles();
    page.AddObject(graph);
    page.SetModifiedFlag(true);
    return graph;
}
