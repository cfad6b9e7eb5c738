#pragma once

#include "common/formula/CalcArgumentBlock.h"
#include "common/formula/CalcFunctionTable.h"
#include "common/formula/FormulaRoutines.h"
#include "framework/core/CString.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>

class CDataCalcuOrder;
class IFormulaChannelList;

// Operand kinds of an operation: which operands are constants and which
// are registers of the evaluation, and the special forms.
enum : int16_t {
    kCalcKindConstants = 0,         // two constants; CH and NO calls
    kCalcKindRegisterConstant = 1,  // R[first], second
    kCalcKindConstantRegister = 2,  // first, R[second]
    kCalcKindRegisters = 3,         // R[first], R[second]
    kCalcKindList = 4,              // list, channel and history functions
    kCalcKindFunctionConstant = 5,  // one-argument function of a constant
    kCalcKindFunctionRegister = 6,  // one-argument function of a register
};

// One operation of a compiled formula: a routine, its operands and the
// register that receives its value.
class CDataCalcu {
public:
    CDataCalcu() = default;
    CDataCalcu(const CDataCalcu&) = delete;
    CDataCalcu& operator=(const CDataCalcu&) = delete;

    void Init(CalcRoutine routine, double first, double second, int16_t kind, int16_t resultRegister);
    void SetRoutine(CalcRoutine routine, double first);
    bool IsRoutine(CalcRoutine routine) const { return m_routine == routine; }
    bool HasArgumentBlock() const { return m_block != nullptr; }

    // The value of the operation; x and y are what the order passes by kind:
    // the first and second register values, or for kind 4 the step number.
    double Evaluate(double x, double y) const;
    // The same, reading the registers itself (the order's inner loop).
    double Compute(const double* registers, double step) const;

    CalcRoutine GetRoutine() const { return m_routine; }
    double GetFirst() const { return m_first; }
    double GetSecond() const { return m_second; }
    int16_t GetKind() const { return m_kind; }
    int16_t GetResultRegister() const { return m_resultRegister; }
    int16_t GetFirstRegister() const { return m_firstRegister; }
    int16_t GetSecondRegister() const { return m_secondRegister; }

    CCalcArgumentBlock* GetArgumentBlock() const { return m_block.get(); }
    void SetArgumentBlock(std::unique_ptr<CCalcArgumentBlock> block)
    {
        m_block = std::move(block);
        NoteEdit();
    }

    // The channel index a CH or NO operation reads (CH(k): k - 1; NO(k):
    // k + 499); -1 for other operations.
    int16_t GetChannelIndex() const;

    // Context of a CH or NO operation: the referenced channel's order.
    void SetOrderContext(CDataCalcuOrder* order);
    CDataCalcuOrder* GetOrderContext() const { return m_orderContext; }
    // The context order's result field; null without a context.
    const double* GetContextResult() const { return m_contextResult; }
    // Context of a kind-4 operation: the channel list.
    void SetListContext(IFormulaChannelList* list)
    {
        m_listContext = list;
        NoteEdit();
    }
    IFormulaChannelList* GetListContext() const { return m_listContext; }

    // Counts every change to any operation, so an order can tell whether the
    // evaluation plan it prepared from its operations is still current.
    static uint64_t EditCount() { return s_edits.load(std::memory_order_relaxed); }
    static void NoteEdit() { s_edits.fetch_add(1, std::memory_order_relaxed); }

private:
    // The frequent routine and kind pairs of the inner loop; Other goes the
    // general way.
    enum class Code : uint8_t {
        Other, Context,
        AddRC, AddCR, AddRR, SubRC, SubCR, SubRR, MulRC, MulCR, MulRR, DivRC, DivCR, DivRR,
    };
    static Code CodeOf(CalcRoutine routine, int16_t kind);

    double CallBinary(double a, double b) const;
    double CallUnary(double x) const;
    double CallList(double step) const;
    double ReadContext() const { return m_contextResult != nullptr ? *m_contextResult : HUGE_VAL; }

    double m_first = 0.0;
    double m_second = 0.0;
    int16_t m_kind = 0;
    int16_t m_resultRegister = 0;
    std::unique_ptr<CCalcArgumentBlock> m_block;
    CalcRoutine m_routine = CalcRoutine::None;
    // Register numbers of the operands, kept as integers for the inner loop.
    int16_t m_firstRegister = 0;
    int16_t m_secondRegister = 0;
    Code m_code = Code::Other;
    CDataCalcuOrder* m_orderContext = nullptr;
    // The context order's result field, read once per step without a call.
    const double* m_contextResult = nullptr;
    IFormulaChannelList* m_listContext = nullptr;

    static inline std::atomic<uint64_t> s_edits{0};
};

// Creates the operation for `routine` and gives its reference text "@n".
// NO's channel number k becomes the channel index k + 499; a single-argument
// function's kinds 0 and 1 become 5 and 6.
std::unique_ptr<CDataCalcu> CreateFormulaOperation(CalcRoutine routine, double first, double second, int16_t kind,
                                                   int16_t resultRegister, fw::CString& reference);

// --- inline evaluation ------------------------------------------------------------

// One jump per operation: the routine and the operand kind are folded into
// one code when the operation is initialised.
[[gnu::always_inline]] inline double CDataCalcu::Compute(const double* registers, double step) const
{
    const double* r = registers;
    switch (m_code) {
    case Code::Context:
        return ReadContext();
    case Code::AddRC:
        return r[m_firstRegister] + m_second;
    case Code::AddCR:
        return m_first + r[m_secondRegister];
    case Code::AddRR:
        return r[m_firstRegister] + r[m_secondRegister];
    case Code::SubRC:
        return r[m_firstRegister] - m_second;
    case Code::SubCR:
        return m_first - r[m_secondRegister];
    case Code::SubRR:
        return r[m_firstRegister] - r[m_secondRegister];
    case Code::MulRC:
        return r[m_firstRegister] * m_second;
    case Code::MulCR:
        return m_first * r[m_secondRegister];
    case Code::MulRR:
        return r[m_firstRegister] * r[m_secondRegister];
    case Code::DivRC:
        return CalcDivide(r[m_firstRegister], m_second);
    case Code::DivCR:
        return CalcDivide(m_first, r[m_secondRegister]);
    case Code::DivRR:
        return CalcDivide(r[m_firstRegister], r[m_secondRegister]);
    case Code::Other:
        break;
    }
    switch (m_kind) {
    case kCalcKindList:
        return CallList(step);
    case kCalcKindRegisterConstant:
    case kCalcKindRegisters:
    case kCalcKindFunctionRegister:
        return Evaluate(r[m_firstRegister], r[m_secondRegister]);
    case kCalcKindConstantRegister:
        return Evaluate(0.0, r[m_secondRegister]);
    default:
        return Evaluate(0.0, 0.0);
    }
}

inline double CDataCalcu::CallBinary(double a, double b) const
{
    switch (m_routine) {
    case CalcRoutine::Add:
        return CalcAdd(a, b);
    case CalcRoutine::Subtract:
        return CalcSubtract(a, b);
    case CalcRoutine::Multiply:
        return CalcMultiply(a, b);
    case CalcRoutine::Divide:
        return CalcDivide(a, b);
    case CalcRoutine::Power:
        return CalcPower(a, b);
    case CalcRoutine::Ch:
    case CalcRoutine::No:
        return ReadContext();
    default:
        return CallUnary(a);
    }
}
