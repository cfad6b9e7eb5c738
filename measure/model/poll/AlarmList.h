#pragma once

// The rows of the alarm window: every channel of the project that is in
// alarm, with its value and the time its alarm began, rebuilt from the
// channels' alarm states after each poll. The highest state raises the
// alarm sound.

#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

#include <functional>
#include <map>
#include <vector>

class CDataTankList;
class CDataTankObject;

class CAlarmList {
public:
    static constexpr int kTimeChannel = 499;

    struct Row {
        int channel = 0;
        fw::CString text;  // "CH%d\r%s\r%s\r%s\r%s\r" / "NO%d\r..."
    };
    // The alarm state of a channel tank (bits 1 low, 2 upper, 4 over).
    using StateOf = std::function<int(CDataTankObject*)>;

    // The rows of the channels of `tanks` in alarm now; the highest state.
    int Rebuild(CDataTankList& tanks, const StateOf& stateOf);
    const std::vector<Row>& Rows() const { return m_rows; }
    void Clear();

    static const char* StateText(int state);
    // The text of column `col` of a row (the part between its carriage
    // returns).
    static fw::CString Field(const fw::CString& row, int col);
    // The channel number a row names: "CH n" is n - 1, "NO n" is n + 499.
    static int ChannelOfRow(const fw::CString& row);

private:
    std::vector<Row> m_rows;
    // When each channel's alarm began and its value then.
    std::map<int, std::pair<fw::COleDateTime, fw::CString>> m_began;
};
