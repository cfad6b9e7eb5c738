// The panel type in the application's profile.

#include "framework/core/Profile.h"
#include "measure/model/monitor/PanelPrf.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(PanelPrf, TheTypeIsKeptUnderPanelTypeAndAMissingKeyKeepsTheCurrentOne)
{
    kivtest::TempDir dir;
    fw::CProfile profile(dir / "p.ini");
    CPanelPrf kept;
    kept.m_nType = CPanelPrf::kMonitorPanel;
    kept.ReadProfile(profile);
    EXPECT_EQ(kept.m_nType, CPanelPrf::kMonitorPanel);

    CPanelPrf written;
    written.m_nType = CPanelPrf::kNone;
    written.WriteProfile(profile);
    EXPECT_EQ(profile.GetProfileInt("PANEL", "TYPE", -5), CPanelPrf::kNone);
    CPanelPrf read;
    read.ReadProfile(profile);
    EXPECT_EQ(read.m_nType, CPanelPrf::kNone);
}

} // namespace
