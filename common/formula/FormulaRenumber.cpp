#include "common/base/ValueParse.h"
#include "common/formula/CalcFunctionTable.h"
#include "common/formula/FormulaText.h"

#include <cstring>

namespace {

enum class Outcome { Unchanged, Rewritten, Stop };

bool IsKeywordLetter(char c) { return c >= 'A' && c <= 'Z'; }

// The next call of `keyword` at or after `from` (a keyword inside a longer
// word does not count); -1 when none.
int NextCall(const std::string& s, const char* keyword, size_t from)
{
    const size_t len = std::strlen(keyword);
    for (size_t pos = s.find(keyword, from); pos != std::string::npos; pos = s.find(keyword, pos + 1)) {
        const bool startsWord = pos == 0 || !IsKeywordLetter(s[pos - 1]);
        if (startsWord && pos + len < s.size() && s[pos + len] == '(')
            return static_cast<int>(pos);
    }
    return -1;
}

// The renumbered form of channel number `value`, or false when it stays.
bool Renumber(int value, int threshold, int offset, fw::CString& out)
{
    if (value <= threshold)
        return false;
    const int moved = value + offset;
    if (moved > threshold)
        out.Format("%hd", static_cast<int16_t>(moved));
    else
        out = "Err";
    return true;
}

// One reference argument: a bare number inside CH() or NO(), or "CHk"/"NOk"
// in the argument list of the other functions.
Outcome RenumberArgument(fw::CString& arg, bool bare, bool includeCH, int threshold, int offset)
{
    fw::CString prefix;
    fw::CString digits = arg;
    if (!bare) {
        prefix = arg.Left(2);
        if (prefix != "CH" && prefix != "NO")
            return Outcome::Stop;
        if (prefix == "CH" && !includeCH)
            return Outcome::Unchanged;
        digits = arg.Mid(2);
    }
    int32_t value = 0;
    if (!TextToInt(digits.c_str(), &value))
        return Outcome::Stop;
    fw::CString renumbered;
    if (!Renumber(value, threshold, offset, renumbered))
        return Outcome::Unchanged;
    arg = prefix + renumbered;
    return Outcome::Rewritten;
}

// Rewrites the arguments of one call in place; `next` is where the search
// for the next call goes on.
Outcome RenumberCall(fw::CString& text, const tagCALCFUNC& entry, int pos, bool includeCH, int threshold,
                     int offset, int& next)
{
    int open = 0, close = 0;
    if (!FindMatchingParenthesis(text, pos, open, close))
        return Outcome::Stop;
    const fw::CString args = text.Mid(open + 1, close - open - 1);
    const int count = CountFormulaArguments(args);
    const bool list = entry.category == kCalcCategoryList;
    if (!list && count != entry.arguments)
        return Outcome::Stop;
    const int references = list ? count : entry.referenceArguments;
    const bool bare = entry.category == kCalcCategoryChannel || entry.category == kCalcCategoryCalculated;
    fw::CString rebuilt;
    bool changed = false;
    Outcome outcome = Outcome::Unchanged;
    for (int n = 1; n <= count; ++n) {
        fw::CString arg;
        GetFormulaArgument(args, n, arg);
        if (n <= references && outcome != Outcome::Stop) {
            const Outcome o = RenumberArgument(arg, bare, includeCH, threshold, offset);
            if (o == Outcome::Stop)
                outcome = Outcome::Stop;
            else if (o == Outcome::Rewritten)
                changed = true;
        }
        if (n > 1)
            rebuilt += ',';
        rebuilt += arg;
    }
    text.str().replace(static_cast<size_t>(open + 1), static_cast<size_t>(close - open - 1), rebuilt.str());
    next = open + 1 + rebuilt.GetLength();
    if (outcome == Outcome::Stop)
        return Outcome::Stop;
    return changed ? Outcome::Rewritten : Outcome::Unchanged;
}

} // namespace

bool ShiftFormulaChannels(fw::CString& text, bool includeCH, int threshold, int offset)
{
    fw::CString work;
    NormalizeFormula(text, work);
    bool rewritten = false;
    bool stopped = false;
    for (const tagCALCFUNC& entry : CalcFunctionTable()) {
        if (stopped)
            break;
        if (entry.arguments == 0 || entry.referenceArguments == 0)
            continue;
        if (entry.category == kCalcCategoryChannel && !includeCH)
            continue;
        for (int pos = NextCall(work.str(), entry.keyword, 0); pos >= 0 && !stopped;) {
            const fw::CString before = work;
            int next = 0;
            const Outcome o = RenumberCall(work, entry, pos, includeCH, threshold, offset, next);
            if (work != before)
                rewritten = true;
            if (o == Outcome::Stop) {
                stopped = true;
                break;
            }
            pos = NextCall(work.str(), entry.keyword, static_cast<size_t>(next));
        }
    }
    if (rewritten)
        text = work;
    return rewritten;
}
