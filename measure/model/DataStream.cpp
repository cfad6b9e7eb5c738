#include "measure/model/DataStream.h"

#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/ZELMeter.h"
#include "instrument/meter/KivMeter.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

// "ERR nnn" and the line end; a shorter stream cannot hold an error line.
constexpr size_t kErrorLineBytes = 8;

} // namespace

int ParseErrorLine(std::span<const uint8_t> bytes)
{
    static constexpr char kPrefix[] = "ERR";
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<char>(bytes[i]);
        bool fits = false;
        if (i < 3)
            fits = c == kPrefix[i];
        else if (i == 3)
            fits = c == ' ' || c == '-';
        else if (i < 7)
            fits = std::isdigit(static_cast<unsigned char>(c)) != 0;
        else if (i == 7)
            fits = c == '\r' || c == '\n';
        else if (i == 8)
            fits = c == '\n' && bytes[7] == '\r';
        if (!fits)
            return -1;
        if (c == '\n') {
            return (bytes[4] - '0') * 100 + (bytes[5] - '0') * 10 + (bytes[6] - '0');
        }
    }
    return -2;
}

void DropStaleInput(CKivMeter& meter)
{
    if (CMeterInterface* link = meter.GetInterface())
        link->ClearInput();
}

void ReadDataStream(CKivMeter& meter, std::span<uint8_t> buffer, const char* word)
{
    const size_t head = std::min(buffer.size(), kErrorLineBytes);
    meter.ReadBlock(buffer, static_cast<int>(head));
    size_t got = head;
    int code = ParseErrorLine(buffer.first(got));
    if (code == -2 && got < buffer.size() && buffer[got - 1] == '\r') {
        // "ERR nnn" CR: the LF that ends the line is the one byte more.
        meter.ReadBlock(buffer.subspan(got), 1);
        ++got;
        code = ParseErrorLine(buffer.first(got));
    }
    if (code >= 0) {
        const fw::CString message = fw::Format(fw::LoadStringText(CZELMeter::kMsgUnitError), word, code);
        throw CZelException(kZelErrorUnitReply + code, message.c_str());
    }
    if (got < buffer.size())
        meter.ReadBlock(buffer.subspan(got), static_cast<int>(buffer.size() - got));
}

void ReadRecordedHeader(CKivMeter& meter, const char* name, int size, fw::CString& text)
{
    // Headers are a few KiB; a larger size is a broken listing.
    constexpr int kMaxHeaderBytes = 1 << 20;
    text.Empty();
    if (size <= 0 || size > kMaxHeaderBytes)
        throw CZelException(CKivMeter::kErrInvalid, CKivMeter::kMsgInvalidReply);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    DropStaleInput(meter);
    meter.Send(fw::Format("DAT%s.HED", name));
    ReadDataStream(meter, bytes, "HFL");
    const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    text = fw::cp932::FromCp932(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), static_cast<size_t>(end - bytes.begin())));
}

int QueryMemoryFileSize(CKivMeter& meter, const char* name, const char* extension)
{
    // A listing never runs longer than the unit's files; a unit that keeps
    // sending lines is broken.
    constexpr int kMaxLines = 100000;
    DropStaleInput(meter);
    meter.Send(fw::Format("DIR %s.%s", name, extension));
    int size = 0;
    for (int lines = 0;; ++lines) {
        if (lines > kMaxLines)
            throw CZelException(CKivMeter::kErrInvalid, CKivMeter::kMsgInvalidReply);
        meter.ReadReply();
        const fw::CString line = meter.GetInterface()->GetReply();
        if (line.Find("END") == 0)
            return size;
        const int comma = line.Find(',');
        if (comma > 0 && size == 0)
            size = std::max(0, std::atoi(line.c_str() + comma + 1));
    }
}
