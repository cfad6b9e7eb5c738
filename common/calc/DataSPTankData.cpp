// The channel list: channels, compiling and the ordering of the formulas
// into passes. The calculation itself is in DataSPTankCalc.cpp.

#include "common/calc/DataSPTankData.h"

#include "common/cache/CacheFileReport.h"
#include "common/calc/CalcuDataTank.h"
#include "common/calc/DataSPSetTank.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/formula/FormulaText.h"
#include "framework/core/Archive.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CDataSPTankData, CDataTankList, 1)

CDataSPTankData::CDataSPTankData() = default;
CDataSPTankData::~CDataSPTankData() = default;

void CDataSPTankData::Serialize(fw::CArchive& ar)
{
    CDataTankList::Serialize(ar);
    if (ar.IsStoring())
        ar << m_dataCount;
    else
        ar >> m_dataCount;
}

// --- what formulas read ---------------------------------------------------------------

CCalcuDataTank* CDataSPTankData::GetCalcTank(int index) const
{
    return dynamic_cast<CCalcuDataTank*>(GetObjectAt(index));
}

CDataCalcuOrder* CDataSPTankData::GetOrder(int16_t index)
{
    CCalcuDataTank* tank = GetCalcTank(index);
    return tank ? tank->GetOrder() : nullptr;
}

bool CDataSPTankData::HasChannelTank(int16_t index) { return GetObjectAt(index) != nullptr; }

int32_t CDataSPTankData::GetStoredCount(int16_t index)
{
    CDataTankObject* tank = GetObjectAt(index);
    return tank ? tank->GetDataCount() : 0;
}

double CDataSPTankData::GetStoredValue(int16_t index, int32_t valueIndex)
{
    double v = HUGE_VAL;
    ReadStoredValues(index, valueIndex, 1, &v);
    return v;
}

bool CDataSPTankData::ReadStoredValues(int16_t index, int32_t first, int32_t count, double* out)
{
    CDataTankObject* tank = GetObjectAt(index);
    if (!tank)
        return false;
    // Measured channels of data code 22 do not take part in formulas.
    if (index < GetMeasuredCount() && tank->GetKind() == 22) {
        std::fill(out, out + std::max(count, 0), HUGE_VAL);
        return true;
    }
    if (m_rowsActive && index >= 0 && size_t(index) < m_measuredRows.size() && count > 0 && first >= m_rowsFirst &&
        int64_t(first) + count <= int64_t(m_rowsFirst) + m_rowsCount) {
        CalcValueRow& row = m_measuredRows[size_t(index)];
        if (!row.Holds(m_rowsFirst, m_rowsCount))
            row.Load(tank, m_rowsFirst, m_rowsCount);
        row.Copy(first, count, out);
        return true;
    }
    return ReadTankValues(tank, first, count, out);
}

// --- channels ---------------------------------------------------------------------------

std::unique_ptr<CDataCalcuOrder> CDataSPTankData::NewOrder() { return std::make_unique<CDataCalcuOrder>(); }

CCalcuDataTank* CDataSPTankData::CreateCalcTank(int index, int32_t code)
{
    if (index < 0)
        return nullptr;
    if (GetSize() < index + 1)
        SetSize(index + 1);
    auto* tank = new CCalcuDataTank;
    try {
        tank->SetKind(code);
        tank->SetOrder(NewOrder());
        SetTankAt(index, tank, false);
    } catch (...) {
        delete tank;
        throw;
    }
    return tank;
}

CCalcuDataTank* CDataSPTankData::GetOrCreateChannel(int index)
{
    if (CCalcuDataTank* tank = GetCalcTank(index))
        return tank;
    CCalcuDataTank* tank = CreateCalcTank(index, -1);
    if (tank)
        tank->SetSize(m_dataCount, true);
    return tank;
}

CDataTankObject* CDataSPTankData::GetTimeTank()
{
    CCalcuDataTank* tank = GetCalcTank(kTimeIndex);
    return tank ? tank->GetResultTank() : nullptr;
}

int32_t CDataSPTankData::SetDataCount(int32_t count, bool fill)
{
    if (count == -1) {
        m_dataCount = GetMaxDataCount(0, -1);
        return m_dataCount;
    }
    count = std::max(count, 0);
    CCacheReportScope reports;
    for (int i = 0; i < GetSize(); ++i)
        if (CDataTankObject* tank = GetAt(i))
            tank->SetSize(count, fill);
    m_dataCount = count;
    return count;
}

int CDataSPTankData::FindRoutineValue(CalcRoutine routine, double& value, int first, int last)
{
    if (last < 0 || last >= GetSize())
        last = GetSize() - 1;
    for (int i = std::max(first, 0); i <= last; ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (!order)
            continue;
        if (CDataCalcu* op = order->FindOperation(routine)) {
            value = op->GetFirst();
            return i;
        }
    }
    return -1;
}

void CDataSPTankData::RemoveUnusedChannels()
{
    if (!m_settings)
        return;
    bool released = false;
    for (int i = kFirstCalculated; i < GetSize(); ++i) {
        if (GetAt(i) && m_settings->IsRowEmpty(i - kFirstCalculated)) {
            ReleaseTankAt(i);
            released = true;
        }
    }
    while (GetSize() > kFirstCalculated && GetAt(GetSize() - 1) == nullptr)
        RemoveAt(GetSize() - 1);
    // Formulas that read a released channel must not keep its order.
    if (released)
        OrderPasses();
}

// --- compiling --------------------------------------------------------------------------

bool CDataSPTankData::CompileRange(CDataTankObject* source, int first, int last, int16_t chLimit,
                                   int16_t secondLimit)
{
    if (!source)
        return false;
    first = std::max(first, 0);
    last = std::min(last, kCalculatedCount - 1);
    for (int r = first; r <= last; ++r) {
        fw::CString text;
        source->GetValueText(r, text, true);
        fw::CString normalized;
        const bool changed = NormalizeFormula(text, normalized);
        if (CompileChannel(normalized, kFirstCalculated + r, chLimit, secondLimit) && changed)
            source->SetValueText(r, normalized);
    }
    OrderPasses();
    return true;
}

bool CDataSPTankData::CompileChannel(const fw::CString& text, int index, int16_t chLimit, int16_t secondLimit)
{
    fw::CString upper = text;
    upper.MakeUpper();
    CCalcuDataTank* tank = GetCalcTank(index);
    if (!tank)
        return false;
    if (CDataCalcuOrder* order = tank->GetOrder())
        order->Reset();
    else
        tank->SetOrder(NewOrder());
    CDataCalcuOrder* order = tank->GetOrder();
    order->ClearInvalidResults();
    order->SetReferenceLimits(chLimit, secondLimit);
    if (order->Compile(static_cast<int16_t>(index), upper) != 0)
        return false;
    if (!tank->CommitFormula())
        return false;
    switch (order->GetPass()) {
    case 1:
        order->Evaluate(1, 0);
        break;
    case 6:
        order->SetHistoryFlag(1);
        order->SetChannelList(this);
        break;
    case 3:
    case 4:
    case 5:
        order->SetChannelList(this);
        break;
    default:
        break;
    }
    return true;
}

// --- ordering ---------------------------------------------------------------------------

namespace {
constexpr int16_t kUnordered = -3;
constexpr int16_t kLastLevel = -1999;
inline bool IsPending(int16_t pass) { return pass <= -2 && pass >= kLastLevel; }
} // namespace

void CDataSPTankData::OrderPasses()
{
    const int n = GetSize();
    for (int i = 0; i < n; ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (order && (order->GetPass() < 0 || order->GetPass() > 1))
            order->SetPass(kUnordered);
    }
    int16_t level = kUnordered;
    for (;;) {
        CDataCalcuOrder* found = nullptr;
        bool pending = false;
        for (int i = 0; i < n && !found; ++i) {
            CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
            if (!order)
                continue;
            if (order->GetPass() == level)
                found = order;
            pending = pending || IsPending(order->GetPass());
        }
        if (!found) {
            if (!pending || level <= kLastLevel)
                break;
            --level;
            continue;
        }
        WalkOrder(found, level);
        // A formula that reads no other channel would be found again at the
        // same level for ever; it needs only the measured values.
        if (found->GetPass() == level)
            found->SetPass(2);
    }
    for (int i = 0; i < n; ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (order && IsPending(order->GetPass()))
            order->SetPass(CDataCalcuOrder::kPassUnorderable);
    }
}

void CDataSPTankData::WalkOrder(CDataCalcuOrder* order, int16_t level)
{
    auto unorderable = [order] { order->SetPass(CDataCalcuOrder::kPassUnorderable); };
    for (int i = 0; i < order->GetOperationCount(); ++i) {
        CDataCalcu* op = order->GetOperation(i);
        if (op->HasArgumentBlock()) {
            for (int16_t ref : op->GetArgumentBlock()->references) {
                CDataCalcuOrder* referenced = GetOrder(ref);
                if (!referenced || referenced == order)
                    return unorderable();
                if (!RaisePass(true, order, referenced, level))
                    return;
            }
            op->SetListContext(this);
        } else if (op->IsRoutine(CalcRoutine::No)) {
            CDataCalcuOrder* referenced = GetOrder(op->GetChannelIndex());
            if (!referenced || referenced == order)
                return unorderable();
            if (!RaisePass(false, order, referenced, level))
                return;
            op->SetOrderContext(referenced);
        } else if (op->IsRoutine(CalcRoutine::Ch)) {
            const int16_t index = op->GetChannelIndex();
            if (!HasChannelTank(index))
                return unorderable();
            order->SetPass(2);
            op->SetOrderContext(GetOrder(index));
        } else if (op->GetKind() == kCalcKindList) {
            op->SetListContext(this);
        }
    }
}

bool CDataSPTankData::RaisePass(bool listReference, CDataCalcuOrder* order, CDataCalcuOrder* referenced,
                                int16_t level)
{
    const int16_t p = referenced->GetPass();
    if (p < 0) {
        order->SetPass(static_cast<int16_t>(level - 1));
        return false;
    }
    // Orders found at this level get pass -level; a reference to one of
    // them is to a lower index, which runs first within the pass.
    const int16_t pass = (listReference && p > -level) ? static_cast<int16_t>(p + 1) : static_cast<int16_t>(-level);
    order->SetPass(pass);
    return true;
}

bool CDataSPTankData::HasOrderedFormulas()
{
    for (int i = 0; i < GetSize(); ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (order && order->GetPass() > 1)
            return true;
    }
    return false;
}

int16_t CDataSPTankData::GetHighestPass()
{
    int16_t highest = 0;
    for (int i = kFirstCalculated; i < GetSize(); ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (order)
            highest = std::max(highest, order->GetPass());
    }
    return highest;
}

// --- dependencies -------------------------------------------------------------------------

void CDataSPTankData::CollectDependencies(int16_t index, std::vector<int16_t>& out)
{
    std::vector<bool> seen(static_cast<size_t>(std::max(GetSize(), 0)), false);
    CollectInto(index, out, seen);
}

void CDataSPTankData::CollectInto(int16_t index, std::vector<int16_t>& out, std::vector<bool>& seen)
{
    // Each channel once: shared references would otherwise be walked again
    // for every path that leads to them.
    if (index < 0 || size_t(index) >= seen.size() || seen[size_t(index)])
        return;
    seen[size_t(index)] = true;
    CDataCalcuOrder* order = GetOrder(index);
    if (!order || order->GetError() != 0 || order->GetPass() < 0)
        return;
    out.push_back(index);
    for (int i = 0; i < order->GetOperationCount(); ++i) {
        CDataCalcu* op = order->GetOperation(i);
        if (op->IsRoutine(CalcRoutine::No))
            CollectInto(op->GetChannelIndex(), out, seen);
        else if (op->HasArgumentBlock())
            for (int16_t ref : op->GetArgumentBlock()->references)
                CollectInto(ref, out, seen);
    }
}
