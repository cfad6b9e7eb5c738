// Functions that read earlier data steps of a referenced channel: its
// current result x and the values its tank T has stored. Steps are 1-based;
// step s is stored at index s - 1, so the previous step is at s - 2.

#include "common/formula/CalcArgumentBlock.h"
#include "common/formula/FormulaChannelList.h"
#include "common/formula/FormulaRoutines.h"

namespace {

constexpr double kNotSaved = -HUGE_VAL;

struct HistoryCall {
    double x = HUGE_VAL;
    bool hasTank = false;
    int16_t ref = 0;
    int64_t step = 0;
};

bool Prepare(double step, IFormulaChannelList* list, CCalcArgumentBlock* block, HistoryCall& call)
{
    if (list == nullptr || block == nullptr || block->references.empty())
        return false;
    call.ref = block->references[0];
    call.x = ReadChannelResult(list, call.ref);
    call.hasTank = list->HasChannelTank(call.ref);
    call.step = static_cast<int64_t>(step);
    return true;
}

double Stored(IFormulaChannelList* list, int16_t ref, int64_t index)
{
    if (index < 0 || index > INT32_MAX)
        return HUGE_VAL;
    return list->GetStoredValue(ref, static_cast<int32_t>(index));
}

// The initial value x0 of NF3DT and NF4DT, taken at step n and kept in the
// block.
double InitialValue(IFormulaChannelList* list, CCalcArgumentBlock& block, const HistoryCall& call)
{
    const double n = block.Number(0);
    if (!call.hasTank || !(n > 0.0))
        return HUGE_VAL;
    const auto stepCount = static_cast<int64_t>(n);
    if (call.step == stepCount) {
        block.saved = call.x;
        return call.x;
    }
    if (call.step == 1 || block.saved == kNotSaved)
        block.saved = Stored(list, call.ref, stepCount - 1);
    return block.saved;
}

double Poly3(const CCalcArgumentBlock& b, double t)
{
    return ((b.Number(1) * t + b.Number(2)) * t + b.Number(3)) * t + b.Number(4);
}

double Poly4(const CCalcArgumentBlock& b, double t)
{
    return (((b.Number(1) * t + b.Number(2)) * t + b.Number(3)) * t + b.Number(4)) * t + b.Number(5);
}

} // namespace

double CalcNfsub(double step, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    HistoryCall call;
    if (!Prepare(step, list, block, call))
        return HUGE_VAL;
    if (call.hasTank && call.step > 1)
        return call.x - Stored(list, call.ref, call.step - 2);
    return call.x - call.x;
}

double CalcNfadd(double step, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    HistoryCall call;
    if (!Prepare(step, list, block, call))
        return HUGE_VAL;
    if (call.hasTank && call.step > 1)
        return Stored(list, call.ref, call.step - 2) + call.x;
    return call.x + 0.0;
}

double CalcNaadd(double step, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    HistoryCall call;
    if (!Prepare(step, list, block, call))
        return HUGE_VAL;
    if (!call.hasTank || call.step <= 1)
        return call.x + 0.0;
    // The running sum is reused only for the same or the next step, where no
    // earlier value can have changed in between; any other step sums afresh.
    const int64_t need = call.step - 1;
    const bool reuse = (block->sumStep == call.step || block->sumStep == call.step - 1) && block->sumCount <= need;
    if (!reuse) {
        block->sum = 0.0;
        block->sumCount = 0;
    }
    for (int64_t i = block->sumCount; i < need; ++i) {
        const double v = Stored(list, call.ref, i);
        if (std::isfinite(v))
            block->sum += v;
    }
    block->sumCount = static_cast<int32_t>(need);
    block->sumStep = static_cast<int32_t>(call.step);
    return call.x + block->sum;
}

double CalcNdevi(double step, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    HistoryCall call;
    if (!Prepare(step, list, block, call))
        return HUGE_VAL;
    const double n = block->Number(0);
    if (!call.hasTank || !(n > 0.0))
        return call.x - HUGE_VAL;
    const auto stepCount = static_cast<int64_t>(n);
    if (call.step == stepCount) {
        if (list->GetStoredCount(call.ref) > 0)
            block->saved = call.x;
        return call.x - call.x;
    }
    if (call.step != 1 && block->saved != kNotSaved)
        return call.x - block->saved;
    block->saved = Stored(list, call.ref, stepCount - 1);
    return call.x - block->saved;
}

double CalcNf3dt(double step, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    HistoryCall call;
    if (!Prepare(step, list, block, call))
        return HUGE_VAL;
    const double x0 = InitialValue(list, *block, call);
    return Poly3(*block, call.x) - Poly3(*block, x0);
}

double CalcNf4dt(double step, IFormulaChannelList* list, CCalcArgumentBlock* block)
{
    HistoryCall call;
    if (!Prepare(step, list, block, call))
        return HUGE_VAL;
    const double x0 = InitialValue(list, *block, call);
    return Poly4(*block, call.x) - Poly4(*block, x0);
}
