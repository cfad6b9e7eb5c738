#pragma once

// The text-mode file of the program's text exports and imports (CP932 on
// disk, CR LF line ends): an open that reports failures to the user in the
// one standard way, line writing, and the quoting of comma-separated fields.

#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <exception>

// Message ids of the file-error prompts that are the program's own.
inline constexpr unsigned kIdFileCreateFailed = 264;   // "%1を作成できませんでした。"
inline constexpr unsigned kIdFileWriteProtected = 408;
inline constexpr unsigned kIdFileAlreadyOpen = 409;
inline constexpr unsigned kIdFolderFull = 410;
inline constexpr unsigned kIdFileInUse = 411;

class CTextFile : public fw::CStdioFile {
public:
    CTextFile() = default;

    // Opens `path` in text mode with `flags`; on failure tells the user why
    // (as a failed creation when no better text fits) and answers false.
    bool OpenFile(const fw::CString& path, unsigned flags);

    // Shows the prompt for a failed file operation on `path`: for a file
    // exception the message of its cause, else nothing.
    static void ReportFileError(const fw::CString& path, const std::exception& error, bool writing,
                                unsigned defaultId);
    // The message id ReportFileError shows for a file exception.
    static unsigned FileErrorMessageId(const fw::CFileException& error, bool writing, unsigned defaultId);

    // Writes `text` with every line feed removed; with `lineEnd` one line end follows.
    void WriteLine(const fw::CString& text, bool lineEnd);

    // The text as one field of a comma-separated line: unchanged unless it
    // holds a comma or a double quote; then trimmed, quotes doubled and the
    // whole wrapped in double quotes.
    static fw::CString MakeCsvField(const fw::CString& text);

    using fw::CStdioFile::SetFilePath;
    // Names the file without opening it; nullptr raises CInvalidArgException.
    void SetFilePath(const char* path);
};
