#pragma once

// The program's own exception. Instrument links, measuring-system
// sequences and the calculation engine throw it when an operation cannot go
// on; the command that started the operation catches it by reference, reads
// m_nErrorCode and shows the message.

#include "framework/core/Exceptions.h"

#include <cstdint>

// Error codes the catch sites test.
inline constexpr int32_t kZelErrorUnitReply = 0x10000; // + the unit's own "ERR" number n

class CZelException : public fw::CSimpleException {
    FW_DECLARE_DYNAMIC(CZelException)
public:
    // The message is string-table entry `messageId`, loaded when first asked for.
    CZelException(int32_t code, unsigned messageId);
    // Keeps CZelException(code, 0) (no text) from being ambiguous with the text form.
    CZelException(int32_t code, int messageId) : CZelException(code, static_cast<unsigned>(messageId)) {}
    // The message is `text` (nullptr: empty), cut to 127 CP932 bytes.
    CZelException(int32_t code, const char* text);

    // Puts a more specific text in before the exception is thrown on.
    void SetMessage(const char* text);
    // The next request for the message loads entry `messageId`; the code stays.
    void SetMessageId(unsigned messageId);

    int32_t m_nErrorCode;
};

// Both return at once when `code` is 0 ("no error"), so that callers may pass
// a failed condition as the code.
void ThrowZelException(int code, unsigned messageId);
void ThrowZelMessage(int code, const char* text);
