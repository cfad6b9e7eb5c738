#include "framework/core/ServiceSlot.h"
#include "instrument/system/MarkerList.h"
#include "instrument/system/SystemClasses.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

constexpr double kStart = 45322.5; // 2024-01-31 12:00:00
constexpr double kSecond = 1.0 / 86400.0;

fw::COleDateTime At(double seconds) { return fw::COleDateTime(kStart + seconds * kSecond); }

std::vector<int32_t> Indexes(const CMarkerList& list)
{
    std::vector<int32_t> out;
    for (fw::POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos)->GetSampleIndex());
    return out;
}

class MarkerList : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterSystemClasses(); }
};

class RecordingSound : public IMarkerSound {
public:
    void PlayFileAsync(const fw::CString& path) override { played.push_back(path.str()); }
    std::vector<std::string> played;
};

TEST_F(MarkerList, InsertByTimeTakesHalfASecondAsTheSameMoment)
{
    CMarkerList list;
    list.InsertByTime(new CMarkerObj(At(10), 1));
    list.InsertByTime(new CMarkerObj(At(20), 2));
    list.InsertByTime(new CMarkerObj(At(9.6), 3)); // 0.4 s before mark 1: the same moment, so after it
    list.InsertByTime(new CMarkerObj(At(19.4), 4)); // 0.6 s before mark 2: before it
    list.InsertByTime(new CMarkerObj(At(0), 5));   // before everything: the head
    list.InsertByTime(new CMarkerObj(At(30), 6));
    EXPECT_EQ(Indexes(list), (std::vector<int32_t>{5, 1, 3, 4, 2, 6}));
}

TEST_F(MarkerList, NullDatesAreOneMomentAndInvalidOnesNone)
{
    fw::COleDateTime null(kStart), invalid(kStart);
    null.SetStatus(fw::COleDateTime::null);
    invalid.SetStatus(fw::COleDateTime::invalid);
    EXPECT_TRUE(CMarkerObj::SameTime(CMarkerObj(null, 0), CMarkerObj(null, 1)));
    EXPECT_FALSE(CMarkerObj::SameTime(CMarkerObj(invalid, 0), CMarkerObj(invalid, 1)));
    EXPECT_FALSE(CMarkerObj::SameTime(CMarkerObj(null, 0), CMarkerObj(At(0), 1)));
}

TEST_F(MarkerList, MoveKeepsAMarkOnTheFirstSampleWhenMovedPastIt)
{
    const double interval = 0.5;
    struct Row {
        const char* name;
        int32_t index, samples, wantIndex;
        double wantSeconds;
    } rows[] = {
        {"back past the start", 3, -5, 0, 0.0},
        {"back to the start", 3, -3, 0, -1.5},
        {"forward", 3, 4, 7, 2.0},
        {"back by one", 3, -1, 2, -0.5},
    };
    for (const Row& r : rows) {
        CMarkerObj mark(At(0), r.index);
        mark.Move(r.samples, interval);
        EXPECT_EQ(mark.GetSampleIndex(), r.wantIndex) << r.name;
        EXPECT_NEAR(mark.GetDate().m_dt, kStart + r.wantSeconds * kSecond, 1e-9) << r.name;
    }
}

TEST_F(MarkerList, MarksFromARecordedHeader)
{
    const std::string head = "DATE 01/31/2024\r\nTIME 12:00:00\r\n";
    struct Row {
        const char* name;
        std::string tail;
        std::vector<int32_t> indexes;
        std::vector<double> seconds;
    } rows[] = {
        {"samples step one second", "HORZ_UNITS SAMPLES\r\nINTERVAL 0.01\r\nMARK 3\r\n", {2}, {2.0}},
        {"interval in seconds", "HORZ_UNITS SECONDS\r\nINTERVAL 0.01\r\nMARK 201\r\n", {200}, {2.0}},
        {"several, put in time order", "HORZ_UNITS SECONDS\r\nINTERVAL 1\r\nMARK 50\r\nMARK 2\r\n", {1, 49}, {1, 49}},
        {"no number", "INTERVAL 1\r\nMARK \r\n12\r\n", {}, {}},
        {"mark zero", "INTERVAL 1\r\nMARK 0\r\n", {}, {}},
        {"not a number", "INTERVAL 1\r\nMARK x5\r\nMARK -4\r\n", {}, {}},
        {"beyond the sample indexes", "INTERVAL 1\r\nMARK 99999999999\r\n", {}, {}},
        {"largest index", "HORZ_UNITS SAMPLES\r\nMARK 2147483648\r\n", {2147483647}, {2147483647.0}},
    };
    for (const Row& r : rows) {
        CMarkerList list;
        const std::string header = head + r.tail;
        EXPECT_EQ(list.LoadFromHeader(header.c_str()), static_cast<int>(r.indexes.size())) << r.name;
        EXPECT_EQ(Indexes(list), r.indexes) << r.name;
        int i = 0;
        for (fw::POSITION pos = list.GetHeadPosition(); pos; ++i) {
            const CMarkerObj* mark = list.GetNext(pos);
            EXPECT_NEAR((mark->GetDate().m_dt - kStart) * 86400.0, r.seconds[static_cast<size_t>(i)], 1e-3) << r.name;
            EXPECT_EQ(mark->GetDate().GetStatus(), fw::COleDateTime::valid) << r.name;
        }
    }
}

TEST_F(MarkerList, VoiceMarksStandOnTheFirstSampleAtOrAfterTheRecording)
{
    CMarkerList list;
    list.AddVoiceMarker("/data/D240131", "B1\\VOICE001", At(1.25), 1.25, 0.5);
    list.AddVoiceMarker("/data/D240131", "VOICE002", At(0.5), 0.5, 0.0); // no interval: the first sample
    list.InsertByTime(new CMarkerObj(At(0.7), 2));
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(Indexes(list), (std::vector<int32_t>{0, 2, 3}));
    auto* voice = dynamic_cast<CVoiceMarkerObj*>(list.GetTail());
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->GetPath().str(), "/data/D240131/B1/VOICE001.wav");

    RecordingSound sound;
    fw::ScopedInstall<IMarkerSound> installed(sound);
    voice->Play();
    list.GetHead()->Play();
    CMarkerObj(At(0), 0).Play();
    EXPECT_EQ(sound.played, (std::vector<std::string>{"/data/D240131/B1/VOICE001.wav", "/data/D240131/VOICE002.wav"}));

    list.RemoveVoiceMarkers();
    EXPECT_EQ(Indexes(list), (std::vector<int32_t>{2}));
    list.RemoveVoiceMarkers();
    EXPECT_EQ(Indexes(list), (std::vector<int32_t>{2})) << "a list without voice marks stays as it is";
    EXPECT_EQ(list.FindByIndex(2), list.GetHead());
    EXPECT_EQ(list.FindByIndex(3), nullptr);
}

Bytes MarkBody(int32_t status, double date, int32_t index)
{
    return ByteBuilder().I32(status).F64(date).I32(index);
}

TEST_F(MarkerList, ArchiveFormKeepsEachMarkItsKind)
{
    CMarkerList list;
    list.AddTail(new CMarkerObj(fw::COleDateTime(kStart), 4));
    list.AddTail(new CVoiceMarkerObj(fw::COleDateTime(kStart + kSecond), 6, "/d/V.wav"));
    fw::COleDateTime null(0.0);
    null.SetStatus(fw::COleDateTime::null);
    list.AddTail(new CMarkerObj(null, -1));

    const Bytes expected = ByteBuilder()
                               .Count(3)
                               .NewClass("CMarkerObj")
                               .Append(MarkBody(0, kStart, 4))
                               .NewClass("CVoiceMarkerObj")
                               .Append(MarkBody(0, kStart + kSecond, 6))
                               .Str("/d/V.wav")
                               .U16(0x8001)
                               .Append(MarkBody(2, 0.0, -1));
    const Bytes stored = kivtest::StoredBytes([&](fw::CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(stored, expected) << kivtest::Hex(stored);

    CMarkerList back;
    back.AddTail(new CMarkerObj(At(0), 99)); // replaced by what is read
    EXPECT_EQ(kivtest::LoadBytes(expected, [&](fw::CArchive& ar) { back.Serialize(ar); }), 0u);
    EXPECT_EQ(Indexes(back), (std::vector<int32_t>{4, 6, -1}));

    {
        fw::POSITION pos = back.GetHeadPosition();
        back.GetNext(pos);
        EXPECT_TRUE(back.GetNext(pos)->IsKindOf(FW_RUNTIME_CLASS(CVoiceMarkerObj)));
        EXPECT_EQ(back.GetTail()->GetDate().GetStatus(), fw::COleDateTime::null);
    }
    EXPECT_EQ(kivtest::StoredBytes([&](fw::CArchive& ar) { back.Serialize(ar); }), expected);
}

TEST_F(MarkerList, AnArchiveNamingAnotherClassIsRefused)
{
    fw::RegisterClass(FW_RUNTIME_CLASS(fw::CObList));
    const Bytes bytes = ByteBuilder().Count(1).NewClass("CObList", 0).Count(0);
    CMarkerList list;
    EXPECT_THROW(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { list.Serialize(ar); }), fw::CArchiveException);
    EXPECT_TRUE(list.IsEmpty());
}

} // namespace
