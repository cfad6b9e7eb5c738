#pragma once

#include <filesystem>
#include <string>

namespace kivtest {

// Registers every serialisable class the linked libraries offer, as the
// program does at start-up.
void RegisterAllClasses();

// A fresh folder for one test, removed again when the test passed.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace kivtest
