#pragma once

// The four-field IPv4 address control of the dialogs, over four line edits.
// Addresses are 32-bit words with the first octet most significant. A
// field may be blank; a blank field reads as 0.

#include "framework/ui/Controls.h"

#include <array>
#include <cstdint>

class QLineEdit;

namespace fw {
class CDataExchange;
}

namespace appctl {

class CIPAddressCtrl : public fw::CControl {
    FW_DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    CIPAddressCtrl();

    void SetAddress(uint32_t address);
    // The number of fields that are not blank.
    int GetAddress(uint32_t& address) const;
    void ClearAddress();
    bool IsBlank() const;

    // Dotted text ("192.168.1.1"; blank fields stay empty).
    void SetWindowText(const fw::CString& text) override;
    fw::CString GetWindowText() const override;

    QLineEdit* Field(int index) const { return m_fields[static_cast<size_t>(index)]; }

private:
    std::array<QLineEdit*, 4> m_fields{};
};

// Moves an address word between the member and the control `id`.
void DDX_IPAddress(fw::CDataExchange* dx, int id, uint32_t& address);

// "%d.%d.%d.%d" of an address word.
fw::CString FormatIPv4(uint32_t address);

} // namespace appctl
