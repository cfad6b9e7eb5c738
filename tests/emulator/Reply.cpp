#include "tests/emulator/Reply.h"

#include <cstdio>

namespace kivemu {

Reply Reply::Line(std::string text)
{
    Reply reply;
    reply.lines.push_back(std::move(text));
    return reply;
}

Reply Reply::Block(std::vector<uint8_t> bytes)
{
    Reply reply;
    reply.raw = std::move(bytes);
    return reply;
}

Reply Reply::Error(int code)
{
    char text[16];
    std::snprintf(text, sizeof text, "ERR %03d", code % 1000);
    return Line(text);
}

std::vector<uint8_t> Reply::Bytes() const
{
    std::vector<uint8_t> out;
    for (const std::string& line : lines) {
        out.insert(out.end(), line.begin(), line.end());
        out.push_back('\r');
        out.push_back('\n');
    }
    out.insert(out.end(), raw.begin(), raw.end());
    return out;
}

} // namespace kivemu
