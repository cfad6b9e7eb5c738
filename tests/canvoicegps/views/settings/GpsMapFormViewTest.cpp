// The map page of a data window, off-screen: its point count and size
// controls, the size kept in the profile, refused point counts, and a
// document without a GPS track that writes nothing. The browser is a fake.

#include "canvoicegps/views/settings/GpsMapFormView.h"

#include "data/model/KivDataDoc.h"
#include "framework/core/Profile.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/DataExchange.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QSlider>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CountingOpener : public IAddressOpener {
public:
    bool Open(const fw::CString&) override
    {
        ++opened;
        return true;
    }
    int opened = 0;
};

class GpsMapFormViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kivtest::RegisterAllClasses(); }
    GpsMapFormViewTest()
    {
        profile.WriteProfileInt("GPSMAP", "SIZE", 12);
        doc.m_bAutoDelete = false;
        parent = std::make_unique<QWidget>();
        view = new CGpsMapFormView;  // the window deletes it
        view->SetProfile(&profile);
        view->SetOpener(&opener);
        view->Create(parent.get(), &doc);
        view->OnInitialUpdate();
    }
    ~GpsMapFormViewTest() override
    {
        parent.reset();
        EXPECT_EQ(services.prompt.Problems(), "");
    }

    fw::test::ServiceScope services;
    kivtest::TempDir dir;
    fw::CProfile profile{dir / "kiv.ini"};
    CountingOpener opener;
    CKivDataDoc doc;
    std::unique_ptr<QWidget> parent;
    CGpsMapFormView* view = nullptr;
};

TEST_F(GpsMapFormViewTest, ControlsStartFromTheDocumentAndTheProfile)
{
    auto* points = dynamic_cast<QLineEdit*>(view->Control(CGpsMapFormView::kPoints));
    auto* size = dynamic_cast<QSlider*>(view->Control(CGpsMapFormView::kSize));
    ASSERT_NE(points, nullptr);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->value(), 12);
    EXPECT_EQ(size->minimum(), 6);
    EXPECT_EQ(size->maximum(), 12);
    EXPECT_NE(view->Control(CGpsMapFormView::kShow), nullptr);
}

TEST_F(GpsMapFormViewTest, RefusedCountsAndAMissingTrackShowNoMap)
{
    auto* points = dynamic_cast<QLineEdit*>(view->Control(CGpsMapFormView::kPoints));
    points->setText("40");
    services.prompt.Expect(fw::kIdpParseIntRange, fw::IDOK);
    EXPECT_FALSE(view->OnShowMap());

    points->setText("1000");
    services.prompt.Expect(CGpsMapPublisher::kIdsNotWritten, fw::IDOK);
    EXPECT_FALSE(view->OnShowMap());
    EXPECT_EQ(doc.GetMapPointCount(), 1000);
    EXPECT_EQ(opener.opened, 0);
    EXPECT_TRUE(view->MustRewrite());
}

} // namespace
