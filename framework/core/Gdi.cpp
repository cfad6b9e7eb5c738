#include "framework/core/Gdi.h"

#include "framework/core/Cp932.h"
#include "framework/core/Numbers.h"

#include <algorithm>
#include <cstring>

namespace fw {

CString LOGFONT::GetFaceName() const
{
    const size_t n = strnlen(lfFaceName, sizeof lfFaceName);
    return CString(cp932::FromCp932(std::string_view(lfFaceName, n)));
}

void LOGFONT::SetFaceName(const CString& face)
{
    const std::string bytes = cp932::ToCp932(cp932::Truncate(face.view(), sizeof lfFaceName - 1));
    std::memset(lfFaceName, 0, sizeof lfFaceName);
    std::memcpy(lfFaceName, bytes.data(), std::min(bytes.size(), sizeof lfFaceName - 1));
}

bool CPen::CreatePen(uint32_t style, int32_t width, COLORREF color)
{
    m_style = style;
    m_width = std::max(width, 0);
    m_color = color;
    m_dashes.clear();
    m_created = true;
    return true;
}

bool CPen::CreatePen(uint32_t style, int32_t width, const LOGBRUSH& brush, const std::vector<uint32_t>& dashes)
{
    CreatePen(style, width, brush.lbColor);
    if ((style & PS_STYLE_MASK) == PS_USERSTYLE)
        m_dashes = dashes;
    return true;
}

bool CBrush::CreateSolidBrush(COLORREF color)
{
    m_lb = LOGBRUSH{BS_SOLID, color, 0};
    m_created = true;
    return true;
}

bool CBrush::CreateHatchBrush(int hatch, COLORREF color)
{
    m_lb = LOGBRUSH{BS_HATCHED, color, static_cast<uintptr_t>(hatch)};
    m_created = true;
    return true;
}

bool CBrush::CreateBrushIndirect(const LOGBRUSH& lb)
{
    m_lb = lb;
    m_created = true;
    return true;
}

bool CFont::CreateFontIndirect(const LOGFONT& lf)
{
    m_lf = lf;
    m_created = true;
    return true;
}

bool CFont::CreatePointFont(int pointTenths, const CString& face)
{
    LOGFONT lf;
    lf.lfHeight = pointTenths;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.SetFaceName(face);
    return CreatePointFontIndirect(lf);
}

bool CFont::CreatePointFontIndirect(const LOGFONT& lf)
{
    LOGFONT copy = lf;
    // Tenths of a point to pixels of the virtual display, as a character
    // height (negative).
    copy.lfHeight = -MulDiv(lf.lfHeight, kDisplayDpi, 720);
    return CreateFontIndirect(copy);
}

} // namespace fw
