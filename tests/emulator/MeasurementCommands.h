#pragma once

// The control unit's side of a measurement: start ("TRG", "DTG", "PRN"),
// the states it reports while it waits for the trigger, records and writes
// its file ("STA1"), the start time ("TTM"), the recorded count ("EOC") and
// elapsed time ("EOC2"), halt ("HLT"), current values that change with
// every request ("MDT", "MDT2"), balance ("BAL"), clocks ("DTE", "TME") and
// the save mode ("WSY", "WSY?"). A start while one runs is refused with
// error 10.
//
// The unit's progress moves one step per "STA1", never with the wall clock,
// so a transcript of a whole measurement is the same on every run:
//   standby (1) --TRG/DTG/PRN--> waiting (2) for `triggerPolls` polls
//   --> recording (3), `samplesPerPoll` more samples per poll
//   --> writing (4) for `writingPolls` polls once the data count set with
//   "MRY" (else `dataCount`) samples are in (or after "HLT") --> standby,
//   and the next queued recorded files appear in the unit's file list.
//
// Install on a unit with MeasureEmulator, which also installs the meter
// commands (channel settings, file list, frequency settings) and shares
// their device, so recorded files appear where "DIR" and "FLN" look.

#include "tests/emulator/ControlUnit.h"
#include "tests/emulator/MeterCommands.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kivemu {

struct MeasureDevice {
    enum class Phase { Standby, Waiting, Recording, Writing };

    // The script of a run.
    int triggerPolls = 2;      // polls answered with state 2 before the trigger comes
    int programPolls = 1;      // polls after "PRN" before the program value turns 1
    int samplesPerPoll = 100;  // samples added per poll while recording
    int dataCount = 1000;      // samples of a complete recording when "MRY" set none
    int writingPolls = 1;      // polls answered with state 4 after the recording
    int secondsPerPoll = 1;    // elapsed time per recording poll ("EOC2")
    std::string startTime = " 09/12/31 23:59:59";  // "TTM" once triggered
    // The trigger stamps the start time from the computer's clock.
    bool clockRuns = false;
    // Recorded files (name, bytes) that appear together when a recording
    // ends, one group per recording, in order.
    std::vector<std::vector<std::pair<std::string, std::string>>> filesOnEnd;
    // With no group queued, a recording that ends writes its own header and
    // data files ("A0001.hed", "A0001.dat", ...), as a real unit does.
    bool writesRecordings = false;

    // Current values: raw value of channel ch (1-based) at request k is
    // base[ch] + step[ch] x k - zero[ch]; missing entries count as
    // base 100 x ch, step ch.
    std::map<int, int> base;
    std::map<int, int> step;
    std::map<int, int> zero;  // set by a balance
    // k counts modulo this when above 0, keeping the values in range.
    int valueCycle = 0;
    int valueRequests = 0;
    // "BAL" result field (7 characters) per channel; a channel without one
    // is balanced and its field shows "   0.00".
    std::map<int, std::string> balanceResults;

    // Progress.
    Phase phase = Phase::Standby;
    int countdown = 0;
    int recordingLength = 0;   // samples of the recording under way
    int recorded = 0;
    int elapsedSeconds = 0;
    bool triggered = false;
    bool programRun = false;
    std::string startWord;  // "TRG", "DTG" or "PRN" of the run under way

    // Other settings the unit keeps.
    std::string date;  // last "DTE" text
    std::string time;  // last "TME" text
    int saveMode = 1;

    // Units that start and halt with this one, as the synchronisation
    // cable makes them; each gets the command word.
    std::vector<std::function<void(const std::string&)>> followers;

    int RawValue(int channel) const;
};

void AddMeasureCommands(ControlUnit& unit, const std::shared_ptr<MeterDevice>& meter,
                        const std::shared_ptr<MeasureDevice>& measure);

// A unit with the meter and measurement commands and both devices, which
// tests read and change under the unit's lock.
class MeasureEmulator {
public:
    explicit MeasureEmulator(ControlUnit& unit);

    template <class F> auto With(F&& f)
    {
        return m_unit.WithState([&](DeviceState& state) { return f(*m_measure, *m_meter, state); });
    }

    ControlUnit& Unit() { return m_unit; }
    // This unit starts and halts whenever `master` does (the master's lock
    // is taken first, so a unit never follows one of its followers).
    void Follow(MeasureEmulator& master);

private:
    ControlUnit& m_unit;
    std::shared_ptr<MeterDevice> m_meter;
    std::shared_ptr<MeasureDevice> m_measure;
};

} // namespace kivemu
