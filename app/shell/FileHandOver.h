#pragma once

// Files opened from the desktop while the program runs: a second start
// that names files hands them to the running instance over a socket beside
// the single-instance lock, and ends.

#include "framework/core/CString.h"

#include <vector>

inline constexpr const char* kDataFolderSocketName = "KIV5980.sock";

// The socket in the data folder.
fw::CString HandOverSocketPath(const fw::CString& dataFolder);

// Hands the files, made absolute against this process's working folder
// (the running instance has its own), to the instance holding the lock;
// true when it took them. Nothing is sent for no files.
bool HandFilesToRunningInstance(const fw::CString& dataFolder, const std::vector<fw::CString>& files);
