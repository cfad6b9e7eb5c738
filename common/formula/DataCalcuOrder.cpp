#include "common/formula/DataCalcuOrder.h"

#include <cfloat>

CDataCalcuOrder::CDataCalcuOrder()
{
    Reset();
}

CDataCalcuOrder::~CDataCalcuOrder()
{
    m_operations.DeleteAll();
}

void CDataCalcuOrder::Reset()
{
    m_operations.DeleteAll();
    CDataCalcu::NoteEdit();
    m_channel = 0;
    m_registerCount = 0;
    m_pass = 0;
    m_result = HUGE_VAL;
}

void CDataCalcuOrder::SetError(int code)
{
    m_error = code;
    if (code != 0)
        Reset();
}

void CDataCalcuOrder::SetReferenceLimits(int16_t chLimit, int16_t secondLimit)
{
    m_chLimit = chLimit;
    m_secondLimit = secondLimit;
}

void CDataCalcuOrder::GetResultType(int16_t& dataCode, int16_t& dataType) const
{
    dataCode = 0;
    dataType = 2;
}

CDataCalcu* CDataCalcuOrder::FindOperation(CalcRoutine routine) const
{
    for (int i = 0; i < m_operations.GetSize(); ++i) {
        CDataCalcu* op = m_operations.GetAt(i);
        if (op != nullptr && op->IsRoutine(routine))
            return op;
    }
    return nullptr;
}

CDataCalcu* CDataCalcuOrder::FindChannelOperation() const
{
    return FindOperation(CalcRoutine::Ch);
}

void CDataCalcuOrder::ClearInvalidResults()
{
    m_invalidResults = 0;
    m_firstInvalidStep = 0;
}

double CDataCalcuOrder::InvalidResult(int32_t step)
{
    static_assert(kFloatMax == static_cast<double>(FLT_MAX));
    if (m_invalidResults++ == 0)
        m_firstInvalidStep = step;
    return HUGE_VAL;
}

bool CDataCalcuOrder::EvaluateOtherwise(int16_t pass, int32_t step)
{
    if (m_pass < 0) {
        m_result = HUGE_VAL;
        return true;
    }
    if (pass != m_pass)
        return false;
    if (m_pass == 0) {
        m_result = HUGE_VAL;
        return true;
    }
    if (m_planEdits != CDataCalcu::EditCount())
        PreparePlan();
    if (m_planKernel != nullptr)
        EvaluatePlan(step);
    else
        EvaluateOperations(step);
    return true;
}

void CDataCalcuOrder::EvaluateOperations(int32_t step)
{
    // Registers are written before they are read: the compiler only hands
    // out references to registers of earlier operations.
    double registers[kRegisterCount];
    const double stepNumber = step;
    double result = 0.0;
    void* const* ops = m_operations.GetData();
    const int count = m_operations.GetSize();
    for (int i = 0; i < count; ++i) {
        const auto* op = static_cast<const CDataCalcu*>(ops[i]);
        result = op->Compute(registers, stepNumber);
        registers[op->GetResultRegister()] = result;
    }
    m_result = GuardResult(result, step);
}
