// The CAN database text of CCanNodeArray: one block per direction, each
// message as a slot line, a message line and its signal lines.

#include "canvoicegps/CanNodeArray.h"

#include "canvoicegps/CanTextError.h"
#include "canvoicegps/CanTextScan.h"
#include "canvoicegps/CanVoiceGpsStrings.h"

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kSlotKey = "[CAN_SLOT_]";
constexpr std::string_view kMessageKey = "[CAN_BO_]";
constexpr std::string_view kSignalKey = "[CAN_SG_]";

void Append(fw::CStringArray& lines, int& next, const fw::CString& line)
{
    lines.SetAtGrow(next++, line);
}

bool IsBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The keyword of a line: from its '[' to the first ']'; empty when the line
// does not start with one.
std::string_view KeywordOf(std::string_view line)
{
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line[start] != '[')
        return {};
    const size_t close = line.find(']', start);
    return close == std::string_view::npos ? std::string_view() : line.substr(start, close - start + 1);
}

// The text after the keyword, including the blank that separates them.
std::string_view FieldsOf(std::string_view line, std::string_view keyword)
{
    return line.substr(line.find(keyword) + keyword.size());
}

} // namespace

void CCanNodeArray::WriteMessages(bool send, fw::CStringArray& lines, int& next) const
{
    if (CountMessages(send) == 0)
        return;
    Append(lines, next, send ? kSendHeader : kReceiveHeader);
    for (int i = 0; i < kEntries; ++i) {
        const C463CanMesNode* message = m_entries[static_cast<size_t>(i)].get();
        if (!message || message->IsSend() != send)
            continue;
        fw::CString line;
        line.Format("[CAN_SLOT_] %d %d", i + 1, message->IsRemoteFrame() ? 1 : 0);
        Append(lines, next, line);
        Append(lines, next, "[CAN_BO_] " + message->FormatBoLine());
        const CCanSigArray& signals = message->Signals();
        for (int s = 0; s < signals.GetSize(); ++s)
            if (const C463CanMesSignal* signal = signals.GetAt(s))
                Append(lines, next, "[CAN_SG_] " + signal->FormatSgLine());
    }
    Append(lines, next, kEndLine);
}

void CCanNodeArray::ReadMessages(bool send, std::string_view text, size_t& position)
{
    // Messages are collected first and put into their entries only when the
    // whole block has been read, so a damaged block changes nothing.
    std::vector<std::pair<int, std::unique_ptr<C463CanMesNode>>> read;
    std::unique_ptr<C463CanMesNode> pending;
    int pendingEntry = -1;
    auto putPending = [&] {
        if (pending)
            read.emplace_back(pendingEntry, std::move(pending));
        pending.reset();
    };

    size_t pos = position;
    std::string_view line;
    for (size_t lineStart = pos; cantext::NextLine(text, pos, line); lineStart = pos) {
        const int lineNo = cantext::LineNumberAt(text, lineStart);
        if (IsBlankLine(line))
            continue;
        const std::string_view keyword = KeywordOf(line);
        if (keyword.empty())
            cantext::ThrowTextError(lineNo, cvgstr::kNotAKeyLine);
        const std::string_view fields = FieldsOf(line, keyword);

        if (keyword == kEndLine) {
            putPending();
            for (auto& [entry, message] : read)
                Put(entry, std::move(message));
            position = pos;
            return;
        }
        if (keyword == kSlotKey) {
            putPending();
            cantext::Scanner s(fields);
            int16_t slot = 0;
            int16_t remote = 0;
            s.SkipBlanks();
            if (!s.ReadInt16(slot) || !s.Expect(' ') || (s.SkipBlanks(), !s.ReadInt16(remote)) ||
                (s.SkipBlanks(), !s.AtEnd()))
                cantext::ThrowTextError(lineNo, cvgstr::kBadSlotLine);
            // A slot outside the database drops its message and signal
            // lines, up to the next slot line.
            if (slot < 1 || slot > kEntries)
                continue;
            pending = std::make_unique<C463CanMesNode>();
            pending->SetDirection(send);
            pending->SetRemoteFrame(remote == 1);
            pendingEntry = slot - 1;
            pending->Signals().SetBaseCode((pendingEntry + 1) * 100);
            continue;
        }
        if (keyword == kMessageKey) {
            if (pending && !pending->ParseBoLine(std::string(fields).c_str()))
                cantext::ThrowTextError(lineNo, cvgstr::kBadMessageLine);
            continue;
        }
        if (keyword == kSignalKey) {
            if (pending && !pending->AddSignalFromText(std::string(fields).c_str()))
                cantext::ThrowTextError(lineNo, cvgstr::kBadSignalLine);
            continue;
        }
        cantext::ThrowTextError(lineNo, cvgstr::kUnknownKey, keyword);
    }
    // Without its end line the block was cut short: its last message would
    // be lost without a word.
    cantext::ThrowTextError(cantext::LineNumberAt(text, text.size()), cvgstr::kBlockNotClosed);
}
