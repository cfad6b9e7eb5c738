#include "graphdoc/model/GraphViewDoc.h"

#include "chart/model/RegressionSettings.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StringTable.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphDocHooks.h"
#include "graphdoc/model/GraphDocTexts.h"
#include "graphdoc/model/GraphPageHost.h"
#include "project/model/ProjectHost.h"

#include <algorithm>
#include <cstring>
#include <new>

FW_IMPLEMENT_DYNCREATE(CGraphViewDoc, CZELGraphViewDoc)

FW_BEGIN_COMMANDS(CGraphViewDoc, CZELGraphViewDoc)
FW_ON_COMMAND(ID_GRAPH_AXES, &CGraphViewDoc::OnGraphAxes)
FW_ON_UPDATE(ID_GRAPH_AXES, &CGraphViewDoc::OnUpdateGraphCommand)
FW_ON_COMMAND(ID_GRAPH_GRID, &CGraphViewDoc::OnGraphGrid)
FW_ON_UPDATE(ID_GRAPH_GRID, &CGraphViewDoc::OnUpdateGraphCommand)
FW_ON_COMMAND(ID_GRAPH_LABELS, &CGraphViewDoc::OnGraphLabels)
FW_ON_UPDATE(ID_GRAPH_LABELS, &CGraphViewDoc::OnUpdateGraphCommand)
FW_ON_COMMAND(ID_GRAPH_PLOT_LINES, &CGraphViewDoc::OnGraphPlotLines)
FW_ON_UPDATE(ID_GRAPH_PLOT_LINES, &CGraphViewDoc::OnUpdateGraphCommand)
FW_ON_COMMAND(ID_GRAPH_PLOT_DATA, &CGraphViewDoc::OnGraphPlotData)
FW_ON_UPDATE(ID_GRAPH_PLOT_DATA, &CGraphViewDoc::OnUpdateGraphCommand)
FW_ON_COMMAND(ID_GRAPH_ADD_LEGEND, &CGraphViewDoc::OnAddLegend)
FW_ON_UPDATE(ID_GRAPH_ADD_LEGEND, &CGraphViewDoc::OnUpdateAddLegend)
FW_ON_COMMAND(ID_GRAPH_LEGEND_SETTINGS, &CGraphViewDoc::OnLegendSettings)
FW_ON_UPDATE(ID_GRAPH_LEGEND_SETTINGS, &CGraphViewDoc::OnUpdateLegendSettings)
FW_ON_COMMAND(ID_GRAPH_REGRESSION, &CGraphViewDoc::OnRegression)
FW_ON_UPDATE(ID_GRAPH_REGRESSION, &CGraphViewDoc::OnUpdateRegression)
FW_ON_COMMAND(ID_GRAPH_AXIS_RESET, &CGraphViewDoc::OnAxisReset)
FW_ON_UPDATE(ID_GRAPH_AXIS_RESET, &CGraphViewDoc::OnUpdateAxisReset)
FW_ON_COMMAND(ID_GRAPH_DUPLICATE, &CGraphViewDoc::OnDuplicate)
FW_END_COMMANDS

namespace {

constexpr char kOpenTag[] = "<GRAPHVIEW>";
constexpr char kCloseTag[] = "</GRAPHVIEW>";
constexpr size_t kOpenTagBytes = sizeof kOpenTag - 1;
constexpr size_t kCloseTagBytes = sizeof kCloseTag - 1;
// The change flags of hint 12 that concern a graph page, and those that
// reach the main graph first.
constexpr int32_t kPageChangeFlags = 0x13D;
constexpr int32_t kLegendChangeFlags = 0x10;
constexpr int32_t kGraphChangeFlags = 0x21;

} // namespace

bool IsKindOfClassName(const fw::CObject* object, const char* className)
{
    if (!object)
        return false;
    for (const fw::CRuntimeClass* cls = object->GetRuntimeClass(); cls; cls = cls->base) {
        if (std::strcmp(cls->name, className) == 0)
            return true;
    }
    return false;
}

IGraphPageHost& GraphPageHost()
{
    static CGraphPageHost standalone;
    IGraphPageHost* installed = fw::Installed<IGraphPageHost>();
    return installed ? *installed : standalone;
}

IGraphDocDialogs& GraphDocDialogs()
{
    static IGraphDocDialogs none;
    IGraphDocDialogs* installed = fw::Installed<IGraphDocDialogs>();
    return installed ? *installed : none;
}

fw::CString GraphDocText(unsigned id, const char* fallback)
{
    fw::CString text;
    if (fw::LoadString(id, text) && !text.IsEmpty())
        return text;
    return fallback;
}

// --- the file -----------------------------------------------------------------

void CGraphViewDoc::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.Write(kOpenTag, kOpenTagBytes);
        ar << kFileVersion;
        ar.Write(kCloseTag, kCloseTagBytes);
        ar << m_reservedWord;
    } else {
        LoadHeader(ar);
    }
    CZELGraphViewDoc::Serialize(ar);
}

void CGraphViewDoc::LoadHeader(fw::CArchive& ar)
{
    const uint64_t start = ar.Tell();
    bool headed = false;
    try {
        char tag[kOpenTagBytes + 1] = {};
        const size_t read = ar.Read(tag, kOpenTagBytes);
        if (read > 0 && std::strcmp(tag, kOpenTag) == 0) {
            int32_t version = 0;
            ar >> version;
            char closing[kCloseTagBytes];
            ar.ReadExact(closing, sizeof closing);
            if (version > kFileVersion) {
                fw::AfxMessageBox(kIdsGraphPageVersion);
                fw::ThrowUserException();
            }
            int32_t reserved = 0;
            ar >> reserved;
            m_reservedWord = reserved;
            headed = true;
        }
    } catch (const fw::CArchiveException&) {
        headed = false;
    }
    // A file of the old form begins with the page itself.
    if (!headed)
        ar.Seek(start);
}

bool CGraphViewDoc::OnNewDocument()
{
    return CZELGraphViewDoc::OnNewDocument();
}

bool CGraphViewDoc::OnOpenDocument(const fw::CString& path)
{
    CPollingPause pause;
    const bool opened = CZELGraphViewDoc::OnOpenDocument(path);
    UpdateRegression(FindGraphObj(), false);
    return opened;
}

void CGraphViewDoc::OnCloseDocument()
{
    CPollingPause pause;
    CZELGraphViewDoc::OnCloseDocument();
}

void CGraphViewDoc::SetPathName(const fw::CString& path, bool)
{
    CZELGraphViewDoc::SetPathName(path, false);
}

void CGraphViewDoc::DuplicateInto(CGraphViewDoc* target)
{
    target->m_reservedWord = m_reservedWord;
    CopyPageSetup(target);
    // The frames show the new page's title with its kind.
    target->SetTitle(target->GetTitle());
}

// --- roles -------------------------------------------------------------------------

CDrawGraphObj* CGraphViewDoc::FindGraphObj() const
{
    for (CDrawObj* object : m_objects) {
        if (auto* graph = dynamic_cast<CDrawGraphObj*>(object))
            return graph;
    }
    return nullptr;
}

namespace {

CDrawObj* FindByName(const CDrawObjList& objects, const char* className)
{
    for (CDrawObj* object : objects) {
        if (IsKindOfClassName(object, className))
            return object;
    }
    return nullptr;
}

} // namespace

CDrawObj* CGraphViewDoc::FindHistObj() const
{
    return FindByName(m_objects, "CDrawHistObj");
}

CDrawObj* CGraphViewDoc::FindLegObj() const
{
    // The spectrum legend derives from the legend.
    return FindByName(m_objects, "CDrawLegObj");
}

CDrawObj* CGraphViewDoc::FindRegressObj() const
{
    return FindByName(m_objects, "CDrawRegressObj");
}

CGraphSetting* CGraphViewDoc::GetMainGraphDraw() const
{
    if (auto* source = dynamic_cast<IMainGraphDrawSource*>(FindHistObj()))
        return source->GetMainGraphDraw();
    if (CDrawGraphObj* graph = FindGraphObj())
        return &graph->Draw();
    return nullptr;
}

int CGraphViewDoc::GetGraphDataMode() const
{
    const CDrawGraphObj* graph = FindGraphObj();
    return graph ? graph->Draw().m_dataMode : -1;
}

int CGraphViewDoc::GetSimpleGraphKind() const
{
    const CDrawGraphObj* graph = FindGraphObj();
    return IsKindOfClassName(graph, "CSimpleGraphObj") ? graph->GetCreationKind() : 0;
}

void CGraphViewDoc::RefreshLegend()
{
    CDrawGraphObj* graph = FindGraphObj();
    if (!graph || !graph->UpdateLegendTexts())
        return;
    if (CDrawObj* legend = FindLegObj()) {
        legend->ResetSize();
        legend->Invalidate();
    }
}

void CGraphViewDoc::UpdateRegression(CDrawGraphObj* graph, bool incremental)
{
    if (!graph || !graph->Draw().HasRegression())
        return;
    CKivGraphDraw& draw = graph->Draw();
    const bool recomputed = incremental ? draw.UpdateRegression() : draw.ComputeRegression();
    if (recomputed) {
        if (auto* display = dynamic_cast<IRegressionDisplay*>(FindRegressObj())) {
            tRegressionSettings settings;
            if (draw.GetRegression(settings))
                display->SetRegression(settings, true);
        }
    }
    graph->OnUpdate(kHintRegression, nullptr);
}

CDrawObj* CGraphViewDoc::AddLegend()
{
    CDrawGraphObj* graph = FindGraphObj();
    const char* className = IsKindOfClassName(graph, "CDrawPowObj") ? "CDrawPowLegObj" : "CDrawLegObj";
    const fw::CRuntimeClass* cls = fw::CRuntimeClass::FromName(className);
    if (!cls)
        return nullptr;
    CDrawObj* legend = nullptr;
    try {
        legend = dynamic_cast<CDrawObj*>(cls->CreateObject());
        if (!legend)
            return nullptr;
        legend->m_position = GetPageRect();
        AddObject(legend);
        // Sized to its entries, then kept inside the page's width.
        legend->ResetSize();
        const int width = m_pageSize.cx;
        fw::CRect& rect = legend->m_position;
        if (rect.right > width) {
            const int shift = std::min(rect.right - width, rect.left);
            rect.OffsetRect(-std::max(shift, 0), 0);
        }
        return legend;
    } catch (const std::bad_alloc& e) {
        if (legend) {
            RemoveObject(legend);
            legend->Remove();
        }
        fw::ReportException(e);
        return nullptr;
    }
}

// --- hints -------------------------------------------------------------------------

void CGraphViewDoc::SendToAll(intptr_t hint, fw::CObject* hintObject, const CDrawObj* skip)
{
    // A receiver may change the stack.
    const CDrawObjList objects = m_objects;
    for (CDrawObj* object : objects) {
        if (object != skip)
            object->OnUpdate(hint, hintObject);
    }
}

void CGraphViewDoc::SendGraphFirst(intptr_t hint, fw::CObject* hintObject)
{
    CDrawGraphObj* graph = FindGraphObj();
    if (graph) {
        graph->OnUpdate(hint, hintObject);
        UpdateRegression(graph, false);
    }
    SendToAll(hint, hintObject, graph);
}

void CGraphViewDoc::RedrawViews()
{
    UpdateAllViews(nullptr, kHintRedrawInvalid, nullptr);
}

intptr_t CGraphViewDoc::DispatchUpdate(intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintDataDocOpened:
        SendToAll(hint, hintObject);
        RefreshLegend();
        return 0;
    case kHintDataChanged: {
        const auto* data = dynamic_cast<const CUpdateKivData*>(hintObject);
        const int32_t flags = data ? data->m_changeFlags : 0;
        if ((flags & kPageChangeFlags) == 0)
            return 0;
        if (flags & kLegendChangeFlags)
            RefreshLegend();
        if ((flags & kGraphChangeFlags) && FindGraphObj()) {
            SendGraphFirst(hint, hintObject);
        } else {
            CDrawObj* hist = FindHistObj();
            if (hist)
                hist->OnUpdate(hint, hintObject);
            SendToAll(hint, hintObject, hist);
        }
        RedrawViews();
        return 0;
    }
    case 13: case 14: case 24: case 25: case 31: case 35: case 39:
        SendGraphFirst(hint, hintObject);
        RedrawViews();
        return 0;
    case 19: case 20: case 21: case 22: case 23: case 32: case 33:
        SendToAll(hint, hintObject);
        RedrawViews();
        return 0;
    case 29: case 34:
        SendToAll(hint, hintObject);
        return 0;
    default:
        return CZELGraphViewDoc::DispatchUpdate(hint, hintObject);
    }
}

// --- commands ------------------------------------------------------------------------

void CGraphViewDoc::RunEditor(Editor editor)
{
    CDrawObj* target = nullptr;
    bool changed = false;
    if (CDrawObj* hist = FindHistObj()) {
        auto* editors = dynamic_cast<IGraphEditors*>(hist);
        if (!editors)
            return;
        target = hist;
        switch (editor) {
        case Editor::axes: changed = editors->EditScales(); break;
        case Editor::grid: changed = editors->EditGrid(); break;
        case Editor::labels: changed = editors->EditLabels(); break;
        case Editor::plotLines: changed = editors->EditPlotLines(); break;
        }
    } else if (CDrawGraphObj* graph = FindGraphObj()) {
        target = graph;
        switch (editor) {
        case Editor::axes: changed = graph->EditAxes(); break;
        case Editor::grid: changed = graph->EditGrid(); break;
        case Editor::labels: changed = graph->EditLabels(); break;
        case Editor::plotLines: changed = graph->EditPlotLines(); break;
        }
    }
    if (!target || !changed)
        return;
    SetModifiedFlag();
    if (editor != Editor::plotLines) {
        target->NotifyChanged();
        return;
    }
    target->Invalidate();
    if (CDrawObj* legend = FindLegObj())
        legend->ResetSize();
}

void CGraphViewDoc::OnGraphAxes() { RunEditor(Editor::axes); }
void CGraphViewDoc::OnGraphGrid() { RunEditor(Editor::grid); }
void CGraphViewDoc::OnGraphLabels() { RunEditor(Editor::labels); }
void CGraphViewDoc::OnGraphPlotLines() { RunEditor(Editor::plotLines); }

void CGraphViewDoc::OnGraphPlotData()
{
    if (CDrawObj* hist = FindHistObj())
        hist->OnEditProperties();
    else if (CDrawGraphObj* graph = FindGraphObj())
        graph->OnEditProperties();
}

void CGraphViewDoc::OnUpdateGraphCommand(fw::CCmdUI* ui)
{
    ui->Enable(FindHistObj() || FindGraphObj());
}

void CGraphViewDoc::OnAddLegend()
{
    AddLegend();
}

void CGraphViewDoc::OnUpdateAddLegend(fw::CCmdUI* ui)
{
    ui->Enable((FindHistObj() || FindGraphObj()) && !FindLegObj() && !IsEditLocked());
}

void CGraphViewDoc::OnLegendSettings()
{
    if (CDrawObj* legend = FindLegObj())
        legend->OnEditProperties();
}

void CGraphViewDoc::OnUpdateLegendSettings(fw::CCmdUI* ui)
{
    ui->Enable(FindLegObj() != nullptr);
}

void CGraphViewDoc::OnRegression()
{
    if (!GraphDocDialogs().EditRegression(*this))
        return;
    CDrawGraphObj* graph = FindGraphObj();
    CGraphSetting* draw = GetMainGraphDraw();
    CDrawObj* regress = FindRegressObj();
    tRegressionSettings settings;
    if (draw && draw->GetRegression(settings)) {
        draw->ComputeRegression();
        if (auto* display = dynamic_cast<IRegressionDisplay*>(regress)) {
            if (!draw->GetRegression(settings))
                settings.invalid = 1;
            display->SetRegression(settings, true);
        }
    } else if (regress) {
        // The views drop it from their selection first.
        UpdateAllViews(nullptr, kHintRegression, this);
        RemoveObject(regress);
        regress->Remove();
    }
    if (graph)
        graph->OnUpdate(kHintRegression, nullptr);
}

void CGraphViewDoc::OnUpdateRegression(fw::CCmdUI* ui)
{
    const CDrawGraphObj* graph = FindGraphObj();
    const int kind = graph ? graph->GetCreationKind() : -1;
    ui->Enable(IsKindOfClassName(graph, "CSimpleGraphObj") && (kind == 0 || kind == 1 || kind == 2 || kind == 7));
}

void CGraphViewDoc::OnAxisReset()
{
    if (CDrawGraphObj* graph = FindGraphObj())
        graph->OnUpdate(kHintAxisReset, nullptr);
}

void CGraphViewDoc::OnUpdateAxisReset(fw::CCmdUI* ui)
{
    ui->Enable(FindGraphObj() != nullptr);
}

void CGraphViewDoc::OnDuplicate()
{
    CPollingPause pause;
    CGraphViewDoc* target = nullptr;
    try {
        target = GraphPageHost().OpenNewGraphPage();
        if (target)
            DuplicateInto(target);
    } catch (const std::exception&) {
        if (target)
            target->OnCloseDocument();
        fw::AfxMessageBox(GraphDocText(kIdsGraphNotCreated, kTextGraphNotCreated));
    }
}
