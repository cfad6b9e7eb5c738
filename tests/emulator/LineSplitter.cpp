#include "tests/emulator/LineSplitter.h"

namespace kivemu {

void LineSplitter::Feed(const uint8_t* data, size_t size, std::vector<std::string>& out)
{
    for (size_t i = 0; i < size; ++i) {
        const char ch = static_cast<char>(data[i]);
        if (ch == '\r' || ch == '\n') {
            EndLine(out);
            continue;
        }
        if (ch == ' ' && m_partial.empty())
            continue;
        m_partial.push_back(ch);
        if (m_partial.size() >= kMaxLineBytes)
            EndLine(out);
    }
}

void LineSplitter::EndLine(std::vector<std::string>& out)
{
    if (!m_partial.empty())
        out.push_back(m_partial);
    m_partial.clear();
}

} // namespace kivemu
