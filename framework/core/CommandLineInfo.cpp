#include "framework/core/CommandLineInfo.h"

#include <string_view>

namespace fw {

void CCommandLineInfo::Parse(int argc, const char* const* argv)
{
    bool print = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (arg == "--print" || arg == "/p" || arg == "-p")
            print = true;
        else if (arg == "--no-start-page")
            m_bNoStartPage = true;
        else if (!arg.empty() && arg[0] == '-')
            continue;
        else if (m_strFileName.IsEmpty() && !arg.empty())
            m_strFileName = CString(arg);
    }
    if (m_strFileName.IsEmpty())
        m_nShellCommand = FileNew;
    else
        m_nShellCommand = print ? FilePrint : FileOpen;
}

} // namespace fw
