// Evaluation of many data steps at once: each operation runs over a row of
// kBlockSteps values, so the per-operation dispatch is paid once per row
// instead of once per step, and the arithmetic loops vectorise.

#include "common/formula/DataCalcuOrder.h"

#include "common/formula/FormulaChannelList.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// No dependency between iterations: lets the compiler vectorise without a
// run-time overlap test (the rows may be the same row, element by element).
#if defined(__clang__)
#if __has_feature(undefined_behavior_sanitizer)
// The sanitizer's checks inside the loops keep them scalar; clang would
// report each loop it was told to vectorise and could not.
#define FORMULA_IVDEP
#else
#define FORMULA_IVDEP _Pragma("clang loop vectorize(assume_safety)")
#endif
#elif defined(__GNUC__)
#define FORMULA_IVDEP _Pragma("GCC ivdep")
#else
#define FORMULA_IVDEP
#endif

namespace {

// The rows always run over the whole block, also when fewer steps are
// wanted: a fixed trip count lets the compiler vectorise at -O2, and the
// values past the wanted steps are never copied out. A destination row may
// be one of the source rows (an operation reuses its operand's register);
// element-wise that is no dependency between iterations.
constexpr int kRow = CDataCalcuOrder::kBlockSteps;

// Calls step for every index of a row. Vectorise is false for operators
// with no vector form (pow): clang treats the no-dependency hint as a demand
// to vectorise and reports every loop it cannot.
template <bool Vectorise, class G> void ForRow(G step)
{
    if constexpr (Vectorise) {
        FORMULA_IVDEP
        for (int j = 0; j < kRow; ++j)
            step(j);
    } else {
        for (int j = 0; j < kRow; ++j)
            step(j);
    }
}

// One binary operator over rows; `kind` says which operands are rows.
template <bool Vectorise = true, class F>
void ApplyBinary(int16_t kind, double* d, const double* x, const double* y, double a, double b, F f)
{
    switch (kind) {
    case kCalcKindRegisterConstant:
        ForRow<Vectorise>([&](int j) { d[j] = f(x[j], b); });
        break;
    case kCalcKindConstantRegister:
        ForRow<Vectorise>([&](int j) { d[j] = f(a, y[j]); });
        break;
    case kCalcKindRegisters:
        ForRow<Vectorise>([&](int j) { d[j] = f(x[j], y[j]); });
        break;
    default:
        std::fill(d, d + kRow, f(a, b));
        break;
    }
}

// The largest float, as the results' guard takes it.
constexpr double kFloatLimit = 3.40282346638528859811704183484516925e+38;

// Whether a value of the row lies beyond the float range (and is not the
// empty value). The compiler does not vectorise a search: two values at a
// time by hand where the machine has them.
bool AnyBeyondFloat(const double* row)
{
    int j = 0;
#if defined(__SSE2__)
    const __m128d inf = _mm_set1_pd(HUGE_VAL);
    const __m128d most = _mm_set1_pd(kFloatLimit);
    const __m128d sign = _mm_set1_pd(-0.0);
    __m128d bad = _mm_setzero_pd();
    for (; j + 2 <= kRow; j += 2) {
        const __m128d v = _mm_loadu_pd(row + j);
        const __m128d ok = _mm_or_pd(_mm_cmple_pd(_mm_andnot_pd(sign, v), most), _mm_cmpeq_pd(v, inf));
        bad = _mm_or_pd(bad, _mm_xor_pd(ok, _mm_castsi128_pd(_mm_set1_epi32(-1))));
    }
    if (_mm_movemask_pd(bad) != 0)
        return true;
#endif
    for (; j < kRow; ++j)
        if (!(std::fabs(row[j]) <= kFloatLimit || row[j] == HUGE_VAL))
            return true;
    return false;
}

} // namespace

bool CDataCalcuOrder::CanEvaluateBlocks() const
{
    for (int i = 0; i < m_operations.GetSize(); ++i)
        if (m_operations.GetAt(i)->GetKind() == kCalcKindList)
            return false;
    return true;
}

bool CDataCalcuOrder::EvaluateBlock(IFormulaChannelList& source, int32_t first, int32_t count, double* out)
{
    if (m_operations.GetSize() == 0 || !CanEvaluateBlocks() || count < 0 || first < 0)
        return false;
    const size_t need = static_cast<size_t>(m_registerCount) * kBlockSteps;
    if (m_blockRegisters.size() < need)
        m_blockRegisters.assign(need, 0.0);
    for (int32_t done = 0; done < count; done += kBlockSteps) {
        const int n = static_cast<int>(std::min<int32_t>(kBlockSteps, count - done));
        EvaluateChunk(source, first + done, n, out + done);
    }
    return true;
}

void CDataCalcuOrder::EvaluateChunk(IFormulaChannelList& source, int32_t first, int n, double* out)
{
    double* rows = m_blockRegisters.data();
    const double* last = nullptr;
    void* const* ops = m_operations.GetData();
    const int count = m_operations.GetSize();
    for (int i = 0; i < count; ++i) {
        const auto* op = static_cast<const CDataCalcu*>(ops[i]);
        double* d = rows + static_cast<size_t>(op->GetResultRegister()) * kBlockSteps;
        // A full block's last operation writes straight into the caller's
        // values; nothing reads its register afterwards.
        if (i == count - 1 && n == kRow)
            d = out;
        const double* x = rows + static_cast<size_t>(op->GetFirstRegister()) * kBlockSteps;
        const double* y = rows + static_cast<size_t>(op->GetSecondRegister()) * kBlockSteps;
        const int16_t kind = op->GetKind();
        const double a = op->GetFirst();
        const double b = op->GetSecond();
        switch (op->GetRoutine()) {
        case CalcRoutine::Ch:
        case CalcRoutine::No:
            if (!source.ReadStoredValues(op->GetChannelIndex(), first, n, d))
                std::fill(d, d + n, HUGE_VAL);
            break;
        case CalcRoutine::Add:
            ApplyBinary(kind, d, x, y, a, b, [](double p, double q) { return p + q; });
            break;
        case CalcRoutine::Subtract:
            ApplyBinary(kind, d, x, y, a, b, [](double p, double q) { return p - q; });
            break;
        case CalcRoutine::Multiply:
            ApplyBinary(kind, d, x, y, a, b, [](double p, double q) { return p * q; });
            break;
        case CalcRoutine::Divide:
            ApplyBinary(kind, d, x, y, a, b, CalcDivide);
            break;
        case CalcRoutine::Power:
            ApplyBinary<false>(kind, d, x, y, a, b, CalcPower);
            break;
        default:
            // One-argument functions: the register row or the constant.
            if (kind == kCalcKindFunctionRegister) {
                for (int j = 0; j < n; ++j)
                    d[j] = op->Evaluate(x[j], 0.0);
            } else {
                std::fill(d, d + n, op->Evaluate(0.0, 0.0));
            }
            break;
        }
        last = d;
    }
    // Nearly always every value fits; test the whole row at once (a stale
    // value past the wanted steps only sends it the slow way) and take the
    // value by value path only when one does not.
    if (!AnyBeyondFloat(last)) {
        if (last != out)
            std::copy(last, last + n, out);
    } else {
        for (int j = 0; j < n; ++j)
            out[j] = GuardResult(last[j], first + j + 1);
    }
    m_result = n > 0 ? out[n - 1] : m_result;
}
