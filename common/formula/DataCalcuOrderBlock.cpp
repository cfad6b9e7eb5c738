// Evaluation of many data steps at once: each operation runs over a row of
// kBlockSteps values, so the per-operation dispatch is paid once per row
// instead of once per step, and the arithmetic loops vectorise.

#include "common/formula/DataCalcuOrder.h"

#include "common/formula/FormulaChannelList.h"

#include <algorithm>

namespace {

template <class F> void RowRow(double* d, const double* x, const double* y, int n, F f)
{
    for (int j = 0; j < n; ++j)
        d[j] = f(x[j], y[j]);
}

template <class F> void RowConst(double* d, const double* x, double b, int n, F f)
{
    for (int j = 0; j < n; ++j)
        d[j] = f(x[j], b);
}

template <class F> void ConstRow(double* d, double a, const double* y, int n, F f)
{
    for (int j = 0; j < n; ++j)
        d[j] = f(a, y[j]);
}

// One binary operator over rows; `kind` says which operands are rows.
template <class F> void ApplyBinary(int16_t kind, double* d, const double* x, const double* y, double a, double b,
                                    int n, F f)
{
    switch (kind) {
    case kCalcKindRegisterConstant:
        RowConst(d, x, b, n, f);
        break;
    case kCalcKindConstantRegister:
        ConstRow(d, a, y, n, f);
        break;
    case kCalcKindRegisters:
        RowRow(d, x, y, n, f);
        break;
    default:
        std::fill(d, d + n, f(a, b));
        break;
    }
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
            ApplyBinary(kind, d, x, y, a, b, n, [](double p, double q) { return p + q; });
            break;
        case CalcRoutine::Subtract:
            ApplyBinary(kind, d, x, y, a, b, n, [](double p, double q) { return p - q; });
            break;
        case CalcRoutine::Multiply:
            ApplyBinary(kind, d, x, y, a, b, n, [](double p, double q) { return p * q; });
            break;
        case CalcRoutine::Divide:
            ApplyBinary(kind, d, x, y, a, b, n, CalcDivide);
            break;
        case CalcRoutine::Power:
            ApplyBinary(kind, d, x, y, a, b, n, CalcPower);
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
    for (int j = 0; j < n; ++j)
        out[j] = GuardResult(last[j], first + j + 1);
    m_result = n > 0 ? out[n - 1] : m_result;
}
