#include "framework/core/testing/RecordingStatus.h"

namespace fw::test {

void RecordingStatus::SetText(const CString& text)
{
    std::lock_guard lock(m_mutex);
    m_texts.push_back(text);
    m_current = text;
}

void RecordingStatus::Clear()
{
    std::lock_guard lock(m_mutex);
    ++m_clears;
    m_current.Empty();
}

void RecordingStatus::Beep()
{
    std::lock_guard lock(m_mutex);
    ++m_beeps;
}

std::vector<CString> RecordingStatus::Texts() const
{
    std::lock_guard lock(m_mutex);
    return m_texts;
}

CString RecordingStatus::Current() const
{
    std::lock_guard lock(m_mutex);
    return m_current;
}

int RecordingStatus::Clears() const
{
    std::lock_guard lock(m_mutex);
    return m_clears;
}

int RecordingStatus::Beeps() const
{
    std::lock_guard lock(m_mutex);
    return m_beeps;
}

void RecordingStatus::Reset()
{
    std::lock_guard lock(m_mutex);
    m_texts.clear();
    m_current.Empty();
    m_clears = 0;
    m_beeps = 0;
}

void CountingWaitCursor::Begin()
{
    std::lock_guard lock(m_mutex);
    ++m_begins;
    ++m_depth;
}

void CountingWaitCursor::End()
{
    std::lock_guard lock(m_mutex);
    --m_depth;
}

int CountingWaitCursor::Begins() const
{
    std::lock_guard lock(m_mutex);
    return m_begins;
}

int CountingWaitCursor::Depth() const
{
    std::lock_guard lock(m_mutex);
    return m_depth;
}

} // namespace fw::test
