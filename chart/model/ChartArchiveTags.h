#pragma once

// Raw section tags of the charting engine's archive forms: later additions
// that a writer puts in front of their block and a reader peeks for
// (WriteArchiveTag, PeekArchiveTag), without length or terminator.

// A series' draw type (i16) follows.
inline constexpr const char kDrawTypeTag[] = "<DRAWTYPE>";
inline constexpr const char kAutoScrollTag[] = "<AUTOSCROLLL>";
inline constexpr const char kListGraphExTag[] = "<LISTGRAPHEX>";
