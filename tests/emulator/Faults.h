#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kivemu {

// One misbehaviour of the control unit, armed for the commands that start
// with `word` (an empty word matches every command).
struct FaultRule {
    enum class Kind {
        DelayReply,    // the reply leaves `delayMs` late
        DropMidReply,  // half the reply is sent, then the connection is closed
        ErrorReply,    // "ERR nnn" with `errorCode` instead of the reply
        Garbage,       // `bytes` go out in front of the reply (or alone)
        SplitReply,    // the first `splitAt` bytes, a pause of `delayMs`, the rest
    };
    Kind kind = Kind::DelayReply;
    std::string word;
    int delayMs = 0;
    int errorCode = 0;
    size_t splitAt = 0;
    std::vector<uint8_t> bytes;
    bool replaceReply = false;  // Garbage: send only the bytes
    int remaining = 1;          // commands it still hits; -1 = every one
    int skip = 0;               // matching commands it lets pass before it hits
};

// The fault switches of one control unit. Tests arm them from their own
// thread while a session consumes them.
class Faults {
public:
    void Add(FaultRule rule);
    void DelayReply(const std::string& word, int delayMs, int times = 1);
    void DropMidReply(const std::string& word, int times = 1);
    void ErrorOn(const std::string& word, int errorCode, int times = 1);
    void Garbage(const std::string& word, std::vector<uint8_t> bytes, bool replaceReply = false,
                 int times = 1);
    void SplitReply(const std::string& word, size_t splitAt, int pauseMs, int times = 1);
    void Clear();

    // The rules that hit this command line, each used up once; several
    // kinds may combine (a late "ERR", garbage before a dropped reply).
    std::vector<FaultRule> Take(const std::string& line);

private:
    std::mutex m_mutex;
    std::vector<FaultRule> m_rules;
};

} // namespace kivemu
