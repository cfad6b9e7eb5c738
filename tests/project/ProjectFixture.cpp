#include "tests/project/ProjectFixture.h"

#include "chart/model/GraphUpdateHints.h"
#include "common/cache/CacheDataTank.h"
#include "docbase/doc/UpdateStepDate.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/StringTable.h"
#include "grid/model/GridClasses.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "tests/support/link/SystemTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace prjtest {

CMeterInterfacePrf ProfileOf(std::initializer_list<std::initializer_list<int>> units)
{
    CMeterInterfacePrf profile;
    profile.SetCount(static_cast<int>(units.size()));
    int i = 0;
    for (const auto& codes : units) {
        profile.m_unitTypes[static_cast<size_t>(i)] = systest::Types(codes);
        profile.m_ipAddress[static_cast<size_t>(i)] = 0x7F000001;
        profile.m_port[static_cast<size_t>(i)] = 50000 + i;
        profile.m_serialNo[static_cast<size_t>(i)] = static_cast<int16_t>(100 + i);
        ++i;
    }
    return profile;
}

void CTestProjectHost::UpdateAllGraphDocs(intptr_t hint, fw::CObject* object)
{
    graphHints.push_back(hint);
    if (auto* step = dynamic_cast<CUpdateStepDate*>(object))
        stepHints.push_back({step->m_pDocument, step->m_nStep});
    if (auto* moved = dynamic_cast<CUpdateGraphInsertDelete*>(object))
        moveHints.push_back({hint, moved->m_doc, moved->m_first, moved->m_second, moved->m_object});
}

bool CTestProjectHost::ReadHistRecord(CBoxArray&, const std::vector<std::vector<CKiv406FileInfo>*>&,
                                      CHistCountArray&, int record, bool card)
{
    histCardFlags.push_back(card);
    return std::find(histRecords.begin(), histRecords.end(), record) != histRecords.end();
}

void ProjectFixture::SetUpTestSuite()
{
    kivtest::RegisterAllClasses();
    systest::RegisterClassesOnce();
    RegisterCheckClasses();
    RegisterGridClasses();
}

ProjectFixture::ProjectFixture() : m_oldHost(InstallDataDocHost(&host))
{
    // The channel caches keep their files apart from the project's.
    std::filesystem::create_directories(dir / "cache");
    CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
    CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
    services.prompt.SetUnexpectedHandler(
        [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
    projectHost.profile = ProfileOf({{1, 1, 3}});
    projectTemplate = new fw::CDocTemplate(129, FW_RUNTIME_CLASS(CKIV5980Doc), nullptr, nullptr);
    projectTemplate->SetDocStrings(fw::LoadStringText(129).c_str());
    manager.AddDocTemplate(projectTemplate);
}

ProjectFixture::~ProjectFixture()
{
    manager.CloseAllDocuments(false);
    InstallDataDocHost(m_oldHost);
    EXPECT_EQ(dialogs.Problems(), "");
    EXPECT_EQ(services.prompt.Problems(), "");
}

CKIV5980Doc* ProjectFixture::NewProject()
{
    return dynamic_cast<CKIV5980Doc*>(projectTemplate->OpenDocumentFile(fw::CString(), false));
}

CKIV5980Doc* ProjectFixture::Open(const std::string& path)
{
    return dynamic_cast<CKIV5980Doc*>(manager.OpenDocumentFile(fw::CString(path), false));
}

std::string ProjectFixture::SaveAndClose(CKIV5980Doc* doc, const std::string& path)
{
    EXPECT_TRUE(doc->DoSave(fw::CString(path), true));
    doc->OnCloseDocument();
    return ReadAll(path);
}

std::string ProjectFixture::ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void ProjectFixture::WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace prjtest
