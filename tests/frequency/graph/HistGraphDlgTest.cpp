// The choices of the frequency graph dialog: a FROM/TO analysis only
// alone, and the count column of an operation kept within its labels.
#ifdef KIV_FREQUENCY_VIEWS

#include "frequency/graph/HistGraphDlg.h"
#include "frequency/model/HistTables.h"

#include <gtest/gtest.h>

namespace {

TEST(HistGraphDlg, FromToAnalysesAreDrawnOnlyAlone)
{
    struct Row {
        const char* name;
        std::vector<HistGraphRow> rows;
        bool ok;
        int16_t layout;
    } rows[] = {
        {"two analyses", {{0, "PEAK/V"}, {2, "TIME"}}, true, CHistGraphPrf::kPerAnalysis},
        {"one FROM/TO", {{1, "FROM/TO"}}, true, CHistGraphPrf::kFromTo},
        {"FROM/TO with another", {{0, "PEAK/V"}, {1, "FROM/TO"}}, false, CHistGraphPrf::kFromTo},
        {"two FROM/TO", {{1, "FROM/TO"}, {3, "FROM/TO"}}, false, CHistGraphPrf::kFromTo},
    };
    for (const Row& r : rows) {
        CHistGraphPrf profile;
        EXPECT_EQ(StoreHistGraphRows(profile, r.rows), r.ok) << r.name;
        EXPECT_EQ(profile.m_layout, r.layout) << r.name;
        if (r.ok) {
            EXPECT_EQ(profile.m_analyses.size(), r.rows.size()) << r.name;
        }
    }
}

TEST(HistGraphDlg, CountTypeStaysWithinTheLabelsOfItsOperation)
{
    int16_t type = 2;
    std::vector<fw::CString> labels = HistCountTypeChoices(kHistMaxMin, type);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[2], "Max/Min");
    EXPECT_EQ(type, 2);
    type = 3;
    HistCountTypeChoices(kHistMaxMin, type);
    EXPECT_EQ(type, 2);
    type = 2;
    labels = HistCountTypeChoices(kHistTime, type);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0], "Count");
    EXPECT_EQ(type, 0);
}

} // namespace

#endif
