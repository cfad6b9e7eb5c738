#pragma once

// The grid of the history pages: scroll bars over the used part of the
// table, and a corner whose resized columns become the row header's
// column widths of the style, index by index, for every grid of it.

#include "grid/views/SpredView.h"

class CMMAGrid : public CZELGridEX {
    FW_DECLARE_DYNAMIC(CMMAGrid)
public:
    using CZELGridEX::CZELGridEX;
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

protected:
    void OnEndResizeTrack(int paneId);
};
