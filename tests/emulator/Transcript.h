#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace kivemu {

// Every command line a control unit received, in arrival order, so tests
// can compare exact command sequences. Safe to read while sessions write.
class Transcript {
public:
    void Add(const std::string& line);
    std::vector<std::string> Lines() const;
    size_t Count() const;
    void Clear();
    // Blocks until at least `count` lines arrived or the wait ran out;
    // true when they did.
    bool WaitForCount(size_t count, std::chrono::milliseconds limit) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<std::string> m_lines;
};

} // namespace kivemu
