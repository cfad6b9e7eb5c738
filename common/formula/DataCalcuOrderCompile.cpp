// The rewriting compiler: every recognised piece of the formula text is
// replaced by the reference "@n" of the operation that computes it, until
// the text reads "=@0".

#include "common/formula/DataCalcuOrder.h"

#include "common/base/ZelException.h"
#include "common/formula/FormulaCompileError.h"
#include "common/formula/FormulaErrors.h"
#include "common/formula/FormulaText.h"

#include <algorithm>

namespace {

constexpr int kHighestCalculatedChannel = 1000;

void Replace(fw::CString& text, int from, int to, const fw::CString& with)
{
    text.str().replace(static_cast<size_t>(from), static_cast<size_t>(to - from + 1), with.str());
}

// An operand that names a register must name one an earlier operation wrote;
// "@0.5" or "@05" left over from "CH(1).5" would otherwise read a register
// nobody wrote.
bool ReadRegisterOperand(const fw::CString& operand, int16_t registerCount, double& reg)
{
    int r = 0;
    if (!ParseRegisterReference(operand, r) || r >= registerCount)
        return false;
    reg = r;
    return true;
}

CalcRoutine RoutineOf(int entry) { return CalcFunctionTable()[static_cast<size_t>(entry)].routine; }

} // namespace

int CDataCalcuOrder::Compile(int16_t channel, const fw::CString& text)
{
    m_error = 0;
    m_historyFlag = 0;
    if (text.IsEmpty())
        return 0;
    // A stale operation list would run before the new formula's operations.
    Reset();
    try {
        const int syntax = CheckFormulaSyntax(text);
        if (syntax != 0)
            ThrowFormulaError(syntax);
        m_channel = channel;
        fw::CString work = text;
        work.MakeUpper();
        m_pass = 1;
        CompileReferences(work, kCalcCategoryChannel);
        CompileReferences(work, kCalcCategoryCalculated);
        CompileListFunctions(work);
        CompileChannelFunctions(work, kCalcCategoryReferenced);
        CompileChannelFunctions(work, kCalcCategoryHistory);
        if (work != "=@0")
            CompileNumericFunctions(work);
        if (work != "=@0")
            CompileGroups(work);
        if (work != "=@0")
            CompileFinish(work);
        m_blockRegisters.assign(static_cast<size_t>(m_registerCount) * kBlockSteps, 0.0);
    } catch (CZelException& e) {
        SetError(e.m_nErrorCode);
    }
    return m_error;
}

void CDataCalcuOrder::CompileFinish(fw::CString& text)
{
    // The whole remainder must be one number. (Cutting it to its first
    // characters, as a fixed buffer once did, would silently drop digits.)
    if (text.GetLength() < 2 || text[0] != '=')
        ThrowFormulaError(kFormulaErrorMalformed);
    const fw::CString number = text.Mid(1);
    double value = 0.0;
    if (!FormulaTextToNumber(number, value))
        ThrowFormulaError(kFormulaErrorMalformed);
    const fw::CString ref = CompileBinary(CalcRoutine::Const, number, "0");
    text = "=" + ref;
    if (text != "=@0")
        ThrowFormulaError(kFormulaErrorMalformed);
}

void CDataCalcuOrder::CompileReferences(fw::CString& text, int category)
{
    while (FindFunctionOfCategory(text, category) >= 0) {
        int pos = 0, entry = 0, open = 0, close = 0;
        fw::CString args;
        if (!FindFunctionCall(text, category, pos, entry, open, close, args))
            ThrowFormulaError(kFormulaErrorMalformed);
        m_pass = static_cast<int16_t>(category);
        if (args.IsEmpty())
            ThrowFormulaError(kFormulaErrorArguments);
        int k = 0;
        const int limit = category == kCalcCategoryChannel ? m_chLimit : kHighestCalculatedChannel;
        if (!FormulaTextToInteger(args, k) || k < 1 || k > limit)
            ThrowFormulaError(kFormulaErrorRange);
        if (category == kCalcCategoryCalculated && 499 + k == m_channel)
            ThrowFormulaError(kFormulaErrorSelfReference);
        // The checked number itself is compiled: a signed argument such as
        // "+3" would otherwise become an addition whose register number
        // then stood in for the channel number.
        fw::CString number;
        number.Format("%d", k);
        const fw::CString ref = CompileCall(RoutineOf(entry), number, CalcFunctionTable()[entry].arguments);
        Replace(text, pos, close, ref);
    }
}

void CDataCalcuOrder::CompileListFunctions(fw::CString& text)
{
    while (FindFunctionOfCategory(text, kCalcCategoryList) >= 0) {
        int pos = 0, entry = 0, open = 0, close = 0;
        fw::CString args;
        if (!FindFunctionCall(text, kCalcCategoryList, pos, entry, open, close, args))
            ThrowFormulaError(kFormulaErrorMalformed);
        m_pass = kCalcCategoryList;
        if (CountFormulaArguments(args) == 0)
            ThrowFormulaError(kFormulaErrorMalformed);
        const fw::CString ref = AddOperation(RoutineOf(entry), 0.0, 0.0, kCalcKindList);
        auto block = BuildArgumentBlock(args, m_channel, CalcFunctionTable()[entry], kCalcCategoryList);
        if (!block)
            ThrowFormulaError(kFormulaErrorMalformed);
        m_operations.GetAt(m_operations.GetSize() - 1)->SetArgumentBlock(std::move(block));
        Replace(text, pos, close, ref);
    }
}

void CDataCalcuOrder::CompileChannelFunctions(fw::CString& text, int category)
{
    while (FindFunctionOfCategory(text, category) >= 0) {
        int pos = 0, entry = 0, open = 0, close = 0;
        fw::CString args;
        if (!FindFunctionCall(text, category, pos, entry, open, close, args))
            ThrowFormulaError(kFormulaErrorMalformed);
        m_pass = static_cast<int16_t>(category);
        const tagCALCFUNC& function = CalcFunctionTable()[entry];
        if (CountFormulaArguments(args) != function.arguments)
            ThrowFormulaError(kFormulaErrorArguments);
        const fw::CString ref = AddOperation(function.routine, 0.0, 0.0, kCalcKindList);
        auto block = BuildArgumentBlock(args, m_channel, function, category);
        if (!block)
            ThrowFormulaError(kFormulaErrorMalformed);
        m_operations.GetAt(m_operations.GetSize() - 1)->SetArgumentBlock(std::move(block));
        Replace(text, pos, close, ref);
    }
}

void CDataCalcuOrder::CompileNumericFunctions(fw::CString& text)
{
    int start = 0;
    while (FindFunctionOfCategory(text, kCalcCategoryNumeric) >= 0) {
        int pos = start, entry = 0, open = 0, close = 0;
        fw::CString args;
        if (!FindFunctionCall(text, kCalcCategoryNumeric, pos, entry, open, close, args))
            ThrowFormulaError(kFormulaErrorMalformed);
        if (FindFunctionOfCategory(args, kCalcCategoryNumeric) >= 0) {
            // Compile the innermost call first. The start only moves forward,
            // so the search always ends.
            if (open <= start)
                ThrowFormulaError(kFormulaErrorMalformed);
            start = open;
            continue;
        }
        const tagCALCFUNC& function = CalcFunctionTable()[entry];
        const fw::CString ref = CompileCall(function.routine, args, function.arguments);
        Replace(text, pos, close, ref);
        start = 0;
    }
}

void CDataCalcuOrder::CompileGroups(fw::CString& text)
{
    fw::CString inner;
    int open = 0, close = 0;
    while (FindInnermostGroup(text, inner, open, close)) {
        if (inner.IsEmpty())
            ThrowFormulaError(kFormulaErrorMalformed);
        CompileOperators(inner);
        Replace(text, open, close, inner);
    }
    CompileOperators(text);
}

void CDataCalcuOrder::CompileOperators(fw::CString& text)
{
    struct Level {
        char a;
        char b;
    };
    static constexpr Level kLevels[] = {{'^', '^'}, {'*', '/'}, {'+', '-'}};
    for (const Level& level : kLevels) {
        for (;;) {
            const int pa = text.Find(level.a);
            const int pb = text.Find(level.b);
            const int p = pa < 0 ? pb : (pb < 0 ? pa : std::min(pa, pb));
            if (p < 0)
                break;
            CalcRoutine routine = CalcRoutine::None;
            switch (text[p]) {
            case '^': routine = CalcRoutine::Power; break;
            case '*': routine = CalcRoutine::Multiply; break;
            case '/': routine = CalcRoutine::Divide; break;
            case '+': routine = CalcRoutine::Add; break;
            default: routine = CalcRoutine::Subtract; break;
            }
            const fw::CString left = ScanLeftOperand(text, p);
            const fw::CString right = ScanRightOperand(text, p + 1);
            const fw::CString ref = CompileBinary(routine, left, right);
            Replace(text, p - left.GetLength(), p + right.GetLength(), ref);
        }
    }
}

fw::CString CDataCalcuOrder::CompileCall(CalcRoutine routine, const fw::CString& arguments, int count)
{
    double first = 0.0;
    int16_t kind = kCalcKindConstants;
    if (count == 0) {
        if (!arguments.IsEmpty())
            ThrowFormulaError(kFormulaErrorMalformed);
    } else {
        if (arguments.IsEmpty())
            ThrowFormulaError(kFormulaErrorMalformed);
        fw::CString reduced = arguments;
        CompileGroups(reduced);
        if (!reduced.IsEmpty() && reduced[0] == '@') {
            if (!ReadRegisterOperand(reduced, m_registerCount, first))
                ThrowFormulaError(kFormulaErrorNotNumeric);
            kind = kCalcKindRegisterConstant;
        } else if (!FormulaTextToNumber(reduced, first)) {
            ThrowFormulaError(kFormulaErrorNotNumeric);
        }
    }
    return AddOperation(routine, first, 0.0, kind);
}

fw::CString CDataCalcuOrder::CompileBinary(CalcRoutine routine, const fw::CString& left, const fw::CString& right)
{
    double a = 0.0;
    bool leftRegister = false;
    if (left.IsEmpty()) {
        // A sign in front of an operand: 0 + x, 0 - x.
        if (routine != CalcRoutine::Add && routine != CalcRoutine::Subtract)
            ThrowFormulaError(kFormulaErrorMalformed);
    } else if (left[0] == '@') {
        if (!ReadRegisterOperand(left, m_registerCount, a))
            ThrowFormulaError(kFormulaErrorMalformed);
        leftRegister = true;
    } else if (!FormulaTextToNumber(left, a)) {
        ThrowFormulaError(kFormulaErrorMalformed);
    }
    if (right.IsEmpty())
        ThrowFormulaError(kFormulaErrorMalformed);
    double b = 0.0;
    int16_t kind = 0;
    if (right[0] == '@') {
        if (!ReadRegisterOperand(right, m_registerCount, b))
            ThrowFormulaError(kFormulaErrorMalformed);
        kind = leftRegister ? kCalcKindRegisters : kCalcKindConstantRegister;
    } else {
        if (!FormulaTextToNumber(right, b))
            ThrowFormulaError(kFormulaErrorMalformed);
        kind = leftRegister ? kCalcKindRegisterConstant : kCalcKindConstants;
    }
    return AddOperation(routine, a, b, kind);
}

fw::CString CDataCalcuOrder::AddOperation(CalcRoutine routine, double first, double second, int16_t kind)
{
    int16_t reg = 0;
    switch (kind) {
    case kCalcKindRegisterConstant:
        reg = static_cast<int16_t>(first);
        break;
    case kCalcKindConstantRegister:
        reg = static_cast<int16_t>(second);
        break;
    case kCalcKindRegisters:
        reg = static_cast<int16_t>(std::min(first, second));
        break;
    default:
        if (m_registerCount >= kRegisterCount)
            ThrowFormulaError(kFormulaErrorTooComplex);
        reg = m_registerCount++;
        break;
    }
    fw::CString ref;
    auto op = CreateFormulaOperation(routine, first, second, kind, reg, ref);
    m_operations.Add(op.get());
    op.release();
    return ref;
}
