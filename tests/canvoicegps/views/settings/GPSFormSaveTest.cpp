// The unit settings form's own commands and keystrokes: the text save
// command writes the golden CSV through the file dialog, and typing a
// memory size keeps it and renews the total before the edit is left.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/views/settings/GPSFormView.h"
#include "framework/core/Cp932.h"
#include "framework/core/testing/ScriptedFileDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

namespace cangrid {
namespace {

class GPSFormSaveTest : public CanPageFixture {
protected:
    GPSFormSaveTest()
    {
        form = new CGPSFormView;  // the window deletes it
        form->Create(parent.get(), &doc);
        form->OnInitialUpdate();
    }
    // Types as the keyboard would, so that the edit tells of each key.
    static void Keys(QLineEdit* edit, const char* text)
    {
        for (const char* c = text; *c; ++c) {
            const int key = *c == '.' ? Qt::Key_Period : Qt::Key_0 + (*c - '0');
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(*c)));
            QApplication::sendEvent(edit, &press);
        }
    }
    static std::string ReadAll(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fw::test::ScriptedFileDialogs files;
    CGPSFormView* form = nullptr;
};

TEST_F(GPSFormSaveTest, TheSaveCommandWritesTheGoldenCsv)
{
    doc.SetTestTitle("試験 \"A\"");
    Unit().Gps().receiver = 1;
    Unit().Gps().cycle = 5;
    const std::filesystem::path path = dir / "unit.csv";
    files.AnswerSave(path.string().c_str());
    Execute(form, CGPSFormView::kIdTextSave);
    ASSERT_EQ(files.Requests().size(), 1u);
    EXPECT_EQ(files.Requests()[0].request.defaultExt, "csv");
    const std::string golden = "\"試験 \"\"A\"\"\"\r\n"
                               "Port 1\r\n"
                               "\r\n"
                               "メモリ配分\r\n"
                               "CAN,2000000\r\n"
                               "音声,2000000\r\n"
                               "GPS,2000000\r\n"
                               "合計<=6000000,6000000\r\n"
                               "\r\n"
                               "音声\r\n"
                               "音量トリガを使う,OFF\r\n"
                               "録音開始レベル,中\r\n"
                               "\r\n"
                               "CAN\r\n"
                               "通信速度,125000 bps\r\n"
                               "バスエラーで再送信しない（シングルショット）,ON\r\n"
                               "バスオフが起こっても強制復帰する,ON\r\n"
                               "フレーム受信時にACKを出力,ON\r\n"
                               "\r\n"
                               "GPS\r\n"
                               "GPS受信機,KIV-463-1\r\n"
                               "通信速度,115200 bps\r\n"
                               "測位間隔,1 sec\r\n"
                               "補正、距離測定を行う,OFF\r\n"
                               "\r\n"
                               "入力CH用データ\r\n"
                               "ch.1,割り当てなし\r\n"
                               "ch.2,割り当てなし\r\n"
                               "ch.3,割り当てなし\r\n"
                               "ch.4,割り当てなし\r\n"
                               "ch.5,割り当てなし\r\n"
                               "ch.6,割り当てなし\r\n"
                               "ch.7,割り当てなし\r\n"
                               "ch.8,割り当てなし\r\n"
                               "\r\n";
    EXPECT_EQ(fw::cp932::FromCp932(ReadAll(path)), golden);
    EXPECT_GT(services.cursor.Begins(), 0) << "the wait cursor shows while writing";
    EXPECT_EQ(services.cursor.Depth(), 0);
}

TEST_F(GPSFormSaveTest, ACancelledDialogWritesNothing)
{
    files.Cancel(fw::test::ScriptedFileDialogs::Kind::save);
    Execute(form, CGPSFormView::kIdTextSave);
    EXPECT_FALSE(std::filesystem::exists(dir / "unit.csv"));
    EXPECT_EQ(files.Problems(), "");
}

TEST_F(GPSFormSaveTest, TypingAMemorySizeRenewsTheTotalAtOnce)
{
    auto* edit = dynamic_cast<QLineEdit*>(form->Control(CGPSFormView::kGpsMemory));
    auto* total = dynamic_cast<QLineEdit*>(form->Control(CGPSFormView::kTotal));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    Keys(edit, "500");
    EXPECT_EQ(Unit().Gps().memoryBytes, 500u);
    EXPECT_EQ(total->text().toStdString(), "4000500");
    EXPECT_EQ(host.stops, host.restarts);
    // Each key in range is kept; the one that leaves the range is left
    // for the check on leaving the edit.
    Keys(edit, "0000000");
    EXPECT_EQ(Unit().Gps().memoryBytes, 5000000u);
    EXPECT_EQ(total->text().toStdString(), "9000000");
    EXPECT_NE(total->styleSheet().toStdString().find("255, 0, 0"), std::string::npos) << "a total over the limit";
}

TEST_F(GPSFormSaveTest, TypingTheSpeedLimitKeepsValuesInRangeAndGivesWayToOthers)
{
    auto* edit = dynamic_cast<QLineEdit*>(form->Control(CGPSFormView::kSpeedLimit));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    Keys(edit, ".");
    EXPECT_EQ(edit->text().toStdString(), ".") << "a lone point waits for digits";
    Keys(edit, "25");
    EXPECT_EQ(Unit().Gps().lowerSpeedLimit, 2) << "0.25 km/h cut to tenths";
    edit->selectAll();
    Keys(edit, "3.6");
    EXPECT_EQ(Unit().Gps().lowerSpeedLimit, 36);
    edit->selectAll();
    Keys(edit, "4");
    EXPECT_EQ(edit->text().toStdString(), "3.6") << "4 lies outside 0..3.6";
    EXPECT_EQ(Unit().Gps().lowerSpeedLimit, 36);
    EXPECT_EQ(host.stops, host.restarts);
}

TEST_F(GPSFormSaveTest, AChangeReachesTheUnitOnlyWhilePollingIsPaused)
{
    // The polling worker may read the unit whenever polling runs.
    struct WatchingHost : CTestProjectHost {
        void StopPanelPolling() override
        {
            ++stops;
            seenAtStop.push_back(watched());
        }
        void RestartPanelPolling() override
        {
            ++restarts;
            seenAtRestart.push_back(watched());
        }
        std::function<bool()> watched;
        std::vector<bool> seenAtStop, seenAtRestart;
    } watching;
    fw::ScopedInstall<IProjectHost> install{watching};
    watching.watched = [this] { return Unit().Can().singleShot; };
    ASSERT_TRUE(Unit().Can().singleShot);
    auto* box = dynamic_cast<QCheckBox*>(form->Control(CGPSFormView::kSingleShot));
    ASSERT_NE(box, nullptr);
    box->click();
    EXPECT_FALSE(Unit().Can().singleShot);
    ASSERT_FALSE(watching.seenAtStop.empty());
    EXPECT_TRUE(watching.seenAtStop.front()) << "nothing changed before polling stopped";
    EXPECT_FALSE(watching.seenAtRestart.front());
    EXPECT_EQ(watching.stops, watching.restarts);
}

TEST_F(GPSFormSaveTest, TheLevelFollowsTheTriggerWhenTheUnitChangesElsewhere)
{
    QWidget* level = form->Control(CGPSFormView::kTriggerLevel);
    ASSERT_NE(level, nullptr);
    EXPECT_FALSE(level->isEnabled());
    Unit().Voice().levelTrigger = true;
    doc.UpdateAllViews(nullptr, CGPSFormView::kHintUnitSettings, nullptr);
    EXPECT_TRUE(level->isEnabled());
    Unit().Voice().levelTrigger = false;
    doc.UpdateAllViews(nullptr, 16, nullptr);
    EXPECT_FALSE(level->isEnabled());
}

TEST_F(GPSFormSaveTest, TheFormsLabelsByControlId)
{
    struct Row {
        int id;
        const char* text;
    } rows[] = {
        {CGPSFormView::kMemoryGroup, "メモリ配分"},  {CGPSFormView::kFirstMemoryLabel, "CAN"},
        {CGPSFormView::kFirstMemoryLabel + 1, "音声"}, {CGPSFormView::kFirstMemoryLabel + 2, "GPS"},
        {CGPSFormView::kFirstMemoryLabel + 3, "合計<=6000000"}, {CGPSFormView::kFirstLevelLabel, "小"},
        {CGPSFormView::kFirstLevelLabel + 1, "中"},   {CGPSFormView::kFirstLevelLabel + 2, "大"},
        {CGPSFormView::kCanRateLabel, "通信速度"},    {CGPSFormView::kReceiverLabel, "GPS受信機"},
        {CGPSFormView::kCycleLabel, "測位間隔"},
    };
    for (const Row& r : rows) {
        auto* label = dynamic_cast<QLabel*>(form->Control(r.id));
        ASSERT_NE(label, nullptr) << r.id;
        EXPECT_EQ(label->text().toStdString(), r.text) << r.id;
    }
}

} // namespace
} // namespace cangrid
