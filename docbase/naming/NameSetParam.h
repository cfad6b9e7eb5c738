#pragma once

// The automatic-naming settings of the rename commands: names such as
// "-001" or "-1X" made of a leading text, a running number with a fixed
// number of digits, an added text that cycles X, Y (, Z) before the number
// moves on, and a trailing text. The application keeps one record for the
// whole run; it is not stored in the profile.

#include "framework/core/CString.h"

#include <array>
#include <cstdint>

class CNameSetParam {
public:
    enum Mode : int32_t {
        kModeNone = 0,      // "なし": leading and trailing text only
        kModeSerial = 1,    // "連番"
        kModeSerialXY = 2,  // "連番XY"
        kModeSerialXYZ = 3, // "連番XYZ"
    };
    static constexpr int kMaxJoinText = 255;   // characters of the leading and trailing texts
    static constexpr int kMaxAddedText = 2;    // characters of each added text
    static constexpr int kMaxStartNumber = 4;  // characters of the start number
    static constexpr int kAddedTexts = 3;

    CNameSetParam() = default;

    // The shipped settings ("出荷時設定"); the running state is kept.
    void SetDefaults();

    // Prepares the counter from the start number text (full-width digits
    // count as their single-byte forms): the counter is its value, the
    // digits its length, the added text starts again. False when the text
    // is empty or not a number.
    bool ParseStartNumber();
    // Appends the next name to `text` and advances the counter. Out of
    // memory shows the framework's message and appends nothing.
    void MakeNextName(fw::CString& text);

    // The dialog's check on OK: in the numbering modes the start number
    // must parse, else message 222 is shown and the dialog stays open.
    bool CheckOnOk();

    // Which controls the dialog shows for a numbering mode.
    static bool ShowsStartNumber(int mode) { return mode != kModeNone; }
    static bool ShowsAddedText(int mode, int which)
    {
        return which < 2 ? mode >= kModeSerialXY : mode == kModeSerialXYZ;
    }

    fw::CString m_leading{"-"};
    fw::CString m_trailing;
    int32_t m_mode = kModeNone;
    std::array<fw::CString, kAddedTexts> m_added{fw::CString("X"), fw::CString("Y"), fw::CString("Z")};
    fw::CString m_startNumber{"1"};
    int32_t m_counter = 0;
    int32_t m_digits = 0;
    int32_t m_addedIndex = 0;
};

// The record the naming dialog edits: one per run, kept by the program.
struct INameSetRecord {
    virtual ~INameSetRecord() = default;
    virtual CNameSetParam& GetNameSetParam() = 0;
};
