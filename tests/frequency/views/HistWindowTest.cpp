// The frequency window: a frequency-data file opens with its tabs and
// time fields, the three tables show the analyses and counts, save and
// convert them as text and print them with their two-line header.
#ifdef KIV_FREQUENCY_VIEWS

#include "tests/frequency/views/HistWindowFixture.h"

#include "docview/controls/ZELEdit.h"
#include "docview/controls/ZELTabCtrl.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Cp932.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/StandardCommands.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Print.h"
#include "framework/ui/SplitterWnd.h"
#include "frequency/document/HistFileTextParam.h"
#include "frequency/model/HistTables.h"
#include "frequency/views/HistViewIds.h"
#include "grid/views/GridPane.h"
#include "tests/frequency/document/HistDocFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QSplitter>

#include <fstream>
#include <numeric>
#include <sstream>

namespace histview_test {
namespace {

using namespace histview;

std::vector<std::string> Lines(const std::string& cp932)
{
    const std::string text = fw::cp932::FromCp932(cp932);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

int PdfPages(const std::filesystem::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        pages += pdf.mid(at, 12) != "/Type /Pages";
    return pages;
}

bool ReadOnly(CHistFrame* frame)
{
    auto* line = qobject_cast<QLineEdit*>(frame->Bar().TitleField()->Widget());
    return line && line->isReadOnly();
}

bool UpdateChecked(fw::CCmdTarget& target, unsigned id, bool& enabled)
{
    fw::CCmdUI ui(id);
    EXPECT_TRUE(target.OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui)) << id;
    enabled = ui.m_bEnabled;
    return ui.m_nCheck != 0;
}

// Ten plus and ten minus slices over full scale 1000, one count column;
// the counts run 1..20 from the most negative slice, slice -5 empty.
std::unique_ptr<CHistCountArray> TwentySlices()
{
    std::vector<double> counts(20);
    std::iota(counts.begin(), counts.end(), 1.0);
    counts[5] = 0;
    auto a = std::make_unique<CHistCountArray>();
    a->m_startTime = {{14, 10, 2, 10, 30, 0}};
    a->m_endTime = {{14, 10, 2, 11, 31, 1}};
    a->m_measuringTime = 3661;
    a->Add(MakeAnalysis("DN_1", kHistTime, 10, 10, 1000.0f, counts));
    std::vector<double> peak(4 * 5, 0.0);
    peak[19] = 7;
    a->Add(MakeAnalysis("DN_2", kHistPeakValley, 3, 2, 1000.0f, peak));
    return a;
}

TEST_F(HistWindowFixture, FileOpensWithItsTabsAndSwitchesByTabOrCommand)
{
    CHistDoc* doc = OpenRecord(histtest::FixtureRecord());
    ASSERT_NE(doc, nullptr);
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    CZELTabCtrl* tabs = frame->Bar().Tabs();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->GetItemCount(), 2);
    fw::CString text;
    int image = 0;
    tabs->GetItem(0, text, image);
    EXPECT_EQ(text, "入力CH");
    tabs->GetItem(1, text, image);
    EXPECT_EQ(text, "頻度データ");
    EXPECT_EQ(frame->GetCurrentSwitch(), kIdShowInput);
    EXPECT_EQ(frame->GetActiveView(), frame->InputView());
    EXPECT_EQ(frame->GetCurrentClient()->GetDlgCtrlID(), fw::AFX_IDW_PANE_FIRST);

    // Each pane of the frequency client holds its view alone.
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(frame->FrequencyClient()->RowSplitter(row)->count(), 1) << row;
    frame->OnSwitchClient(kIdShowFrequency);
    EXPECT_EQ(frame->GetCurrentSwitch(), kIdShowFrequency);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(frame->GetActiveView(), frame->AnalysisView());
    EXPECT_EQ(frame->GetCurrentClient()->GetDlgCtrlID(), fw::AFX_IDW_PANE_FIRST);
    bool enabled = false;
    EXPECT_TRUE(UpdateChecked(*frame, kIdShowFrequency, enabled));
    EXPECT_FALSE(UpdateChecked(*frame, kIdShowInput, enabled));
    EXPECT_TRUE(enabled);

    // The tab gives the same state as the command.
    tabs->SetCurSel(0);
    EXPECT_EQ(frame->GetCurrentSwitch(), kIdShowInput);
    EXPECT_EQ(frame->GetActiveView(), frame->InputView());
    EXPECT_TRUE(UpdateChecked(*frame, kIdShowInput, enabled));
}

TEST_F(HistWindowFixture, BarShowsTheRecordTimesAsTheInformationLine)
{
    CHistDoc* doc = OpenRecord(TwentySlices());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    fw::CString info;
    frame->GetInfoText(info, ',');
    EXPECT_EQ(info.str(), "測定開始時刻,'14/10/02 10:30:00,測定停止時刻,'14/10/02 11:31:01,測定時間,1:01:01");
    struct Row {
        const char* name;
        int64_t seconds;
        const char* text;
    } rows[] = {
        {"an hour, a minute, a second", 3661, "1:01:01"},
        {"a day less one second does not carry", 86399, "23:59:59"},
        {"more than a day", 90000, "25:00:00"},
        {"nothing", 0, "0:00:00"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CHistFrame::FormatMeasuringTime(r.seconds).str(), r.text) << r.name;
}

TEST_F(HistWindowFixture, TitleFieldIsReadOnlyExactlyWhileTheDocumentIsLocked)
{
    CHistDoc* doc = OpenRecord(TwentySlices());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Bar().TitleField()->GetWindowText(), "試験1");
    frame->Bar().TitleField()->TypeText("荷重試験");
    EXPECT_EQ(doc->GetTestTitle(), "荷重試験");
    EXPECT_TRUE(doc->IsModified());
    CHistAmpInView* view = frame->InputView();
    ASSERT_TRUE(view->OnCmdMsg(kIdEditLock, fw::CN_COMMAND, nullptr));
    EXPECT_TRUE(doc->IsEditLocked());
    EXPECT_TRUE(ReadOnly(frame));
    bool enabled = true;
    UpdateChecked(*view, kIdUndoCommand, enabled);
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(UpdateChecked(*view, kIdEditLock, enabled));
    UpdateChecked(*view, fw::ID_EDIT_COPY, enabled);
    EXPECT_TRUE(enabled);
    ASSERT_TRUE(view->OnCmdMsg(kIdEditLock, fw::CN_COMMAND, nullptr));
    EXPECT_FALSE(ReadOnly(frame));
}

TEST_F(HistWindowFixture, CountViewShowsSlicesFromTheTopPlusToTheLowestMinus)
{
    CHistDoc* doc = OpenRecord(TwentySlices());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    CHistCountView* counts = frame->CountView();
    ASSERT_EQ(counts->GetAnalysisIndex(), 0);
    struct Row {
        int32_t row;
        const char* slice;
        const char* value;
        const char* count;
    } rows[] = {
        {0, "10", "1000", "20"}, {9, "1", "100", "11"}, {10, "-1", "-100", "10"},
        {14, "-5", "-500", ""},  {19, "-10", "-1000", "1"},
    };
    for (const Row& r : rows) {
        fw::CString slice, value, count;
        counts->GetRowHeaderText(slice, 0, r.row, 0);
        counts->GetRowHeaderText(value, 1, r.row, 0);
        counts->GetSheetText(count, 0, r.row, 0);
        EXPECT_EQ(slice.str(), r.slice) << r.row;
        EXPECT_EQ(value.str(), r.value) << r.row;
        EXPECT_EQ(count.str(), r.count) << r.row;
    }
    EXPECT_EQ(counts->GetGrid()->GetSheetPane()->ColumnCount(), 1);
    EXPECT_EQ(counts->GetGrid()->GetSheetPane()->RowCount(), 20);

    // The analysis view's current row chooses the analysis below.
    frame->AnalysisView()->ShowAnalysis(1);
    EXPECT_EQ(counts->GetAnalysisIndex(), 1);
    EXPECT_EQ(counts->GetGrid()->GetSheetPane()->ColumnCount(), 4);
    EXPECT_EQ(counts->GetGrid()->GetSheetPane()->RowCount(), 5);
    fw::CString label;
    counts->GetColumnHeaderText(label, 3, 0, 1);
    EXPECT_EQ(label.str(), HistCountLabel(kHistPeakValley, 3));
    // No current row above leaves the counts as they are.
    frame->AnalysisView()->ShowAnalysis(-1);
    EXPECT_EQ(counts->GetAnalysisIndex(), 1);
    frame->AnalysisView()->ShowAnalysis(0);
    EXPECT_EQ(counts->GetGrid()->GetSheetPane()->ColumnCount(), 1);
}

TEST_F(HistWindowFixture, TextSaveSeparatorFollowsTheFileName)
{
    struct Row {
        const char* path;
        char sep;
    } rows[] = {
        {"/d/DATA.csv", ','}, {"/d/DATA.CSV.txt", '\t'}, {"/d/.csv", '\t'},
        {"/d.csv/DATA", '\t'}, {"DATA.Csv", ','},       {"/d/DATA.txt", '\t'},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CHistDataViewBase::SeparatorFor(r.path), r.sep) << r.path;
}

TEST_F(HistWindowFixture, AnalysisListIsSavedWithTitleInformationAndBothHeaderRows)
{
    CHistDoc* doc = OpenRecord(TwentySlices(), "REC", "荷重,\"左\"");
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    CHistOpeView* list = frame->AnalysisView();
    list->SetTextMode(CHistOpeView::kSaveList);
    const std::filesystem::path path = dir / "DATA.csv";
    ASSERT_TRUE(list->SaveTextFile(fw::CString(path.string())));
    const std::vector<std::string> lines = Lines(ReadAll(path));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "\"荷重,\"\"左\"\"\"");
    EXPECT_EQ(lines[1], "測定開始時刻,'14/10/02 10:30:00,測定停止時刻,'14/10/02 11:31:01,測定時間,1:01:01");
    EXPECT_TRUE(lines[2].starts_with("NO,入力ｃｈ.,解析方法,")) << lines[2];
    EXPECT_TRUE(lines[2].ends_with(",ｵｰﾊﾞｰｶｳﾝﾄ,ｵｰﾊﾞｰｶｳﾝﾄ,最大,最大,最小,最小")) << lines[2];
    EXPECT_EQ(lines[3], ",,,,,,,正側,負側,値,日時,値,日時");
    EXPECT_TRUE(lines[4].starts_with("DN_1,")) << lines[4];
    EXPECT_TRUE(lines[5].starts_with("DN_2,")) << lines[5];
}

TEST_F(HistWindowFixture, ShownCountsAreSavedBelowTheirAnalysisRow)
{
    CHistDoc* doc = OpenRecord(TwentySlices());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    CHistCountView* counts = frame->CountView();
    const std::filesystem::path path = dir / "COUNTS.txt";
    ASSERT_TRUE(counts->SaveTextFile(fw::CString(path.string())));
    const std::vector<std::string> lines = Lines(ReadAll(path));
    ASSERT_EQ(lines.size(), 2u + 3u + 1u + 1u + 20u);
    EXPECT_TRUE(lines[4].starts_with("DN_1\t")) << lines[4];
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "Slice\tValue\tCount");
    EXPECT_EQ(lines[7], "10\t1000\t20");
    EXPECT_EQ(lines[21], "-5\t-500\t");
    EXPECT_EQ(lines[26], "-10\t-1000\t1");
}

TEST_F(HistWindowFixture, ConversionWritesOneFilePerAnalysisAndUpperCasesOnlyTheName)
{
    CHistDoc* doc = OpenRecord(TwentySlices());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    const std::filesystem::path folder = dir / "out.d";
    std::filesystem::create_directories(folder);
    // An existing file is overwritten without a question.
    std::ofstream(folder / "H141002103000_DN_2.CSV") << "old";
    CHistFileTextParam settings;
    settings.m_kind = CHistFileTextParam::kKindOwnText;
    settings.m_commaSeparated = 1;
    EXPECT_TRUE(frame->AnalysisView()->ConvertFile(fw::CString((folder / "h141002103000.kivh").string()), settings));
    EXPECT_TRUE(std::filesystem::exists(folder / "H141002103000_DN_1.CSV"));
    const std::vector<std::string> second = Lines(ReadAll(folder / "H141002103000_DN_2.CSV"));
    ASSERT_GT(second.size(), 7u);
    EXPECT_EQ(second[6], "Slice,Value,Peak,Valley,Peak/Valley,+Peak/-Valley");
    EXPECT_EQ(frame->AnalysisView()->GetTextMode(), CHistOpeView::kSaveShownCounts);
    EXPECT_EQ(frame->CountView()->GetAnalysisIndex(), 0);

    settings.m_commaSeparated = 0;
    EXPECT_TRUE(frame->AnalysisView()->ConvertFile(fw::CString((folder / "plain").string()), settings));
    EXPECT_TRUE(std::filesystem::exists(folder / "PLAIN_DN_1.TXT"));
    EXPECT_TRUE(std::filesystem::exists(folder / "PLAIN_DN_2.TXT"));
}

TEST_F(HistWindowFixture, ExportStopsQuietlyWhenAnExistingFileIsNotOverwritten)
{
    CHistDoc* doc = OpenRecord(TwentySlices());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    std::ofstream(dir / "ALL_DN_1.CSV") << "old";
    services.prompt.Expect(kIdsOverwrite, fw::IDNO);
    EXPECT_TRUE(frame->AnalysisView()->ExportEachAnalysis(fw::CString((dir / "ALL.CSV").string()), 1, false));
    EXPECT_EQ(ReadAll(dir / "ALL_DN_1.CSV"), "old");
    EXPECT_FALSE(std::filesystem::exists(dir / "ALL_DN_2.CSV"));
}

TEST_F(HistWindowFixture, FormatCommandChangesTheFormatColumnAndUndoToggles)
{
    CHistDoc* doc = OpenRecord(histtest::FixtureRecord());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    CHistAmpInView* input = frame->InputView();
    input->GetGrid()->SetSelection({0, 0, 1, CHistAmpInView::kFormatColumn}, {0, 0}, {1, 12}, false);
    doc->SetModifiedFlag(false);
    // "0.000000" is no format an analysis can have: nothing changes, but
    // the record is written.
    const unsigned sixDecimals = 32804;
    ASSERT_TRUE(input->OnCmdMsg(sixDecimals, fw::CN_COMMAND, nullptr));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(input->CanUndo());

    const unsigned twoDecimals = 32800;
    ASSERT_TRUE(input->OnCmdMsg(twoDecimals, fw::CN_COMMAND, nullptr));
    EXPECT_TRUE(doc->IsModified());
    fw::CString format;
    input->GetSheetText(format, CHistAmpInView::kFormatColumn, 1, 0);
    EXPECT_EQ(format.str(), "0.00");
    bool enabled = false;
    EXPECT_TRUE(UpdateChecked(*input, twoDecimals, enabled));
    EXPECT_TRUE(enabled);
    input->Undo();
    input->GetSheetText(format, CHistAmpInView::kFormatColumn, 0, 0);
    EXPECT_EQ(format.str(), "0.0");
    input->Undo();
    input->GetSheetText(format, CHistAmpInView::kFormatColumn, 0, 0);
    EXPECT_EQ(format.str(), "0.00");
    // Only the format column takes a text.
    EXPECT_FALSE(input->SetSheetText(0, 10, "5", 1));
}

TEST_F(HistWindowFixture, PrintedTablesCarryTheirPagesAfterTheHeader)
{
    CHistDoc* doc = OpenRecord(TwentySlices());
    CHistFrame* frame = FrameOf(doc);
    ASSERT_NE(frame, nullptr);
    for (CHistDataViewBase* view :
         {static_cast<CHistDataViewBase*>(frame->AnalysisView()), static_cast<CHistDataViewBase*>(frame->CountView()),
          static_cast<CHistDataViewBase*>(frame->InputView())}) {
        fw::CPrintInfo info;
        info.m_bDirect = true;
        const std::filesystem::path pdf = dir / "print.pdf";
        ASSERT_TRUE(fw::PrintViewToPdf(*view, fw::CString(pdf.string()), info));
        const int pages = static_cast<int>(view->GetGrid()->GetPages().size());
        EXPECT_GE(pages, 1);
        EXPECT_EQ(PdfPages(pdf), pages);
        EXPECT_GT(view->GetPrintRect().top, 300);
    }
}

} // namespace
} // namespace histview_test

#endif
