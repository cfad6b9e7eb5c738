#pragma once

// Table text on the clipboard: the grid's own form is CP932 bytes (TAB
// between cells, CR LF after every row), kept under its own type; other
// programs get the same text as UTF-8 plain text.

#include <cstdint>
#include <vector>

// The type under which the CP932 bytes travel.
inline constexpr const char* kGridTextMime = "application/x-kiv-grid-text";

// Replaces the clipboard's contents with the text.
void SetGridClipboardText(const std::vector<uint8_t>& cp932);
// The table text on the clipboard as CP932 bytes: the grid's own form, or
// plain text from another program; false when there is none.
bool GetGridClipboardText(std::vector<uint8_t>& cp932);
