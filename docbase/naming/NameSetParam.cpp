#include "docbase/naming/NameSetParam.h"

#include "common/base/SingleByteText.h"
#include "docbase/naming/NamingStrings.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"

#include <new>

namespace {

// More digits than this cannot be counted in 32 bits.
constexpr int kMaxDigits = 9;

} // namespace

void CNameSetParam::SetDefaults()
{
    const CNameSetParam shipped;
    m_leading = shipped.m_leading;
    m_trailing = shipped.m_trailing;
    m_mode = shipped.m_mode;
    m_added = shipped.m_added;
    m_startNumber = shipped.m_startNumber;
}

bool CNameSetParam::ParseStartNumber()
{
    if (m_startNumber.IsEmpty())
        return false;
    fw::CString digits = m_startNumber;
    if (!ToSingleByteText(digits))
        return false;
    if (digits.GetLength() > kMaxDigits)
        return false;
    int32_t value = 0;
    for (char c : digits.view()) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    m_counter = value;
    m_digits = digits.GetLength();
    m_addedIndex = 0;
    return true;
}

void CNameSetParam::MakeNextName(fw::CString& text)
{
    try {
        switch (m_mode) {
        case kModeNone:
            text += fw::Format("%s%s", m_leading, m_trailing);
            break;
        case kModeSerial:
            text += fw::Format("%s%.*d%s", m_leading, m_digits, m_counter, m_trailing);
            ++m_counter;
            break;
        case kModeSerialXY:
        case kModeSerialXYZ: {
            const size_t added = size_t(m_addedIndex >= 0 && m_addedIndex < kAddedTexts ? m_addedIndex : 0);
            text += fw::Format("%s%.*d%s%s", m_leading, m_digits, m_counter, m_added[added], m_trailing);
            if (++m_addedIndex >= m_mode) {
                ++m_counter;
                m_addedIndex = 0;
            }
            break;
        }
        default:
            break;
        }
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(fw::kIdpOutOfMemory);
    }
}

bool CNameSetParam::CheckOnOk()
{
    if (m_mode == kModeNone || ParseStartNumber())
        return true;
    fw::AfxMessageBox(naming::kIdpEnterNumber);
    return false;
}
