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

// Keywords without their brackets.
constexpr std::string_view kSlotKey = "CAN_SLOT_";
constexpr std::string_view kMessageKey = "CAN_BO_";
constexpr std::string_view kSignalKey = "CAN_SG_";
constexpr std::string_view kEndKey = "CAN_MESSAGE_END";
constexpr std::string_view kReceiveKey = "CAN_MESSAGE_RECEIVE";
constexpr std::string_view kSendKey = "CAN_MESSAGE_SEND";

void Append(fw::CStringArray& lines, int& next, const fw::CString& line)
{
    lines.SetAtGrow(next++, line);
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
    // Messages go into their entries only once the block has been read, so
    // a refused line changes nothing.
    std::vector<std::pair<int, std::unique_ptr<C463CanMesNode>>> read;
    std::unique_ptr<C463CanMesNode> pending;
    int pendingEntry = -1;
    auto putPending = [&] {
        if (pending)
            read.emplace_back(pendingEntry, std::move(pending));
        pending.reset();
    };
    auto keepRead = [&] {
        for (auto& [entry, message] : read)
            Put(entry, std::move(message));
    };

    size_t pos = position;
    std::string_view line;
    for (size_t lineStart = pos; cantext::NextLine(text, pos, line); lineStart = pos) {
        std::string_view keyword;
        std::string_view fields;
        // Lines that are not the database's are passed over.
        if (!cantext::SplitKeyLine(line, keyword, fields))
            continue;
        const int lineNo = cantext::LineNumberAt(text, lineStart);
        if (keyword == kEndKey) {
            putPending();
            keepRead();
            position = pos;
            return;
        }
        if (keyword == kReceiveKey || keyword == kSendKey) {
            // The next block begins: this one was cut short, and the message
            // it was cut in may lack signals.
            keepRead();
            position = lineStart;
            return;
        }
        if (keyword == kSlotKey) {
            putPending();
            std::string slotText;
            std::string remoteText;
            cantext::Scanner s(fields);
            s.SkipBlanks();
            s.ReadWord(slotText);
            s.SkipBlanks();
            s.ReadWord(remoteText);
            // A slot outside the database drops its message and signal
            // lines, up to the next slot line.
            const long long slot = cantext::LeadingInteger(slotText);
            if (slot < 1 || slot > kEntries)
                continue;
            pendingEntry = static_cast<int>(slot) - 1;
            pending = std::make_unique<C463CanMesNode>();
            pending->SetDirection(send);
            pending->SetRemoteFrame(cantext::LeadingInteger(remoteText) == 1);
            pending->Signals().SetBaseCode((pendingEntry + 1) * 100);
        } else if (keyword == kMessageKey) {
            if (pending && !pending->ParseBoLine(std::string(fields).c_str()))
                cantext::ThrowTextError(lineNo, cvgstr::kBadMessageLine);
        } else if (keyword == kSignalKey) {
            if (pending && !pending->AddSignalFromText(std::string(fields).c_str()))
                cantext::ThrowTextError(lineNo, cvgstr::kBadSignalLine);
        }
    }
    // The text ended inside the block: it was cut short, and the message it
    // was cut in may lack signals.
    keepRead();
    position = text.size();
}
