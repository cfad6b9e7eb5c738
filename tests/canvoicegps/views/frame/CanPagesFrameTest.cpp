// The project window of a project with a CAN/voice/GPS unit: its CAN data
// page holds the tree and the three grids paired with each other, and its
// basic settings page shows the unit settings form of the unit's port.

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/Kiv463Unit.h"
#include "canvoicegps/views/settings/CanNodeBitsView.h"
#include "canvoicegps/views/settings/CanNodeView.h"
#include "canvoicegps/views/settings/CanPageView.h"
#include "canvoicegps/views/settings/CanSetView.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "canvoicegps/views/settings/GPSFormView.h"
#include "common/cache/CacheDataTank.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "grid/model/GridClasses.h"
#include "grid/views/SpredView.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/PrjChView.h"
#include "project/views/ProjectFrame.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"

#include <QTabBar>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Host : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    CMeterInterfacePrf profile;
    CADSetPrf adSet;
};

class CanPagesFrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        systest::RegisterClassesOnce();
        RegisterCheckClasses();
        RegisterGridClasses();
        RegisterCanVoiceGpsClasses();
        // The program registers the pages under these names.
        for (const fw::CRuntimeClass* cls :
             {FW_RUNTIME_CLASS(CGPSFormView), FW_RUNTIME_CLASS(CCanPageView), FW_RUNTIME_CLASS(CCanSetView),
              FW_RUNTIME_CLASS(CCanNodeView), FW_RUNTIME_CLASS(CCanSignalView), FW_RUNTIME_CLASS(CCanNodeBitsView)})
            fw::RegisterClass(cls);
    }
    void SetUp() override
    {
        std::filesystem::create_directories(dir / "cache");
        CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
        CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
        oldHost = InstallDataDocHost(&dataHost);
        // A CAN/voice/GPS unit in port 1, a strain unit in port 2.
        host.profile = systest::Profile({systest::Types({8, 1})});
        auto* tmpl = new fw::CMultiDocTemplate(129, FW_RUNTIME_CLASS(CKIV5980Doc), FW_RUNTIME_CLASS(CProjectFrame),
                                               FW_RUNTIME_CLASS(CPrjChView));
        tmpl->SetDocStrings(fw::LoadStringText(129).c_str());
        manager.AddDocTemplate(tmpl);
        auto* doc = dynamic_cast<CKIV5980Doc*>(tmpl->OpenDocumentFile(fw::CString(), false));
        ASSERT_NE(doc, nullptr);
        AddMessages(*doc);
        const std::string path = (dir / "can.kivp").string();
        ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
        doc->OnCloseDocument();
        project = dynamic_cast<CKIV5980Doc*>(manager.OpenDocumentFile(fw::CString(path), true));
        ASSERT_NE(project, nullptr);
        frame = FrameOf(*project);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        manager.CloseAllDocuments(false);
        InstallDataDocHost(oldHost);
        EXPECT_EQ(uiDialogs.Problems(), "");
        EXPECT_EQ(services.prompt.Problems(), "");
    }
    static CKiv463Unit* UnitOf(CKIV5980Doc& doc)
    {
        CBoxPropaty* box = doc.GetBoxArray().GetBox(0);
        return box && box->GetMeter() ? dynamic_cast<CKiv463Unit*>(box->GetMeter()->GetUnit(0)) : nullptr;
    }
    // Two receive messages, the first with two signals, and one send message.
    static void AddMessages(CKIV5980Doc& doc)
    {
        CKiv463Unit* unit = UnitOf(doc);
        ASSERT_NE(unit, nullptr);
        CCanNodeArray& messages = unit->Messages();
        const char* names[] = {"ENGINE", "BRAKE", "OUT"};
        for (int i = 0; i < 3; ++i) {
            C463CanMesNode* message = messages.AddMessage(i == 2);
            ASSERT_NE(message, nullptr);
            ASSERT_TRUE(message->SetText(canattr::kMessageName, names[i]));
            ASSERT_TRUE(message->SetValue(canattr::kIdentifier, 0x100 + i));
        }
        C463CanMesNode* engine = messages.GetAt(0);
        for (const char* name : {"RPM", "TEMP"}) {
            auto* signal = new C463CanMesSignal;
            signal->SetFrameBits(static_cast<int16_t>(engine->Signals().GetFrameBits()));
            ASSERT_TRUE(signal->SetText(canattr::kSignalName, name));
            engine->Signals().AddSignal(signal);
        }
        engine->Signals().UpdateBitUsage();
    }
    static CProjectFrame* FrameOf(CKIV5980Doc& doc)
    {
        fw::POSITION pos = doc.GetFirstViewPosition();
        while (pos)
            if (fw::CView* view = doc.GetNextView(pos))
                if (auto* f = dynamic_cast<CProjectFrame*>(view->GetParentFrame()))
                    return f;
        return nullptr;
    }
    template <class V> V* PaneOf(unsigned page) const
    {
        CZELGridSplitter* window = frame->PageWindow(page);
        return window ? dynamic_cast<V*>(window->GetPane(0, 0)) : nullptr;
    }

    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs uiDialogs;
    CKivDocManager manager;
    CDataDocHost dataHost{&manager};
    IDataDocHost* oldHost = nullptr;
    Host host;
    fw::ScopedInstall<IProjectHost> installHost{host};
    CKIV5980Doc* project = nullptr;
    CProjectFrame* frame = nullptr;
};

TEST_F(CanPagesFrameTest, TheCanDataPageShowsTheTreeAndItsPairedGrids)
{
    ASSERT_TRUE(frame->HasCanUnit());
    auto* page = PaneOf<CCanPageView>(prjcmd::kPageCanData);
    ASSERT_NE(page, nullptr);
    CCanSetView* tree = page->Tree();
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(page->Messages(), nullptr);
    ASSERT_NE(page->Signals(), nullptr);
    ASSERT_NE(page->Bits(), nullptr);
    for (fw::CView* pane : std::initializer_list<fw::CView*>{tree, page->Messages(), page->Signals(), page->Bits()}) {
        EXPECT_EQ(pane->GetDocument(), project);
        EXPECT_EQ(pane->GetParentFrame(), frame);
    }

    // After opening, the tree runs down to the first receive message's
    // first signal, and every grid shows its part of it.
    CKiv463Unit* unit = UnitOf(*project);
    ASSERT_NE(unit, nullptr);
    C463CanMesNode* engine = unit->Messages().GetAt(0);
    ASSERT_NE(tree->GetSelectedItem(), nullptr);
    EXPECT_EQ(tree->GetSelectedItem()->label.str(), "RPM");
    EXPECT_EQ(page->Messages()->GetUnitMessages(), &unit->Messages());
    EXPECT_EQ(page->Messages()->GetShownCount(), 2);
    EXPECT_EQ(page->Signals()->GetSignals(), &engine->Signals());
    EXPECT_EQ(page->Bits()->GetSignals(), &engine->Signals());

    // Showing the page hands its commands to the tree.
    frame->OnPageCommand(prjcmd::kPageCanData);
    EXPECT_EQ(frame->GetActiveView(), tree);
    fw::CCmdUI ui(CCanSetView::kIdDelete);
    ASSERT_TRUE(frame->OnCmdMsg(CCanSetView::kIdDelete, fw::CN_UPDATE_COMMAND_UI, &ui));
    EXPECT_TRUE(ui.m_bEnabled);

    // The send root leads the grids to the send message.
    tree->SelectItem(tree->Items().Root(true));
    EXPECT_TRUE(page->Messages()->GetDirection());
    EXPECT_EQ(page->Messages()->GetShownCount(), 1);
    EXPECT_TRUE(page->Signals()->GetDirection());
}

TEST_F(CanPagesFrameTest, ASignalDeletedInTheGridLeavesTheTreeInStep)
{
    auto* page = PaneOf<CCanPageView>(prjcmd::kPageCanData);
    ASSERT_NE(page, nullptr);
    CKiv463Unit* unit = UnitOf(*project);
    C463CanMesNode* engine = unit->Messages().GetAt(0);
    page->Signals()->GetGrid()->SetSelection({0, 0, 0, 0}, {0, 0}, {0, 0}, false);
    page->Signals()->OnCmdMsg(CProjectBaseView::kIdDeleteRows, fw::CN_COMMAND, nullptr);
    ASSERT_EQ(engine->Signals().GetSize(), 1);
    EXPECT_EQ(page->Tree()->Items().Find(engine->Signals().GetAt(0))->label.str(), "TEMP");
    EXPECT_EQ(page->Tree()->Items().Find(engine)->children.size(), 1u);
    EXPECT_TRUE(project->IsModified());
}

TEST_F(CanPagesFrameTest, TheBasicSettingsPageShowsTheUnitOfItsPort)
{
    auto* form = PaneOf<CGPSFormView>(prjcmd::kPageCanSettings);
    ASSERT_NE(form, nullptr);
    CKiv463Unit* unit = UnitOf(*project);
    unit->Can().memoryBytes = 1234;
    frame->OnPageCommand(prjcmd::kPageCanSettings);
    EXPECT_EQ(frame->GetActiveView(), form);
    auto* tabs = dynamic_cast<QTabBar*>(form->Control(CGPSFormView::kTabs));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0).toStdString(), "Port 1");
    EXPECT_EQ(form->GetShownUnit(), unit);
    EXPECT_EQ(form->Control(CGPSFormView::kCanMemory)->property("text").toString().toStdString(), "1234")
        << "showing the page reads the unit again";
}

} // namespace
