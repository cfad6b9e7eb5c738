#pragma once

// Column tanks of the project's cycle and interval tables: each adds a
// validity rule or a text form to its typed tank. The comparison-channel
// column is CCompNoTank (CompNoTank.h).

#include "common/tank/DateDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/ShortDataTank.h"

// Amount of change of a comparison: above 0, at most the float maximum.
class CCompValueTank : public CFltDataTank {
    FW_DECLARE_SERIAL(CCompValueTank)
public:
    CCompValueTank();
    bool CheckValue(double x) const override;
};

// Start and step cycles, from the column's minimum (0 for the start cycle,
// 1 for the step cycle) to 999999999.
class CCycleTank : public CLongDataTank {
    FW_DECLARE_SERIAL(CCycleTank)
public:
    static constexpr int32_t kMaxCycle = 999999999;

    CCycleTank();
    bool CheckValue(double x) const override;

    // Set by the table builder; not stored.
    void SetMinimum(int32_t minimum) { m_minimum = minimum; }
    int32_t GetMinimum() const { return m_minimum; }

private:
    int32_t m_minimum = 0;
};

// The control word of a program step: 0 endless, 1 repeat, 2 goto, 3 none.
class CControlTank : public CShortDataTank {
    FW_DECLARE_SERIAL(CControlTank)
public:
    static constexpr int16_t kNone = 3;

    CControlTank();
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    // Only a text the column shows, exactly; the empty text clears.
    bool SetValueText(int index, const fw::CString& text) override;

    // The shown text of a control word (empty for 3 and unknown words).
    static fw::CString ControlText(int value);
};

// Repeat counts 1 to 999999999; 0 is an empty cell.
class CRepetTank : public CLongDataTank {
    FW_DECLARE_SERIAL(CRepetTank)
public:
    static constexpr int32_t kMaxRepeat = 999999999;

    CRepetTank();
    bool CheckValue(double x) const override;
    // Always in the column's display format.
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
};

// The date of a measurement start; the interval view edits year, month and
// day as separate numbers.
class CIntevalTank : public CDateDataTank {
    FW_DECLARE_SERIAL(CIntevalTank)
public:
    CIntevalTank();
    // part 0 sets the year (from 2001), 1 the month, 2 the day; the result is that date at
    // midnight. An empty cell starts from today. True when the cell changed.
    bool SetDatePart(int row, int part, int number);
};

// The time of day of a measurement start, kept on 30 December 1899.
class CIntevalTimeTank : public CDateDataTank {
    FW_DECLARE_SERIAL(CIntevalTimeTank)
public:
    CIntevalTimeTank();
    // part 0 sets the hour, 1 the minute, 2 the second; an empty cell starts from 00:00:00.
    // True when the cell changed.
    bool SetTimePart(int row, int part, int number);
};
