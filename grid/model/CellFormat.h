#pragma once

// How a cell is drawn: the default of a pane, or a per-cell override that
// the owner hands back from its drawing callback.

#include "common/base/LogFont.h"
#include "framework/core/Geometry.h"

#include <cstdint>

namespace fw {
class CArchive;
}

enum CellFormatFlags : uint32_t {
    kCellUseFont = 0x1,
    kCellUseTextColor = 0x2,
    kCellFillBack = 0x4,
    kCellUseAlign = 0x8,
    kCellMultiLine = 0x10,
    kCellDropButton = 0x10000000,
    kCellCheckBox = 0x20000000,
};

// Every per-cell switch on, line breaks off.
inline constexpr uint32_t kPaneDefaultCellFlags = 0x0FFFFFEF;

enum CellAlign : uint32_t {
    kAlignLeft = 0x1,
    kAlignCenter = 0x2,
    kAlignRight = 0x3,
    kAlignTop = 0x10,
    kAlignMiddle = 0x20,
    kAlignBottom = 0x30,
    kAlignHorzMask = 0x0F,
    kAlignVertMask = 0xF0,
};

struct CellFormat {
    uint32_t nFlags = 0;
    LOGFONT lf;
    uint8_t bSysTextColor = 0;
    fw::COLORREF crText = 0;
    fw::COLORREF crBack = 0;
    uint32_t nAlign = 0;

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};
