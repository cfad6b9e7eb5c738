#include "tests/data/model/DataFixture.h"

#include "framework/core/DateTime.h"
#include "instrument/system/MarkerList.h"

#include <filesystem>

namespace datatest {
namespace {

namespace fs = std::filesystem;

TEST_F(DataFixture, MarksComeBackFromTheFileWithTheirKindsAndInTheirOrder)
{
    auto doc = MakeDocument(50);
    CMarkerList& marks = doc->GetBoxArray().GetMarkers();
    const fw::COleDateTime start(2024, 1, 31, 12, 0, 0);
    marks.InsertByTime(new CMarkerObj(start + fw::COleDateTimeSpan(0, 0, 0, 9), 9));
    marks.AddVoiceMarker(fw::CString(FolderPath("RUN").string()), "B1VOICE",
                         start + fw::COleDateTimeSpan(0, 0, 0, 3), 3.0, 1.0);
    const fs::path path = FolderPath("RUN") / "RUN.kivd";
    ASSERT_TRUE(doc->OnSaveDocument(fw::CString(path.string())));

    auto back = Open(path);
    ASSERT_NE(back, nullptr);
    CMarkerList& read = back->GetBoxArray().GetMarkers();
    ASSERT_EQ(read.GetCount(), 2);
    auto* voice = dynamic_cast<CVoiceMarkerObj*>(read.GetHead());
    ASSERT_NE(voice, nullptr) << "the voice mark keeps its kind";
    EXPECT_EQ(voice->GetSampleIndex(), 3);
    EXPECT_EQ(fs::path(voice->GetPath().str()).filename(), "B1VOICE.wav");
    EXPECT_EQ(read.GetTail()->GetSampleIndex(), 9);
    EXPECT_NEAR(read.GetTail()->GetDate().m_dt, (start + fw::COleDateTimeSpan(0, 0, 0, 9)).m_dt, 1e-9);
}

} // namespace
} // namespace datatest
