#include "common/formula/FormulaText.h"

#include "common/base/SingleByteText.h"
#include "common/base/ValueParse.h"
#include "common/formula/CalcFunctionTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLeftOperandChar(char c) { return IsDigit(c) || c == '.' || c == '@' || c == 'E'; }

// Position of the first occurrence of `keyword` from `start`, when it is
// directly followed by "("; -1 otherwise. Only the first occurrence counts:
// the compiler has always looked keywords up that way, and table order
// (ACOS before COS) relies on it.
int FindCallAt(const std::string& s, const char* keyword, size_t start)
{
    if (start > s.size())
        return -1;
    const size_t pos = s.find(keyword, start);
    if (pos == std::string::npos)
        return -1;
    const size_t after = pos + std::strlen(keyword);
    if (after >= s.size() || s[after] != '(')
        return -1;
    return static_cast<int>(pos);
}

} // namespace

bool NormalizeFormula(const fw::CString& source, fw::CString& normalized)
{
    if (source.IsEmpty()) {
        normalized.Empty();
        return false;
    }
    fw::CString text = source;
    // A character without a single-byte form stays as typed; the compiler
    // rejects it later with a code the user can see.
    ToSingleByteText(text);
    text.Remove(' ');
    text.MakeUpper();
    if (text.IsEmpty() || text[0] != '=')
        text.Insert(0, '=');
    normalized = text;
    return normalized != source;
}

int CheckFormulaSyntax(const fw::CString& text)
{
    const std::string& s = text.str();
    if (s.empty() || s[0] != '=')
        return 3;
    long balance = 0;
    for (char c : s) {
        if (c == '(')
            ++balance;
        else if (c == ')')
            --balance;
        else if (c == '@')
            return 3;
    }
    return balance == 0 ? 0 : 3;
}

int FindFunctionOfCategory(const fw::CString& text, int category)
{
    for (const tagCALCFUNC& entry : CalcFunctionTable()) {
        if (entry.category != category)
            continue;
        const int pos = FindCallAt(text.str(), entry.keyword, 0);
        if (pos >= 0)
            return pos;
    }
    return -1;
}

bool FindFunctionCall(const fw::CString& text, int category, int& position, int& entry, int& open, int& close,
                      fw::CString& arguments)
{
    const auto table = CalcFunctionTable();
    for (int i = 0; i < kCalcFunctionCount; ++i) {
        if (table[i].category != category)
            continue;
        int pos = position;
        if (FindKeywordCall(text, table[i].keyword, pos, open, close, arguments)) {
            position = pos;
            entry = i;
            return true;
        }
        // A keyword found without a matching ")" ends the search: the call
        // cannot be delimited, which the compiler reports.
        if (FindCallAt(text.str(), table[i].keyword, position < 0 ? 0 : static_cast<size_t>(position)) >= 0)
            return false;
    }
    return false;
}

bool FindKeywordCall(const fw::CString& text, const char* keyword, int& position, int& open, int& close,
                     fw::CString& arguments)
{
    const int pos = FindCallAt(text.str(), keyword, position < 0 ? 0 : static_cast<size_t>(position));
    if (pos < 0)
        return false;
    int o = 0;
    int c = 0;
    if (!FindMatchingParenthesis(text, pos, o, c))
        return false;
    position = pos;
    open = o;
    close = c;
    arguments = text.Mid(o + 1, c - o - 1);
    return true;
}

bool FindMatchingParenthesis(const fw::CString& text, int from, int& open, int& close)
{
    const int o = text.Find('(', from < 0 ? 0 : from);
    if (o < 0)
        return false;
    const std::string& s = text.str();
    long depth = 0;
    for (size_t i = static_cast<size_t>(o); i < s.size(); ++i) {
        if (s[i] == '(')
            ++depth;
        else if (s[i] == ')')
            --depth;
        if (depth == 0) {
            open = o;
            close = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

bool FindInnermostGroup(const fw::CString& text, fw::CString& inner, int& open, int& close)
{
    const int c = text.Find(')');
    if (c < 0)
        return false;
    int o = 0;
    for (int i = c - 1; i >= 0; --i) {
        if (text.str()[static_cast<size_t>(i)] == '(') {
            o = i;
            break;
        }
    }
    open = o;
    close = c;
    inner = c > o + 1 ? text.Mid(o + 1, c - o - 1) : fw::CString();
    return true;
}

int CountFormulaArguments(const fw::CString& arguments)
{
    if (arguments.IsEmpty())
        return 0;
    int count = 1;
    for (char c : arguments.str())
        if (c == ',')
            ++count;
    return count;
}

int GetFormulaArgument(const fw::CString& arguments, int n, fw::CString& text)
{
    if (n < 1 || arguments.IsEmpty())
        return -1;
    int start = 0;
    for (int i = 1; i < n; ++i) {
        const int comma = arguments.Find(',', start);
        if (comma < 0)
            return -1;
        start = comma + 1;
    }
    const int end = arguments.Find(',', start);
    text = end < 0 ? arguments.Mid(start) : arguments.Mid(start, end - start);
    return start;
}

fw::CString ScanLeftOperand(const fw::CString& text, int position)
{
    const std::string& s = text.str();
    const size_t end = position < 0 ? 0 : std::min(static_cast<size_t>(position), s.size());
    size_t begin = end;
    while (begin > 0 && IsLeftOperandChar(s[begin - 1]))
        --begin;
    return fw::CString(s.substr(begin, end - begin));
}

fw::CString ScanRightOperand(const fw::CString& text, int position)
{
    const std::string& s = text.str();
    if (position < 0 || static_cast<size_t>(position) >= s.size())
        return {};
    size_t i = static_cast<size_t>(position);
    if (s[i] == '+' || s[i] == '-')
        ++i;
    bool at = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '@') {
            if (at)
                break;
            at = true;
        } else if (!(IsDigit(c) || c == '.' || c == 'E')) {
            break;
        }
    }
    return fw::CString(s.substr(static_cast<size_t>(position), i - static_cast<size_t>(position)));
}

bool FormulaTextToNumber(const fw::CString& text, double& value)
{
    if (text.IsEmpty())
        return false;
    double v = 0.0;
    if (!TextToDouble(text.c_str(), &v))
        return false;
    value = v;
    return true;
}

bool FormulaTextToInteger(const fw::CString& text, int& value)
{
    double v = 0.0;
    if (!FormulaTextToNumber(text, v) || v != std::trunc(v) || v < -2147483648.0 || v > 2147483647.0)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseRegisterReference(const fw::CString& text, int& reg)
{
    const std::string& s = text.str();
    if (s.size() < 2 || s[0] != '@' || s.size() > 6)
        return false;
    int r = 0;
    for (size_t i = 1; i < s.size(); ++i) {
        if (!IsDigit(s[i]))
            return false;
        r = r * 10 + (s[i] - '0');
    }
    reg = r;
    return true;
}
