#pragma once

// The document of a graph page: the page of drawing objects saved as a
// ".kivg" file behind its own header, the graph commands of the page (axes,
// grid, labels, plot lines, plot data, legend, regression, axis reset,
// duplicate) and the routing of the application's numbered hints to its
// objects and views.

#include "docbase/doc/UpdateHints.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"

#include <cstdint>

namespace fw {
class CCmdUI;
}

class CDrawGraphObj;
class CDrawObj;
class CGraphSetting;
class CKivGraphDraw;
struct tRegressionSettings;

// A drawing object that shows the regression of the page's graph (the
// regression formula) takes the recomputed settings through this.
class IRegressionDisplay {
public:
    virtual ~IRegressionDisplay() = default;
    virtual void SetRegression(const tRegressionSettings& settings, bool resize) = 0;
};

// The frequency graph object gives the page's drawer through this.
class IMainGraphDrawSource {
public:
    virtual ~IMainGraphDrawSource() = default;
    virtual CGraphSetting* GetMainGraphDraw() = 0;
};

// Objects with editors that the page's graph commands run (the frequency
// graph); each answers whether something changed.
class IGraphEditors {
public:
    virtual ~IGraphEditors() = default;
    virtual bool EditScales() = 0;
    virtual bool EditGrid() = 0;
    virtual bool EditLabels() = 0;
    virtual bool EditPlotLines() = 0;
};

// Command ids of the page's document.
inline constexpr unsigned ID_GRAPH_AXES = 32886;
inline constexpr unsigned ID_GRAPH_GRID = 32884;
inline constexpr unsigned ID_GRAPH_LABELS = 32887;
inline constexpr unsigned ID_GRAPH_PLOT_LINES = 32883;
inline constexpr unsigned ID_GRAPH_PLOT_DATA = 32882;
inline constexpr unsigned ID_GRAPH_ADD_LEGEND = 32888;
inline constexpr unsigned ID_GRAPH_LEGEND_SETTINGS = 32889;
inline constexpr unsigned ID_GRAPH_REGRESSION = 33101;
inline constexpr unsigned ID_GRAPH_AXIS_RESET = 32823;
inline constexpr unsigned ID_GRAPH_DUPLICATE = 32908;

// Hints that the page routes or sends.
enum : intptr_t {
    kHintDataChanged = 12,
    kHintChannelsInserted = 13,
    kHintChannelsDeleted = 14,
    kHintPlotRange = 24,
    kHintReferenceFile = 25,
    kHintRegression = 29,
    kHintAxisReset = 36,
};

class CGraphViewDoc : public CZELGraphViewDoc {
    FW_DECLARE_DYNCREATE(CGraphViewDoc)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int32_t kFileVersion = 3;
    static constexpr unsigned kTemplateId = 131;

    CGraphViewDoc() = default;
    ~CGraphViewDoc() override = default;

    // --- the document ---------------------------------------------------------
    void Serialize(fw::CArchive& ar) override;
    bool OnNewDocument() override;
    bool OnOpenDocument(const fw::CString& path) override;
    void OnCloseDocument() override;
    // Graph files never enter the recent-file list.
    void SetPathName(const fw::CString& path, bool addToMru = true) override;
    intptr_t DispatchUpdate(intptr_t hint, fw::CObject* hintObject) override;
    // The reserved word, the page set-up and a clone of every object.
    virtual void DuplicateInto(CGraphViewDoc* target);

    // --- roles: the first object of the class, walking from the bottom ---------
    CDrawGraphObj* FindGraphObj() const;
    CDrawObj* FindHistObj() const;
    CDrawObj* FindLegObj() const;
    CDrawObj* FindRegressObj() const;
    // The frequency graph's drawer when there is one, else the main graph's;
    // null on a page with neither.
    CGraphSetting* GetMainGraphDraw() const;
    // The main graph's data mode; -1 without a main graph.
    int GetGraphDataMode() const;
    // The creation kind of a simple graph as main graph, else 0.
    int GetSimpleGraphKind() const;
    void RefreshLegend();
    void UpdateRegression(CDrawGraphObj* graph, bool incremental);
    // A spectrum legend on a spectrum page, else a plain legend, fitted into
    // the page; null when none could be made.
    CDrawObj* AddLegend();

    // --- commands -------------------------------------------------------------
    void OnGraphAxes();
    void OnGraphGrid();
    void OnGraphLabels();
    void OnGraphPlotLines();
    void OnGraphPlotData();
    void OnUpdateGraphCommand(fw::CCmdUI* ui);
    void OnAddLegend();
    void OnUpdateAddLegend(fw::CCmdUI* ui);
    void OnLegendSettings();
    void OnUpdateLegendSettings(fw::CCmdUI* ui);
    void OnRegression();
    void OnUpdateRegression(fw::CCmdUI* ui);
    void OnAxisReset();
    void OnUpdateAxisReset(fw::CCmdUI* ui);
    void OnDuplicate();

    int32_t m_reservedWord = 0;

private:
    enum class Editor { axes, grid, labels, plotLines };
    void RunEditor(Editor editor);
    // Hint to the main graph, its regression, then to every other object.
    void SendGraphFirst(intptr_t hint, fw::CObject* hintObject);
    void SendToAll(intptr_t hint, fw::CObject* hintObject, const CDrawObj* skip = nullptr);
    void RedrawViews();
    void LoadHeader(fw::CArchive& ar);
};

// Whether `object`'s class or one of its bases carries the name (classes of
// higher layers are known to the page only by name).
bool IsKindOfClassName(const fw::CObject* object, const char* className);
