#pragma once

// A document manager with the project template, the scripted services, the
// application's document services and a project host with its own
// connection profile, for one test.

#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace prjtest {

class CTestProjectHost : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    void StopPanelPolling() override { ++stops; }
    void RestartPanelPolling() override { ++restarts; }
    void UpdateAllGraphDocs(intptr_t hint, fw::CObject* object) override;
    bool DontSaveDataAutomatically() override { return noAutoSave; }
    bool RecordHistoryWithoutSave() override { return recordHistory; }

    CMeterInterfacePrf profile;
    CADSetPrf adSet;
    int stops = 0;
    int restarts = 0;
    std::vector<intptr_t> graphHints;
    // What the hint objects carried, copied as they came.
    struct StepHint {
        fw::CDocument* doc;
        int32_t step;
    };
    std::vector<StepHint> stepHints;
    struct MoveHint {
        intptr_t hint;
        CDocIdent doc;
        int32_t first;
        int32_t last;
        CDataTankList* tanks;
    };
    std::vector<MoveHint> moveHints;
    // Frequency records the units give, by record index (missing: failure).
    std::vector<int> histRecords;
    std::vector<bool> histCardFlags;
    bool ReadHistRecord(CBoxArray&, const std::vector<std::vector<CKiv406FileInfo>*>&, CHistCountArray&, int record,
                        bool card) override;
    bool OpenStartupFiles() override { return startupPages; }
    void OpenDocumentFile(const fw::CString& path) override { opened.push_back(path.str()); }
    bool startupPages = false;
    std::vector<std::string> opened;
    bool noAutoSave = false;
    bool recordHistory = false;
};

// Unit type codes per control unit, from port 0 on.
CMeterInterfacePrf ProfileOf(std::initializer_list<std::initializer_list<int>> units);

class ProjectFixture : public ::testing::Test {
public:
    static std::string ReadAll(const std::string& path);
    static void WriteAll(const std::string& path, const std::string& bytes);

protected:
    static void SetUpTestSuite();

    ProjectFixture();
    ~ProjectFixture() override;

    // A new project of the host's profile.
    CKIV5980Doc* NewProject();
    CKIV5980Doc* Open(const std::string& path);
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    // Saves under `path`, closes, and gives the file's bytes.
    std::string SaveAndClose(CKIV5980Doc* doc, const std::string& path);

    fw::test::ServiceScope services;
    fw::test::ScriptedFileDialogs dialogs;
    kivtest::TempDir dir;
    CKivDocManager manager;
    fw::CDocTemplate* projectTemplate = nullptr;
    CDataDocHost host{&manager};
    CTestProjectHost projectHost;

private:
    IDataDocHost* m_oldHost;
    fw::ScopedInstall<IProjectHost> m_installHost{projectHost};
};

} // namespace prjtest
