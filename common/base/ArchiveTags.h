#pragma once

// Raw section tags ("<CAL>", "<HIST>", ...) that make the program's archive
// forms extensible: a writer puts the tag's bytes in front of an optional
// block; a reader peeks whether the tag comes next and otherwise reads on as
// if nothing had been read.

namespace fw {
class CArchive;
}

// The bytes of `tag`, without length and terminator.
void WriteArchiveTag(fw::CArchive& ar, const char* tag);

// True when the next bytes of a loading archive are exactly `tag`, which are
// then consumed. Otherwise false, and the archive reads on from where it
// stood (also at the end of the data, or when reading failed).
bool PeekArchiveTag(fw::CArchive& ar, const char* tag);
