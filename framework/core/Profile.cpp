#include "framework/core/Profile.h"

#include "framework/core/File.h"
#include "framework/core/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>
#include <strings.h>

namespace fw {

namespace {

bool SameName(const std::string& a, const char* b)
{
    return ::strcasecmp(a.c_str(), b) == 0;
}

std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

} // namespace

CProfile::CProfile(std::filesystem::path file) : m_path(std::move(file))
{
    // Rewrites that a killed program left half-way are of no use to anyone.
    if (m_path.has_parent_path())
        fs::RemoveStaleTemporaries(CString(m_path.parent_path().string()));
    Load();
}

std::filesystem::path CProfile::DefaultPath(const char* company, const char* application)
{
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".";
    if (company && *company)
        base /= company;
    return base / (std::string(application) + ".ini");
}

void CProfile::Load()
{
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return;
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = TrimBlanks(line);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            const std::string name = trimmed.substr(1, trimmed.size() - 2);
            current = FindSection(name.c_str());
            if (!current) {
                m_sections.push_back(Section{name, {}});
                current = &m_sections.back();
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string::npos || trimmed.empty() || trimmed[0] == ';')
            continue;
        const std::string key = TrimBlanks(line.substr(0, equals));
        if (key.empty())
            continue;
        // A repeated key keeps its last value, as a rewrite would.
        bool replaced = false;
        for (Entry& e : current->entries) {
            if (SameName(e.key, key.c_str())) {
                e.value = line.substr(equals + 1);
                replaced = true;
            }
        }
        if (!replaced)
            current->entries.push_back(Entry{key, line.substr(equals + 1)});
    }
}

bool CProfile::Save()
{
    std::string text;
    for (const Section& s : m_sections) {
        text += "[" + s.name + "]\n";
        for (const Entry& e : s.entries) {
            // Reading drops one CR before the LF (files edited elsewhere end
            // lines with CR LF); a value ending in CR gets that one CR more.
            const bool endsInCr = !e.value.empty() && e.value.back() == '\r';
            text += e.key + "=" + e.value + (endsInCr ? "\r\n" : "\n");
        }
        text += "\n";
    }
    try {
        std::error_code ec;
        if (m_path.has_parent_path())
            std::filesystem::create_directories(m_path.parent_path(), ec);
        fs::AtomicReplace(CString(m_path.string()), [&](CFile& file) { file.Write(text.data(), text.size()); });
        return true;
    } catch (const CFileException& e) {
        m_writeFailure = e;
        if (m_writeFailure->m_strFileName.IsEmpty())
            m_writeFailure->m_strFileName = CString(m_path.string());
    } catch (const std::exception&) {
        m_writeFailure = CFileException(CFileException::genericException, -1, CString(m_path.string()));
    }
    // A trace for the user's bug report besides what the program tells.
    std::fprintf(stderr, "profile %s not written\n", m_path.c_str());
    return false;
}

std::optional<CFileException> CProfile::TakeWriteFailure()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_writeFailure, std::nullopt);
}

CProfile::Section* CProfile::FindSection(const char* name)
{
    for (Section& s : m_sections) {
        if (SameName(s.name, name))
            return &s;
    }
    return nullptr;
}

bool CProfile::Lookup(const char* section, const char* key, std::string& value)
{
    Section* s = FindSection(section);
    if (!s)
        return false;
    for (const Entry& e : s->entries) {
        if (SameName(e.key, key)) {
            value = e.value;
            return true;
        }
    }
    return false;
}

int CProfile::GetProfileInt(const char* section, const char* key, int def)
{
    std::lock_guard lock(m_mutex);
    std::string value;
    if (!Lookup(section, key, value))
        return def;
    const std::string text = TrimBlanks(value);
    if (text.empty())
        return def;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < -2147483648LL || v > 4294967295LL)
        return def;
    return static_cast<int>(static_cast<uint32_t>(v));
}

bool CProfile::WriteProfileInt(const char* section, const char* key, int value)
{
    return WriteProfileString(section, key, std::to_string(value).c_str());
}

CString CProfile::GetProfileString(const char* section, const char* key, const char* def)
{
    std::lock_guard lock(m_mutex);
    std::string value;
    if (!Lookup(section, key, value))
        return CString(def);
    return CString(value);
}

bool CProfile::WriteProfileString(const char* section, const char* key, const char* value)
{
    if (!section)
        return false;
    std::lock_guard lock(m_mutex);
    Section* s = FindSection(section);
    if (!key) {
        if (!s)
            return true;
        std::erase_if(m_sections, [&](const Section& x) { return &x == s; });
        return Save();
    }
    if (!value) {
        if (!s)
            return true;
        std::erase_if(s->entries, [&](const Entry& e) { return SameName(e.key, key); });
        return Save();
    }
    // A line feed inside a value would start a new line of the file. A
    // carriage return does not, and stays (see Save).
    std::string text(value);
    for (char& ch : text) {
        if (ch == '\n')
            ch = ' ';
    }
    if (!s) {
        m_sections.push_back(Section{section, {}});
        s = &m_sections.back();
    }
    for (Entry& e : s->entries) {
        if (SameName(e.key, key)) {
            e.value = text;
            return Save();
        }
    }
    s->entries.push_back(Entry{key, text});
    return Save();
}

bool CProfile::GetProfileBinary(const char* section, const char* key, std::vector<uint8_t>& out)
{
    out.clear();
    std::lock_guard lock(m_mutex);
    std::string value;
    if (!Lookup(section, key, value))
        return false;
    const std::string text = TrimBlanks(value);
    if (text.size() % 2 != 0)
        return false;
    std::vector<uint8_t> bytes(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int hi = HexDigit(text[2 * i]);
        const int lo = HexDigit(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    out = std::move(bytes);
    return true;
}

bool CProfile::WriteProfileBinary(const char* section, const char* key, std::span<const uint8_t> bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 15]);
    }
    return WriteProfileString(section, key, text.c_str());
}

std::vector<std::string> CProfile::Sections() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::string> names;
    for (const Section& s : m_sections)
        names.push_back(s.name);
    return names;
}

std::vector<std::string> CProfile::Keys(const char* section) const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::string> keys;
    for (const Section& s : m_sections) {
        if (SameName(s.name, section)) {
            for (const Entry& e : s.entries)
                keys.push_back(e.key);
        }
    }
    return keys;
}

} // namespace fw
