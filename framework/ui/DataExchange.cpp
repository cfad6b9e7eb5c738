#include "framework/ui/DataExchange.h"

#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Numbers.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"

#include <cerrno>
#include <cfloat>
#include <climits>

namespace fw {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// A whole number in [min, max] with only blanks around it.
bool ParseInteger(const CString& text, long long min, long long max, long long& out)
{
    const char* p = SkipBlanks(text.c_str());
    if (*p == '\0')
        return false;
    if (min >= 0 && *p == '-')
        return false;  // an unsigned field takes no sign
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(p, &end, 10);
    if (end == p || errno == ERANGE || v < min || v > max)
        return false;
    if (*SkipBlanks(end) != '\0')
        return false;
    out = v;
    return true;
}

bool ParseReal(const CString& text, double& out)
{
    const char* p = SkipBlanks(text.c_str());
    errno = 0;
    const char* end = nullptr;
    const double v = StrToD(p, &end);
    if (end == p || errno == ERANGE || *SkipBlanks(end) != '\0')
        return false;
    out = v;
    return true;
}

void FailWith(CDataExchange* dx, const CString& text, unsigned id)
{
    Prompt().MessageBox(text, MB_ICONEXCLAMATION, id);
    dx->Fail();
}

template <class T> void TextInteger(CDataExchange* dx, int id, T& value, long long min, long long max,
                                    const char* format)
{
    CWnd* control = dx->PrepareEditCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInteger(control->GetWindowText(), min, max, v))
            FailWith(dx, LoadStringText(kIdpParseInt), kIdpParseInt);
        value = static_cast<T>(v);
    } else {
        CString text;
        if constexpr (std::is_signed_v<T>)
            text.Format(format, static_cast<int32_t>(value));
        else
            text.Format(format, static_cast<uint32_t>(value));
        control->SetWindowText(text);
    }
}

template <class T> void TextReal(CDataExchange* dx, int id, T& value, int digits)
{
    CWnd* control = dx->PrepareEditCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseReal(control->GetWindowText(), v) || (sizeof(T) == sizeof(float) && FloatOverflows(v)))
            FailWith(dx, LoadStringText(kIdpParseReal), kIdpParseReal);
        value = static_cast<T>(v);
    } else {
        CString text;
        text.Format("%.*g", digits, static_cast<double>(value));
        control->SetWindowText(text);
    }
}

void IntRangeFail(CDataExchange* dx, const CString& min, const CString& max)
{
    FailWith(dx, FormatString(kIdpParseIntRange, min, max), kIdpParseIntRange);
}

void RealRange(CDataExchange* dx, double value, double min, double max, int digits)
{
    if (!dx->m_bSaveAndValidate || (value >= min && value <= max))
        return;
    CString lo, hi;
    lo.Format("%.*g", digits, min);
    hi.Format("%.*g", digits, max);
    FailWith(dx, FormatString(kIdpParseRealRange, lo, hi), kIdpParseRealRange);
}

} // namespace

CWnd* CDataExchange::PrepareCtrl(int id)
{
    m_idLastControl = id;
    m_bEditLastControl = false;
    return m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

CWnd* CDataExchange::PrepareEditCtrl(int id)
{
    CWnd* control = PrepareCtrl(id);
    m_bEditLastControl = dynamic_cast<CEdit*>(control) != nullptr;
    return control;
}

void CDataExchange::Fail()
{
    if (m_pDlgWnd && m_bSaveAndValidate) {
        if (CWnd* control = m_pDlgWnd->GetDlgItem(m_idLastControl)) {
            control->SetFocus();
            if (auto* edit = dynamic_cast<CEdit*>(control))
                edit->SetSel(0, -1);
        }
    }
    ThrowUserException();
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    CWnd* control = dx->PrepareEditCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = control->GetWindowText();
    else
        control->SetWindowText(value);
}

void DDX_Text(CDataExchange* dx, int id, int32_t& value)
{
    TextInteger(dx, id, value, INT32_MIN, INT32_MAX, "%d");
}

void DDX_Text(CDataExchange* dx, int id, uint32_t& value)
{
    TextInteger(dx, id, value, 0, UINT32_MAX, "%u");
}

void DDX_Text(CDataExchange* dx, int id, int16_t& value)
{
    TextInteger(dx, id, value, INT16_MIN, INT16_MAX, "%d");
}

void DDX_Text(CDataExchange* dx, int id, uint8_t& value)
{
    TextInteger(dx, id, value, 0, UINT8_MAX, "%u");
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    TextReal(dx, id, value, DBL_DIG);
}

void DDX_Text(CDataExchange* dx, int id, float& value)
{
    TextReal(dx, id, value, FLT_DIG);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    auto* button = dynamic_cast<CButton*>(dx->PrepareCtrl(id));
    if (!button)
        return;
    if (dx->m_bSaveAndValidate)
        value = button->GetCheck();
    else
        button->SetCheck(value);
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value)
{
    dx->PrepareCtrl(firstId);
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The group runs over consecutive ids while they are radio buttons.
    for (int id = firstId, index = 0;; ++id, ++index) {
        auto* radio = dynamic_cast<CButton*>(dx->m_pDlgWnd->GetDlgItem(id));
        if (!radio || radio->GetKind() != CButton::Kind::radio)
            break;
        if (dx->m_bSaveAndValidate) {
            if (radio->GetCheck() == BST_CHECKED && value < 0)
                value = index;
        } else {
            radio->SetCheck(index == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    auto* combo = dynamic_cast<CComboBox*>(dx->PrepareCtrl(id));
    if (!combo)
        return;
    if (dx->m_bSaveAndValidate)
        index = combo->GetCurSel();
    else
        combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    auto* combo = dynamic_cast<CComboBox*>(dx->PrepareCtrl(id));
    if (!combo)
        return;
    if (dx->m_bSaveAndValidate) {
        value = combo->GetWindowText();
        return;
    }
    // A list entry starting with the text is selected; an edit field keeps
    // the text itself.
    if (combo->SelectString(-1, value) == CB_ERR)
        combo->SetWindowText(value);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    auto* list = dynamic_cast<CListBox*>(dx->PrepareCtrl(id));
    if (!list)
        return;
    if (dx->m_bSaveAndValidate)
        index = list->GetCurSel();
    else
        list->SetCurSel(index);
}

void DDV_MinMaxInt(CDataExchange* dx, int32_t value, int32_t min, int32_t max)
{
    if (!dx->m_bSaveAndValidate || (value >= min && value <= max))
        return;
    CString lo, hi;
    lo.Format("%ld", min);
    hi.Format("%ld", max);
    IntRangeFail(dx, lo, hi);
}

void DDV_MinMaxUInt(CDataExchange* dx, uint32_t value, uint32_t min, uint32_t max)
{
    if (!dx->m_bSaveAndValidate || (value >= min && value <= max))
        return;
    CString lo, hi;
    lo.Format("%lu", min);
    hi.Format("%lu", max);
    IntRangeFail(dx, lo, hi);
}

void DDV_MinMaxShort(CDataExchange* dx, int16_t value, int16_t min, int16_t max)
{
    DDV_MinMaxInt(dx, value, min, max);
}

void DDV_MinMaxByte(CDataExchange* dx, uint8_t value, uint8_t min, uint8_t max)
{
    DDV_MinMaxUInt(dx, value, min, max);
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max)
{
    RealRange(dx, value, min, max, DBL_DIG);
}

void DDV_MinMaxFloat(CDataExchange* dx, float value, float min, float max)
{
    RealRange(dx, value, min, max, FLT_DIG);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxBytes)
{
    if (!dx->m_bSaveAndValidate) {
        if (auto* edit = dynamic_cast<CEdit*>(dx->m_pDlgWnd->GetDlgItem(dx->m_idLastControl)))
            edit->LimitText(maxBytes);
        return;
    }
    if (static_cast<int>(cp932::ByteLength(value.view())) <= maxBytes)
        return;
    CString limit;
    limit.Format("%d", maxBytes);
    FailWith(dx, FormatString(kIdpParseStringSize, limit), kIdpParseStringSize);
}

} // namespace fw
