#include "common/formula/FormulaPlan.h"

#include "common/formula/FormulaRoutines.h"

#include <array>
#include <utility>

namespace {

using Step = FormulaPlanStep;
constexpr int kCodes = 4;

template <Step::Code C> inline double Apply(double a, double b)
{
    if constexpr (C == Step::Add)
        return a + b;
    else if constexpr (C == Step::Subtract)
        return a - b;
    else if constexpr (C == Step::Multiply)
        return a * b;
    else
        return CalcDivide(a, b);
}

// One step after another whose value `previous` holds: an operand the
// previous step wrote is taken from the register, not read back from memory.
template <Step::Code C> inline double Follow(const Step& s, const double* written, double previous)
{
    const double a = s.first == written ? previous : *s.first;
    const double b = s.second == written ? previous : *s.second;
    const double v = Apply<C>(a, b);
    *s.target = v;
    return v;
}

template <Step::Code C0> double Run1(const Step* s, const Step*, const double*)
{
    const double v = Apply<C0>(*s[0].first, *s[0].second);
    *s[0].target = v;
    return v;
}

template <Step::Code C0, Step::Code C1> double Run2(const Step* s, const Step*, const double*)
{
    const double v = Run1<C0>(s, nullptr, nullptr);
    return Follow<C1>(s[1], s[0].target, v);
}

template <Step::Code C0, Step::Code C1, Step::Code C2> double Run3(const Step* s, const Step*, const double*)
{
    const double v = Run2<C0, C1>(s, nullptr, nullptr);
    return Follow<C2>(s[2], s[1].target, v);
}

double RunAny(const Step* s, const Step* end, const double* result)
{
    for (; s != end; ++s) {
        const double a = *s->first;
        const double b = *s->second;
        switch (s->code) {
        case Step::Add: *s->target = a + b; break;
        case Step::Subtract: *s->target = a - b; break;
        case Step::Multiply: *s->target = a * b; break;
        case Step::Divide: *s->target = CalcDivide(a, b); break;
        }
    }
    return *result;
}

constexpr Step::Code CodeAt(size_t i) { return static_cast<Step::Code>(i); }

template <size_t... I> constexpr auto Table1(std::index_sequence<I...>)
{
    return std::array<FormulaPlanKernel, sizeof...(I)>{&Run1<CodeAt(I)>...};
}
template <size_t... I> constexpr auto Table2(std::index_sequence<I...>)
{
    return std::array<FormulaPlanKernel, sizeof...(I)>{&Run2<CodeAt(I / kCodes), CodeAt(I % kCodes)>...};
}
template <size_t... I> constexpr auto Table3(std::index_sequence<I...>)
{
    return std::array<FormulaPlanKernel, sizeof...(I)>{
        &Run3<CodeAt(I / (kCodes * kCodes)), CodeAt(I / kCodes % kCodes), CodeAt(I % kCodes)>...};
}

constexpr auto kRun1 = Table1(std::make_index_sequence<kCodes>{});
constexpr auto kRun2 = Table2(std::make_index_sequence<kCodes * kCodes>{});
constexpr auto kRun3 = Table3(std::make_index_sequence<kCodes * kCodes * kCodes>{});

} // namespace

FormulaPlanKernel ChooseFormulaPlanKernel(const std::vector<FormulaPlanStep>& steps, const double* result)
{
    // A fixed kernel gives the last step's value, so that is where the
    // formula's value must be.
    if (steps.empty() || steps.size() > 3 || steps.back().target != result)
        return &RunAny;
    size_t index = 0;
    for (const Step& s : steps)
        index = index * kCodes + s.code;
    switch (steps.size()) {
    case 1: return kRun1[index];
    case 2: return kRun2[index];
    default: return kRun3[index];
    }
}
