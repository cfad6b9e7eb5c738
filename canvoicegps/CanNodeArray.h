#pragma once

// The CAN message database of a unit: 64 message slots (entry i is slot
// i + 1, empty entries are null), at most 8 of them send messages. It
// writes and reads its messages as the bracketed database text that the
// settings text embeds and recorded CAN files carry in their header.

#include "canvoicegps/CanMesNode.h"
#include "framework/core/Collections.h"
#include "framework/core/Object.h"

#include <array>
#include <memory>
#include <string_view>

class CCanNodeArray : public fw::CObject {
    FW_DECLARE_SERIAL(CCanNodeArray)
public:
    static constexpr int kEntries = 64;
    static constexpr int kMaxSendMessages = 8;
    static constexpr bool kReceive = false;
    static constexpr bool kSend = true;

    CCanNodeArray();
    ~CCanNodeArray() override;
    CCanNodeArray(const CCanNodeArray&) = delete;
    // Deletes its messages and deep-copies every entry of the other.
    CCanNodeArray& operator=(const CCanNodeArray& other);

    // The framework's object-array form of the 64 entries.
    void Serialize(fw::CArchive& ar) override;

    // The message of an entry 0..63, nullptr when empty; other indices raise
    // the invalid-argument exception.
    C463CanMesNode* GetAt(int entry) const;

    void RemoveAll();
    // A new message in the first empty entry; nullptr when all 64 are used
    // or, for a send message, when 8 exist.
    C463CanMesNode* AddMessage(bool send);
    // Empties the entry holding the message without deleting it (the caller
    // owns it then); -1 when the message is not here.
    int Detach(C463CanMesNode* message);
    void RemoveDirection(bool send);
    int CountMessages(bool send) const;
    int CountSendMessages() const { return CountMessages(kSend); }

    // The message's attribute by entry: beyond the last entry the getters
    // answer HUGE_VAL or an empty text and validity is true, the setters
    // raise the invalid-argument exception; an empty entry answers HUGE_VAL,
    // empty, false or invalid; a negative entry raises in all five.
    double GetValue(int entry, int code) const;
    const char* GetText(int entry, int code, fw::CString& text) const;
    bool SetValue(int entry, int code, double value);
    bool SetText(int entry, int code, const char* text);
    bool IsAttributeValid(int entry, int code) const;

    // The first signal with that code, in entry then signal order.
    C463CanMesSignal* FindSignal(int32_t code) const;
    // The first signal among the messages of that direction whose source
    // (data slot or channel) is `source`.
    C463CanMesSignal* FindSignalBySlot(int source, bool send) const;

    // Marks every other send message with the message's identifier.
    void MarkDuplicateId(const C463CanMesNode* message);
    void ClearDuplicateMarks();

    // The block of one direction ("[CAN_MESSAGE_RECEIVE]" or
    // "[CAN_MESSAGE_SEND]" to "[CAN_MESSAGE_END]") into `lines` from
    // `next` on, which advances; nothing when no message has that direction.
    void WriteMessages(bool send, fw::CStringArray& lines, int& next) const;
    // Reads the block whose header ends just before `position` (a byte
    // offset into `text`) and leaves `position` after its end line. Lines
    // of other keywords are passed over, and a field that does not read
    // keeps its value. A block cut short (the text ends, or the next block
    // header comes, before its end line) loses the message it was cut in;
    // `position` is then left at that header. A message or signal that
    // cannot be held (a data length outside 1..8, 2 for a send message; a
    // bit position or length outside a 64-bit frame) raises CZelException
    // naming the line, and nothing of the block is kept.
    void ReadMessages(bool send, std::string_view text, size_t& position);

    static constexpr const char* kReceiveHeader = "[CAN_MESSAGE_RECEIVE]";
    static constexpr const char* kSendHeader = "[CAN_MESSAGE_SEND]";
    static constexpr const char* kEndLine = "[CAN_MESSAGE_END]";

private:
    void CheckEntry(int entry) const;
    void Put(int entry, std::unique_ptr<C463CanMesNode> message);

    std::array<std::unique_ptr<C463CanMesNode>, kEntries> m_entries;
};
