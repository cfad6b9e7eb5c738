#include "instrument/meter/SettingGroups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SettingGroups, EqualTextsGoTogetherInTheOrderOfTheirFirstEntry)
{
    struct Row {
        const char* name;
        std::vector<fw::CString> texts;
        // Each group as its text and the entries in it, one character an entry.
        std::vector<std::pair<std::string, std::string>> groups;
    };
    const Row rows[] = {
        {"all equal", {"1", "1", "1"}, {{"1", "111"}}},
        {"interleaved", {"A", "B", "A", "C", "B"}, {{"A", "10100"}, {"B", "01001"}, {"C", "00010"}}},
        {"entries left out", {"", "A", "", "A", ""}, {{"A", "01010"}}},
        {"nothing to set", {"", ""}, {}},
        {"no entries", {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::pair<std::string, std::string>> got;
        for (const SettingGroup& g : GroupSettingTexts(row.texts)) {
            std::string flags;
            for (bool m : g.member)
                flags += m ? '1' : '0';
            got.emplace_back(g.text.str(), flags);
        }
        EXPECT_EQ(got, row.groups);
    }
}

} // namespace
