#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "common/cache/CacheDataTank.h"
#include "grid/model/CellFormat.h"
#include "grid/model/GridClasses.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"

#include <QApplication>

#include <filesystem>

namespace cangrid {

void CanPageFixture::SetUpTestSuite()
{
    kivtest::RegisterAllClasses();
    systest::RegisterClassesOnce();
    RegisterGridClasses();
    RegisterCanVoiceGpsClasses();
}

bool CanPageFixture::PrepareCache()
{
    std::filesystem::create_directories(dir / "cache");
    CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
    CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
    return true;
}

CanPageFixture::CanPageFixture()
{
    services.prompt.SetUnexpectedHandler(
        [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
    host.profile = systest::Profile({systest::Types({8, 1})});
    doc.m_bAutoDelete = false;
    EXPECT_TRUE(doc.OnNewDocument());
    parent = std::make_unique<QWidget>();
    nodes = new CCanNodeView;  // the window deletes it
    signalGrid = new CCanSignalView;
    bits = new CCanNodeBitsView;
    for (CProjectBaseView* view : {static_cast<CProjectBaseView*>(nodes), static_cast<CProjectBaseView*>(signalGrid),
                                   static_cast<CProjectBaseView*>(bits)}) {
        view->Create(parent.get(), &doc);
        view->Widget()->setGeometry(0, 0, 600, 300);
        view->OnInitialUpdate();
    }
    nodes->SetSignalView(signalGrid);
    signalGrid->SetBitsView(bits);
    bits->SetSignalView(signalGrid);
    parent->resize(600, 300);
    parent->show();
    QApplication::processEvents();
}

CanPageFixture::~CanPageFixture()
{
    parent.reset();
    EXPECT_EQ(services.prompt.Problems(), "");
}

CKiv463Unit& CanPageFixture::Unit()
{
    auto* unit = dynamic_cast<CKiv463Unit*>(doc.GetBoxArray().GetBox(0)->GetMeter()->GetUnit(0));
    if (!unit)
        throw std::logic_error("no CAN/voice/GPS unit in port 1");
    return *unit;
}

void CanPageFixture::ShowDirection(bool send) { nodes->ShowMessages(send, 0, &Messages(), nullptr, nullptr); }

std::string CanPageFixture::Text(CZELSpredView* view, int32_t col, int32_t row)
{
    fw::CString text;
    view->GetSheetText(text, col, row, 1);
    return text.str();
}

void CanPageFixture::Select(CZELSpredView* view, int32_t top, int32_t left, int32_t bottom, int32_t right)
{
    view->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
}

bool CanPageFixture::Enabled(fw::CCmdTarget* view, unsigned id, int* check)
{
    struct Probe : fw::CCmdUI {
        using fw::CCmdUI::CCmdUI;
        void SetCheck(int c) override { checked = c; }
        int checked = 0;
    } ui(id);
    view->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
    if (check)
        *check = ui.checked;
    return ui.m_bEnabled;
}

void CanPageFixture::Execute(fw::CCmdTarget* view, unsigned id) { view->OnCmdMsg(id, fw::CN_COMMAND, nullptr); }

bool CanPageFixture::IsRed(CZELSpredView* view, int32_t col, int32_t row)
{
    CellFormat format;
    view->GetSheetCellFormat(format, col, row);
    return (format.nFlags & kCellUseTextColor) && format.crText == fw::RGB(255, 0, 0);
}

void CanPageFixture::Type(CZELSpredView* view, int32_t col, int32_t row, const char* text)
{
    view->SetSheetText(row, col, fw::CString(text), 1);
}

} // namespace cangrid
