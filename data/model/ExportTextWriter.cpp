#include "data/model/ExportTextWriter.h"

#include "framework/core/Cp932.h"
#include "framework/core/File.h"

namespace {

constexpr size_t kFlushBytes = 1 << 16;

bool IsAscii(std::string_view s)
{
    for (unsigned char c : s) {
        if (c >= 0x80)
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
    if (separator != ',') {
        std::string out(text);
        for (char& c : out) {
            if (c == '\r' || c == '\n' || c == '\t')
                c = ' ';
        }
        return out;
    }
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}
