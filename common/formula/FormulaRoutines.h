#pragma once

// The evaluation routines behind the operators and the keywords of the
// calculation function table. HUGE_VAL stands for "no value" throughout.

#include <cmath>
#include <cstdint>

class IFormulaChannelList;
struct CCalcArgumentBlock;

// --- operators (two operands) ---------------------------------------------
inline double CalcAdd(double a, double b) { return a + b; }
inline double CalcSubtract(double a, double b) { return a - b; }
inline double CalcMultiply(double a, double b) { return a * b; }
inline double CalcDivide(double a, double b) { return b == 0.0 ? HUGE_VAL : a / b; }
inline double CalcPower(double a, double b) { return std::pow(a, b); }

// --- one-argument numeric functions ---------------------------------------
inline double CalcSqrt(double x) { return x >= 0.0 ? std::sqrt(x) : HUGE_VAL; }
inline double CalcAbs(double x) { return std::fabs(x); }
inline double CalcLog10(double x) { return std::log10(x); }
inline double CalcLn(double x) { return std::log(x); }
inline double CalcPi(double) { return 3.141592653589793; }
inline double CalcAcos(double x) { return std::acos(x); }
inline double CalcAsin(double x) { return std::asin(x); }
inline double CalcAtan(double x) { return std::atan(x); }
inline double CalcCos(double x) { return std::cos(x); }
inline double CalcSin(double x) { return std::sin(x); }
inline double CalcTan(double x) { return std::tan(x); }
inline double CalcConst(double x) { return x; }
// Halves go away from zero.
inline double CalcIround(double x)
{
    if (!std::isfinite(x))
        return HUGE_VAL;
    return x > 0.0 ? std::floor(x + 0.5) : std::ceil(x - 0.5);
}
inline double CalcSgn(double x)
{
    if (!std::isfinite(x))
        return HUGE_VAL;
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// --- functions of referenced channels (values already read) ---------------
double CalcNemaxValue(double ex, double ey, double ez, double e, double nu);
double CalcNeminValue(double ex, double ey, double ez, double e, double nu);
double CalcNtemaxValue(double ex, double ey, double ez, double e, double nu);
double CalcNpdegValue(double ex, double ey, double ez);
double CalcNexValue(double ex, double ey, double e, double nu);
double CalcNeyValue(double ex, double ey, double e, double nu);
double CalcNsmaxValue(double ex, double ey, double ez);
double CalcNsminValue(double ex, double ey, double ez);
double CalcNtsmaxValue(double ex, double ey, double ez);
double CalcNatanValue(double x, double y);
// v brought into [0, |P|); v unchanged when v or P is not finite as single
// precision or P is 0.
double CalcNtrValue(double v, double period);
double CalcNfx5Value(double x, const double* coefficients);

// --- routines of kind 4: step number, channel list, argument block --------
using CalcListRoutine = double (*)(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);

double CalcNave(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNsum(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNmax(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNmin(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNemax(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNemin(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNtemax(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNpdeg(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNex(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNey(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNsmax(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNsmin(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNtsmax(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNtr(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNatan(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNfx5(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNfsub(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNfadd(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNaadd(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNdevi(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNf3dt(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);
double CalcNf4dt(double step, IFormulaChannelList* list, CCalcArgumentBlock* block);

// The current result of the channel at `index` (its order's result);
// HUGE_VAL when the list has no order there.
double ReadChannelResult(IFormulaChannelList* list, int16_t index);
