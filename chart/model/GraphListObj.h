#pragma once

// A list graph: a column of strip graphs, one drawer per row, that share
// five fonts, one frame record and one series style. The host lays the
// rows out and asks the list to draw a row into the rectangle it gives.

#include "chart/model/GrFrameRec.h"
#include "chart/model/GraphListPrf.h"
#include "chart/model/ListGraphDraw.h"
#include "chart/model/SeriesStyle.h"
#include "common/base/LogFont.h"
#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <vector>

namespace fw {
class CDC;
}
class CDrawMarkerList;

class CGraphListObj : public fw::CObject {
    FW_DECLARE_SERIAL(CGraphListObj)
public:
    // Drawing modes of a row.
    static constexpr int kFitAndDraw = 1;
    static constexpr int kSeriesOnly = 2;
    static constexpr int kFitOnly = 4;

    CGraphListObj();
    ~CGraphListObj() override;
    CGraphListObj(const CGraphListObj&) = delete;
    CGraphListObj& operator=(const CGraphListObj&) = delete;

    // The list's style, frame and fonts, then the rows (an empty row as a
    // null object).
    void Serialize(fw::CArchive& ar) override;

    // Hints 12 and 16 (data or used channels changed) scale every row.
    virtual void OnUpdate(int hint, const fw::CObject* info);
    virtual void Recalculate(bool autoScale);
    virtual void SetStateFlag() { m_state = 1; }
    virtual void ClearStateFlag() { m_state = 0; }
    // Rows read from one archive share tank objects; the tank lists take
    // one reference for every later slot of a shared tank as they load, so
    // nothing is left to count here.
    virtual void AddRefSharedTanks() {}
    // Rows from a profile list (header first): rows without channels become
    // empty, every row with channels gets one series of its document's
    // tanks, or of the entry's series record while the document is closed.
    // A list without entries throws the invalid-argument exception.
    virtual void ApplyRowProfiles(const CGraphPrfList& profiles);
    // A new row drawer with the list's frame and the row defaults.
    virtual CListGraphDraw* CreateRow();

    void Reset();
    // Draws row `row` into the rectangle (modes above; other modes draw
    // nothing).
    void DrawRowPart(fw::CDC& dc, const fw::CRect& rect, int row, int mode);
    // Places every drawn marker on row `row` at its mark's sample of the
    // row's first series and draws it; a marker beyond the plot's X extent
    // is hidden. An empty row draws nothing.
    void DrawMarkers(fw::CDC& dc, int row, CDrawMarkerList& markers);
    void ApplyFonts();
    void RebuildAxes();
    // Whether any row's scale changed.
    bool AutoScaleAll();

    // The list-graph dialogs through the installed IListGraphDialogs; on OK
    // the rows are recalculated (auto-scaled after scales and draw
    // methods). True when the user confirmed.
    bool EditLabels();
    bool EditScales();
    bool EditDrawTypes();
    // The list's frame record; on OK every non-empty row takes a copy and
    // rebuilds its axes.
    bool EditGridLines();
    // The list's series style; on OK all its values, the draw type
    // included, go to the first series of every non-empty row.
    bool EditPlotLines();
    // Fonts, scales and labels of another list, row by row by Y channel,
    // and the draw types of the rows at the same places.
    void CopyLayoutFrom(const CGraphListObj& other);

    // Rows: a null entry is an empty row. An index outside the rows throws
    // the invalid-argument exception.
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    CListGraphDraw* GetRow(int row) const;
    // Puts a drawer (owned from now on) at the end; null for an empty row.
    void AppendRow(CListGraphDraw* drawer);
    void DeleteRows();
    // The rows of a new profile list: one row per entry, rows beyond them
    // deleted; an entry with channels keeps its drawer or gets a new one,
    // an entry without them makes the row empty.
    void ShapeRows(const std::vector<bool>& withChannels);

    uint8_t GetState() const { return m_state; }

    LOGFONT m_legendFont;
    LOGFONT m_xTitleFont;
    LOGFONT m_yTitleFont;
    LOGFONT m_xTickFont;
    LOGFONT m_yTickFont;
    tSeriesStyle m_style;
    GrFrameRec m_frame;

protected:
    // One row's series from its entry (steps after the drawer exists).
    void ApplyRowProfile(CListGraphDraw& row, const CGraphListPrf& entry, const CDocIdent& headerIdent,
                         const fw::CDocument* headerDoc);
    // Row drawers with the list's frame record, the axes expanding with
    // their data, no sub-steps and tick labels seven characters wide.
    void InitRow(CListGraphDraw& row) const;

    uint8_t m_state = 0;
    std::vector<CListGraphDraw*> m_rows;
};
