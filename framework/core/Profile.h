#pragma once

// A program's settings profile: what Windows kept under the registry key
// "Company\Application" lives in a small INI file
// ($XDG_CONFIG_HOME/Company/Application.ini).
// "[Section]" lines and "Key=Value" lines (value to the end of the line),
// UTF-8, in the order they were first written. Section and key names match
// without regard to ASCII case, as registry names did. Every write rewrites
// the file through a temporary file and a rename, so a crash never leaves a
// half-written profile. Reads never fail: a missing key gives the default.

#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fw {

class CProfile {
public:
    // Reads `file` when it exists; a missing file is an empty profile.
    explicit CProfile(std::filesystem::path file);

    // $XDG_CONFIG_HOME (else ~/.config) + "/" + company + "/" + application
    // + ".ini"; an empty company leaves its folder out.
    static std::filesystem::path DefaultPath(const char* company, const char* application);

    const std::filesystem::path& Path() const { return m_path; }

    // Signed decimal text; 0..4294967295 is taken and wraps to 32 bits (IP
    // address words); anything else gives `def`.
    int GetProfileInt(const char* section, const char* key, int def);
    bool WriteProfileInt(const char* section, const char* key, int value);

    CString GetProfileString(const char* section, const char* key, const char* def = "");
    // A null value deletes the key; a null key deletes the whole section.
    bool WriteProfileString(const char* section, const char* key, const char* value);

    // Upper-case hex pairs. False (and `out` emptied) when the key is
    // missing or its text is not whole hex pairs.
    bool GetProfileBinary(const char* section, const char* key, std::vector<uint8_t>& out);
    bool WriteProfileBinary(const char* section, const char* key, std::span<const uint8_t> bytes);

    // Why the last write that did not reach the file failed, once: the
    // program tells the user, who would otherwise lose the settings without
    // a word. Empty when every write since the last call went through.
    std::optional<CFileException> TakeWriteFailure();

    // Section and key names as stored, for checks of what was written.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const char* section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    void Load();
    bool Save();
    Section* FindSection(const char* name);
    bool Lookup(const char* section, const char* key, std::string& value);

    std::filesystem::path m_path;
    mutable std::mutex m_mutex;
    std::vector<Section> m_sections;
    std::optional<CFileException> m_writeFailure;
};

} // namespace fw
