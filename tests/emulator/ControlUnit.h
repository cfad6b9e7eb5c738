#pragma once

#include "tests/emulator/CommandTable.h"
#include "tests/emulator/DeviceState.h"
#include "tests/emulator/Faults.h"
#include "tests/emulator/Reply.h"
#include "tests/emulator/Transcript.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kivemu {

// What a session does with one command: the reply bytes and how they leave.
struct ReplyPlan {
    std::vector<uint8_t> bytes;
    int delayMs = 0;
    bool dropMidReply = false;  // send half of `bytes`, then close
    size_t splitAt = 0;         // > 0: send this many bytes, pause, send the rest
    int splitPauseMs = 0;
};

// One emulated control unit, independent of the transport: it records each
// command line, answers it from its command table and state, and applies
// the armed faults. A server (TCP) or a USB loopback feeds it lines.
class ControlUnit {
public:
    ControlUnit();  // with the standard commands

    // Registers or replaces a command word; safe while sessions run.
    void AddCommand(const std::string& word, Handler handler);
    void RemoveCommand(const std::string& word);

    template <class F> auto WithState(F&& f)
    {
        std::lock_guard lock(m_mutex);
        return f(m_state);
    }

    Transcript& GetTranscript() { return m_transcript; }
    // Tests keep every received line and byte; a long-running emulator
    // (kivsim) turns that off so it does not grow with every poll.
    void SetKeepRecords(bool keep) { m_keepRecords = keep; }
    // Every received line also goes here (kivsim's wire log); set before
    // the unit serves.
    void SetLineLog(std::function<void(const std::string&)> log) { m_lineLog = std::move(log); }
    Faults& GetFaults() { return m_faults; }

    // Every byte received, line ends and padding included, for checks of
    // the exact wire form.
    void AddReceivedBytes(const uint8_t* data, size_t size);
    std::string ReceivedBytes() const;
    void ClearReceivedBytes();

    // Records the line and works out the reply (an unknown word answers
    // "ERR 022").
    ReplyPlan Handle(const std::string& line);

    // The commands answered with an error report ("ERR" and a code), each
    // as "<command> -> <reply>", in arrival order.
    std::vector<std::string> RefusedCommands() const;

    // Sessions report every reply that has fully left, so tests can wait
    // until a late reply is on the wire before they go on.
    void NoteReplySent();
    size_t RepliesSent() const;
    bool WaitRepliesSent(size_t count, std::chrono::milliseconds limit) const;

private:
    Reply Dispatch(const std::string& line);

    mutable std::mutex m_mutex;
    CommandTable m_commands;
    DeviceState m_state;
    Transcript m_transcript;
    Faults m_faults;

    mutable std::mutex m_refusedMutex;
    std::vector<std::string> m_refused;

    mutable std::mutex m_bytesMutex;
    std::string m_received;
    std::atomic<bool> m_keepRecords{true};
    std::function<void(const std::string&)> m_lineLog;

    mutable std::mutex m_sentMutex;
    mutable std::condition_variable m_sentChanged;
    size_t m_repliesSent = 0;
};

} // namespace kivemu
