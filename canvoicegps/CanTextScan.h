#pragma once

// A small scanner over one line of the CAN database text: the fields are
// separated by blanks and glued with punctuation ("0|16@1+", "(0.5,-40)").
// Each Read answers false, and leaves the position where it was, when the
// text there is not what is asked for.

#include "framework/core/CString.h"

#include <cstdint>
#include <string_view>

namespace cantext {

class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    void SkipBlanks();
    bool AtEnd() const { return m_pos >= m_text.size(); }
    // The next character is `ch` (after blanks when skipBlanks).
    bool Expect(char ch, bool skipBlanks = false);
    // Characters up to the next blank or the end; false when none.
    bool ReadWord(std::string& word);
    // Characters up to `stop` (not consumed); false when `stop` never comes.
    bool ReadUntil(char stop, std::string& out);
    // A decimal integer that fits 16 bits; a finite double; an unsigned
    // 32-bit decimal. Nothing but a sign and digits is taken.
    bool ReadInt16(int16_t& value);
    bool ReadDouble(double& value);
    bool ReadUInt32(uint32_t& value);
    // The rest of the text.
    std::string_view Rest() const { return m_text.substr(m_pos); }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

// The number at the start of a text, as the control unit's texts are read:
// blanks, a sign and decimal digits; 0 when no digit comes. Values beyond
// the 64-bit range stop at its ends.
long long LeadingInteger(std::string_view text);
// The real number at the start of a text (C locale); 0 when there is none
// or it is not finite.
double LeadingReal(std::string_view text);

// A line "[KEY] value": the key without its brackets and the rest after the
// ']'. False for a line that does not start (after blanks) with a bracketed
// key.
bool SplitKeyLine(std::string_view line, std::string_view& key, std::string_view& value);

} // namespace cantext
