#include "common/formula/CalcArgumentBlock.h"

#include "common/formula/FormulaCompileError.h"
#include "common/formula/FormulaErrors.h"
#include "common/formula/FormulaText.h"

#include <algorithm>

namespace {

// The step count of a history function indexes back into the data; the
// original accepted 1 up to, but not including, the int16 maximum.
constexpr double kMaxStepCountExclusive = 32767.0;
constexpr int kHighestReference = 1000;

} // namespace

int16_t ParseChannelReference(const fw::CString& argument, int16_t channel)
{
    int base = 0;
    if (argument.Find("CH") == 0)
        base = -1;
    else if (argument.Find("NO") == 0)
        base = 499;
    else
        ThrowFormulaError(kFormulaErrorArguments);
    int k = 0;
    if (!FormulaTextToInteger(argument.Mid(2), k))
        ThrowFormulaError(kFormulaErrorArguments);
    if (k < 1 || k > kHighestReference)
        ThrowFormulaError(kFormulaErrorRange);
    const auto index = static_cast<int16_t>(k + base);
    if (index == channel)
        ThrowFormulaError(kFormulaErrorSelfReference);
    return index;
}

std::unique_ptr<CCalcArgumentBlock> BuildArgumentBlock(const fw::CString& arguments, int16_t channel,
                                                       const tagCALCFUNC& entry, int category)
{
    const int count = CountFormulaArguments(arguments);
    const int references = category == kCalcCategoryList ? count : std::min<int>(entry.referenceArguments, count);
    const int total = category == kCalcCategoryList ? count : entry.arguments;
    auto block = std::make_unique<CCalcArgumentBlock>();
    block->references.reserve(static_cast<size_t>(references));
    block->numbers.reserve(static_cast<size_t>(total - references));
    fw::CString text;
    for (int n = 1; n <= total; ++n) {
        if (GetFormulaArgument(arguments, n, text) < 0)
            return nullptr;
        if (n <= references) {
            block->references.push_back(ParseChannelReference(text, channel));
            continue;
        }
        double value = 0.0;
        if (!FormulaTextToNumber(text, value))
            return nullptr;
        if (category == kCalcCategoryHistory && n == references + 1
            && (value < 1.0 || value >= kMaxStepCountExclusive))
            ThrowFormulaError(kFormulaErrorRange);
        block->numbers.push_back(value);
    }
    return block;
}
