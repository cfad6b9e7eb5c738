#pragma once

// What the project document needs of the frequency-data files without
// including the document that writes them (it lies above the project):
// saving a record as a new file, reading a file's header for the
// frequency history, and retitling a file in place. The program installs
// the implementation (fw::Install<IHistFileAccess>).

#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

class CHistCountArray;
class CHistMMAObject;

// The header fields of a frequency-data file.
struct HistFileHeader {
    fw::CString title;
    fw::CString cardFileName;
    fw::COleDateTime start;
    fw::COleDateTime stop;
};

struct IHistFileAccess {
    virtual ~IHistFileAccess() = default;
    // Saves the record in `folder` as a new frequency-data file, named
    // `name` or after the record start; takes `analyses` in every case.
    // The path written and the file's header fields, or false.
    virtual bool CreateFile(const fw::CString& folder, const fw::CString& name, const fw::CString& title,
                            CHistCountArray* analyses, const fw::CString& cardFileName, fw::CString& path,
                            HistFileHeader& header) = 0;
    // False when the file cannot be read as a frequency-data file.
    virtual bool ReadHeader(const fw::CString& path, HistFileHeader& header) = 0;
    // False when the title could not be written (the user was told why).
    virtual bool ReplaceTitle(const fw::CString& path, const fw::CString& title) = 0;
};

// Appends the row of the frequency-data file at `filePath` (its extension
// is dropped) to the history; the new row's index.
int AddHistRecord(CHistMMAObject& history, const fw::CString& filePath, const HistFileHeader& header);
