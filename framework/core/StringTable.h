#pragma once

// Texts by id: the framework's own table (framework/resources/strings_fw.tsv),
// embedded at build time, and the program's table, which the program
// installs as an IProgramStrings. Lines are "id<TAB>text"; '#' starts a
// comment line; the text knows the escapes \n, \t and \\.

#include "framework/core/CString.h"

#include <initializer_list>
#include <unordered_map>
#include <vector>
#include <string_view>

namespace fw {

namespace detail {
// Parsed form of one embedded table, for checks of the whole table.
struct StringEntry {
    unsigned id;
    CString text;
};
} // namespace detail

// The program's texts; looked up before the framework's own.
struct IProgramStrings {
    virtual ~IProgramStrings() = default;
    virtual const CString* Find(unsigned id) const = 0;
};

// A table parsed from TSV text (a later line with the same id wins).
class CStringTable final : public IProgramStrings {
public:
    explicit CStringTable(std::string_view tsv);
    const CString* Find(unsigned id) const override;
    const std::vector<detail::StringEntry>& Entries() const { return m_entries; }

private:
    std::vector<detail::StringEntry> m_entries;
    std::unordered_map<unsigned, size_t> m_index;
};

// Program table first, then the framework table. On a miss `out` is emptied
// and false returned.
bool LoadString(unsigned id, CString& out);

// The text of `id`, empty when absent.
CString LoadStringText(unsigned id);

// Replaces %1..%9 in `pattern` with the given texts (a missing one becomes
// empty); "%" followed by anything else stays as it is.
CString FormatMessageText(std::string_view pattern, std::initializer_list<std::string_view> args);

namespace detail {
inline std::string_view AsTextView(const CString& s) { return s.view(); }
inline std::string_view AsTextView(const std::string& s) { return s; }
inline std::string_view AsTextView(std::string_view s) { return s; }
inline std::string_view AsTextView(const char* s) { return s ? std::string_view(s) : std::string_view(); }
} // namespace detail

// AfxFormatString1/2: the text of `id` with %1..%9 replaced.
template <class... A> CString FormatString(unsigned id, const A&... args)
{
    static_assert(sizeof...(A) <= 9, "FormatString takes at most nine texts");
    CString pattern;
    LoadString(id, pattern);
    return FormatMessageText(pattern.view(), {detail::AsTextView(args)...});
}

inline void AfxFormatString1(CString& out, unsigned id, const CString& text1)
{
    out = FormatString(id, text1);
}

inline void AfxFormatString2(CString& out, unsigned id, const CString& text1, const CString& text2)
{
    out = FormatString(id, text1, text2);
}

namespace detail {
const std::vector<StringEntry>& FrameworkStringEntries();
// Parses the table text; malformed lines are skipped.
std::vector<StringEntry> ParseStringTable(std::string_view tsv);
} // namespace detail

} // namespace fw
