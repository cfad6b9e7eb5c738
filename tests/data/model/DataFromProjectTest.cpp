#include "tests/data/model/DataFixture.h"

#include "data/model/MeasurementDataSaver.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StringTable.h"
#include "instrument/MeterInterfacePrf.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/MMAObject.h"
#include "project/model/ProjectHost.h"
#include "tests/support/link/SystemTestSupport.h"

#include <filesystem>

namespace datatest {
namespace {

namespace fs = std::filesystem;

class TestProjectHost : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    CMeterInterfacePrf profile;
    CADSetPrf adSet;
};

class DataFromProjectTest : public DataFixture {
protected:
    static void SetUpTestSuite()
    {
        DataFixture::SetUpTestSuite();
        systest::RegisterClassesOnce();
    }

    DataFromProjectTest()
    {
        host.profile.SetCount(1);
        host.profile.m_unitTypes[0] = systest::Types({1, 1});
        host.profile.m_ipAddress[0] = 0x7F000001;
        host.profile.m_port[0] = 50000;
        auto* tmpl = new fw::CDocTemplate(129, FW_RUNTIME_CLASS(CKIV5980Doc), nullptr, nullptr);
        tmpl->SetDocStrings(fw::LoadStringText(129).c_str());
        manager.AddDocTemplate(tmpl);
        project = dynamic_cast<CKIV5980Doc*>(tmpl->OpenDocumentFile(fw::CString(), false));
    }
    ~DataFromProjectTest() override { manager.CloseAllDocuments(false); }

    TestProjectHost host;
    fw::ScopedInstall<IProjectHost> installHost{host};
    CKIV5980Doc* project = nullptr;
};

TEST_F(DataFromProjectTest, EachMeasurementGetsAFolderOfItsOwn)
{
    ASSERT_NE(project, nullptr);
    project->SetPathName(fw::CString((dir / "proj.kivp").string()), false);
    CMMAObject& history = project->GetHistory();
    history.Grow(0);
    history.SetLastIndex(0);
    history.SetStepTime(0, fw::COleDateTime(2024, 1, 31, 12, 0, 0).m_dt);
    history.SetCardFileName(0, "REC0007");

    CKivMeasurementDataSaver saver;
    fw::CString first, second;
    ASSERT_EQ(saver.SaveFromProject(*project, first), 1);
    ASSERT_EQ(saver.SaveFromProject(*project, second), 1);
    EXPECT_EQ(first, "D240131120000");
    EXPECT_EQ(second, "D240131120000_1");
    const fs::path data(project->GetDataFolder().str());
    const fs::path file = data / "D240131120000" / "D240131120000.kivd";
    ASSERT_TRUE(fs::exists(file));

    auto doc = Open(file);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetCardFileName(), "REC0007");
    EXPECT_GT(doc->GetChannelCount(), 0);
    EXPECT_EQ(doc->GetChannelCount(), project->GetChannelCount());
    EXPECT_EQ(history.GetDataFileName(0), "D240131120000_1");
}

} // namespace
} // namespace datatest
