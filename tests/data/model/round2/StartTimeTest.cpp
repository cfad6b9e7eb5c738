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
#include <limits>

namespace datatest {
namespace {

namespace fs = std::filesystem;

class StartTimeHost : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    CMeterInterfacePrf profile;
    CADSetPrf adSet;
};

class StartTimeTest : public DataFixture {
protected:
    static void SetUpTestSuite()
    {
        DataFixture::SetUpTestSuite();
        systest::RegisterClassesOnce();
    }

    StartTimeTest()
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
    ~StartTimeTest() override { manager.CloseAllDocuments(false); }

    StartTimeHost host;
    fw::ScopedInstall<IProjectHost> installHost{host};
    CKIV5980Doc* project = nullptr;
};

// A start time that is no date cannot name the data folder: nothing is
// saved and the user is told, instead of a folder named "_1".
TEST_F(StartTimeTest, StartTimeThatIsNoDateSavesNothing)
{
    ASSERT_NE(project, nullptr);
    project->SetPathName(fw::CString((dir / "proj.kivp").string()), false);
    CMMAObject& history = project->GetHistory();
    history.Grow(0);
    history.SetLastIndex(0);
    const fs::path data(project->GetDataFolder().str());
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), 1e12}) {
        history.SetStepTime(0, bad);
        services.prompt.ExpectText("計測開始日時", fw::IDOK);
        CKivMeasurementDataSaver saver;
        fw::CString folder;
        EXPECT_EQ(saver.SaveFromProject(*project, folder), 0) << bad;
        EXPECT_TRUE(history.GetDataFileName(0).IsEmpty()) << bad;
        std::error_code ec;
        EXPECT_FALSE(fs::exists(data / "_1", ec));
    }
    EXPECT_EQ(CKivDataDoc::NewDataFolderName(fw::CString(data.string()), 1e12), "");
}

} // namespace
} // namespace datatest
