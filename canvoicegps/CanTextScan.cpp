#include "canvoicegps/CanTextScan.h"

#include "framework/core/Numbers.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace cantext {

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace

void Scanner::SkipBlanks()
{
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
        ++m_pos;
}

bool Scanner::Expect(char ch, bool skipBlanks)
{
    const size_t start = m_pos;
    if (skipBlanks)
        SkipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == ch) {
        ++m_pos;
        return true;
    }
    m_pos = start;
    return false;
}

bool Scanner::ReadWord(std::string& word)
{
    size_t end = m_pos;
    while (end < m_text.size() && !IsBlank(m_text[end]))
        ++end;
    if (end == m_pos)
        return false;
    word.assign(m_text.substr(m_pos, end - m_pos));
    m_pos = end;
    return true;
}

bool Scanner::ReadUntil(char stop, std::string& out)
{
    const size_t end = m_text.find(stop, m_pos);
    if (end == std::string_view::npos)
        return false;
    out.assign(m_text.substr(m_pos, end - m_pos));
    m_pos = end;
    return true;
}

bool Scanner::ReadInt16(int16_t& value)
{
    size_t end = m_pos;
    if (end < m_text.size() && (m_text[end] == '-' || m_text[end] == '+'))
        ++end;
    const size_t digits = end;
    while (end < m_text.size() && IsDigit(m_text[end]) && end - digits < 7)
        ++end;
    if (end == digits || (end < m_text.size() && IsDigit(m_text[end])))
        return false;
    const long v = std::strtol(std::string(m_text.substr(m_pos, end - m_pos)).c_str(), nullptr, 10);
    if (v < INT16_MIN || v > INT16_MAX)
        return false;
    value = static_cast<int16_t>(v);
    m_pos = end;
    return true;
}

bool Scanner::ReadUInt32(uint32_t& value)
{
    size_t end = m_pos;
    while (end < m_text.size() && IsDigit(m_text[end]) && end - m_pos < 11)
        ++end;
    if (end == m_pos || (end < m_text.size() && IsDigit(m_text[end])))
        return false;
    const unsigned long long v = std::strtoull(std::string(m_text.substr(m_pos, end - m_pos)).c_str(), nullptr, 10);
    if (v > UINT32_MAX)
        return false;
    value = static_cast<uint32_t>(v);
    m_pos = end;
    return true;
}

bool Scanner::ReadDouble(double& value)
{
    // StrToD needs a terminated text; a number is at most a few dozen
    // characters, so copy only the run that can belong to it.
    size_t end = m_pos;
    while (end < m_text.size() && std::string_view("+-.0123456789eE").find(m_text[end]) != std::string_view::npos)
        ++end;
    const std::string run(m_text.substr(m_pos, end - m_pos));
    const char* stop = nullptr;
    errno = 0;
    const double v = fw::StrToD(run.c_str(), &stop);
    if (stop == run.c_str() || errno == ERANGE || !std::isfinite(v))
        return false;
    value = v;
    m_pos += static_cast<size_t>(stop - run.c_str());
    return true;
}

long long LeadingInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    constexpr long long kLimit = 1000000000000000000LL;
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = value > kLimit / 10 ? kLimit : std::min(kLimit, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

double LeadingReal(std::string_view text)
{
    Scanner s(text);
    s.SkipBlanks();
    double value = 0.0;
    return s.ReadDouble(value) ? value : 0.0;
}

bool SplitKeyLine(std::string_view line, std::string_view& key, std::string_view& value)
{
    const size_t open = line.find_first_not_of(" \t");
    if (open == std::string_view::npos || line[open] != '[')
        return false;
    const size_t close = line.find(']', open);
    if (close == std::string_view::npos)
        return false;
    key = line.substr(open + 1, close - open - 1);
    value = line.substr(close + 1);
    return true;
}

} // namespace cantext
