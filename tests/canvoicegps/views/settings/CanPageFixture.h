#pragma once

// A project with a CAN/voice/GPS unit in port 1 and a strain unit in port
// 2 of one control unit, and the three spreadsheet panes of the CAN page
// shown off-screen over it, wired as the project frame wires them.

#include "canvoicegps/Kiv463Unit.h"
#include "canvoicegps/views/settings/CanNodeBitsView.h"
#include "canvoicegps/views/settings/CanNodeView.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ServiceScope.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/ADSetPrf.h"
#include "instrument/MeterInterfacePrf.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "tests/support/TestSupport.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace cangrid {

class CTestProjectHost : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    void StopPanelPolling() override { ++stops; }
    void RestartPanelPolling() override { ++restarts; }
    bool IsMeasuring(const CKIV5980Doc&) override { return measuring; }

    CMeterInterfacePrf profile;
    CADSetPrf adSet;
    int stops = 0;
    int restarts = 0;
    bool measuring = false;
};

class CanPageFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    bool PrepareCache();
    CanPageFixture();
    ~CanPageFixture() override;

    CKiv463Unit& Unit();
    CCanNodeArray& Messages() { return Unit().Messages(); }
    // Shows the unit's messages of one direction, the first one current.
    void ShowDirection(bool send);
    static std::string Text(CZELSpredView* view, int32_t col, int32_t row);
    static void Select(CZELSpredView* view, int32_t top, int32_t left, int32_t bottom, int32_t right);
    static bool Enabled(fw::CCmdTarget* view, unsigned id, int* check = nullptr);
    static void Execute(fw::CCmdTarget* view, unsigned id);
    static bool IsRed(CZELSpredView* view, int32_t col, int32_t row);
    // Types a text into a cell as the in-cell editor would.
    static void Type(CZELSpredView* view, int32_t col, int32_t row, const char* text);

    fw::test::ServiceScope services;
    kivtest::TempDir dir;
    bool cacheReady = PrepareCache();
    CTestProjectHost host;
    fw::ScopedInstall<IProjectHost> installHost{host};
    CKIV5980Doc doc;
    std::unique_ptr<QWidget> parent;
    CCanNodeView* nodes = nullptr;
    CCanSignalView* signalGrid = nullptr;
    CCanNodeBitsView* bits = nullptr;
};

} // namespace cangrid
