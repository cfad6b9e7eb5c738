#pragma once

// The table of the separate monitor panel: per monitored channel its name,
// unit, current value and, with peak monitoring, its running maximum and
// minimum, read from the project's channel tanks when painted. Its font,
// colours and columns follow the project's monitor settings; a larger font
// scales every row and column with it. Shows nothing without a document.

#include "framework/core/Geometry.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"

#include <functional>

class CKIV5980Doc;

class CMoniterView : public CZELGrid {
public:
    static constexpr unsigned kIdsName = 180, kIdsUnit = 184, kIdsData = 444, kIdsMax = 449, kIdsMin = 450;
    // Rows the panel makes room for; more scroll.
    static constexpr int32_t kMaxFittedRows = 31;

    CMoniterView();

    void OnInitialUpdate();
    void SetDocument(CKIV5980Doc* doc);
    CKIV5980Doc* GetDocument() const { return m_doc; }
    void ApplySettings(bool redraw);
    // Header and every row (at most kMaxFittedRows) and every column.
    fw::CSize ContentSize() const;
    CZELGridStyle& Style() { return m_style; }

    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;

    // The frame fits itself when a document comes.
    std::function<void()> onDocumentSet;

private:
    int MonitoredCount() const;

    CZELGridStyle m_style;
    CKIV5980Doc* m_doc = nullptr;
};

// Row height of a font: a fifth of its record height (tenths of a point).
int32_t MonitorRowHeight(const LOGFONT& font);
