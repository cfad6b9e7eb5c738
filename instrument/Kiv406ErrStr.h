#pragma once

// Texts of the control unit's status values (1-5) and of the error numbers
// its "ERR" replies carry, and the text to show for any caught exception,
// preferring the unit's own text for a unit error (code 0x10000 + n).

#include "framework/core/CString.h"

#include <exception>

class CKiv406ErrStr {
public:
    static constexpr unsigned kMaxExceptionText = 255;

    virtual ~CKiv406ErrStr() = default;

    // The text of a status or error number; empty when it has none.
    const fw::CString& GetText(int code);
    // The string id of a code's text, 0 when it has none.
    static unsigned TextId(int code);

    // A unit error with a text shows that text in a plain message box;
    // anything else reports itself as the framework does.
    void ReportException(const std::exception& e);
    // The unit's text for a unit error that has one, else the exception's
    // own message (at most 255 bytes).
    fw::CString GetExceptionText(const std::exception& e);

private:
    // The unit's number when `e` is a unit error with a text, else -1.
    int UnitErrorWithText(const std::exception& e);

    fw::CString m_text;
};
