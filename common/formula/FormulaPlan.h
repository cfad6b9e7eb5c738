#pragma once

// The flat plan of a formula made only of channel reads and the four
// arithmetic operations, as step-by-step evaluation runs it: each step's
// operands point straight at the values they read (another order's result,
// a register written by an earlier step, or the step's own constant).
//
// A plan runs through a kernel chosen when it is prepared. Short plans, the
// usual live formulas, get a kernel of their own with the operations fixed
// and each step's value passed on in a register rather than through memory;
// the values are those of the general loop, bit for bit.

#include <cstdint>
#include <vector>

struct FormulaPlanStep {
    enum Code : uint8_t { Add, Subtract, Multiply, Divide };
    Code code;
    const double* first;
    const double* second;
    double* target;
    double constant;
};

// Runs the steps up to `end` and gives the value at `result`.
using FormulaPlanKernel = double (*)(const FormulaPlanStep* steps, const FormulaPlanStep* end, const double* result);

// The kernel for `steps` whose value is read at `result`; never null.
FormulaPlanKernel ChooseFormulaPlanKernel(const std::vector<FormulaPlanStep>& steps, const double* result);
