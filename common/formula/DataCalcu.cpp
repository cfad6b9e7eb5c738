#include "common/formula/DataCalcu.h"

#include "common/formula/DataCalcuOrder.h"

#include "framework/core/Format.h"

namespace {

int16_t RegisterOf(double operand) { return static_cast<int16_t>(operand); }

} // namespace

void CDataCalcu::Init(CalcRoutine routine, double first, double second, int16_t kind, int16_t resultRegister)
{
    m_routine = routine;
    m_first = first;
    m_second = second;
    m_kind = kind;
    m_resultRegister = resultRegister;
    const bool firstIsRegister = kind == kCalcKindRegisterConstant || kind == kCalcKindRegisters
                                 || kind == kCalcKindFunctionRegister;
    const bool secondIsRegister = kind == kCalcKindConstantRegister || kind == kCalcKindRegisters;
    m_firstRegister = firstIsRegister ? RegisterOf(first) : 0;
    m_secondRegister = secondIsRegister ? RegisterOf(second) : 0;
    m_code = CodeOf(routine, kind);
    NoteEdit();
}

CDataCalcu::Code CDataCalcu::CodeOf(CalcRoutine routine, int16_t kind)
{
    if ((routine == CalcRoutine::Ch || routine == CalcRoutine::No) && kind == kCalcKindConstants)
        return Code::Context;
    int base = 0;
    switch (routine) {
    case CalcRoutine::Add: base = static_cast<int>(Code::AddRC); break;
    case CalcRoutine::Subtract: base = static_cast<int>(Code::SubRC); break;
    case CalcRoutine::Multiply: base = static_cast<int>(Code::MulRC); break;
    case CalcRoutine::Divide: base = static_cast<int>(Code::DivRC); break;
    default: return Code::Other;
    }
    switch (kind) {
    case kCalcKindRegisterConstant: return static_cast<Code>(base);
    case kCalcKindConstantRegister: return static_cast<Code>(base + 1);
    case kCalcKindRegisters: return static_cast<Code>(base + 2);
    default: return Code::Other;
    }
}

void CDataCalcu::SetRoutine(CalcRoutine routine, double first)
{
    m_routine = routine;
    m_first = first;
    m_code = CodeOf(routine, m_kind);
    NoteEdit();
}

void CDataCalcu::SetOrderContext(CDataCalcuOrder* order)
{
    m_orderContext = order;
    m_contextResult = order != nullptr ? order->GetResultAddress() : nullptr;
    NoteEdit();
}

int16_t CDataCalcu::GetChannelIndex() const
{
    if (m_routine == CalcRoutine::Ch)
        return static_cast<int16_t>(m_first - 1.0);
    if (m_routine == CalcRoutine::No)
        return static_cast<int16_t>(m_first);
    return -1;
}

double CDataCalcu::Evaluate(double x, double y) const
{
    switch (m_kind) {
    case kCalcKindConstants:
        return CallBinary(m_first, m_second);
    case kCalcKindRegisterConstant:
        return CallBinary(x, m_second);
    case kCalcKindConstantRegister:
        return CallBinary(m_first, y);
    case kCalcKindRegisters:
        return CallBinary(x, y);
    case kCalcKindList:
        return CallList(x);
    case kCalcKindFunctionConstant:
        return CallUnary(m_first);
    case kCalcKindFunctionRegister:
        return CallUnary(x);
    default:
        return HUGE_VAL;
    }
}

double CDataCalcu::CallUnary(double x) const
{
    switch (m_routine) {
    case CalcRoutine::Sqrt:
        return CalcSqrt(x);
    case CalcRoutine::Abs:
        return CalcAbs(x);
    case CalcRoutine::Log10:
        return CalcLog10(x);
    case CalcRoutine::Ln:
        return CalcLn(x);
    case CalcRoutine::Pi:
        return CalcPi(x);
    case CalcRoutine::Acos:
        return CalcAcos(x);
    case CalcRoutine::Asin:
        return CalcAsin(x);
    case CalcRoutine::Atan:
        return CalcAtan(x);
    case CalcRoutine::Cos:
        return CalcCos(x);
    case CalcRoutine::Sin:
        return CalcSin(x);
    case CalcRoutine::Tan:
        return CalcTan(x);
    case CalcRoutine::Const:
        return CalcConst(x);
    case CalcRoutine::Iround:
        return CalcIround(x);
    case CalcRoutine::Sgn:
        return CalcSgn(x);
    default:
        return HUGE_VAL;
    }
}

double CDataCalcu::CallList(double step) const
{
    CalcListRoutine routine = nullptr;
    switch (m_routine) {
    case CalcRoutine::Nave: routine = CalcNave; break;
    case CalcRoutine::Nsum: routine = CalcNsum; break;
    case CalcRoutine::Nmax: routine = CalcNmax; break;
    case CalcRoutine::Nmin: routine = CalcNmin; break;
    case CalcRoutine::Nemax: routine = CalcNemax; break;
    case CalcRoutine::Nemin: routine = CalcNemin; break;
    case CalcRoutine::Ntemax: routine = CalcNtemax; break;
    case CalcRoutine::Npdeg: routine = CalcNpdeg; break;
    case CalcRoutine::Nex: routine = CalcNex; break;
    case CalcRoutine::Ney: routine = CalcNey; break;
    case CalcRoutine::Nsmax: routine = CalcNsmax; break;
    case CalcRoutine::Nsmin: routine = CalcNsmin; break;
    case CalcRoutine::Ntsmax: routine = CalcNtsmax; break;
    case CalcRoutine::Ntr: routine = CalcNtr; break;
    case CalcRoutine::Natan: routine = CalcNatan; break;
    case CalcRoutine::Nfx5: routine = CalcNfx5; break;
    case CalcRoutine::Nfsub: routine = CalcNfsub; break;
    case CalcRoutine::Nfadd: routine = CalcNfadd; break;
    case CalcRoutine::Naadd: routine = CalcNaadd; break;
    case CalcRoutine::Ndevi: routine = CalcNdevi; break;
    case CalcRoutine::Nf3dt: routine = CalcNf3dt; break;
    case CalcRoutine::Nf4dt: routine = CalcNf4dt; break;
    default: return HUGE_VAL;
    }
    return routine(step, m_listContext, m_block.get());
}

std::unique_ptr<CDataCalcu> CreateFormulaOperation(CalcRoutine routine, double first, double second, int16_t kind,
                                                   int16_t resultRegister, fw::CString& reference)
{
    if (const tagCALCFUNC* entry = FindCalcFunction(routine)) {
        if (routine == CalcRoutine::No)
            first = first - 1.0 + 500.0;
        if (entry->maxArguments == 1) {
            if (kind == kCalcKindConstants)
                kind = kCalcKindFunctionConstant;
            else if (kind == kCalcKindRegisterConstant)
                kind = kCalcKindFunctionRegister;
        }
    }
    auto op = std::make_unique<CDataCalcu>();
    op->Init(routine, first, second, kind, resultRegister);
    reference.Format("%s%hd", "@", resultRegister);
    return op;
}
