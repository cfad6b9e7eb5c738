#include "data/model/ExportTextWriter.h"

#include "framework/core/Cp932.h"
#include "framework/core/File.h"

#include <cstdint>
#include <cstring>

namespace {

// Large enough that writes are few, small enough to stay bounded.
constexpr size_t kFlushBytes = 1 << 20;

bool IsAscii(std::string_view s)
{
    // Eight bytes at a time: the rows of numbers are long and plain.
    const char* p = s.data();
    size_t n = s.size();
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; n; ++p, --n) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

CExportTextWriter::CExportTextWriter(fw::CFile& file) : m_file(file)
{
    m_buffer.reserve(kFlushBytes + 4096);
}

CExportTextWriter::~CExportTextWriter() = default;

void CExportTextWriter::WriteLine(std::string_view utf8)
{
    if (IsAscii(utf8))
        m_buffer.append(utf8);
    else
        m_buffer.append(fw::cp932::ToCp932(utf8));
    m_buffer.append("\r\n");
    if (m_buffer.size() >= kFlushBytes)
        Flush();
}

void CExportTextWriter::Flush()
{
    if (m_buffer.empty())
        return;
    m_file.Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

std::string CExportTextWriter::Field(std::string_view text, char separator)
{
    std::string out;
    AppendField(out, text, separator);
    return out;
}

void CExportTextWriter::AppendField(std::string& line, std::string_view text, char separator)
{
    if (separator != ',') {
        const size_t from = line.size();
        line.append(text);
        for (size_t i = from; i < line.size(); ++i) {
            char& c = line[i];
            if (c == '\r' || c == '\n' || c == '\t')
                c = ' ';
        }
        return;
    }
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        line.append(text);
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}
