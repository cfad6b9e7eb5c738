#pragma once

// Files a user would bring along: a measurement-data file written by the
// data model itself, in a child process so that the program under test
// starts with nothing registered or installed by the test.

#include <string>

namespace road {

// Writes a data file of three input channels (CH-A, CH-B, CH-C) and one
// calculated channel at `path`; false when it could not be written.
bool MakeDataFile(const std::string& path);
// Writes a frequency-data file of four analyses into `folder` (the name is
// the document's own); its path, or "" when it could not be written.
std::string MakeFrequencyFile(const std::string& folder);

} // namespace road
