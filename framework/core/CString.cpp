#include "framework/core/CString.h"

#include "framework/core/StringTable.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <stdexcept>

namespace fw {

namespace {

constexpr const char* kWhiteSpace = " \t\n\v\f\r";

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

size_t Clamp(int value, size_t limit)
{
    if (value <= 0)
        return 0;
    return std::min(static_cast<size_t>(value), limit);
}

} // namespace

CString::CString(const char* text) : m_s(text ? text : "") {}

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_s.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_s.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* text)
{
    m_s = text ? text : "";
    return *this;
}

CString& CString::operator=(const std::string& text)
{
    m_s = text;
    return *this;
}

CString& CString::operator=(std::string&& text) noexcept
{
    m_s = std::move(text);
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_s += text;
    return *this;
}

char CString::GetAt(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_s.size())
        throw std::out_of_range("CString::GetAt");
    return m_s[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch)
{
    if (index < 0 || static_cast<size_t>(index) >= m_s.size())
        throw std::out_of_range("CString::SetAt");
    m_s[static_cast<size_t>(index)] = ch;
}

CString CString::Left(int count) const { return CString(m_s.substr(0, Clamp(count, m_s.size()))); }

CString CString::Mid(int first) const
{
    const size_t from = Clamp(first, m_s.size());
    return CString(m_s.substr(from));
}

CString CString::Mid(int first, int count) const
{
    const size_t from = Clamp(first, m_s.size());
    return CString(m_s.substr(from, Clamp(count, m_s.size() - from)));
}

CString CString::Right(int count) const
{
    const size_t n = Clamp(count, m_s.size());
    return CString(m_s.substr(m_s.size() - n));
}

CString CString::SpanIncluding(const char* set) const
{
    const size_t end = m_s.find_first_not_of(set ? set : "");
    return CString(m_s.substr(0, end));
}

CString CString::SpanExcluding(const char* set) const
{
    const size_t end = m_s.find_first_of(set ? set : "");
    return CString(m_s.substr(0, end));
}

CString CString::Tokenize(const char* delimiters, int& start) const
{
    if (start < 0 || static_cast<size_t>(start) >= m_s.size()) {
        start = -1;
        return CString();
    }
    const char* delims = delimiters ? delimiters : "";
    const size_t from = m_s.find_first_not_of(delims, static_cast<size_t>(start));
    if (from == std::string::npos) {
        start = -1;
        return CString();
    }
    size_t end = m_s.find_first_of(delims, from);
    if (end == std::string::npos)
        end = m_s.size();
    start = static_cast<int>(std::min(end + 1, m_s.size()));
    return CString(m_s.substr(from, end - from));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || static_cast<size_t>(start) >= m_s.size())
        return -1;
    const size_t pos = m_s.find(ch, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || static_cast<size_t>(start) > m_s.size())
        return -1;
    const size_t pos = m_s.find(sub, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    const size_t pos = m_s.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const char* set) const
{
    if (!set || !*set)
        return -1;
    const size_t pos = m_s.find_first_of(set);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(char oldCh, char newCh)
{
    int n = 0;
    for (char& c : m_s) {
        if (c == oldCh) {
            c = newCh;
            ++n;
        }
    }
    return n;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string_view from(oldText);
    const std::string_view to(newText ? newText : "");
    std::string out;
    int n = 0;
    size_t pos = 0;
    for (;;) {
        const size_t hit = m_s.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(m_s, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
        ++n;
    }
    if (n > 0) {
        out.append(m_s, pos);
        m_s = std::move(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    const size_t before = m_s.size();
    std::erase(m_s, ch);
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, char ch)
{
    m_s.insert(Clamp(index, m_s.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    if (text)
        m_s.insert(Clamp(index, m_s.size()), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    const size_t from = Clamp(index, m_s.size());
    m_s.erase(from, Clamp(count, m_s.size() - from));
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::Trim(char target) { return TrimRight(target).TrimLeft(target); }

CString& CString::TrimLeft(char target)
{
    const char set[2] = {target, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimRight(char target)
{
    const char set[2] = {target, '\0'};
    return TrimRight(set);
}

CString& CString::Trim(const char* targets) { return TrimRight(targets).TrimLeft(targets); }

CString& CString::TrimLeft(const char* targets)
{
    if (!targets || !*targets)
        return *this;
    const size_t from = m_s.find_first_not_of(targets);
    m_s.erase(0, from);
    return *this;
}

CString& CString::TrimRight(const char* targets)
{
    if (!targets || !*targets)
        return *this;
    const size_t last = m_s.find_last_not_of(targets);
    m_s.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

CString& CString::MakeUpper()
{
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), AsciiLower);
    return *this;
}

int CString::Compare(const char* other) const
{
    const int r = std::strcmp(m_s.c_str(), other ? other : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* other) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_s.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(other ? other : "");
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(AsciiLower(static_cast<char>(*a)));
        const unsigned char cb = static_cast<unsigned char>(AsciiLower(static_cast<char>(*b)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

bool CString::LoadString(unsigned id)
{
    return fw::LoadString(id, *this);
}

bool CString::ExtractSubString(CString& out, const char* full, int index, char sep)
{
    out.Empty();
    if (!full || index < 0)
        return false;
    std::string_view rest(full);
    for (int i = 0; i < index; ++i) {
        const size_t pos = rest.find(sep);
        if (pos == std::string_view::npos)
            return false;
        rest.remove_prefix(pos + 1);
    }
    out = CString(rest.substr(0, rest.find(sep)));
    return true;
}

std::ostream& operator<<(std::ostream& os, const CString& s)
{
    return os << s.str();
}

} // namespace fw
