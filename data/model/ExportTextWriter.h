#pragma once

// A text export's output: lines are collected as UTF-8, written as CP932
// with CR LF, through a buffer of bounded size so that exports of any
// length stream.

#include "framework/core/CString.h"

#include <string>

namespace fw {
class CFile;
}

class CExportTextWriter {
public:
    explicit CExportTextWriter(fw::CFile& file);
    ~CExportTextWriter();
    CExportTextWriter(const CExportTextWriter&) = delete;
    CExportTextWriter& operator=(const CExportTextWriter&) = delete;

    // The text of one line (no line end inside).
    void WriteLine(std::string_view utf8);
    // Writes what is buffered; errors throw.
    void Flush();

    // A cell as it must stand between `separator`s: for ',' quoted when it
    // holds a comma, a quote or a line break (quotes doubled); for TAB its
    // line breaks and TABs become blanks.
    static std::string Field(std::string_view text, char separator);
    // The same, appended to `line` without a string of its own.
    static void AppendField(std::string& line, std::string_view text, char separator);

private:
    fw::CFile& m_file;
    std::string m_buffer;
};
