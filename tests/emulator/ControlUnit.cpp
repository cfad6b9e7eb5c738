#include "tests/emulator/ControlUnit.h"

#include "tests/emulator/StandardCommands.h"

#include <algorithm>

namespace kivemu {

ControlUnit::ControlUnit()
{
    AddStandardCommands(m_commands);
}

void ControlUnit::AddCommand(const std::string& word, Handler handler)
{
    std::lock_guard lock(m_mutex);
    m_commands.Add(word, std::move(handler));
}

void ControlUnit::RemoveCommand(const std::string& word)
{
    std::lock_guard lock(m_mutex);
    m_commands.Remove(word);
}

Reply ControlUnit::Dispatch(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    Command command;
    const Handler* handler = m_commands.Find(line, command);
    if (!handler)
        return Reply::Error(kErrCommand);
    return (*handler)(command, m_state);
}

ReplyPlan ControlUnit::Handle(const std::string& line)
{
    if (m_keepRecords)
        m_transcript.Add(line);
    if (m_lineLog)
        m_lineLog(line);
    const std::vector<FaultRule> faults = m_faults.Take(line);
    // A command the unit refuses changes nothing in it.
    const bool refused = std::any_of(faults.begin(), faults.end(), [](const FaultRule& r) {
        return r.kind == FaultRule::Kind::ErrorReply;
    });
    Reply reply = refused ? Reply::Silent() : Dispatch(line);
    ReplyPlan plan;
    std::vector<uint8_t> prefix;
    for (const FaultRule& rule : faults) {
        switch (rule.kind) {
        case FaultRule::Kind::DelayReply:
            plan.delayMs += rule.delayMs;
            break;
        case FaultRule::Kind::DropMidReply:
            plan.dropMidReply = true;
            break;
        case FaultRule::Kind::ErrorReply:
            reply = Reply::Error(rule.errorCode);
            break;
        case FaultRule::Kind::SplitReply:
            plan.splitAt = rule.splitAt;
            plan.splitPauseMs = rule.delayMs;
            break;
        case FaultRule::Kind::Garbage:
            prefix.insert(prefix.end(), rule.bytes.begin(), rule.bytes.end());
            if (rule.replaceReply)
                reply = Reply::Silent();
            break;
        }
    }
    const std::string first = reply.lines.empty() ? std::string() : reply.lines.front();
    if (m_keepRecords && first.size() == 7 && first.compare(0, 4, "ERR ") == 0) {
        std::lock_guard lock(m_refusedMutex);
        m_refused.push_back(line + " -> " + first);
    }
    if (prefix.empty() && reply.lines.empty()) {
        // A data block leaves as it was made: copying megabytes per reply
        // would count against every transfer measured through the emulator.
        plan.bytes = std::move(reply.raw);
        return plan;
    }
    plan.bytes = std::move(prefix);
    const std::vector<uint8_t> body = reply.Bytes();
    plan.bytes.insert(plan.bytes.end(), body.begin(), body.end());
    return plan;
}

std::vector<std::string> ControlUnit::RefusedCommands() const
{
    std::lock_guard lock(m_refusedMutex);
    return m_refused;
}

void ControlUnit::AddReceivedBytes(const uint8_t* data, size_t size)
{
    if (!m_keepRecords)
        return;
    std::lock_guard lock(m_bytesMutex);
    m_received.append(reinterpret_cast<const char*>(data), size);
}

std::string ControlUnit::ReceivedBytes() const
{
    std::lock_guard lock(m_bytesMutex);
    return m_received;
}

void ControlUnit::ClearReceivedBytes()
{
    std::lock_guard lock(m_bytesMutex);
    m_received.clear();
}

void ControlUnit::NoteReplySent()
{
    {
        std::lock_guard lock(m_sentMutex);
        ++m_repliesSent;
    }
    m_sentChanged.notify_all();
}

size_t ControlUnit::RepliesSent() const
{
    std::lock_guard lock(m_sentMutex);
    return m_repliesSent;
}

bool ControlUnit::WaitRepliesSent(size_t count, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(m_sentMutex);
    return m_sentChanged.wait_for(lock, limit, [&] { return m_repliesSent >= count; });
}

} // namespace kivemu
