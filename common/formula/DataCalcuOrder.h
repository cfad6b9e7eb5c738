#pragma once

#include "common/base/ZELPtrArray.h"
#include "common/formula/CalcFunctionTable.h"
#include "common/formula/DataCalcu.h"
#include "common/formula/FormulaPlan.h"
#include "framework/core/CString.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

class IFormulaChannelList;

// One compiled formula: its operations in the order they run, the channel it
// belongs to, its evaluation pass and its latest result.
//
// Passes after compilation: 0 empty, 1 constant, 2 to 6 the highest function
// category used; the channel list reorders them (2 and up, or -2000 for a
// formula that cannot be evaluated).
class CDataCalcuOrder {
public:
    // Evaluation registers. A formula that needs more is refused when it is
    // compiled (error 9), so evaluation never writes past them.
    static constexpr int kRegisterCount = 50;
    static constexpr int16_t kPassUnorderable = -2000;
    // Steps evaluated together by EvaluateBlock.
    static constexpr int kBlockSteps = 1024;

    CDataCalcuOrder();
    ~CDataCalcuOrder();
    CDataCalcuOrder(const CDataCalcuOrder&) = delete;
    CDataCalcuOrder& operator=(const CDataCalcuOrder&) = delete;

    // Deletes the operations; channel 0, no registers, pass 0, result HUGE_VAL.
    void Reset();
    bool IsChannel(int16_t channel) const { return m_channel == channel; }
    void SetPass(int16_t pass) { m_pass = pass; }
    int16_t GetPass() const { return m_pass; }

    // Evaluates the formula for 1-based step `step` when the order belongs to
    // `pass`; false (nothing changed) when it does not.
    bool Evaluate(int16_t pass, int32_t step)
    {
        if (pass == m_pass && pass > 0 && m_planEdits == CDataCalcu::EditCount() && m_planKernel != nullptr)
            [[likely]] {
            EvaluatePlan(step);
            return true;
        }
        return EvaluateOtherwise(pass, step);
    }

    void SetResult(double value) { m_result = value; }
    double GetResult() const { return m_result; }
    const double* GetResultAddress() const { return &m_result; }

    // Stores the code; a non-zero code resets the order.
    void SetError(int code);
    int GetError() const { return m_error; }

    CDataCalcu* FindOperation(CalcRoutine routine) const;
    CDataCalcu* FindChannelOperation() const;

    // Compiles `text` for channel index `channel`; 0 or the error code. On
    // failure the order is reset and keeps only the code.
    int Compile(int16_t channel, const fw::CString& text);

    // Every result is a single-precision value: data code 0, data type 2.
    void GetResultType(int16_t& dataCode, int16_t& dataType) const;

    void SetReferenceLimits(int16_t chLimit, int16_t secondLimit);
    int16_t GetChLimit() const { return m_chLimit; }
    int16_t GetSecondLimit() const { return m_secondLimit; }

    // --- compile steps: each rewrites `text` in place, throwing the error
    // code as a CZelException ------------------------------------------------
    void CompileReferences(fw::CString& text, int category);
    void CompileListFunctions(fw::CString& text);
    void CompileChannelFunctions(fw::CString& text, int category);
    void CompileNumericFunctions(fw::CString& text);
    void CompileGroups(fw::CString& text);
    void CompileOperators(fw::CString& text);
    fw::CString CompileCall(CalcRoutine routine, const fw::CString& arguments, int count);
    fw::CString AddOperation(CalcRoutine routine, double first, double second, int16_t kind);
    fw::CString CompileBinary(CalcRoutine routine, const fw::CString& left, const fw::CString& right);

    // --- state the channel list reads and sets ---------------------------------
    int16_t GetChannel() const { return m_channel; }
    int16_t GetRegisterCount() const { return m_registerCount; }
    int GetOperationCount() const { return m_operations.GetSize(); }
    CDataCalcu* GetOperation(int index) const { return m_operations.GetObjectAt(index); }
    IFormulaChannelList* GetChannelList() const { return m_channelList; }
    void SetChannelList(IFormulaChannelList* list) { m_channelList = list; }
    int16_t GetHistoryFlag() const { return m_historyFlag; }
    void SetHistoryFlag(int16_t flag) { m_historyFlag = flag; }
    int16_t GetMarker() const { return m_marker; }
    void SetMarker(int16_t marker) { m_marker = marker; }

    // --- results a float tank cannot hold ------------------------------------
    // A result that is NaN, -infinity or beyond the float range becomes
    // HUGE_VAL, the tanks' empty marker. The steps where that happened are
    // counted, so the caller can report them once after a calculation rather
    // than once per step.
    int32_t GetInvalidResultCount() const { return m_invalidResults; }
    int32_t GetFirstInvalidStep() const { return m_firstInvalidStep; }
    void ClearInvalidResults();

    // --- evaluation of many steps at once ------------------------------------
    // True when every operation reads only constants, registers and CH/NO
    // values (no list, channel or history function).
    bool CanEvaluateBlocks() const;
    // Values of the formula for the stored values first .. first + count - 1
    // of the channels it reads, written to out[0 .. count - 1]. CH and NO read
    // their channels' stored values through `source`. Allocates nothing after
    // compilation. False (nothing written) when CanEvaluateBlocks is false or
    // the order has no operations.
    bool EvaluateBlock(IFormulaChannelList& source, int32_t first, int32_t count, double* out);

private:
    double GuardResult(double value, int32_t step)
    {
        return std::fabs(value) <= kFloatMax || value == HUGE_VAL ? value : InvalidResult(step);
    }
    [[gnu::cold]] double InvalidResult(int32_t step);
    static constexpr double kFloatMax = 3.40282346638528859811704183484516925e+38;
    void CompileFinish(fw::CString& text);
    // The step-by-step plan (FormulaPlan.h): a formula made only of CH/NO
    // reads and the four arithmetic operations runs as a flat list whose
    // operands point straight at the values they read (a CH read costs
    // nothing of its own). Any other formula keeps the general loop.
    void PreparePlan();
    bool PlanOperation(const CDataCalcu& op, std::vector<const double*>& latest);
    void EvaluatePlan(int32_t step)
    {
        const FormulaPlanStep* steps = m_plan.data();
        m_result = GuardResult(m_planKernel(steps, steps + m_plan.size(), m_planResult), step);
    }
    bool EvaluateOtherwise(int16_t pass, int32_t step);
    void EvaluateOperations(int32_t step);
    void EvaluateChunk(IFormulaChannelList& source, int32_t first, int n, double* out);

    int16_t m_channel = 0;
    int32_t m_error = 0;
    int16_t m_pass = 0;
    CTypedZELPtrArray<CZELPtrArray, CDataCalcu*> m_operations;
    int16_t m_registerCount = 0;
    double m_result = HUGE_VAL;
    IFormulaChannelList* m_channelList = nullptr;
    int16_t m_historyFlag = 0;
    int16_t m_chLimit = -1;
    int16_t m_secondLimit = -1;
    int16_t m_marker = 0;

    int32_t m_invalidResults = 0;
    int32_t m_firstInvalidStep = 0;
    // Register rows of EvaluateBlock, sized when a formula is compiled.
    std::vector<double> m_blockRegisters;

    std::vector<FormulaPlanStep> m_plan;
    std::vector<double> m_planRegisters;
    const double* m_planResult = nullptr;
    FormulaPlanKernel m_planKernel = nullptr;
    uint64_t m_planEdits = ~uint64_t{0};
};
