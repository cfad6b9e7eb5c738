#include "tests/emulator/Transcript.h"

namespace kivemu {

void Transcript::Add(const std::string& line)
{
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(line);
    }
    m_changed.notify_all();
}

std::vector<std::string> Transcript::Lines() const
{
    std::lock_guard lock(m_mutex);
    return m_lines;
}

size_t Transcript::Count() const
{
    std::lock_guard lock(m_mutex);
    return m_lines.size();
}

void Transcript::Clear()
{
    std::lock_guard lock(m_mutex);
    m_lines.clear();
}

bool Transcript::WaitForCount(size_t count, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, limit, [&] { return m_lines.size() >= count; });
}

} // namespace kivemu
