#include "project/views/ReNamePrf.h"

#include "common/base/SingleByteText.h"

#include <cstdio>
#include <string>

bool CReNamePrf::ParseNumber(const fw::CString& text, int32_t& value, int32_t& width)
{
    fw::CString single = text;
    if (single.IsEmpty() || !ToSingleByteText(single))
        return false;
    const std::string& s = single.str();
    // More digits than a 32-bit number holds are refused, not wrapped.
    if (s.size() > 9)
        return false;
    int32_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    width = static_cast<int32_t>(s.size());
    return true;
}

bool CReNamePrf::Validate()
{
    if (m_strNumber.IsEmpty())
        return m_nNoNumber != 0;
    return ParseNumber(m_strNumber, m_nNext, m_nWidth);
}

fw::CString CReNamePrf::NumberedPart()
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%0*d", static_cast<int>(m_nWidth), static_cast<int>(m_nNext));
    ++m_nNext;
    return m_strPrefix + fw::CString(digits) + m_strSuffix;
}

void CReNamePrf::MakeName(fw::CString& name)
{
    name = m_nNoNumber ? m_strPrefix + m_strSuffix : NumberedPart();
}

unsigned CReNamePrf::CheckNamePart(const fw::CString& text)
{
    return text.str().find_first_of(kForbidden) == std::string::npos ? 0 : kIdBadCharacters;
}

bool CReNameTitlePrf::Validate()
{
    if (m_nNumbering == 0)
        return true;
    return ParseNumber(m_strNumber, m_nNext, m_nWidth);
}

void CReNameTitlePrf::MakeName(fw::CString& title)
{
    const fw::CString part = m_nNumbering == 1 ? NumberedPart() : m_strPrefix + m_strSuffix;
    title = m_nAppend ? title + part : part;
}
