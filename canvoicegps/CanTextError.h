#pragma once

// Refusing a damaged settings or CAN database text: a CZelException
// (code 1) whose message names the line and what is wrong with it.

#include <string_view>

namespace cantext {

// `line` is 1-based; `reasonId` a string id whose %1 takes `detail`.
[[noreturn]] void ThrowTextError(int line, unsigned reasonId, std::string_view detail = {});

// The 1-based line number of a byte position in a text.
int LineNumberAt(std::string_view text, size_t position);

// The line that starts at `position`, without its line end (LF or CR LF);
// `position` moves to the start of the next line. False at the end.
bool NextLine(std::string_view text, size_t& position, std::string_view& line);

} // namespace cantext
