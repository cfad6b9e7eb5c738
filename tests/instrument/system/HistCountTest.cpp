#include "instrument/system/HistCount.h"

#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HistCountTest, WordsPerSliceFollowTheOperation)
{
    struct Row {
        const char* name;
        int16_t operation;
        int words;
    };
    for (const Row& r : {Row{"time", 4, 5}, Row{"rainflow", 6, 5}, Row{"peak", 1, 10}, Row{"amplitude", 3, 10}}) {
        SCOPED_TRACE(r.name);
        CHistCountObj entry;
        entry.m_operation = r.operation;
        entry.m_plusSlices = 3;
        entry.m_minusSlices = 2;
        entry.CreateCountTank();
        EXPECT_EQ(entry.GetWordCount(), r.words);
        EXPECT_EQ(entry.GetCounts().size(), static_cast<size_t>(r.words));
    }
}

TEST(HistCountTest, CountsThatDoNotFitAreRefused)
{
    CHistCountObj entry;
    entry.m_operation = 4;
    entry.m_plusSlices = 2;
    entry.m_minusSlices = 1;
    entry.CreateCountTank();
    const int32_t words[] = {7, 8, 9, 10};
    EXPECT_FALSE(entry.SetCounts(0, words, 4));
    EXPECT_FALSE(entry.SetCounts(1, words, 3));
    EXPECT_FALSE(entry.SetCounts(-1, words, 1));
    EXPECT_EQ(entry.GetCounts(), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_TRUE(entry.SetCounts(1, words, 2));
    EXPECT_EQ(entry.GetCounts(), (std::vector<int32_t>{0, 7, 8}));
    entry.ReverseSides();
    EXPECT_EQ(entry.GetCounts(), (std::vector<int32_t>{8, 7, 0}));
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
