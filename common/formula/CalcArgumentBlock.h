#pragma once

#include "common/formula/CalcFunctionTable.h"
#include "framework/core/CString.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

// The arguments of a list, channel or history function: the channel indices
// of its references (CHk gives k - 1, NOk gives k + 499) and its numbers in
// order (for history functions the first is the step count).
struct CCalcArgumentBlock {
    std::vector<int16_t> references;
    std::vector<double> numbers;
    // Initial value of NDEVI, NF3DT and NF4DT; -infinity until saved. It
    // lives as long as the compiled formula.
    double saved = -HUGE_VAL;
    // NAADD's running sum of the stored values 0 .. sumCount - 1, valid for
    // the step sumStep. Lets a sequential recalculation add one value per
    // step instead of summing the whole history again.
    int32_t sumStep = -1;
    int32_t sumCount = 0;
    double sum = 0.0;

    double Number(size_t i) const { return i < numbers.size() ? numbers[i] : HUGE_VAL; }
};

// The block of a call of a list function (category 4) or a channel or
// history function (categories 5, 6) for the formula of channel `channel`.
// Reference errors throw the compile errors 4, 5 and 6; a missing argument or
// an unparsable number gives null (error 1 for the caller).
std::unique_ptr<CCalcArgumentBlock> BuildArgumentBlock(const fw::CString& arguments, int16_t channel,
                                                       const tagCALCFUNC& entry, int category);

// Channel index of a reference argument "CHk" or "NOk"; throws the compile
// errors 6 (no prefix, not an integer), 4 (outside 1..1000) and 5 (the
// formula's own channel).
int16_t ParseChannelReference(const fw::CString& argument, int16_t channel);
