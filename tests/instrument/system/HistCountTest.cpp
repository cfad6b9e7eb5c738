#include "instrument/system/HistCount.h"

#include "common/tank/DblDataTank.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HistCountTest, WordsPerSliceFollowTheOperation)
{
    struct Row {
        const char* name;
        int16_t operation;
        int words;
        int tableSize;
    };
    for (const Row& r : {Row{"time", 4, 5, 5}, Row{"rainflow", 6, 5, 5}, Row{"peak", 1, 10, 20},
                         Row{"amplitude", 3, 10, 15}}) {
        SCOPED_TRACE(r.name);
        CHistCountObj entry;
        entry.m_operation = r.operation;
        entry.m_plusSlices = 3;
        entry.m_minusSlices = 2;
        entry.CreateCountTank();
        EXPECT_EQ(entry.GetWordCount(), r.words);
        ASSERT_NE(entry.GetCountTank(), nullptr);
        EXPECT_EQ(entry.GetCountTank()->GetDataCount(), r.tableSize);
    }
}

TEST(HistCountTest, CountsNeedTheirTable)
{
    CHistCountObj entry;
    entry.m_operation = 4;
    entry.m_plusSlices = 2;
    entry.m_minusSlices = 1;
    const uint32_t words[] = {7, 8, 9};
    EXPECT_THROW(entry.SetCounts(0, words, 3), fw::CInvalidArgException);
    entry.CreateCountTank();
    EXPECT_THROW(entry.SetCounts(1, words, 3), fw::CInvalidArgException);
    EXPECT_FALSE(entry.SetCounts(0, words, -1));
    EXPECT_FALSE(entry.SetCounts(0, nullptr, 3));
    ASSERT_TRUE(entry.SetCounts(0, words, 3));
    EXPECT_EQ(std::vector<double>(entry.GetCountTank()->Values().begin(), entry.GetCountTank()->Values().end()),
              (std::vector<double>{9, 8, 7}));
}

TEST(HistCountTest, ArrayHoldsOneReferencePerEntry)
{
    auto* shared = new CHistCountObj;
    shared->AddRef();  // the test's own reference
    {
        CHistCountArray counts;
        counts.Add(shared);
        counts.Add(nullptr);
        EXPECT_THROW(counts.GetAt(2), fw::CInvalidArgException);
        EXPECT_EQ(shared->GetRefCount(), 2);
    }
    EXPECT_EQ(shared->GetRefCount(), 1);
    ReleaseHistCount(shared);
}

} // namespace
