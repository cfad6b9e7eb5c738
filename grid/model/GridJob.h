#pragma once

// Where a range operation or an undo step took place on a grid: the
// selection, the current cell, the cell a Shift extension stands on and
// the top-left visible cell. Undo records and range jobs store it in
// front of their own data.

#include "framework/core/Object.h"
#include "grid/model/GridTypes.h"

#include <cstdint>

class CGridJob : public fw::CObject {
    FW_DECLARE_SERIAL(CGridJob)
public:
    CCellRange m_selection;
    CCellIndices m_current;
    CCellIndices m_end;
    CCellIndices m_topLeft;

    // The saved position the grid restores.
    CGridPosition GetPosition() const { return {m_selection, m_current, m_end, m_topLeft}; }
    void SetPosition(const CGridPosition& position);

    // 40 bytes, each pair column first.
    void Serialize(fw::CArchive& ar) override;
};
