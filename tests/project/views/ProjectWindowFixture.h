#pragma once

// A project opened the way the program opens one: through the project
// template with its window and pages, over a scripted set of services and a
// project host that counts the polling pauses.

#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/PrjChView.h"
#include "project/views/ProjectFrame.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace prjview {

class CViewTestHost : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    void StopPanelPolling() override { ++stops; }
    void RestartPanelPolling() override { ++restarts; }
    bool IsMeasuring(const CKIV5980Doc&) override { return measuring; }
    bool IsTriggerMeasuring(const CKIV5980Doc&) override { return triggerMeasuring; }
    bool ShowHighPassColumns() override { return highPass; }

    CMeterInterfacePrf profile;
    CADSetPrf adSet;
    int stops = 0;
    int restarts = 0;
    bool measuring = false;
    bool triggerMeasuring = false;
    bool highPass = true;
};

class ProjectWindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    ProjectWindowFixture();
    ~ProjectWindowFixture() override;

    // A new project shown in its window.
    CKIV5980Doc* NewProject();
    CKIV5980Doc* Open(const std::string& path);
    CProjectFrame* FrameOf(CKIV5980Doc* doc) const;
    CPrjChView* ChannelPage(CKIV5980Doc* doc) const;
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    static std::string ReadAll(const std::string& path);

    fw::test::ServiceScope services;
    fw::test::ScriptedFileDialogs dialogs;
    fw::test::ScriptedDialogs uiDialogs;
    kivtest::TempDir dir;
    CKivDocManager manager;
    fw::CMultiDocTemplate* projectTemplate = nullptr;
    CDataDocHost host{&manager};
    CViewTestHost projectHost;

private:
    IDataDocHost* m_oldHost;
    fw::ScopedInstall<IProjectHost> m_installHost{projectHost};
};

} // namespace prjview
