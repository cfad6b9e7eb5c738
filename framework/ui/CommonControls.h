#pragma once

// The smaller common controls: IP address, progress bar, spin button and
// slider, with the calls the program makes of them.

#include "framework/ui/Controls.h"

#include <array>

class QLineEdit;
class QProgressBar;
class QSlider;
class QSpinBox;

namespace fw {

// Four fields of 0..255; the address is a host-order 32-bit number, the
// first field most significant. A field left empty reads as 0.
class CIPAddressCtrl : public CControl {
    FW_DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    CIPAddressCtrl();
    void SetAddress(uint32_t address);
    void SetAddress(uint8_t f0, uint8_t f1, uint8_t f2, uint8_t f3);
    // The number of fields that are not empty.
    int GetAddress(uint32_t& address) const;
    int GetAddress(uint8_t& f0, uint8_t& f1, uint8_t& f2, uint8_t& f3) const;
    void ClearAddress();
    bool IsBlank() const;
    QLineEdit* Field(int index) const { return m_fields.at(static_cast<size_t>(index)); }

private:
    std::array<QLineEdit*, 4> m_fields{};
};

class CProgressCtrl : public CControl {
    FW_DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl();
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos);  // the previous position
    int GetPos() const;
    int SetStep(int step);
    int StepIt();  // the previous position; wraps to the start at the end
    QProgressBar* Bar() const;

private:
    int m_step = 10;
};

class CSpinButtonCtrl : public CControl {
    FW_DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl();
    void SetRange32(int lower, int upper);
    int SetPos32(int pos);
    int GetPos32() const;
    QSpinBox* Spin() const;
};

class CSliderCtrl : public CControl {
    FW_DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl();
    void SetRange(int min, int max, bool redraw = false);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetPos(int pos);
    int GetPos() const;
    void SetTicFreq(int freq);
    void SetPageSize(int size);
    QSlider* Slider() const;
};

} // namespace fw
