// The calculation of a channel list: one data step as data arrive, the
// whole data after a formula change, and the live evaluation of the monitor.
//
// A whole recalculation runs in blocks of steps when every formula allows
// it: pass by pass, each formula computes a block of its values from the
// stored values of the channels it reads, and the block is stored before the
// next formula runs. Formulas with list, channel or history functions read
// the current results of other orders and run step by step.

#include "common/base/ValueFormat.h"
#include "common/cache/CacheFileReport.h"
#include "common/calc/CalcuDataTank.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/DataSPTankData.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/tank/ZELDataPoter.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <algorithm>
#include <thread>

namespace {

constexpr int kRecalcWindow = 10000;
constexpr int kIdleWindow = 1000;

bool IsStoredPass(int16_t pass) { return pass >= 2 || pass == CDataCalcuOrder::kPassUnorderable; }

} // namespace

// --- one step ---------------------------------------------------------------------------

bool CDataSPTankData::StoreResult(int index, int32_t step, double value)
{
    CalcStoreTally tally;
    const bool ok = StoreTankValues(GetAt(index), step, 1, &value, tally);
    NoteRefused(static_cast<int16_t>(index), tally, 0);
    return ok;
}

bool CDataSPTankData::CalculateStep(int32_t step)
{
    if (CDataCalcuOrder* order = GetOrder(kTimeIndex)) {
        CDataTankObject* time = GetTimeTank();
        order->SetResult(time ? time->GetValue(step) : HUGE_VAL);
    }
    if (GetSize() < kFirstCalculated)
        return true;
    for (int i = 0; i < GetMeasuredCount(); ++i)
        if (CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i)))
            order->SetResult(GetStoredValue(static_cast<int16_t>(i), step));
    const int n = GetSize();
    for (int i = kFirstCalculated; i < n; ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (!order || (order->GetPass() != 0 && order->GetPass() != 1))
            continue;
        const double stored = GetStoredValue(static_cast<int16_t>(i), step);
        order->SetResult(stored);
        if (order->GetPass() == 1 && stored == HUGE_VAL && GetAt(i)->HasHeader()) {
            order->Evaluate(1, step + 1);
            if (!StoreResult(i, step, order->GetResult()))
                return false;
        }
    }
    RunPasses(2, step + 1);
    for (int i = kFirstCalculated; i < n; ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (!order || !IsStoredPass(order->GetPass()))
            continue;
        const double v = order->GetPass() < 0 ? HUGE_VAL : order->GetResult();
        if (!StoreResult(i, step, v))
            return false;
    }
    return true;
}

void CDataSPTankData::RunPasses(int16_t firstPass, int32_t stepNumber)
{
    const int16_t highest = GetHighestPass();
    for (int16_t pass = firstPass;; ++pass) {
        EvaluatePass(pass, stepNumber, 0);
        if (pass >= highest)
            break;
    }
}

void CDataSPTankData::EvaluatePass(int16_t pass, int32_t stepNumber, int16_t marker)
{
    for (int i = kFirstCalculated; i < GetSize(); ++i) {
        if (CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i))) {
            order->SetMarker(marker);
            order->Evaluate(pass, stepNumber);
        }
    }
}

void CDataSPTankData::ApplyToChannels(const std::vector<int16_t>& channels)
{
    const int16_t highest = GetHighestPass();
    for (int16_t pass = 2;; ++pass) {
        for (int16_t ch : channels)
            if (CDataCalcuOrder* order = GetOrder(ch))
                order->Evaluate(pass, m_dataCount);
        EvaluatePass(pass, m_dataCount, 1);
        bool more = false;
        for (int16_t ch : channels) {
            CCalcuDataTank* tank = GetCalcTank(ch);
            more = more || (tank && tank->GetUseCount() > 0 && tank->GetOrder() &&
                            tank->GetOrder()->GetPass() > pass);
        }
        if (!more || pass >= highest)
            break;
    }
}

// --- whole recalculation -----------------------------------------------------------------

void CDataSPTankData::RecalculateAll()
{
    if (GetSize() <= kFirstCalculated)
        return;
    Recalculate(0, true, true);
}

bool CDataSPTankData::RecalculateFrom(int32_t firstStep)
{
    if (GetSize() <= kFirstCalculated)
        return true;
    return Recalculate(firstStep, false, false);
}

bool CDataSPTankData::Recalculate(int32_t first, bool clearScale, bool yield)
{
    // A lost or full disk fails every channel alike: told once.
    CCacheReportScope reports;
    ClearResultReport();
    bool ok = true;
    try {
        PrepareRecalculation(clearScale);
        first = std::clamp(first, 0, std::max(m_dataCount, 0));
        if (CanRecalculateInBlocks())
            RecalculateBlocks(first);
        else
            RecalculateSteps(first, yield);
        FinishRecalculation();
    } catch (const std::exception& e) {
        m_rowsActive = false;
        m_sums.clear();
        CloseCacheFiles();
        fw::Status().Clear();
        // A file error already kept is the cause: the user hears of it once.
        if (!reports.Failed())
            fw::ReportException(e);
        ok = false;
    }
    ReportUnstorableResults();
    return ok;
}

void CDataSPTankData::OpenCacheFiles()
{
    for (int i = 0; i < GetSize(); ++i) {
        CDataTankObject* tank = ValueTankOf(GetAt(i));
        VisitCacheTank(tank, [&](auto& cache) {
            bool wasOpen = false;
            if (!cache.GetFilePath().IsEmpty() && cache.OpenIfClosed(wasOpen))
                m_openedFiles.push_back({tank, wasOpen});
        });
    }
}

void CDataSPTankData::CloseCacheFiles()
{
    for (const OpenedFile& f : m_openedFiles)
        VisitCacheTank(f.tank, [&](auto& cache) { cache.CloseIfOpened(f.wasOpen); });
    m_openedFiles.clear();
}

void CDataSPTankData::PrepareRecalculation(bool clearScale)
{
    OpenCacheFiles();
    for (int i = 0; i < GetSize(); ++i) {
        const bool measured = i < GetMeasuredCount();
        if (!measured && i < kFirstCalculated)
            continue;
        CCalcuDataTank* tank = GetCalcTank(i);
        if (!tank)
            continue;
        if (auto* cash = dynamic_cast<CCashCalcuDataTank*>(tank))
            cash->SetCacheWindowLength(kRecalcWindow);
        if (!measured && clearScale && tank->GetOrder() && IsStoredPass(tank->GetOrder()->GetPass())) {
            tank->SetMax(HUGE_VAL);
            tank->SetMin(HUGE_VAL);
        }
    }
}

void CDataSPTankData::FinishRecalculation()
{
    for (int i = 0; i < GetSize(); ++i) {
        const bool measured = i < GetMeasuredCount();
        if (!measured && i < kFirstCalculated)
            continue;
        CCalcuDataTank* tank = GetCalcTank(i);
        if (!tank)
            continue;
        auto* cash = dynamic_cast<CCashCalcuDataTank*>(tank);
        if (!measured) {
            // Written windows go back to their files before the average reads them.
            if (cash)
                cash->ReleaseCacheWindow();
            tank->SetAverage(AverageOf(tank, i));
        }
        if (cash) {
            cash->SetCacheWindowLength(kIdleWindow);
            cash->ReleaseCacheWindow();
        }
    }
    CloseCacheFiles();
    m_sums.clear();
    fw::Status().Clear();
}

double CDataSPTankData::AverageOf(CDataTankObject* tank, int index)
{
    // The sum gathered while storing stands for a whole pass over the file.
    if (size_t(index) < m_sums.size() && m_sums[size_t(index)].exact && tank->GetDataCount() == m_dataCount) {
        const CalcValueSum& s = m_sums[size_t(index)];
        if (s.count == 0)
            return HUGE_VAL;
        double average = s.sum / double(s.count);
        RoundToSevenDigits(average);
        return average;
    }
    return GetTankAverage(tank, 0, -1);
}

void CDataSPTankData::ShowStepProgress(int32_t step)
{
    fw::Status().SetText(fw::Format(fw::LoadStringText(kIdsCalculatingStep), step));
}

bool CDataSPTankData::RecalculateSteps(int32_t first, bool yield)
{
    bool beeped = false;
    for (int32_t i = first; i < m_dataCount; ++i) {
        if (yield)
            std::this_thread::yield();
        if (i % 100 == 0)
            ShowStepProgress(i);
        // One beep tells the user; one per step of a long recording would not stop.
        if (!CalculateStep(i) && !beeped) {
            fw::Status().Beep();
            beeped = true;
        }
    }
    return !beeped;
}

bool CDataSPTankData::CanRecalculateInBlocks()
{
    for (int i = kFirstCalculated; i < GetSize(); ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (order && order->GetPass() >= 2 && (order->GetOperationCount() == 0 || !order->CanEvaluateBlocks()))
            return false;
    }
    return true;
}

int32_t CDataSPTankData::ChooseBlockSteps(const std::vector<std::pair<int16_t, int16_t>>& sequence,
                                          std::vector<bool>& read)
{
    // The rows of every channel read, plus the block of results, within a
    // budget of memory; never fewer steps than one row of the evaluation.
    constexpr int64_t kBudgetBytes = int64_t(64) << 20;
    constexpr int32_t kMaxSteps = 0x10000;
    constexpr int32_t kRow = CDataCalcuOrder::kBlockSteps;
    read.assign(size_t(GetSize()), false);
    int64_t rows = 1;
    for (const auto& entry : sequence) {
        CDataCalcuOrder* order = GetOrder(entry.second);
        for (int k = 0; k < order->GetOperationCount(); ++k) {
            const CDataCalcu* op = order->GetOperation(k);
            if (!op->IsRoutine(CalcRoutine::Ch) && !op->IsRoutine(CalcRoutine::No))
                continue;
            const int16_t index = op->GetChannelIndex();
            if (index >= 0 && index < GetSize() && !read[size_t(index)]) {
                read[size_t(index)] = true;
                ++rows;
            }
        }
    }
    const int64_t steps = kBudgetBytes / (int64_t(sizeof(double)) * rows);
    return static_cast<int32_t>(std::clamp<int64_t>(steps / kRow * kRow, kRow, kMaxSteps));
}

bool CDataSPTankData::RecalculateBlocks(int32_t first)
{
    // The evaluation sequence: pass by pass, channels in index order.
    std::vector<std::pair<int16_t, int16_t>> sequence; // (pass, index)
    std::vector<int16_t> constants;
    std::vector<int16_t> unorderable;
    for (int i = kFirstCalculated; i < GetSize(); ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (!order)
            continue;
        const int16_t pass = order->GetPass();
        if (pass >= 2)
            sequence.emplace_back(pass, static_cast<int16_t>(i));
        else if (pass == 1 && GetAt(i)->HasHeader())
            constants.push_back(static_cast<int16_t>(i));
        else if (pass == CDataCalcuOrder::kPassUnorderable)
            unorderable.push_back(static_cast<int16_t>(i));
    }
    std::stable_sort(sequence.begin(), sequence.end());

    std::vector<bool> read;
    const int32_t kBlock = ChooseBlockSteps(sequence, read);
    m_block.resize(size_t(kBlock));
    m_measuredRows.assign(size_t(GetSize()), CalcValueRow{});
    // The averages come from the sums only for channels whose every value
    // this recalculation stores.
    m_sums.assign(size_t(GetSize()), CalcValueSum{0.0, 0, false});
    if (first == 0) {
        for (const auto& entry : sequence)
            m_sums[size_t(entry.second)].exact = true;
        for (int16_t index : constants)
            m_sums[size_t(index)].exact = true;
        for (int16_t index : unorderable)
            m_sums[size_t(index)].exact = true;
    }
    m_rowsActive = true;
    double* values = m_block.data();
    // Formulas read the results of other formulas as stepping gives them:
    // the orders' results, not the values stored from them (a result the
    // tank refuses is still read, and none is rounded to the tank's type).
    auto keep = [&](int16_t index, int32_t start, int32_t n) {
        if (read[size_t(index)])
            m_measuredRows[size_t(index)].Keep(start, n, values);
    };
    bool beeped = false;
    auto store = [&](int16_t index, int32_t start, int32_t n) {
        CalcStoreTally tally;
        if (!StoreTankValues(GetAt(index), start, n, values, tally, &m_sums[size_t(index)]) && !beeped) {
            fw::Status().Beep();
            beeped = true;
        }
        NoteRefused(index, tally, 0);
    };
    for (int32_t start = first; start < m_dataCount; start += kBlock) {
        const int32_t n = std::min(kBlock, m_dataCount - start);
        m_rowsFirst = start;
        m_rowsCount = n;
        // One progress text per block: the first hundredth step in it.
        const int32_t shown = (start + 99) / 100 * 100;
        if (shown < start + n)
            ShowStepProgress(shown);
        for (int16_t index : constants) {
            ReadStoredValues(index, start, n, values);
            const double c = GetOrder(index)->GetResult();
            bool any = false;
            for (int32_t j = 0; j < n; ++j)
                if (values[j] == HUGE_VAL) {
                    values[j] = c;
                    any = true;
                }
            keep(index, start, n);
            if (any)
                store(index, start, n);
            else
                m_sums[size_t(index)].exact = false;
        }
        for (const auto& [pass, index] : sequence) {
            GetOrder(index)->EvaluateBlock(*this, start, n, values);
            keep(index, start, n);
            store(index, start, n);
        }
        std::fill(values, values + n, HUGE_VAL);
        for (int16_t index : unorderable)
            store(index, start, n);
    }
    m_rowsActive = false;
    m_measuredRows.clear();
    // The orders' results stand at the last step, as after stepping.
    if (m_dataCount > 0) {
        for (int i = 0; i < GetSize(); ++i) {
            CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
            if (order && order->GetPass() >= 0 && order->GetPass() <= 1)
                order->SetResult(GetStoredValue(static_cast<int16_t>(i), m_dataCount - 1));
        }
    }
    return !beeped;
}

// --- the one report of unstorable results -------------------------------------------------

void CDataSPTankData::ClearResultReport()
{
    m_report = CalcResultReport{};
    for (int i = kFirstCalculated; i < GetSize(); ++i)
        if (CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i)))
            order->ClearInvalidResults();
}

void CDataSPTankData::NoteRefused(int16_t index, const CalcStoreTally& tally, int32_t stepOffset)
{
    if (tally.refused == 0)
        return;
    m_report.count += tally.refused;
    if (m_report.channel < 0) {
        m_report.channel = index;
        m_report.firstStep = tally.firstRefused + stepOffset;
    }
}

void CDataSPTankData::ReportUnstorableResults()
{
    // The formulas' own guards (NaN, beyond the float range) count as well.
    for (int i = kFirstCalculated; i < GetSize(); ++i) {
        CDataCalcuOrder* order = GetOrder(static_cast<int16_t>(i));
        if (!order || order->GetInvalidResultCount() == 0)
            continue;
        m_report.count += order->GetInvalidResultCount();
        if (m_report.channel < 0 || m_report.channel > i) {
            m_report.channel = static_cast<int16_t>(i);
            m_report.firstStep = order->GetFirstInvalidStep() - 1;
        }
    }
    if (m_report.count == 0)
        return;
    const fw::CString channel = fw::Format("NO(%d)", m_report.channel - (kFirstCalculated - 1));
    const fw::CString count = fw::Format("%d", m_report.count);
    const fw::CString step = fw::Format("%d", m_report.firstStep);
    fw::AfxMessageBox(fw::FormatString(kIdsUnstorableResults, channel, count, step),
                      fw::MB_OK | fw::MB_ICONEXCLAMATION);
}
