#pragma once

// The monitor inside the measurement panel: one row per monitored channel
// with its name, current value and, with peak monitoring, its running
// maximum and minimum, read from the project's channel tanks at paint
// time. While attached, every monitored channel has one more watcher, so
// the panel polls it.

#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"

#include <vector>

class CKIV5980Doc;

class CMoniterGrid : public CZELGrid {
public:
    static constexpr unsigned kIdsName = 180, kIdsData = 444, kIdsMax = 449, kIdsMin = 450;

    CMoniterGrid();
    ~CMoniterGrid() override;

    // Takes the monitored channels of the document (null: none).
    void Attach(CKIV5980Doc* doc);
    // Columns, rows and colours after a change of the settings.
    void ApplySettings(bool redraw);

    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;

private:
    void Watch(bool on);

    CZELGridStyle m_style;
    CKIV5980Doc* m_doc = nullptr;
    std::vector<int32_t> m_watched;
};
