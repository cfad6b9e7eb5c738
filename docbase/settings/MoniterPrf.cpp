#include "docbase/settings/MoniterPrf.h"

#include "framework/core/Archive.h"
#include "framework/core/Profile.h"

#include <cstring>
#include <vector>

namespace {

constexpr const char* kKeyFore = "FCOLOR";
constexpr const char* kKeyBack = "BCOLOR";
constexpr const char* kKeyPanel = "PANEL";
constexpr const char* kKeyFont = "FONT";
constexpr const char* kKeyPeakMoni = "PEAKMONI";
constexpr const char* kKeyPeakRes = "PEAKRES";
constexpr const char* kKeyPeakTrgRes = "PEAKTRGRES";
constexpr const char* kKeyPeakResTime = "PEAKRESTIM";

template <class T> void PutLe(uint8_t*& out, T value)
{
    std::memcpy(out, &value, sizeof value);
    out += sizeof value;
}

template <class T> T GetLe(const uint8_t*& in)
{
    T value;
    std::memcpy(&value, in, sizeof value);
    in += sizeof value;
    return value;
}

uint8_t Flag(int value)
{
    return value != 0 ? 1 : 0;
}

} // namespace

CMoniterPrf::CMoniterPrf()
{
    SetDefaultLogFont(&m_font, true, 0);
}

void CMoniterPrf::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_crFore) << static_cast<int32_t>(m_crBack);
        SerializeLogFont(ar, m_font);
        ar << m_bPanel << m_bPeakMoni << m_bPeakRes << m_bPeakTrgRes << m_nPeakResTime;
        return;
    }
    int32_t fore = 0;
    int32_t back = 0;
    ar >> fore >> back;
    m_crFore = static_cast<fw::COLORREF>(fore);
    m_crBack = static_cast<fw::COLORREF>(back);
    SerializeLogFont(ar, m_font);
    ar >> m_bPanel >> m_bPeakMoni >> m_bPeakRes >> m_bPeakTrgRes >> m_nPeakResTime;
}

void CMoniterPrf::WriteProfile(fw::CProfile& profile) const
{
    profile.WriteProfileInt(kSection, kKeyFore, static_cast<int>(m_crFore));
    profile.WriteProfileInt(kSection, kKeyBack, static_cast<int>(m_crBack));
    profile.WriteProfileInt(kSection, kKeyPanel, m_bPanel);
    uint8_t bytes[kFontBytes];
    LogFontToBytes(m_font, bytes);
    profile.WriteProfileBinary(kSection, kKeyFont, bytes);
    profile.WriteProfileInt(kSection, kKeyPeakMoni, m_bPeakMoni);
    profile.WriteProfileInt(kSection, kKeyPeakRes, m_bPeakRes);
    profile.WriteProfileInt(kSection, kKeyPeakTrgRes, m_bPeakTrgRes);
    profile.WriteProfileInt(kSection, kKeyPeakResTime, m_nPeakResTime);
}

void CMoniterPrf::ReadProfile(fw::CProfile& profile)
{
    m_crFore = static_cast<fw::COLORREF>(profile.GetProfileInt(kSection, kKeyFore, static_cast<int>(m_crFore)));
    m_crBack = static_cast<fw::COLORREF>(profile.GetProfileInt(kSection, kKeyBack, static_cast<int>(m_crBack)));
    m_bPanel = Flag(profile.GetProfileInt(kSection, kKeyPanel, m_bPanel));
    std::vector<uint8_t> bytes;
    if (profile.GetProfileBinary(kSection, kKeyFont, bytes))
        LogFontFromBytes(bytes.data(), bytes.size(), m_font);
    m_bPeakMoni = Flag(profile.GetProfileInt(kSection, kKeyPeakMoni, m_bPeakMoni));
    m_bPeakRes = Flag(profile.GetProfileInt(kSection, kKeyPeakRes, m_bPeakRes));
    m_bPeakTrgRes = Flag(profile.GetProfileInt(kSection, kKeyPeakTrgRes, m_bPeakTrgRes));
    m_nPeakResTime = static_cast<int16_t>(profile.GetProfileInt(kSection, kKeyPeakResTime, m_nPeakResTime));
}

bool CMoniterPrf::IsEqual(const CMoniterPrf& other) const
{
    uint8_t a[kFontBytes];
    uint8_t b[kFontBytes];
    LogFontToBytes(m_font, a);
    LogFontToBytes(other.m_font, b);
    return m_bPeakMoni == other.m_bPeakMoni && m_bPeakRes == other.m_bPeakRes &&
           m_bPeakTrgRes == other.m_bPeakTrgRes && m_nPeakResTime == other.m_nPeakResTime &&
           m_crFore == other.m_crFore && m_crBack == other.m_crBack && m_bPanel == other.m_bPanel &&
           std::memcmp(a, b, kFontBytes) == 0;
}

void LogFontToBytes(const LOGFONT& font, uint8_t (&bytes)[CMoniterPrf::kFontBytes])
{
    uint8_t* out = bytes;
    PutLe(out, font.lfHeight);
    PutLe(out, font.lfWidth);
    PutLe(out, font.lfEscapement);
    PutLe(out, font.lfOrientation);
    PutLe(out, font.lfWeight);
    for (uint8_t b : {font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet, font.lfOutPrecision,
                      font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily})
        *out++ = b;
    std::memcpy(out, font.lfFaceName, sizeof font.lfFaceName);
}

bool LogFontFromBytes(const uint8_t* bytes, size_t size, LOGFONT& font)
{
    if (size != CMoniterPrf::kFontBytes)
        return false;
    const uint8_t* in = bytes;
    LOGFONT read;
    read.lfHeight = GetLe<int32_t>(in);
    read.lfWidth = GetLe<int32_t>(in);
    read.lfEscapement = GetLe<int32_t>(in);
    read.lfOrientation = GetLe<int32_t>(in);
    read.lfWeight = GetLe<int32_t>(in);
    for (uint8_t* b : {&read.lfItalic, &read.lfUnderline, &read.lfStrikeOut, &read.lfCharSet, &read.lfOutPrecision,
                       &read.lfClipPrecision, &read.lfQuality, &read.lfPitchAndFamily})
        *b = *in++;
    std::memcpy(read.lfFaceName, in, sizeof read.lfFaceName);
    // A face without terminator would run past the record.
    read.lfFaceName[sizeof read.lfFaceName - 1] = 0;
    font = read;
    return true;
}
