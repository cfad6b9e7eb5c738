#pragma once

#include "tests/emulator/DeviceState.h"
#include "tests/emulator/Reply.h"

#include <functional>
#include <map>
#include <string>

namespace kivemu {

// One received command line, split at its command word: "RNG1000" gives
// word "RNG" and text "1000"; "SET1;4" gives "SET" and "1;4".
struct Command {
    std::string line;
    std::string word;
    std::string text;
};

using Handler = std::function<Reply(const Command&, DeviceState&)>;

// Command word -> handler. Words are matched as the longest registered
// word that starts the line, because the protocol glues parameters to the
// word ("MRY-5" is "MRY-", "STA10" is not "STA1" followed by "0").
class CommandTable {
public:
    // Replaces a handler registered under the same word.
    void Add(const std::string& word, Handler handler);
    void Remove(const std::string& word);
    // The handler for the line, with `command` filled; nullptr when no word
    // matches.
    const Handler* Find(const std::string& line, Command& command) const;

private:
    std::map<std::string, Handler> m_handlers;
};

} // namespace kivemu
