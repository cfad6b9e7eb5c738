#include "common/formula/DataCalcuOrder.h"

namespace {

// What a CH or NO read without a context gives.
constexpr double kNoContext = HUGE_VAL;

} // namespace

void CDataCalcuOrder::PreparePlan()
{
    m_planEdits = CDataCalcu::EditCount();
    m_plan.clear();
    m_planResult = nullptr;
    m_planKernel = nullptr;
    const int count = m_operations.GetSize();
    if (count == 0)
        return;
    m_planRegisters.assign(kRegisterCount, 0.0);
    m_plan.reserve(static_cast<size_t>(count));
    // Where the value each register holds at this point of the walk lives:
    // a register last written by a CH or NO read is that channel's result.
    std::vector<const double*> latest(kRegisterCount);
    for (int r = 0; r < kRegisterCount; ++r)
        latest[static_cast<size_t>(r)] = &m_planRegisters[static_cast<size_t>(r)];
    const double* result = nullptr;
    for (int i = 0; i < count; ++i) {
        const CDataCalcu* op = m_operations.GetAt(i);
        if (op == nullptr || !PlanOperation(*op, latest)) {
            m_plan.clear();
            return;
        }
        result = latest[static_cast<size_t>(op->GetResultRegister())];
    }
    m_planResult = result;
    m_planKernel = ChooseFormulaPlanKernel(m_plan, result);
}

bool CDataCalcuOrder::PlanOperation(const CDataCalcu& op, std::vector<const double*>& latest)
{
    const int16_t target = op.GetResultRegister();
    if (target < 0 || target >= kRegisterCount)
        return false;
    const CalcRoutine routine = op.GetRoutine();
    const int16_t kind = op.GetKind();
    if ((routine == CalcRoutine::Ch || routine == CalcRoutine::No) && kind == kCalcKindConstants) {
        const double* value = op.GetContextResult();
        latest[static_cast<size_t>(target)] = value != nullptr ? value : &kNoContext;
        return true;
    }
    FormulaPlanStep step{};
    switch (routine) {
    case CalcRoutine::Add: step.code = FormulaPlanStep::Add; break;
    case CalcRoutine::Subtract: step.code = FormulaPlanStep::Subtract; break;
    case CalcRoutine::Multiply: step.code = FormulaPlanStep::Multiply; break;
    case CalcRoutine::Divide: step.code = FormulaPlanStep::Divide; break;
    default: return false;
    }
    const auto registerAt = [&](int16_t r) -> const double* {
        return r >= 0 && r < kRegisterCount ? latest[static_cast<size_t>(r)] : nullptr;
    };
    m_plan.push_back(step);
    FormulaPlanStep& added = m_plan.back();
    switch (kind) {
    case kCalcKindRegisterConstant:
        added.constant = op.GetSecond();
        added.first = registerAt(op.GetFirstRegister());
        added.second = &added.constant;
        break;
    case kCalcKindConstantRegister:
        added.constant = op.GetFirst();
        added.first = &added.constant;
        added.second = registerAt(op.GetSecondRegister());
        break;
    case kCalcKindRegisters:
        added.first = registerAt(op.GetFirstRegister());
        added.second = registerAt(op.GetSecondRegister());
        break;
    default:
        return false;
    }
    if (added.first == nullptr || added.second == nullptr)
        return false;
    added.target = &m_planRegisters[static_cast<size_t>(target)];
    latest[static_cast<size_t>(target)] = added.target;
    return true;
}
