#pragma once

// What a grid style asks of the grids attached to it, so that it can keep
// their current cells and scroll positions inside the table when its
// counts change. The grid window implements it.

#include "grid/model/GridTypes.h"

class IGridStyleClient {
public:
    virtual ~IGridStyleClient() = default;

    // The sheet pane's current cell and selection.
    virtual CCellIndices GetStyleCurrentCell() const = 0;
    virtual CCellRange GetStyleSelection() const = 0;
    // Sets the sheet's selection, current and end cell without telling the owner.
    virtual void SetStyleSelection(const CCellRange& range, CCellIndices current, CCellIndices end) = 0;
    virtual CCellIndices GetStyleTopLeft() const = 0;
    virtual void ScrollStyleTo(CCellIndices topLeft) = 0;
    // The style is going away: the grid must forget it.
    virtual void DropStyle() = 0;
    // Invalidate with erasing and repaint at once.
    virtual void RedrawStyleNow() = 0;
};
