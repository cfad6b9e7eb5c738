#pragma once

// Control-unit emulator: one or more KIV-406 control units that listen on
// loopback TCP ports and answer the command protocol from the device's side.
// It shares no code with the program, so the program's parsing is tested
// against an independent reading of the protocol.
//
// Classes (one concern each):
//   ControlUnit      one unit: state, command table, transcript, faults;
//                    transport-free (Handle(line) -> ReplyPlan)
//   UnitServer       TCP front of one unit: accept thread, a thread per
//                    connection, LineSplitter framing
//   CommandTable     command word -> Handler, longest word wins
//   DeviceState      what a unit remembers (firmware, unit types, settings)
//   Transcript       every received line, for exact sequence checks
//   Faults           late reply, reply in two chunks, dropped connection,
//                    "ERR nnn", garbage
//   Emulator         several units on several ports (kivsim, tests)
//
// Extension points for later work:
//   * New command words: write a registration function beside
//     AddStandardCommands (e.g. AddFileCommands for recorded files,
//     AddMeasureCommands for start/poll/halt) and call it from the
//     ControlUnit constructor; a handler returns Reply::Line for a one-line
//     reply, several lines (lists ended by "END"), Reply::Block for raw
//     data, Reply::Silent for a send-only command, Reply::Error(code).
//   * New device state (recorded files, measurement progress, unit
//     settings per channel): add fields to DeviceState; handlers get it
//     under the unit's lock, tests set it with ControlUnit::WithState.
//   * Per-test behaviour: ControlUnit::AddCommand replaces one word's
//     handler while the server runs.
//   * Other transports (the USB loopback): feed bytes through a
//     LineSplitter and pass each line to ControlUnit::Handle; send
//     ReplyPlan::bytes back. Blank padding before a command and CR or
//     CR LF endings are handled by LineSplitter.
//   * New misbehaviour: add a FaultRule::Kind and apply it in
//     ControlUnit::Handle (reply content) or UnitServer::SendPlan (timing,
//     connection).

#include "tests/emulator/ControlUnit.h"
#include "tests/emulator/UnitServer.h"

#include <memory>
#include <string>
#include <vector>

namespace kivemu {

class Emulator {
public:
    Emulator() = default;
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Adds a unit serving on `port` (0 = a free one). Throws
    // std::runtime_error when the port cannot be opened.
    ControlUnit& AddUnit(uint16_t port = 0, const std::string& bindAddress = "127.0.0.1");
    size_t UnitCount() const { return m_units.size(); }
    ControlUnit& Unit(size_t index) { return *m_units.at(index)->unit; }
    UnitServer& Server(size_t index) { return *m_units.at(index)->server; }
    uint16_t Port(size_t index) const { return m_units.at(index)->server->Port(); }
    void StopAll();

private:
    struct Entry {
        std::unique_ptr<ControlUnit> unit;
        std::unique_ptr<UnitServer> server;
    };
    std::vector<std::unique_ptr<Entry>> m_units;
};

} // namespace kivemu
