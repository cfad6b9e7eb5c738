#include "tests/project/views/ProjectWindowFixture.h"

#include "common/cache/CacheDataTank.h"
#include "framework/core/StringTable.h"
#include "grid/model/GridClasses.h"
#include "instrument/check/CheckClasses.h"
#include "tests/support/link/SystemTestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace prjview {

void ProjectWindowFixture::SetUpTestSuite()
{
    kivtest::RegisterAllClasses();
    systest::RegisterClassesOnce();
    RegisterCheckClasses();
    RegisterGridClasses();
}

ProjectWindowFixture::ProjectWindowFixture() : m_oldHost(InstallDataDocHost(&host))
{
    std::filesystem::create_directories(dir / "cache");
    CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
    CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
    services.prompt.SetUnexpectedHandler(
        [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
    // One control unit with a strain unit, a voltage-input unit and a voltage-output unit.
    projectHost.profile.SetCount(1);
    projectHost.profile.m_unitTypes[0] = systest::Types({1, 2, 3});
    projectHost.profile.m_ipAddress[0] = 0x7F000001;
    projectHost.profile.m_port[0] = 50000;
    projectTemplate = new fw::CMultiDocTemplate(129, FW_RUNTIME_CLASS(CKIV5980Doc), FW_RUNTIME_CLASS(CProjectFrame),
                                                FW_RUNTIME_CLASS(CPrjChView));
    projectTemplate->SetDocStrings(fw::LoadStringText(129).c_str());
    manager.AddDocTemplate(projectTemplate);
}

ProjectWindowFixture::~ProjectWindowFixture()
{
    manager.CloseAllDocuments(false);
    InstallDataDocHost(m_oldHost);
    EXPECT_EQ(dialogs.Problems(), "");
    EXPECT_EQ(uiDialogs.Problems(), "");
    EXPECT_EQ(services.prompt.Problems(), "");
}

CKIV5980Doc* ProjectWindowFixture::NewProject()
{
    return dynamic_cast<CKIV5980Doc*>(projectTemplate->OpenDocumentFile(fw::CString(), true));
}

CKIV5980Doc* ProjectWindowFixture::Open(const std::string& path)
{
    return dynamic_cast<CKIV5980Doc*>(manager.OpenDocumentFile(fw::CString(path), true));
}

CPrjChView* ProjectWindowFixture::ChannelPage(CKIV5980Doc* doc) const
{
    fw::POSITION pos = doc->GetFirstViewPosition();
    while (pos)
        if (auto* view = dynamic_cast<CPrjChView*>(doc->GetNextView(pos)))
            return view;
    return nullptr;
}

CProjectFrame* ProjectWindowFixture::FrameOf(CKIV5980Doc* doc) const
{
    CPrjChView* page = ChannelPage(doc);
    return page ? dynamic_cast<CProjectFrame*>(page->GetParentFrame()) : nullptr;
}

std::string ProjectWindowFixture::ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace prjview
