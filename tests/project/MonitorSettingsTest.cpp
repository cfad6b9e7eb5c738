// The monitor settings a project stores: exact archive bytes of the display
// settings and the monitored channels, and the profile form the application
// keeps.

#include "docbase/settings/MoniterPrf.h"
#include "framework/core/Profile.h"
#include "project/model/PanelMoniterPrf.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

// "ＭＳ Ｐゴシック" in CP932.
const std::string kFaceCp932 = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

Bytes ExpectedPanelBytes()
{
    ByteBuilder b;
    b.I32(0x00FFFFFF).I32(0x000000FF);                  // text and background colours
    b.I32(90).I32(0).I32(0).I32(0).I32(0);              // height, width, escapement, orientation, weight
    b.U8(0).U8(0).U8(0).U8(128).U8(3).U8(1).U8(1).U8(0x32);
    b.Str(kFaceCp932);
    b.U8(1).U8(0).U8(1).U8(1).I16(300);                 // PANEL, PEAKMONI, PEAKRES, PEAKTRGRES, PEAKRESTIM
    b.Count(3).I32(0).I32(499).I32(502);
    return b;
}

TEST(MonitorSettings, PanelSettingsArchiveFieldByField)
{
    CPanelMoniterPrf prf;
    prf.m_crBack = 0xFF;
    prf.m_bPanel = 1;
    prf.m_bPeakMoni = 0;
    prf.m_nPeakResTime = 300;
    prf.m_channels = {0, 499, 502};
    const Bytes stored = kivtest::StoredBytes([&](fw::CArchive& ar) { prf.Serialize(ar); });
    EXPECT_EQ(stored, ExpectedPanelBytes());

    CPanelMoniterPrf back;
    EXPECT_EQ(kivtest::LoadBytes(ExpectedPanelBytes(), [&](fw::CArchive& ar) { back.Serialize(ar); }), 0u);
    EXPECT_TRUE(back.IsEqual(prf));
    EXPECT_EQ(back.m_channels, prf.m_channels);
}

TEST(MonitorSettings, RemovingInputChannelsKeepsTimeAndCalculatedOnes)
{
    CPanelMoniterPrf prf;
    prf.m_channels = {0, 16, 17, 40, 499, 500, 1499};
    prf.RemoveChannelsFrom(16);
    EXPECT_EQ(prf.m_channels, (std::vector<int32_t>{0, 500, 1499}));
}

TEST(MonitorSettings, ProfileKeepsFlagsFontAndInterval)
{
    kivtest::TempDir dir;
    fw::CProfile profile(dir / "p.ini");
    CMoniterPrf written;
    written.m_crFore = 0x123456;
    written.m_bPeakTrgRes = 0;
    written.m_nPeakResTime = 120;
    written.m_font.lfWeight = 700;
    written.WriteProfile(profile);

    CMoniterPrf read;
    read.ReadProfile(profile);
    EXPECT_TRUE(read.IsEqual(written));

    // Flags read as 1 when non-zero; a font record of another length is
    // ignored.
    profile.WriteProfileInt(CMoniterPrf::kSection, "PEAKRES", 7);
    const uint8_t shortFont[10] = {};
    profile.WriteProfileBinary(CMoniterPrf::kSection, "FONT", shortFont);
    CMoniterPrf again;
    again.ReadProfile(profile);
    EXPECT_EQ(again.m_bPeakRes, 1);
    EXPECT_EQ(again.m_font.lfWeight, 0);
}

} // namespace
