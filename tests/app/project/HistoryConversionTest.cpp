// The history pages' text conversion in the running program: a data file
// is opened without a window, its value list is written as block files
// named after the file into the chosen folder, and the document is closed
// again unless the user had it open.

#include "tests/app/shell/ShellFixture.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/KivSPTankData.h"
#include "data/model/KivDataBoxArray.h"
#include "data/model/KivDataBoxPropaty.h"
#include "data/model/KivDataDoc.h"
#include "framework/core/Cp932.h"
#include "framework/core/ServiceSlot.h"
#include "app/shell/GraphListHooks.h"
#include "app/shell/MainFrame.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/DataTextOptions.h"
#include "project/views/ProjectFrame.h"
#include "project/views/pages/HistoryPageServices.h"
#include "project/views/pages/PrjGraphView.h"

#include <fstream>
#include <sstream>

namespace shelltest {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; at = end + 2, end = text.find("\r\n", at))
        lines.push_back(text.substr(at, end - at));
    return lines;
}

class HistoryConversionTest : public ShellTest {
protected:
    // A data file of channels "CH-A" and "CH-B" (unit "V") holding
    // ch * 10 + i at rows i, and calculated channel "SUM" holding 100 + i.
    fs::path MakeDataFile(const std::string& name, int rows)
    {
        CKivDataDoc doc;
        EXPECT_TRUE(doc.CreateNewContents());
        CKivDataBoxArray& boxes = doc.GetBoxArray();
        auto* box = new CKivDataBoxPropaty;
        box->SetName("BOX1");
        box->SetRowCount(2);
        box->CreateColumns();
        boxes.AddBox(box);
        boxes.SetTotalRows(2);
        boxes.RebuildChannelMap();
        CKivSPTankData& list = boxes.GetTankList();
        list.SetDataCount(rows, true);
        list.SetChannelCount(2);
        const char* names[] = {"CH-A", "CH-B"};
        for (int ch = 0; ch < 2; ++ch) {
            boxes.SetChannelText(ch, 0, "SET");
            boxes.SetChannelText(ch, 1, names[ch]);
            boxes.SetChannelText(ch, 13, "V");
            for (int i = 0; i < rows; ++i)
                list.GetObjectAt(ch)->SetValue(i, ch * 10 + i);
        }
        CCashCalcuDataTank* sum = list.CreateChannelTank(500, -1, true);
        sum->SetName("SUM");
        for (int i = 0; i < rows; ++i)
            sum->SetValue(i, 100 + i);
        boxes.GetSourceCodes().assign(2, 0);
        doc.SetTitleText("振動試験");
        doc.GetAdSet().m_nNum = rows;
        doc.GetAdSet().m_dClk = 10;
        doc.RebuildChannels();
        const fs::path path = dir / "work" / "data" / name / (name + ".kivd");
        fs::create_directories(path.parent_path());
        EXPECT_TRUE(doc.OnSaveDocument(fw::CString(path.string())));
        return path;
    }

    tTextConvParam& Options(const fs::path& folder)
    {
        fs::create_directories(folder);
        tTextConvParam& options = AppTextConvParam();
        options = tTextConvParam();
        options.text = fw::CString(folder.string());
        options.page = tTextConvParam::kPageList;
        options.format = tTextConvParam::kCsv;
        return options;
    }

    static IHistoryPageServices& Services() { return *fw::Installed<IHistoryPageServices>(); }
};

TEST_F(HistoryConversionTest, ADataFileBecomesBlockFilesInTheChosenFolderAndClosesAgain)
{
    ASSERT_TRUE(Start());
    const fs::path data = MakeDataFile("RUN1", 5);
    const fs::path out = dir / "text";
    tTextConvParam& options = Options(out);
    options.columnLimit = 2;
    options.rowLimit = 3;

    ASSERT_NE(fw::Installed<IHistoryPageServices>(), nullptr);
    const int open = OpenDocumentCount();
    EXPECT_TRUE(Services().ConvertDataFile(fw::CString(data.string())));
    EXPECT_EQ(OpenDocumentCount(), open) << "a file opened only for the conversion is closed";

    // Three columns and five rows in blocks of two columns and three rows.
    for (const char* name : {"RUN1_1_1.CSV", "RUN1_1_2.CSV", "RUN1_2_1.CSV", "RUN1_2_2.CSV"})
        EXPECT_TRUE(fs::exists(out / name)) << name;
    EXPECT_FALSE(fs::exists(data.parent_path() / "RUN1_1_1.CSV")) << "nothing lands beside the data file";

    const std::vector<std::string> first = Lines(ReadAll(out / "RUN1_1_1.CSV"));
    ASSERT_EQ(first.size(), 3u + 5u + 3u);
    EXPECT_EQ(first[0], fw::cp932::ToCp932("振動試験"));
    EXPECT_NE(first[3].find("CH-A,CH-B"), std::string::npos) << first[3];
    EXPECT_EQ(first[8].substr(0, 2), "1,") << "rows start with their number";
    EXPECT_EQ(first[8].substr(first[8].rfind(",", first[8].rfind(",") - 1)), ",0,10");
    EXPECT_EQ(first[10].substr(first[10].rfind(",", first[10].rfind(",") - 1)), ",2,12");

    const std::vector<std::string> last = Lines(ReadAll(out / "RUN1_2_2.CSV"));
    ASSERT_EQ(last.size(), 3u + 5u + 2u);
    EXPECT_NE(last[3].find("SUM"), std::string::npos) << last[3];
    EXPECT_EQ(last[8].substr(0, 2), "4,");
    EXPECT_EQ(last[9].substr(last[9].rfind(",")), ",104");
}

TEST_F(HistoryConversionTest, AnOpenDataDocumentStaysOpenAndTakesTheOptionsFormat)
{
    ASSERT_TRUE(Start());
    const fs::path data = MakeDataFile("RUN2", 2);
    ASSERT_NE(app.OpenDocumentFile(fw::CString(data.string())), nullptr);
    const int open = OpenDocumentCount();
    const fs::path out = dir / "text2";
    tTextConvParam& options = Options(out);
    options.format = tTextConvParam::kTxt;
    options.bTitle = false;

    EXPECT_TRUE(Services().ConvertDataFile(fw::CString(data.string())));
    EXPECT_EQ(OpenDocumentCount(), open);
    const std::vector<std::string> lines = Lines(ReadAll(out / "RUN2_1_1.TXT"));
    ASSERT_EQ(lines.size(), 5u + 2u);
    EXPECT_NE(lines[0].find("CH-A\tCH-B\tSUM"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[6].substr(lines[6].rfind('\t')), "\t101");
}

TEST_F(HistoryConversionTest, AFileThatCannotBeOpenedConvertsNothing)
{
    ASSERT_TRUE(Start());
    const fs::path out = dir / "text3";
    Options(out);
    const std::string broken = WriteFile(dir / "work" / "data" / "BAD" / "BAD.kivd", "not a data file");
    services.prompt.ExpectText("BAD.kivd", fw::IDOK);
    const int open = OpenDocumentCount();
    EXPECT_FALSE(Services().ConvertDataFile(fw::CString(broken)));
    EXPECT_EQ(OpenDocumentCount(), open);
    EXPECT_TRUE(fs::is_empty(out));
}

TEST_F(ShellTest, TheGraphListPageDrawsTheProjectsChartGraph)
{
    UnregisterProjectType();
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    app.OnFileNew();
    auto* main = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_NE(main, nullptr);
    auto* frame = dynamic_cast<CProjectFrame*>(main->MDIGetActive());
    ASSERT_NE(frame, nullptr);
    frame->OnPageCommand(prjcmd::kPageGraphList);
    auto* page = dynamic_cast<CPrjGraphView*>(frame->GetActiveView());
    ASSERT_NE(page, nullptr);
    auto* doc = page->GetProjectDoc();
    ASSERT_NE(doc, nullptr);
    auto* chart = dynamic_cast<CChartGraphTimeList*>(&doc->GetGraphTimeList());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(page->GetListGraph(), &chart->Graph()) << "the page's dialogs and rows work on the project's own graph";
}

} // namespace
} // namespace shelltest
