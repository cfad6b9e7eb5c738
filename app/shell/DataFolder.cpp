#include "app/shell/DataFolder.h"

#include "framework/core/FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

fw::CString DataFolderPath(const char* xdgDataHome, const char* home, const fw::CString& moduleFolder)
{
    fw::CString base;
    if (xdgDataHome && *xdgDataHome == '/')
        base = xdgDataHome;
    else if (home && *home)
        base = fw::fs::PathJoin(home, ".local/share");
    if (!base.IsEmpty())
        return fw::fs::PathJoin(fw::fs::PathJoin(base, "ZEL"), "KIVDATA");
    if (moduleFolder.IsEmpty())
        return {};
    return fw::fs::PathJoin(moduleFolder, "KIVDATA");
}

bool MakeDataFolder(fw::CString& folder)
{
    folder.Empty();
    const fw::CString path = DataFolderPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), fw::fs::ModuleFolder());
    if (path.IsEmpty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(path.str(), ec);
    if (!std::filesystem::is_directory(path.str(), ec))
        return false;
    folder = path;
    return true;
}
