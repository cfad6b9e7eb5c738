#include "common/formula/FormulaRoutines.h"

#include "common/formula/CalcArgumentBlock.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/formula/FormulaChannelList.h"

#include <cfloat>

namespace {

constexpr double kMicro = 1e-6;
constexpr double kPi = 3.141592653589793;
constexpr double kRadToDeg = 180.0 / kPi;

bool FiniteAsFloat(double v) { return std::isfinite(v) && std::fabs(v) <= FLT_MAX; }

// sqrt(2 (ex - ez)^2 + 2 (ey - ez)^2), the radius shared by the rosette forms.
double RosetteRadius(double ex, double ey, double ez)
{
    const double dx = ex - ez;
    const double dy = ey - ez;
    return std::sqrt(2.0 * dx * dx + 2.0 * dy * dy);
}

bool Usable(IFormulaChannelList* list, CCalcArgumentBlock* block) { return list != nullptr && block != nullptr; }

// Results of the first three references; a missing Z channel takes the X
// value, a missing X or Y channel makes the call give no value.
bool ReadRosette(IFormulaChannelList* list, const CCalcArgumentBlock& block, double& ex, double& ey, double& ez)
{
    if (block.references.size() < 3)
        return false;
    CDataCalcuOrder* ox = list->GetOrder(block.references[0]);
    CDataCalcuOrder* oy = list->GetOrder(block.references[1]);
    CDataCalcuOrder* oz = list->GetOrder(block.references[2]);
    if (ox == nullptr || oy == nullptr)
        return false;
    ex = ox->GetResult();
    ey = oy->GetResult();
    ez = oz != nullptr ? oz->GetResult() : ex;
    return true;
}

bool ReadPair(IFormulaChannelList* list, const CCalcArgumentBlock& block, double& x, double& y)
{
    if (block.references.size() < 2)
        return false;
    CDataCalcuOrder* ox = list->GetOrder(block.references[0]);
    CDataCalcuOrder* oy = list->GetOrder(block.references[1]);
    if (ox == nullptr || oy == nullptr)
        return false;
    x = ox->GetResult();
    y = oy->GetResult();
    return true;
}

template <class F> double RosetteCall(IFormulaChannelList* list, CCalcArgumentBlock* block, F f)
{
    double ex = 0.0, ey = 0.0, ez = 0.0;
    if (!Usable(list, block) || !ReadRosette(list, *block, ex, ey, ez))
        return HUGE_VAL;
    return f(ex, ey, ez, *block);
}

template <class F> double PairCall(IFormulaChannelList* list, CCalcArgumentBlock* block, F f)
{
    double x = 0.0, y = 0.0;
    if (!Usable(list, block) || !ReadPair(list, *block, x, y))
        return HUGE_VAL;
    return f(x, y, *block);
}

} // namespace

double ReadChannelResult(IFormulaChannelList* list, int16_t index)
{
    CDataCalcuOrder* order = list != nullptr ? list->GetOrder(index) : nullptr;
    return order != nullptr ? order->GetResult() : HUGE_VAL;
}

// --- rosette and stress forms ------------------------------------------------

double CalcNemaxValue(double ex, double ey, double ez, double e, double nu)
{
    // nu = -1 divides by zero as well as nu = 1; neither is a material.
    const double d = 1.0 - nu * nu;
    if (nu == 1.0 || d == 0.0)
        return HUGE_VAL;
    return kMicro * e / (2.0 * d) * ((1.0 + nu) * (ex + ey) + (1.0 - nu) * RosetteRadius(ex, ey, ez));
}

double CalcNeminValue(double ex, double ey, double ez, double e, double nu)
{
    const double d = 1.0 - nu * nu;
    if (nu == 1.0 || d == 0.0)
        return HUGE_VAL;
    return kMicro * e / (2.0 * d) * ((1.0 + nu) * (ex + ey) - (1.0 - nu) * RosetteRadius(ex, ey, ez));
}

double CalcNtemaxValue(double ex, double ey, double ez, double e, double nu)
{
    if (!std::isfinite(ex) || !std::isfinite(ey) || !std::isfinite(ez) || !std::isfinite(e) || !std::isfinite(nu)
        || nu == -1.0)
        return HUGE_VAL;
    return kMicro * e / (2.0 * (1.0 + nu)) * RosetteRadius(ex, ey, ez);
}

double CalcNpdegValue(double ex, double ey, double ez)
{
    if (!std::isfinite(ex) || !std::isfinite(ey) || !std::isfinite(ez))
        return HUGE_VAL;
    if (ex == ey) {
        if (ez > ex)
            return 45.0;
        if (ez < ex)
            return -45.0;
        return HUGE_VAL;
    }
    const double theta = -0.5 * std::atan((ex + ey - 2.0 * ez) / (ex - ey)) * kRadToDeg;
    if (ex > ey)
        return theta;
    return ex + ey >= 2.0 * ez ? theta - 90.0 : theta + 90.0;
}

double CalcNexValue(double ex, double ey, double e, double nu)
{
    const double d = 1.0 - nu * nu;
    if (nu == 1.0 || d == 0.0)
        return HUGE_VAL;
    return kMicro * e / d * (ex + nu * ey);
}

double CalcNeyValue(double ex, double ey, double e, double nu)
{
    const double d = 1.0 - nu * nu;
    if (nu == 1.0 || d == 0.0)
        return HUGE_VAL;
    return kMicro * e / d * (ey + nu * ex);
}

double CalcNsmaxValue(double ex, double ey, double ez)
{
    if (!std::isfinite(ex) || !std::isfinite(ey) || !std::isfinite(ez))
        return HUGE_VAL;
    return (ex + ey) / 2.0 + (std::sqrt(2.0) / 2.0) * std::sqrt((ex - ez) * (ex - ez) + (ey - ez) * (ey - ez));
}

double CalcNsminValue(double ex, double ey, double ez)
{
    if (!std::isfinite(ex) || !std::isfinite(ey) || !std::isfinite(ez))
        return HUGE_VAL;
    return (ex + ey) / 2.0 - (std::sqrt(2.0) / 2.0) * std::sqrt((ex - ez) * (ex - ez) + (ey - ez) * (ey - ez));
}

double CalcNtsmaxValue(double ex, double ey, double ez)
{
    if (!std::isfinite(ex) || !std::isfinite(ey) || !std::isfinite(ez))
        return HUGE_VAL;
    return std::sqrt(2.0) * std::sqrt((ex - ez) * (ex - ez) + (ey - ez) * (ey - ez));
}

double CalcNatanValue(double x, double y)
{
    if (!FiniteAsFloat(x) || !FiniteAsFloat(y))
        return HUGE_VAL;
    if (x == 0.0) {
        if (y == 0.0)
            return 0.0;
        return y > 0.0 ? kPi / 2.0 : -kPi / 2.0;
    }
    if (x > 0.0)
        return std::atan(y / x);
    return y < 0.0 ? std::atan(y / x) - kPi : std::atan(y / x) + kPi;
}

double CalcNtrValue(double v, double period)
{
    if (!FiniteAsFloat(v) || !FiniteAsFloat(period) || period == 0.0)
        return v;
    // The residue is taken in one step rather than period by period, so a
    // value far outside the range cannot stall the calculation; a negative
    // period means the same period.
    const double p = std::fabs(period);
    double r = std::fmod(v, p);
    if (r < 0.0)
        r += p;
    if (r >= p)
        r -= p;
    return r;
}

double CalcNfx5Value(double x, const double* c)
{
    const double x2 = x * x;
    const double x3 = x2 * x;
    return c[0] * x3 * x2 + c[1] * x2 * x2 + c[2] * x3 + c[3] * x2 + c[4] * x + c[5];
}

// --- list statistics ------------------------------------------------------------

double CalcNave(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    if (!Usable(list, block) || block->references.empty())
        return HUGE_VAL;
    double sum = 0.0;
    bool found = false;
    for (int16_t ref : block->references) {
        if (CDataCalcuOrder* order = list->GetOrder(ref)) {
            sum += order->GetResult();
            found = true;
        }
    }
    const double n = static_cast<double>(block->references.size());
    return found ? sum / n : HUGE_VAL / n;
}

double CalcNsum(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    if (!Usable(list, block) || block->references.empty())
        return HUGE_VAL;
    double sum = 0.0;
    bool found = false;
    for (int16_t ref : block->references) {
        if (CDataCalcuOrder* order = list->GetOrder(ref)) {
            sum += order->GetResult();
            found = true;
        }
    }
    return found ? sum : HUGE_VAL;
}

double CalcNmax(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    if (!Usable(list, block) || block->references.empty())
        return HUGE_VAL;
    double best = HUGE_VAL;
    bool found = false;
    for (int16_t ref : block->references) {
        CDataCalcuOrder* order = list->GetOrder(ref);
        const double v = order != nullptr ? order->GetResult() : HUGE_VAL;
        if (std::isfinite(v) && (!found || v > best)) {
            best = v;
            found = true;
        }
    }
    return best;
}

double CalcNmin(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    if (!Usable(list, block) || block->references.empty())
        return HUGE_VAL;
    double best = HUGE_VAL;
    bool found = false;
    for (int16_t ref : block->references) {
        CDataCalcuOrder* order = list->GetOrder(ref);
        const double v = order != nullptr ? order->GetResult() : HUGE_VAL;
        if (std::isfinite(v) && (!found || v < best)) {
            best = v;
            found = true;
        }
    }
    return best;
}

// --- functions of referenced channels -----------------------------------------

double CalcNemax(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return RosetteCall(list, block, [](double ex, double ey, double ez, const CCalcArgumentBlock& b) {
        return CalcNemaxValue(ex, ey, ez, b.Number(0), b.Number(1));
    });
}

double CalcNemin(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return RosetteCall(list, block, [](double ex, double ey, double ez, const CCalcArgumentBlock& b) {
        return CalcNeminValue(ex, ey, ez, b.Number(0), b.Number(1));
    });
}

double CalcNtemax(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return RosetteCall(list, block, [](double ex, double ey, double ez, const CCalcArgumentBlock& b) {
        return CalcNtemaxValue(ex, ey, ez, b.Number(0), b.Number(1));
    });
}

double CalcNpdeg(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return RosetteCall(list, block, [](double ex, double ey, double ez, const CCalcArgumentBlock&) {
        return CalcNpdegValue(ex, ey, ez);
    });
}

double CalcNsmax(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return RosetteCall(list, block, [](double ex, double ey, double ez, const CCalcArgumentBlock&) {
        return CalcNsmaxValue(ex, ey, ez);
    });
}

double CalcNsmin(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return RosetteCall(list, block, [](double ex, double ey, double ez, const CCalcArgumentBlock&) {
        return CalcNsminValue(ex, ey, ez);
    });
}

double CalcNtsmax(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return RosetteCall(list, block, [](double ex, double ey, double ez, const CCalcArgumentBlock&) {
        return CalcNtsmaxValue(ex, ey, ez);
    });
}

double CalcNex(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return PairCall(list, block, [](double x, double y, const CCalcArgumentBlock& b) {
        return CalcNexValue(x, y, b.Number(0), b.Number(1));
    });
}

double CalcNey(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return PairCall(list, block, [](double x, double y, const CCalcArgumentBlock& b) {
        return CalcNeyValue(x, y, b.Number(0), b.Number(1));
    });
}

double CalcNatan(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    return PairCall(list, block, [](double x, double y, const CCalcArgumentBlock&) { return CalcNatanValue(x, y); });
}

double CalcNtr(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    if (!Usable(list, block) || block->references.empty())
        return HUGE_VAL;
    return CalcNtrValue(ReadChannelResult(list, block->references[0]), block->Number(0));
}

double CalcNfx5(double, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    if (!Usable(list, block) || block->references.empty() || block->numbers.size() < 6)
        return HUGE_VAL;
    return CalcNfx5Value(ReadChannelResult(list, block->references[0]), block->numbers.data());
}
