#pragma once

// One frequency record of every control unit, read into one analysis
// array: record `record` of each unit's list (a null list is skipped), its
// keyword header first, then the count file whose size the header gives.
// From the units' cards ("DAT<name>.HED", "DAT<name>.DAT") or from the
// record's files in a PC folder (the entry's name is the path without
// extension). False when an entry is missing or a file cannot be read or
// taken; nothing is reported.

#include "instrument/system/BoxArray.h"

class CHistCountArray;

bool DownloadCardFiles(CBoxArray& system, const CBoxArray::FileVectors& lists, CHistCountArray& analyses,
                       int record);
bool DownloadMemoryFiles(const CBoxArray::FileVectors& lists, CHistCountArray& analyses, int record);
