#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kivemu {

// What the control unit sends back for one command: reply lines (each
// leaves with CR LF), then a raw block; both empty for a send-only command.
struct Reply {
    std::vector<std::string> lines;
    std::vector<uint8_t> raw;

    static Reply Line(std::string text);
    static Reply Silent() { return {}; }
    static Reply Block(std::vector<uint8_t> bytes);
    // The control unit's error report: "ERR" and the code in three digits,
    // which the program reads four characters after the E.
    static Reply Error(int code);

    bool IsSilent() const { return lines.empty() && raw.empty(); }
    std::vector<uint8_t> Bytes() const;
};

} // namespace kivemu
