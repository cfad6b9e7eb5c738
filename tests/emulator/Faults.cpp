#include "tests/emulator/Faults.h"

#include <algorithm>

namespace kivemu {

void Faults::Add(FaultRule rule)
{
    std::lock_guard lock(m_mutex);
    m_rules.push_back(std::move(rule));
}

void Faults::DelayReply(const std::string& word, int delayMs, int times)
{
    FaultRule rule;
    rule.kind = FaultRule::Kind::DelayReply;
    rule.word = word;
    rule.delayMs = delayMs;
    rule.remaining = times;
    Add(std::move(rule));
}

void Faults::DropMidReply(const std::string& word, int times)
{
    FaultRule rule;
    rule.kind = FaultRule::Kind::DropMidReply;
    rule.word = word;
    rule.remaining = times;
    Add(std::move(rule));
}

void Faults::ErrorOn(const std::string& word, int errorCode, int times)
{
    FaultRule rule;
    rule.kind = FaultRule::Kind::ErrorReply;
    rule.word = word;
    rule.errorCode = errorCode;
    rule.remaining = times;
    Add(std::move(rule));
}

void Faults::Garbage(const std::string& word, std::vector<uint8_t> bytes, bool replaceReply, int times)
{
    FaultRule rule;
    rule.kind = FaultRule::Kind::Garbage;
    rule.word = word;
    rule.bytes = std::move(bytes);
    rule.replaceReply = replaceReply;
    rule.remaining = times;
    Add(std::move(rule));
}

void Faults::SplitReply(const std::string& word, size_t splitAt, int pauseMs, int times)
{
    FaultRule rule;
    rule.kind = FaultRule::Kind::SplitReply;
    rule.word = word;
    rule.splitAt = splitAt;
    rule.delayMs = pauseMs;
    rule.remaining = times;
    Add(std::move(rule));
}

void Faults::Clear()
{
    std::lock_guard lock(m_mutex);
    m_rules.clear();
}

std::vector<FaultRule> Faults::Take(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    std::vector<FaultRule> hits;
    for (FaultRule& rule : m_rules) {
        if (rule.remaining == 0 || line.compare(0, rule.word.size(), rule.word) != 0)
            continue;
        if (rule.skip > 0) {
            --rule.skip;
            continue;
        }
        hits.push_back(rule);
        if (rule.remaining > 0)
            --rule.remaining;
    }
    std::erase_if(m_rules, [](const FaultRule& r) { return r.remaining == 0; });
    return hits;
}

} // namespace kivemu
