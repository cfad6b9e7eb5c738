#include "frequency/model/HistCountArray.h"

#include "frequency/model/HistTables.h"
#include "tests/frequency/FrequencyTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

using histtest::Bytes;
using histtest::NewAnalysis;
using histtest::Table;

TEST(HistCountArray, RemoveAllReleasesWhatOthersStillHold)
{
    CHistCountObj* kept = NewAnalysis(kHistTime, 1, 0);
    kept->AddRef(); // a frequency graph holds it
    CHistCountArray a;
    a.Add(kept);
    a.Add(nullptr);
    a.Add(NewAnalysis(kHistRain, 1, 0));
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(kept->GetRefCount(), 1);
    ReleaseHistCount(kept);
}

TEST(HistCountArray, ArchiveKeepsTheRecordAndSetsTheScaleByMode)
{
    struct Row {
        const char* name;
        char mode;
        float scale;
    };
    for (const Row& r : {Row{"made here", ' ', -1.5f}, Row{"engineering values only", 'E', 1.0f}}) {
        SCOPED_TRACE(r.name);
        CHistCountArray a;
        CHistCountObj* h = NewAnalysis(kHistTime, 2, 0);
        const uint32_t counts[] = {1, 2};
        h->SetCounts(0, counts, 2);
        h->m_intResolution = 0.5f;
        h->m_coefficient = -3.0f;
        a.Add(h);
        a.Add(nullptr);
        a.Add(h); // the same analysis in a second slot
        h->AddRef();
        a.m_mode = r.mode;
        a.m_startTime = {{26, 1, 2, 3, 4, 5}};
        a.m_measuringTime = 3600;
        a.m_rate = 500.0f;
        const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { a.Serialize(ar); });
        // After the objects: mode, start, end, measuring time, rate.
        Bytes tail;
        tail.Put(r.mode);
        for (int16_t v : {26, 1, 2, 3, 4, 5, -10, -10, -10, -10, -10, -10})
            tail.Put(v);
        tail.Put<int32_t>(3600).Put(500.0f);
        ASSERT_GT(bytes.size(), tail.Size());
        EXPECT_EQ(std::vector<uint8_t>(bytes.end() - static_cast<std::ptrdiff_t>(tail.Size()), bytes.end()), tail.Get());

        CHistCountArray loaded;
        EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
        ASSERT_EQ(loaded.GetSize(), 3);
        EXPECT_EQ(loaded.GetAt(1), nullptr);
        ASSERT_EQ(loaded.GetAt(0), loaded.GetAt(2));
        // One reference per slot.
        EXPECT_EQ(loaded.GetAt(0)->GetRefCount(), 2);
        EXPECT_EQ(loaded.GetAt(0)->m_scaleFactor, r.scale);
        EXPECT_EQ(Table(*loaded.GetAt(0)), (std::vector<double>{2, 1}));
        EXPECT_EQ(loaded.m_mode, r.mode);
        EXPECT_EQ(loaded.m_startTime.field[5], 5);
        EXPECT_EQ(loaded.m_endTime.field[0], -10);
        EXPECT_EQ(loaded.m_measuringTime, 3600);
        EXPECT_EQ(loaded.m_rate, 500.0f);
    }
}

} // namespace
