#pragma once

// The numbered naming patterns of the data-file rename and the test-title
// change: a prefix, a zero-padded number that counts on from the typed
// start, and a suffix; the title pattern may append to the present title.

#include "framework/core/CString.h"

#include <cstdint>

class CReNamePrf {
public:
    // Message ids of the entry checks.
    static constexpr unsigned kIdEnterNumber = 222;
    static constexpr unsigned kIdBadCharacters = 513;
    static constexpr const char* kForbidden = ".<>:/\\|\"";

    virtual ~CReNamePrf() = default;
    // Reads the start number and width from the number text.
    virtual bool Validate();
    // The next name; the number then counts on.
    virtual void MakeName(fw::CString& name);

    // Message 513 when the text holds a character names may not hold; 0.
    static unsigned CheckNamePart(const fw::CString& text);
    // The number text as a start number: full-width digits are read as
    // digits; false for anything but digits.
    static bool ParseNumber(const fw::CString& text, int32_t& value, int32_t& width);

    fw::CString m_strPrefix;
    fw::CString m_strSuffix;
    fw::CString m_strNumber = "001";
    fw::CString m_strExtension = ".kivd";
    int32_t m_nNoNumber = 0;
    int32_t m_nNext = 1;
    int32_t m_nWidth = 3;

protected:
    fw::CString NumberedPart();
};

class CReNameTitlePrf : public CReNamePrf {
public:
    bool Validate() override;
    // Appends the next part to the title, or replaces the title by it.
    void MakeName(fw::CString& title) override;

    int32_t m_nAppend = 1;
    int32_t m_nNumbering = 0;  // 0 none, 1 serial number
};
