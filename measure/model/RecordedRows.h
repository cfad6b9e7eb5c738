#pragma once

// The row layout of a recorded ".DAT" from its ".HED" header: each series
// BIT_LENGTH bits wide (16 when the key is missing), so a file of 32-bit
// series is measured by its real rows, not by two bytes per channel.

#include <cstdint>

// Bytes of one recorded row; 0 for a header without series.
int RecordedRowBytes(const char* header);

// The rows that a ".DAT" of `dataBytes` holds for the header; the import
// compares them with the header's sample count before offering to adjust.
int64_t RecordedRowsInData(const char* header, int64_t dataBytes);
