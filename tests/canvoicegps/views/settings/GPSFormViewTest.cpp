// The unit settings form shown off-screen over a project with a
// CAN/voice/GPS unit in port 1: its tab and slot labels, refused memory
// sizes and speed limits, and the slow receiver's effects.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/views/settings/GPSFormView.h"
#include "canvoicegps/views/settings/SlotChoices.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/DataExchange.h"

#include <QComboBox>

#include <fstream>
#include <sstream>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace cangrid {
namespace {

class GPSFormViewTest : public CanPageFixture {
protected:
    GPSFormViewTest()
    {
        form = new CGPSFormView;  // the window deletes it
        form->Create(parent.get(), &doc);
        form->OnInitialUpdate();
    }
    template <class W> W* Get(int id) const { return dynamic_cast<W*>(form->Control(id)); }
    void Enter(int id, const char* text)
    {
        Get<QLineEdit>(id)->setText(text);
        if (id == CGPSFormView::kSpeedLimit)
            form->OnSpeedLimitEdited();
        else
            form->OnMemoryEdited(id);
    }
    CGPSFormView* form = nullptr;
};

TEST_F(GPSFormViewTest, ThePortTabAndItsSlotLabels)
{
    auto* tabs = Get<QTabBar>(CGPSFormView::kTabs);
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0).toStdString(), "Port 1");
    EXPECT_EQ(Get<QLabel>(CGPSFormView::kFirstSlotLabel)->text().toStdString(), "ch.1");
    EXPECT_EQ(Get<QLabel>(CGPSFormView::kFirstSlotLabel + 7)->text().toStdString(), "ch.8");
    EXPECT_EQ(Get<QPushButton>(CGPSFormView::kFirstSlotButton)->text().toStdString(), "割り当てなし");
    EXPECT_EQ(Get<QLineEdit>(CGPSFormView::kTotal)->text().toStdString(), "6000000");
    EXPECT_EQ(Get<QComboBox>(CGPSFormView::kCanRate)->currentText().toStdString(), "125000");
}

TEST_F(GPSFormViewTest, EditsAreStoredWithPollingPausedOrRefused)
{
    const int stops = host.stops;
    Enter(CGPSFormView::kCanMemory, "3000000");
    EXPECT_EQ(Unit().Can().memoryBytes, 3000000u);
    EXPECT_EQ(Get<QLineEdit>(CGPSFormView::kTotal)->text().toStdString(), "7000000");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GT(host.stops, stops);
    EXPECT_EQ(host.stops, host.restarts);

    services.prompt.Expect(fw::kIdpParseIntRange, fw::IDOK);
    Enter(CGPSFormView::kVoiceMemory, "6000001");
    EXPECT_EQ(Unit().Voice().memoryBytes, 2000000u);

    services.prompt.Expect(fw::kIdpParseRealRange, fw::IDOK);
    Enter(CGPSFormView::kSpeedLimit, "3.7");
    Enter(CGPSFormView::kSpeedLimit, "0");
    EXPECT_EQ(Unit().Gps().lowerSpeedLimit, 0);
}

TEST_F(GPSFormViewTest, TheSlowReceiverLimitsTheCycles)
{
    form->OnReceiverChosen(2);
    EXPECT_EQ(Unit().Gps().bitRate, 57600u);
    EXPECT_EQ(Get<QComboBox>(CGPSFormView::kGpsRate)->currentText().toStdString(), "57600");
    auto* cycles = Get<QComboBox>(CGPSFormView::kCycle);
    ASSERT_EQ(cycles->count(), 3);
    EXPECT_EQ(cycles->currentText().toStdString(), "0.25");
}

} // namespace
} // namespace cangrid

namespace cangrid {
namespace {

class FirstGpsItem : public ISlotChooser {
public:
    int Choose(const std::vector<CSlotChoice>& choices) override
    {
        offered = choices;
        return choices[2].children.empty() ? 0 : choices[2].children[0].value;
    }
    std::vector<CSlotChoice> offered;
};

TEST_F(GPSFormViewTest, ASlotTakesTheDialogsChoice)
{
    FirstGpsItem chooser;
    fw::ScopedInstall<ISlotChooser> install{chooser};
    form->OnSlotButton(1);
    EXPECT_EQ(Unit().GetSlotCode(0), 0) << "no receiver: nothing offered";

    Unit().Gps().receiver = 1;
    Unit().Gps().speedCorrection = true;
    form->OnSlotButton(1);
    EXPECT_EQ(Unit().GetSlotCode(0), 3) << "the corrected longitude";
    EXPECT_FALSE(Get<QPushButton>(CGPSFormView::kFirstSlotButton + 1)->isEnabled()) << "its second slot";
    EXPECT_TRUE(doc.IsModified());
}

} // namespace
} // namespace cangrid

namespace cangrid {
namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST_F(GPSFormViewTest, TheFormSavesAsCsvOrTabbedText)
{
    doc.SetTestTitle("試験,1");
    const std::string csvPath = (dir / "form.CSV").string();
    const std::string txtPath = (dir / "form.txt").string();
    ASSERT_TRUE(form->SaveText(csvPath.c_str()));
    ASSERT_TRUE(form->SaveText(txtPath.c_str()));
    const std::string csv = ReadAll(csvPath);
    const std::string txt = ReadAll(txtPath);
    // The file is CP932: only the ASCII parts are compared.
    const std::string title = csv.substr(0, csv.find_first_of("\r\n"));
    EXPECT_EQ(title.front(), '"') << "a title with a comma is one quoted field";
    EXPECT_EQ(title.substr(title.size() - 3), ",1\"");
    EXPECT_NE(csv.find("CAN,2000000"), std::string::npos);
    EXPECT_NE(txt.find("CAN\t2000000"), std::string::npos);
    EXPECT_NE(txt.find("ch.8\t"), std::string::npos);
}

} // namespace
} // namespace cangrid
