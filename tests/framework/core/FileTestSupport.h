#pragma once

// Whole-file access for the tests of the file classes, around the classes
// under test.

#include "framework/core/CString.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace filetest {

inline std::string ReadAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

inline fw::CString Str(const std::filesystem::path& p) { return fw::CString(p.string()); }

} // namespace filetest
