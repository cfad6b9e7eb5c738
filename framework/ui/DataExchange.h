#pragma once

// Dialog data exchange: moving values between a dialog's members and its
// controls (DDX_*) and checking them on the way in (DDV_*). A value that
// does not parse or fit shows the framework's prompt, puts the focus on the
// control and ends the exchange (UpdateData then returns false).

#include "framework/core/CString.h"

#include <cstdint>

namespace fw {

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control `id` of the dialog; remembered for Fail.
    CWnd* PrepareCtrl(int id);
    CWnd* PrepareEditCtrl(int id);
    // Focuses (and for an edit selects) the last prepared control and ends
    // the exchange with CUserException.
    [[noreturn]] void Fail();

    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;
    int m_idLastControl = 0;
    bool m_bEditLastControl = false;
};

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int32_t& value);
void DDX_Text(CDataExchange* dx, int id, uint32_t& value);
void DDX_Text(CDataExchange* dx, int id, int16_t& value);
void DDX_Text(CDataExchange* dx, int id, uint8_t& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// `value` is the index of the checked button of the group starting at id
// (-1: none).
void DDX_Radio(CDataExchange* dx, int firstId, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
// Binds a member control object to the dialog's control `id`.
template <class T> void DDX_Control(CDataExchange* dx, int id, T*& control)
{
    control = dynamic_cast<T*>(dx->PrepareCtrl(id));
}

void DDV_MinMaxInt(CDataExchange* dx, int32_t value, int32_t min, int32_t max);
void DDV_MinMaxUInt(CDataExchange* dx, uint32_t value, uint32_t min, uint32_t max);
void DDV_MinMaxShort(CDataExchange* dx, int16_t value, int16_t min, int16_t max);
void DDV_MinMaxByte(CDataExchange* dx, uint8_t value, uint8_t min, uint8_t max);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max);
void DDV_MinMaxFloat(CDataExchange* dx, float value, float min, float max);
// At most `maxBytes` CP932 bytes.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxBytes);

inline constexpr unsigned kIdpParseInt = 61712;
inline constexpr unsigned kIdpParseReal = 61713;
inline constexpr unsigned kIdpParseIntRange = 61714;
inline constexpr unsigned kIdpParseRealRange = 61715;
inline constexpr unsigned kIdpParseStringSize = 61716;

} // namespace fw
