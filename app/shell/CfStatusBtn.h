#pragma once

// The card-status button of the measurement bar: the control unit's card
// state in colour and text (yellow without a card, red for another
// problem), or the free card space in percent when all is well.

#include "framework/ui/Controls.h"

#include <cstdint>

class CCfStatusBtn : public fw::CButton {
public:
    static constexpr uint32_t kYellow = 0x00FFFF;  // colour values 0x00BBGGRR
    static constexpr uint32_t kRed = 0x0000FF;
    static constexpr uint32_t kButtonFace = 0xF0F0F0;
    static constexpr int kNoCardCode = 50;

    CCfStatusBtn();
    // Repeating the values last shown changes nothing.
    void SetStatus(int statusCode, int16_t freeSpace);
    void SetFaceColor(uint32_t color);
    uint32_t GetFaceColor() const { return m_color; }
    // How often the button was repainted with new values (tests).
    int GetPaintCount() const { return m_paints; }

private:
    int m_lastStatus = -1;
    int16_t m_lastSpace = -1;
    uint32_t m_color = kButtonFace;
    int m_paints = 0;
};
