#pragma once

// The framework's own command numbers for editing, windows and bars, shared
// by every view and frame that routes them (file commands: Document.h).

namespace fw {

inline constexpr unsigned ID_EDIT_CLEAR = 57632;
inline constexpr unsigned ID_EDIT_COPY = 57634;
inline constexpr unsigned ID_EDIT_CUT = 57635;
inline constexpr unsigned ID_EDIT_PASTE = 57637;
inline constexpr unsigned ID_EDIT_SELECT_ALL = 57642;
inline constexpr unsigned ID_WINDOW_NEW = 57648;
inline constexpr unsigned ID_WINDOW_ARRANGE = 57649;
inline constexpr unsigned ID_WINDOW_CASCADE = 57650;
inline constexpr unsigned ID_WINDOW_TILE_HORZ = 57651;
inline constexpr unsigned ID_WINDOW_TILE_VERT = 57652;
inline constexpr unsigned ID_OLE_INSERT_NEW = 57856;
inline constexpr unsigned ID_VIEW_TOOLBAR = 59392;
inline constexpr unsigned ID_VIEW_STATUS_BAR = 59393;

} // namespace fw
