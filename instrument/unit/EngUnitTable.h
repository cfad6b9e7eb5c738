#pragma once

// The 41 engineering units a channel can be given (attribute 25 holds the
// index). Every unit has a plain ASCII form, which files carry, and a display
// form for the tables and the unit menu, where "\super" toggles superscript.

namespace engunit {

inline constexpr int kCount = 41;
// No unit: every channel's default; one blank in files, empty on screen.
inline constexpr int kNone = 29;
// Degrees Celsius, the only unit of a thermocouple channel.
inline constexpr int kCelsius = 4;

// The tables themselves, kCount entries each, for FindTextInTable.
extern const char* const kAsciiTexts[kCount];
extern const char* const kDisplayTexts[kCount];

// Empty outside 0 to kCount - 1.
const char* AsciiText(int index);
const char* DisplayText(int index);

} // namespace engunit
