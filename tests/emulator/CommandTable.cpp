#include "tests/emulator/CommandTable.h"

namespace kivemu {

void CommandTable::Add(const std::string& word, Handler handler)
{
    m_handlers[word] = std::move(handler);
}

void CommandTable::Remove(const std::string& word)
{
    m_handlers.erase(word);
}

const Handler* CommandTable::Find(const std::string& line, Command& command) const
{
    const Handler* best = nullptr;
    size_t bestLength = 0;
    for (const auto& [word, handler] : m_handlers) {
        if (word.size() >= bestLength && line.compare(0, word.size(), word) == 0) {
            best = &handler;
            bestLength = word.size();
        }
    }
    if (best) {
        command.line = line;
        command.word = line.substr(0, bestLength);
        command.text = line.substr(bestLength);
    }
    return best;
}

} // namespace kivemu
