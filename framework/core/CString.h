#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace fw {

// Text of the program: UTF-8 bytes. Positions and lengths are byte counts,
// which equal character counts for the ASCII texts (protocol lines, header
// keys, file names) where the program does position arithmetic. CP932 byte
// limits go through fw::cp932.
class CString {
public:
    CString() = default;
    CString(const char* text);  // nullptr gives the empty string
    CString(const char* text, int length);
    CString(const std::string& text) : m_s(text) {}
    CString(std::string&& text) noexcept : m_s(std::move(text)) {}
    explicit CString(std::string_view text) : m_s(text) {}
    explicit CString(char ch, int repeat = 1);

    CString& operator=(const char* text);
    CString& operator=(const std::string& text);
    CString& operator=(std::string&& text) noexcept;

    // --- size and access -------------------------------------------------
    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int index) const;  // throws std::out_of_range outside the text
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    const char* c_str() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }
    std::string_view view() const { return m_s; }

    // --- pieces (counts are clamped to the text, as the MFC class did) ---
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;
    // Next token after `start` (updated; -1 when done), skipping leading delimiters.
    CString Tokenize(const char* delimiters, int& start) const;

    // --- search: byte offsets, -1 when absent ------------------------------
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int Find(const CString& sub, int start = 0) const { return Find(sub.c_str(), start); }
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    // --- editing -----------------------------------------------------------
    int Replace(char oldCh, char newCh);                // number replaced
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);                                 // number removed
    int Insert(int index, char ch);                      // new length
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);                // new length

    // ASCII white space (space, \t, \n, \v, \f, \r), as the MBCS class.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(char target);
    CString& TrimLeft(char target);
    CString& TrimRight(char target);
    CString& Trim(const char* targets);
    CString& TrimLeft(const char* targets);
    CString& TrimRight(const char* targets);

    // ASCII letters only; full-width letters stay as they are.
    CString& MakeUpper();
    CString& MakeLower();

    int Compare(const char* other) const;        // by bytes: <0, 0, >0
    int CompareNoCase(const char* other) const;  // ASCII letters folded
    int Compare(const CString& other) const { return Compare(other.c_str()); }
    int CompareNoCase(const CString& other) const { return CompareNoCase(other.c_str()); }

    // --- formatting (fw/Format.h: type-checked, C locale, MSVC exponents) --
    template <class... A> void Format(const char* fmt, const A&... args);
    template <class... A> void AppendFormat(const char* fmt, const A&... args);
    template <class... A> void Format(const CString& fmt, const A&... args) { Format(fmt.c_str(), args...); }
    template <class... A> void AppendFormat(const CString& fmt, const A&... args)
    {
        AppendFormat(fmt.c_str(), args...);
    }

    // Program table first, then the framework table; false leaves the text empty.
    bool LoadString(unsigned id);

    // Piece `index` of `full` split at `sep` ("doc\nfilter\n..."); false when absent.
    static bool ExtractSubString(CString& out, const char* full, int index, char sep = '\n');

    // --- concatenation -----------------------------------------------------
    CString& operator+=(const CString& other) { m_s += other.m_s; return *this; }
    CString& operator+=(const char* text);
    CString& operator+=(const std::string& text) { m_s += text; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
    friend CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
    friend CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }

    // Byte order (unsigned), as strcmp.
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.m_s <=> b.m_s; }
    friend std::strong_ordering operator<=>(const CString& a, const char* b) { return a.Compare(b) <=> 0; }

private:
    std::string m_s;
};

std::ostream& operator<<(std::ostream& os, const CString& s);

} // namespace fw

template <> struct std::hash<fw::CString> {
    size_t operator()(const fw::CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};

// The member templates Format/AppendFormat are defined there.
#include "framework/core/Format.h"
