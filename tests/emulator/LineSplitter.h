#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kivemu {

// Cuts the byte stream from the program into command lines, as the control
// unit's receiver does: CR, LF or CR LF end a line; blanks in front of a
// command are dropped (the USB transfer pads every line with blanks up to a
// multiple of 64 bytes, so the padding arrives ahead of the next command);
// lines that hold nothing else are ignored. An endless line is cut at
// kMaxLineBytes so a faulty peer cannot grow the buffer without bound.
class LineSplitter {
public:
    static constexpr size_t kMaxLineBytes = 4096;

    // Appends the complete lines found in `data` to `out`.
    void Feed(const uint8_t* data, size_t size, std::vector<std::string>& out);
    // Bytes of an unfinished line held back.
    size_t Pending() const { return m_partial.size(); }

private:
    void EndLine(std::vector<std::string>& out);

    std::string m_partial;
};

} // namespace kivemu
