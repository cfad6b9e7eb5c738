#include "framework/core/RecentFileList.h"

#include "framework/core/Profile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

std::vector<CString> Entries(const CRecentFileList& list)
{
    std::vector<CString> out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.push_back(list[i]);
    return out;
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndBounded)
{
    CRecentFileList list(4);
    for (const char* p : {"/a", "/b", "/c", "/d", "/b", "/e", ""})
        list.Add(p);
    EXPECT_EQ(Entries(list), (std::vector<CString>{"/e", "/b", "/d", "/c"}));
    list.Remove(1);
    EXPECT_EQ(Entries(list), (std::vector<CString>{"/e", "/d", "/c"}));
}

TEST(RecentFileList, RoundTripsThroughTheProfileSection)
{
    kivtest::TempDir dir;
    const auto ini = dir / "KIV-5400.ini";
    {
        CProfile profile(ini);
        profile.WriteProfileString("Recent File List", "File4", "/stale");
        CRecentFileList list(4);
        list.Add("/x/一.kivp");
        list.Add("/x/二.kivd");
        list.WriteList(profile);
    }
    CProfile profile(ini);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1"), "/x/二.kivd");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File2"), "/x/一.kivp");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File4", "gone"), "gone");
    CRecentFileList again(4);
    again.ReadList(profile);
    EXPECT_EQ(Entries(again), (std::vector<CString>{"/x/二.kivd", "/x/一.kivp"}));
}

} // namespace
