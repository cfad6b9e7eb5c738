#include "framework/core/testing/ScriptedPrompt.h"

namespace fw::test {

ScriptedPrompt& ScriptedPrompt::Expect(unsigned msgId, int answer)
{
    std::lock_guard lock(m_mutex);
    m_queue.push_back({msgId, CString(), answer});
    return *this;
}

ScriptedPrompt& ScriptedPrompt::ExpectText(const CString& fragment, int answer)
{
    std::lock_guard lock(m_mutex);
    m_queue.push_back({0, fragment, answer});
    return *this;
}

int ScriptedPrompt::MessageBox(const CString& text, unsigned flags, unsigned msgId, unsigned help)
{
    Record r{text, flags, msgId, help, DefaultButtonAnswer(flags), false};
    std::function<void(const Record&)> onUnexpected;
    {
        std::lock_guard lock(m_mutex);
        if (!m_queue.empty()) {
            const Expectation& e = m_queue.front();
            const bool match = e.msgId != 0 ? e.msgId == msgId : text.Find(e.fragment) >= 0;
            if (match) {
                r.answer = e.answer;
                r.expected = true;
                m_queue.pop_front();
            }
        }
        m_records.push_back(r);
        if (!r.expected)
            onUnexpected = m_onUnexpected;
    }
    if (onUnexpected)
        onUnexpected(r);
    return r.answer;
}

void ScriptedPrompt::SetUnexpectedHandler(std::function<void(const Record&)> handler)
{
    std::lock_guard lock(m_mutex);
    m_onUnexpected = std::move(handler);
}

std::vector<ScriptedPrompt::Record> ScriptedPrompt::Prompts() const
{
    std::lock_guard lock(m_mutex);
    return m_records;
}

std::vector<ScriptedPrompt::Record> ScriptedPrompt::Unexpected() const
{
    std::lock_guard lock(m_mutex);
    std::vector<Record> out;
    for (const Record& r : m_records) {
        if (!r.expected)
            out.push_back(r);
    }
    return out;
}

size_t ScriptedPrompt::PendingExpectations() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

std::string ScriptedPrompt::Describe(const Expectation& e)
{
    return e.msgId != 0 ? "id " + std::to_string(e.msgId) : "text \"" + e.fragment.str() + "\"";
}

std::string ScriptedPrompt::Problems() const
{
    std::lock_guard lock(m_mutex);
    std::string out;
    for (const Record& r : m_records) {
        if (!r.expected)
            out += "unexpected prompt " + std::to_string(r.msgId) + ": \"" + r.text.str() + "\"\n";
    }
    for (const Expectation& e : m_queue)
        out += "expected prompt not shown: " + Describe(e) + "\n";
    return out;
}

void ScriptedPrompt::Reset()
{
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    m_records.clear();
}

} // namespace fw::test
