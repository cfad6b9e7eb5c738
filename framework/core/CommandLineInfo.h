#pragma once

// The program's command line: a file to open, a print request, and the
// switches of this port (--no-start-page for tests and scripts).

#include "framework/core/CString.h"

namespace fw {

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew = 0, FileOpen = 1, FilePrint = 2, FileNothing = -1 };

    // argv[0] is the program. The first argument that is no switch is the
    // file; "--print" (or "/p") prints it; "--no-start-page" is kept for
    // the application; other switches are ignored.
    void Parse(int argc, const char* const* argv);

    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
    bool m_bNoStartPage = false;
};

} // namespace fw
