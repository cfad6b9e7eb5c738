#pragma once

// The unit check table: a snapshot of the self-check results of every
// control unit of the measuring system, one row per channel (measuring and
// output channels of each control unit in box order) with nine text
// columns, and the time of the check.

#include "common/tank/DataBoxArray.h"
#include "common/tank/DataBoxPropaty.h"
#include "framework/core/DateTime.h"

#include <array>
#include <cstdint>
#include <vector>

// One control unit of the check table.
class CCheckDataBoxPropaty : public CDataBoxPropaty {
    FW_DECLARE_SERIAL(CCheckDataBoxPropaty)
public:
    static constexpr int kColumns = 9;
    // The first check column; the columns before it are always filled.
    static constexpr int kFirstCheckColumn = 2;
    // Column names (string ids) and the channel attribute each column shows.
    static constexpr std::array<unsigned, kColumns> kColumnNames{181, 182, 500, 434, 435, 437, 436, 438, 439};
    static constexpr std::array<int, kColumns> kColumnAttributes{0, 7, 28, 16, 17, 18, 19, 26, 27};

    CCheckDataBoxPropaty();

    // Appends the nine text columns, empty.
    void CreateColumns() override;
};

class CCheckData : public CDataBoxArray {
    FW_DECLARE_SERIAL(CCheckData)
public:
    static constexpr int16_t kDefaultTimeFormat = 107; // "yyyy/mm/dd hh:mm:ss"
    static constexpr uint32_t kAllColumns = 0xFFFFFFFFu;

    CCheckData();

    // The box array form, the check time (status as 32 bits, then the date
    // as a double), then the time's display format as 16 bits.
    void Serialize(fw::CArchive& ar) override;

    // One box per box of the system with the control unit's channel count
    // as rows, filled with the system's display texts. An exception on the
    // way is shown to the user and answers false; the rows filled so far
    // stay.
    bool BuildFromSystem(CBoxArray* system) override;

    void FormatCheckTime(fw::CString& text) const;

    const fw::COleDateTime& GetCheckTime() const { return m_checkTime; }
    void SetCheckTime(const fw::COleDateTime& time) { m_checkTime = time; }
    int16_t GetTimeFormat() const { return m_timeFormat; }
    void SetTimeFormat(int16_t code) { m_timeFormat = code; }
    // Bit c - 2 enables check column c (2 to 8). Not stored.
    uint32_t GetColumnMask() const { return m_columnMask; }
    void SetColumnMask(uint32_t mask) { m_columnMask = mask; }
    bool IsColumnEnabled(int column) const;

private:
    void FillRows(CBoxArray& system);
    // The system's map index for every row of the table; -1 for none.
    static std::vector<int> MapIndexOfRows(const CBoxArray& system, const std::vector<int>& firstRows, int total);

    fw::COleDateTime m_checkTime;
    int16_t m_timeFormat = kDefaultTimeFormat;
    uint32_t m_columnMask = kAllColumns;
};
