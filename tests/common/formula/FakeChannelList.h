#pragma once

#include "common/formula/DataCalcuOrder.h"
#include "common/formula/FormulaChannelList.h"

#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace formulatest {

// A channel list in memory: per channel index an order (whose result
// formulas read) and the values its tank has stored.
class FakeChannelList : public IFormulaChannelList {
public:
    struct Channel {
        std::unique_ptr<CDataCalcuOrder> order;
        std::vector<double> stored;
        bool hasTank = true;
    };

    // A channel whose current result is `result`.
    CDataCalcuOrder& Set(int16_t index, double result, std::vector<double> stored = {})
    {
        Channel& c = m_channels[index];
        if (!c.order)
            c.order = std::make_unique<CDataCalcuOrder>();
        c.order->SetResult(result);
        c.stored = std::move(stored);
        return *c.order;
    }
    void RemoveTank(int16_t index) { m_channels[index].hasTank = false; }

    CDataCalcuOrder* GetOrder(int16_t index) override
    {
        auto it = m_channels.find(index);
        return it != m_channels.end() ? it->second.order.get() : nullptr;
    }
    bool HasChannelTank(int16_t index) override
    {
        auto it = m_channels.find(index);
        return it != m_channels.end() && it->second.hasTank;
    }
    int32_t GetStoredCount(int16_t index) override
    {
        return HasChannelTank(index) ? static_cast<int32_t>(m_channels[index].stored.size()) : 0;
    }
    double GetStoredValue(int16_t index, int32_t valueIndex) override
    {
        ++storedReads;
        if (!HasChannelTank(index))
            return HUGE_VAL;
        const auto& s = m_channels[index].stored;
        return valueIndex >= 0 && static_cast<size_t>(valueIndex) < s.size() ? s[static_cast<size_t>(valueIndex)]
                                                                               : HUGE_VAL;
    }
    bool ReadStoredValues(int16_t index, int32_t first, int32_t count, double* out) override
    {
        if (!HasChannelTank(index))
            return false;
        for (int32_t i = 0; i < count; ++i)
            out[i] = GetStoredValue(index, first + i);
        return true;
    }

    // Gives the order's operations their contexts, as the pass ordering of
    // the channel list does.
    void Wire(CDataCalcuOrder& order)
    {
        for (int i = 0; i < order.GetOperationCount(); ++i) {
            CDataCalcu* op = order.GetOperation(i);
            if (op->GetKind() == kCalcKindList)
                op->SetListContext(this);
            else if (op->IsRoutine(CalcRoutine::Ch) || op->IsRoutine(CalcRoutine::No))
                op->SetOrderContext(GetOrder(op->GetChannelIndex()));
        }
        order.SetChannelList(this);
    }

    long storedReads = 0;

private:
    std::map<int16_t, Channel> m_channels;
};

// Compiles `text` for channel 500 (NO(1)) with CH limit `chLimit`; the code.
inline int CompileFor(CDataCalcuOrder& order, const char* text, int16_t channel = 500, int16_t chLimit = 16)
{
    order.Reset();
    order.SetReferenceLimits(chLimit, -1);
    return order.Compile(channel, text);
}

// Compiles, wires and evaluates one step; HUGE_VAL also when compiling fails.
inline double EvaluateFormula(const char* text, FakeChannelList* list = nullptr, int32_t step = 1)
{
    CDataCalcuOrder order;
    if (CompileFor(order, text) != 0)
        return std::nan("");
    if (list != nullptr)
        list->Wire(order);
    order.Evaluate(order.GetPass(), step);
    return order.GetResult();
}

} // namespace formulatest
