// Showing the GPS map: the file is written and uploaded only when needed,
// failures are told and keep it to be written, and the page address
// carries the encoded file name and the map size. No host is contacted:
// the files and the browser are fakes.

#include "canvoicegps/views/settings/GpsMapPublisher.h"

#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/DataExchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FakeFiles : public IGpsMapFiles {
public:
    int GetPointCount() const override { return points; }
    void SetPointCount(int n) override { points = n; }
    bool FindFile(fw::CString& path) override
    {
        path = "/data/GPSMAP.XML";
        return exists;
    }
    void WriteFile(fw::CString& path) override
    {
        ++writes;
        if (!writeWorks)
            path.Empty();
        else
            exists = true;
    }
    bool Upload(fw::CString& error) override
    {
        ++uploads;
        if (!uploadWorks)
            error = "refused";
        return uploadWorks;
    }
    fw::CString UploadedName() const override { return name; }

    int points = CGpsMapPublisher::kDefaultPoints;
    bool exists = false;
    bool writeWorks = true;
    bool uploadWorks = true;
    int writes = 0;
    int uploads = 0;
    fw::CString name = "PC01 201211093000.xml";
};

class FakeOpener : public IAddressOpener {
public:
    bool Open(const fw::CString& address) override
    {
        opened.push_back(address.str());
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

class GpsMapPublisherTest : public ::testing::Test {
protected:
    fw::test::ServiceScope services;
    FakeFiles files;
    FakeOpener opener;
    CGpsMapPublisher publisher{files, opener, "maps.example.invalid"};
};

TEST_F(GpsMapPublisherTest, TheFileIsWrittenOnlyWhenMissingOrStale)
{
    ASSERT_TRUE(publisher.ShowMap(500, 8, nullptr));
    ASSERT_TRUE(publisher.ShowMap(500, 8, nullptr));
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(files.uploads, 1);
    EXPECT_EQ(opener.opened.size(), 2u);

    ASSERT_TRUE(publisher.ShowMap(1000, 8, nullptr));
    EXPECT_EQ(files.points, 1000);
    EXPECT_EQ(files.writes, 2) << "a new point count";

    publisher.MarkersChanged();
    ASSERT_TRUE(publisher.ShowMap(1000, 8, nullptr));
    EXPECT_EQ(files.uploads, 3) << "the markers changed";
}

TEST_F(GpsMapPublisherTest, TheAddressCarriesTheEncodedNameAndTheSize)
{
    ASSERT_TRUE(publisher.ShowMap(500, 6, nullptr));
    ASSERT_TRUE(publisher.ShowMap(500, 12, nullptr));
    ASSERT_EQ(opener.opened.size(), 2u);
    EXPECT_EQ(opener.opened[0], "http://maps.example.invalid/~zelgooglemap/kiv/mapupload3.cgi"
                                "?uploaded_file=PC01%20201211093000.xml&widthheight=300");
    EXPECT_NE(opener.opened[1].find("&widthheight=600"), std::string::npos);
    EXPECT_EQ(CGpsMapPublisher::PercentEncode("a&b=c/ü").str(), "a%26b%3Dc%2F%C3%BC");
}

TEST_F(GpsMapPublisherTest, FailuresAreToldAndKeepTheFileToBeWritten)
{
    services.prompt.Expect(fw::kIdpParseIntRange, fw::IDOK);
    EXPECT_FALSE(publisher.ShowMap(40, 8, nullptr));
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(files.points, 500);

    files.writeWorks = false;
    services.prompt.Expect(CGpsMapPublisher::kIdsNotWritten, fw::IDOK);
    EXPECT_FALSE(publisher.ShowMap(500, 8, nullptr));
    EXPECT_TRUE(opener.opened.empty());

    files.writeWorks = true;
    files.uploadWorks = false;
    services.prompt.Expect(CGpsMapPublisher::kIdsNotSent, fw::IDOK);
    EXPECT_FALSE(publisher.ShowMap(500, 8, nullptr));
    EXPECT_TRUE(publisher.MustRewrite());

    files.uploadWorks = true;
    opener.works = false;
    services.prompt.Expect(CGpsMapPublisher::kIdsNoBrowser, fw::IDOK);
    EXPECT_FALSE(publisher.ShowMap(500, 8, nullptr));
    EXPECT_FALSE(publisher.MustRewrite()) << "the file was sent";
    EXPECT_EQ(services.prompt.Problems(), "");
}

} // namespace
