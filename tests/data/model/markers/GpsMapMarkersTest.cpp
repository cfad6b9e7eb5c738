#include "tests/data/model/DataFixture.h"

#include "framework/core/DateTime.h"
#include "instrument/system/MarkerList.h"

#include <filesystem>
#include <string>
#include <vector>

namespace datatest {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        out.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return out;
}

class GpsMapMarkers : public DataFixture {
protected:
    // Longitude (code 3) and latitude (code 4) of 10000 samples, the
    // recording's marks at the given samples, one second apart from 12:00.
    std::unique_ptr<CKivDataDoc> MakeTrack(const std::vector<int32_t>& marks)
    {
        const int n = 10000;
        auto doc = MakeDocument(n);
        doc->GetBoxArray().GetSourceCodes() = {0, 3, 4};
        CKivSPTankData& list = doc->GetBoxArray().GetTankList();
        for (int i = 0; i < n; ++i) {
            list.GetObjectAt(1)->SetValue(i, 139.5 + (i % 64) / 64.0);
            list.GetObjectAt(2)->SetValue(i, 35.25 + (i % 64) / 128.0);
        }
        const fw::COleDateTime start(2024, 1, 31, 12, 0, 0);
        doc->SetStartTime(start.m_dt);
        int second = 0;
        for (int32_t index : marks)
            doc->GetBoxArray().GetMarkers().AddTail(
                new CMarkerObj(start + fw::COleDateTimeSpan(0, 0, 0, ++second), index));
        const fs::path path = FolderPath("GPSRUN") / "GPSRUN.kivd";
        EXPECT_TRUE(doc->OnSaveDocument(fw::CString(path.string())));
        doc->SetPathName(fw::CString(path.string()), false);
        return doc;
    }
};

TEST_F(GpsMapMarkers, MarksTakeThePlaceOfThePointTheyReachAndLateOnesAreLeftOut)
{
    // Step 21 with 500 points: k = 21, 42, ..., 105 reaches the marks at
    // 100 and 103; the last point written is 9996, so 9997 is not reached.
    auto doc = MakeTrack({0, 100, 103, 9997});
    fw::CString path;
    ASSERT_TRUE(doc->WriteGpsMapFile(path, 0, 0, -1));
    const std::vector<std::string> lines = Lines(ReadAll(path.str()));
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[2], "<marker lat=\"35.250000\" lng=\"139.500000\" date=\"2024/01/31 12:00:00\"/>")
        << "the first point is the start, never the mark at sample 0";
    EXPECT_EQ(lines[6], "<marker lat=\"35.406250\" lng=\"139.812500\"/>") << "sample 84";
    EXPECT_EQ(lines[7], "<marker lat=\"35.531250\" lng=\"140.062500\" date=\"2024/01/31 12:00:02\"/>");
    EXPECT_EQ(lines[8], "<marker lat=\"35.554688\" lng=\"140.109375\" date=\"2024/01/31 12:00:03\"/>");
    EXPECT_EQ(lines[9], "<marker lat=\"35.734375\" lng=\"140.468750\"/>") << "sample 126";
    int dated = 0;
    for (const std::string& line : lines)
        dated += line.find(" date=") != std::string::npos ? 1 : 0;
    EXPECT_EQ(dated, 3);
    EXPECT_EQ(lines.size(), 2u + 478u + 1u) << "476 steps, one of them two marks, plus the start";
}

} // namespace
} // namespace datatest
