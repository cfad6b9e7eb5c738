#pragma once

// A grid's own layout, held in a base that is built before the grid and
// ended after it: the grid detaches itself from a layout that still lives.

#include "grid/model/GridStyle.h"

struct CGridLayoutHolder {
    CZELGridStyle m_layout;
};
