#include "framework/core/StringTable.h"

#include "framework/core/ServiceSlot.h"

#include <charconv>
#include <unordered_map>

namespace fw::detail {
extern const char kFrameworkStrings[];
} // namespace fw::detail

namespace fw {

namespace detail {

namespace {

std::string Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n') { out += '\n'; ++i; continue; }
            if (next == 't') { out += '\t'; ++i; continue; }
            if (next == '\\') { out += '\\'; ++i; continue; }
        }
        out += text[i];
    }
    return out;
}

// Function-local statics: built once, safely, on first use from any thread.
const CStringTable& FrameworkTable()
{
    static const CStringTable table(kFrameworkStrings);
    return table;
}

} // namespace

std::vector<StringEntry> ParseStringTable(std::string_view tsv)
{
    std::vector<StringEntry> out;
    while (!tsv.empty()) {
        size_t eol = tsv.find('\n');
        std::string_view line = tsv.substr(0, eol);
        tsv.remove_prefix(eol == std::string_view::npos ? tsv.size() : eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            continue;
        unsigned id = 0;
        const std::string_view idText = line.substr(0, tab);
        const auto [ptr, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (ec != std::errc() || ptr != idText.data() + idText.size())
            continue;
        out.push_back({id, CString(Unescape(line.substr(tab + 1)))});
    }
    return out;
}

const std::vector<StringEntry>& FrameworkStringEntries() { return FrameworkTable().Entries(); }

} // namespace detail

bool LoadString(unsigned id, CString& out)
{
    const IProgramStrings* program = Installed<IProgramStrings>();
    const CString* text = program ? program->Find(id) : nullptr;
    if (!text)
        text = detail::FrameworkTable().Find(id);
    if (!text) {
        out.Empty();
        return false;
    }
    out = *text;
    return true;
}

CStringTable::CStringTable(std::string_view tsv) : m_entries(detail::ParseStringTable(tsv))
{
    // A later line with the same id wins, as a later resource would.
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_index[m_entries[i].id] = i;
}

const CString* CStringTable::Find(unsigned id) const
{
    const auto it = m_index.find(id);
    return it == m_index.end() ? nullptr : &m_entries[it->second].text;
}

CString LoadStringText(unsigned id)
{
    CString s;
    LoadString(id, s);
    return s;
}

CString FormatMessageText(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
            if (n < args.size())
                out.append(*(args.begin() + n));
            ++i;
            continue;
        }
        out += c;
    }
    return CString(std::move(out));
}

} // namespace fw
