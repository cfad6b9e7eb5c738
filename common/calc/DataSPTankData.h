#pragma once

// The channel list of a data set: measured channels from index 0, the
// elapsed time at 499 and calculated channels from 500, each a calculated
// tank with an order, so that a formula can read any channel. It compiles
// the formulas of the settings list, orders them into evaluation passes and
// calculates data steps, one at a time as data arrive or all at once.
//
// Passes of the orders: 0 no formula, 1 constant, 2 reads measured
// channels only, 3 and up ordered formulas, -2000 cannot be ordered (a
// cycle, or a reference to a missing channel); -3 .. -1999 only while
// ordering.

#include "common/calc/CalcTankAccess.h"
#include "common/formula/CalcFunctionTable.h"
#include "common/formula/FormulaChannelList.h"
#include "common/tank/DataTankList.h"

#include <cstdint>
#include <memory>
#include <vector>

class CCalcuDataTank;
class CDataCalcuOrder;
class CDataSPSetTank;

// Unstorable results met by a calculation, for one report.
struct CalcResultReport {
    int32_t count = 0;        // steps whose result was stored as empty
    int16_t channel = -1;     // list index of the first channel with such steps
    int32_t firstStep = -1;   // its first such step (0-based)
};

class CDataSPTankData : public CDataTankList, public IFormulaChannelList {
    FW_DECLARE_SERIAL(CDataSPTankData)
public:
    static constexpr int kTimeIndex = 499;
    static constexpr int kFirstCalculated = 500;
    static constexpr int kCalculatedCount = 1000;
    // Text of the progress shown every 100 steps of a recalculation.
    static constexpr unsigned kIdsCalculatingStep = 514;
    // Text of the one report of results that could not be stored.
    static constexpr unsigned kIdsUnstorableResults = 39501;

    CDataSPTankData();
    ~CDataSPTankData() override;

    // The tank list's form, then the data count (int32).
    void Serialize(fw::CArchive& ar) override;

    // --- IFormulaChannelList ------------------------------------------------------
    CDataCalcuOrder* GetOrder(int16_t index) override;
    bool HasChannelTank(int16_t index) override;
    int32_t GetStoredCount(int16_t index) override;
    double GetStoredValue(int16_t index, int32_t valueIndex) override;
    bool ReadStoredValues(int16_t index, int32_t first, int32_t count, double* out) override;

    // --- channels ----------------------------------------------------------------------
    // A plain calculated tank at index (the list grows), with the data code
    // and a new order; on failure nothing is left in the list.
    virtual CCalcuDataTank* CreateCalcTank(int index, int32_t code);
    // The tank of calculated channel `index`, created (as this list's kind
    // of channel tank, data code -1) when missing.
    virtual CCalcuDataTank* GetOrCreateChannel(int index);
    virtual std::unique_ptr<CDataCalcuOrder> NewOrder();
    CCalcuDataTank* GetCalcTank(int index) const;

    // --- compiling and ordering ------------------------------------------------------
    // Normalises and compiles rows first .. last of the source (the formula
    // column) into channels 500 + row, writing normalised texts back; then
    // orders the passes. False without a source.
    virtual bool CompileRange(CDataTankObject* source, int first, int last, int16_t chLimit, int16_t secondLimit);
    virtual bool CompileChannel(const fw::CString& text, int index, int16_t chLimit, int16_t secondLimit);
    virtual void OrderPasses();
    // One reference of `order` to `referenced` while ordering at level L.
    virtual bool RaisePass(bool listReference, CDataCalcuOrder* order, CDataCalcuOrder* referenced, int16_t level);
    virtual bool HasOrderedFormulas();

    // --- calculating -------------------------------------------------------------------
    virtual bool CalculateStep(int32_t step);
    virtual void RunPasses(int16_t firstPass, int32_t stepNumber);
    virtual void EvaluatePass(int16_t pass, int32_t stepNumber, int16_t marker);
    virtual void RecalculateAll();
    virtual bool RecalculateFrom(int32_t firstStep);
    // Live evaluation of the listed channels (the monitor).
    virtual void ApplyToChannels(const std::vector<int16_t>& channels);

    // --- the data set ---------------------------------------------------------------
    // -1: the data count becomes the largest value count and is returned;
    // otherwise every tank gets `count` values.
    virtual int32_t SetDataCount(int32_t count, bool fill);
    int32_t GetDataCount() const { return m_dataCount; }
    virtual int FindRoutineValue(CalcRoutine routine, double& value, int first, int last);
    virtual void RemoveUnusedChannels();
    virtual void CollectDependencies(int16_t index, std::vector<int16_t>& out);
    virtual int GetMeasuredCount() const { return 0; }
    // The tank of the elapsed time (the result tank at 499); null when none.
    virtual CDataTankObject* GetTimeTank();

    void SetSettingsList(CDataSPSetTank* settings) { m_settings = settings; }
    CDataSPSetTank* GetSettingsList() const { return m_settings; }

    // Unstorable results of the last recalculation (also those of the
    // formulas' own guards); reported once at its end.
    const CalcResultReport& GetResultReport() const { return m_report; }

protected:
    // Whole recalculation from `first`; false after a reported exception.
    bool Recalculate(int32_t first, bool clearScale, bool yield);
    bool RecalculateBlocks(int32_t first);
    bool RecalculateSteps(int32_t first, bool yield);
    bool CanRecalculateInBlocks();
    void PrepareRecalculation(bool clearScale);
    void FinishRecalculation();
    void ShowStepProgress(int32_t step);
    void ClearResultReport();
    void NoteRefused(int16_t index, const CalcStoreTally& tally, int32_t stepOffset);
    void ReportUnstorableResults();
    int16_t GetHighestPass();
    void WalkOrder(CDataCalcuOrder* order, int16_t level);
    void CollectInto(int16_t index, std::vector<int16_t>& out, std::vector<bool>& seen);
    bool StoreResult(int index, int32_t step, double value);
    void OpenCacheFiles();
    void CloseCacheFiles();

    // A whole recalculation keeps the cache files open (not one open per
    // read) and the block of each measured channel it has read (formulas
    // read the same channels again and again).
    struct OpenedFile {
        CDataTankObject* tank;
        bool wasOpen;
    };
    std::vector<OpenedFile> m_openedFiles;
    // While a block is calculated: the rows of the channels formulas read,
    // each read once per block, whole (by list index).
    std::vector<CalcValueRow> m_measuredRows;
    bool m_rowsActive = false;
    int32_t m_rowsFirst = 0;
    int32_t m_rowsCount = 0;
    // Steps per block: as many as the rows of the channels read allow.
    // `read` marks the channels formulas read.
    int32_t ChooseBlockSteps(const std::vector<std::pair<int16_t, int16_t>>& sequence, std::vector<bool>& read);
    // Running sums of the channels stored in every step, for their averages.
    std::vector<CalcValueSum> m_sums;
    double AverageOf(CDataTankObject* tank, int index);

    int32_t m_dataCount = 0;
    CDataSPSetTank* m_settings = nullptr;
    CalcResultReport m_report;
    std::vector<double> m_block;
};
