#pragma once

// The menus a table view opens on one cell or column: the number formats
// of the program's format table and the units, under a cell or at a point,
// and the naming dialog that names a run of rows.

#include "framework/core/Geometry.h"

#include <cstdint>

class CDocTableView;
class CNameSetParam;

namespace fw {
class CMenu;
class CWnd;
}

namespace cellmenu {

inline constexpr unsigned kIdFormatFirst = 32797;
inline constexpr unsigned kIdFormatLast = 32813;
inline constexpr unsigned kIdNameChannels = 32845;
// The code of no format.
inline constexpr int16_t kNoFormat = -9999;

// The format code a format command chooses; kNoFormat for none.
int16_t FormatCodeOf(unsigned id);
// The number formats as a popup menu; false when it could not be made.
bool BuildFormatMenu(fw::CMenu& menu);
// The unit or format menu under the cell, or the format menu at a screen
// point ((-1, -1): from the keyboard); the chosen command, already run by
// the view, 0 when none.
unsigned TrackUnitMenu(CDocTableView& view, int32_t col, int32_t row);
unsigned TrackFormatMenu(CDocTableView& view, int32_t col, int32_t row);
unsigned TrackFormatMenuAt(CDocTableView& view, fw::CPoint screen);
// The naming dialog: the pattern to name with (the program's kept one, or
// `local` without it), its counter started from the dialog's start number;
// none when cancelled.
CNameSetParam* AskNamePattern(fw::CWnd* parent, CNameSetParam& local);

} // namespace cellmenu
