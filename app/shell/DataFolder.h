#pragma once

// The program's data folder: the cache files of the tanks and the
// single-instance lock file live there. It is per user,
// $XDG_DATA_HOME/ZEL/KIVDATA (else ~/.local/share/ZEL/KIVDATA); without a
// home it is KIVDATA beside the program file.

#include "framework/core/CString.h"

inline constexpr const char* kDataFolderLockName = "KIV5980.lock";

// The folder for these environment values (null: not set); empty when no
// folder can be named.
fw::CString DataFolderPath(const char* xdgDataHome, const char* home, const fw::CString& moduleFolder);

// Creates the folder of DataFolderPath for this process's environment;
// true when it exists afterwards, with its path (no trailing separator).
bool MakeDataFolder(fw::CString& folder);
