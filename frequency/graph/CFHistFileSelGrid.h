#pragma once

// The selectable list of a control unit's frequency files on a memory
// card: the card-file selection grid with a row header of two columns.

#include "measure/views/transfer/CFFileGrids.h"

class CCFHistFileSelGrid : public CCFFileSelGrid {
public:
    static constexpr int kHeaderColumns = 2;

    CCFHistFileSelGrid() : CCFFileSelGrid(kHeaderColumns) {}
};
