// The data document behind the GPS map form: its point count, a document
// without a GPS track (nothing written, told) and the size setting kept in
// the profile. The upload is switched off by an empty host, so no server
// is ever contacted.

#include "canvoicegps/views/settings/DataDocMapFiles.h"

#include "data/model/GpsMapUpload.h"
#include "data/model/KivDataDoc.h"
#include "framework/core/Profile.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class NoBrowser : public IAddressOpener {
public:
    bool Open(const fw::CString&) override
    {
        ++opened;
        return true;
    }
    int opened = 0;
};

TEST(DataDocMapFilesTest, ADocumentWithoutATrackWritesNothing)
{
    kivtest::RegisterAllClasses();
    fw::test::ServiceScope services;
    kivtest::TempDir dir;
    fw::CProfile profile(dir / "kiv.ini");
    CGpsMapUploader uploader(profile);
    CKivDataDoc doc;
    doc.m_bAutoDelete = false;
    CDataDocMapFiles files(doc, uploader, "PC01");
    files.SetPointCount(700);
    EXPECT_EQ(doc.GetMapPointCount(), 700);

    NoBrowser browser;
    CGpsMapPublisher publisher(files, browser, "maps.example.invalid");
    services.prompt.Expect(CGpsMapPublisher::kIdsNotWritten, fw::IDOK);
    EXPECT_FALSE(publisher.ShowMap(700, 10, &profile));
    EXPECT_EQ(browser.opened, 0);
    EXPECT_TRUE(publisher.MustRewrite());
    EXPECT_EQ(profile.GetProfileInt(CGpsMapPublisher::kSection, CGpsMapPublisher::kSizeKey, 8), 8);
    EXPECT_EQ(services.prompt.Problems(), "");
}

} // namespace
