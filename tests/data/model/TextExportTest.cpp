#include "tests/data/model/DataFixture.h"

#include "common/base/ValueFormat.h"
#include "data/model/DataTextExport.h"
#include "data/model/ExportTextWriter.h"
#include "framework/core/Cp932.h"
#include "framework/core/DateTime.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"

#include <filesystem>
#include <map>

namespace datatest {
namespace {

namespace fs = std::filesystem;

// A value list of `cols` columns over the fixture's channels: cell (r, c)
// reads "r.c", names and units as set.
class FakeSheet : public IDataSheetSource {
public:
    FakeSheet(int cols, int rows) : cols(cols), rows(rows) {}
    int GetColumnCount() const override { return cols; }
    int GetRowCount() const override { return rows; }
    int GetRowHeaderColumns() const override { return 2; }
    fw::CString GetCornerText(int headerRow, int col) const override
    {
        static const char* kRows[] = {"名前", "単位", "最大", "最小", "平均"};
        return col == 0 ? fw::CString(kRows[headerRow]) : fw::CString();
    }
    fw::CString GetColumnHeaderText(int headerRow, int col) const override
    {
        if (headerRow == kRowName && names.count(col))
            return names.at(col);
        if (headerRow == kRowUnit)
            return "V";
        return fw::Format("h%d.%d", headerRow, col);
    }
    fw::CString GetRowHeaderText(int row, int col) const override
    {
        return col == 0 ? fw::Format("%d", row + 1) : fw::Format("%g", row * 0.01);
    }
    fw::CString GetCellText(int row, int col) const override { return fw::Format("%d.%d", row, col); }
    int GetColumnChannel(int col) const override { return channels.count(col) ? channels.at(col) : col; }
    fw::CString GetRecordText(char sep) const override { return fw::Format("2024/01/31 12:00:00%c自由%c3", sep, sep); }
    fw::CString GetTimingText(char sep) const override { return fw::Format("0.05%c10ms", sep); }

    int cols;
    int rows;
    std::map<int, fw::CString> names;
    std::map<int, int> channels;
};

class TextExportTest : public DataFixture {
protected:
    std::string Export(const std::function<void(CExportTextWriter&)>& write)
    {
        const fs::path path = dir / "out.txt";
        fs::remove(path);
        {
            fw::CFile file(fw::CString(path.string()), fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::typeBinary);
            CExportTextWriter out(file);
            write(out);
            out.Flush();
        }
        return ReadAll(path);
    }
    static std::string Sjis(const std::string& utf8) { return fw::cp932::ToCp932(utf8); }
};

TEST_F(TextExportTest, FieldsWithSeparatorsQuotesAndLineBreaksStayInTheirColumns)
{
    auto doc = MakeDocument();
    FakeSheet sheet(3, 3);
    sheet.names = {{0, "力,横"}, {1, "a\"b"}, {2, "二行\n目"}};
    CDataTextExport exporter(*doc, sheet);
    tTextConvParam options;
    options.columns = {0, 1, 2};
    options.firstRow = 2;
    options.lastRow = 3;
    options.bUnit = false;

    const std::string csv = Export([&](CExportTextWriter& out) { exporter.WriteCsvText(out, true, options); });
    EXPECT_EQ(csv, Sjis("振動試験\r\n"
                        "2024/01/31 12:00:00,自由,3\r\n"
                        "0.05,10ms\r\n"
                        "名前,,\"力,横\",\"a\"\"b\",\"二行\n目\"\r\n"
                        "最大,,h2.0,h2.1,h2.2\r\n"
                        "最小,,h3.0,h3.1,h3.2\r\n"
                        "平均,,h4.0,h4.1,h4.2\r\n"
                        "2,0.01,1.0,1.1,1.2\r\n"
                        "3,0.02,2.0,2.1,2.2\r\n"));

    options.bTitle = false;
    options.bUnit = true;
    options.bOneLine = true;
    const std::string txt = Export([&](CExportTextWriter& out) { exporter.WriteCsvText(out, false, options); });
    EXPECT_EQ(txt, Sjis("名前\t\t力,横 V\ta\"b V\t二行 目 V\r\n"
                        "2\t0.01\t1.0\t1.1\t1.2\r\n"
                        "3\t0.02\t2.0\t2.1\t2.2\r\n"));
}

TEST_F(TextExportTest, LobLayoutStopsBeforeTheFirstChannelWithoutNumber)
{
    auto doc = MakeDocument();
    CKivDataBoxArray& boxes = doc->GetBoxArray();
    boxes.SetChannelText(0, 2, "熱電対K");
    boxes.SetChannelText(1, 2, "電圧");
    boxes.SetChannelText(0, 4, "10Hz");
    boxes.SetChannelText(1, 9, "1.5");
    FakeSheet sheet(4, 2);
    sheet.channels = {{0, 0}, {1, 1}, {2, 500}, {3, 100}};
    CDataTextExport exporter(*doc, sheet);
    tTextConvParam options;
    options.columns = {0, 1, 2, 3};
    options.firstRow = 1;
    options.lastRow = 2;
    doc->GetAdSet().m_nPreNum = 2;
    const std::string lob = Export([&](CExportTextWriter& out) { exporter.WriteLobText(out, options); });
    EXPECT_EQ(lob, Sjis("Data Type         : Dynamic\r\n"
                        "File Comment      : 振動試験\r\n"
                        "Record Word       : 5 word\r\n"
                        "Sampling Cycle    : 10 msec.\r\n"
                        "Pretrigger Memory : 2 word\r\n"
                        "No.,CH.001,CH.002,CH.@01\r\n"
                        "Mode,Temp.K,VOLT,\r\n"
                        "L.P.F.,10Hz,,\r\n"
                        "Coeff.,,1.5,\r\n"
                        "Unit,V,V,\r\n"
                        "MAX,h2.0,h2.1,h2.2\r\n"
                        "MIN,h3.0,h3.1,h3.2\r\n"
                        "MEAN,h4.0,h4.1,h4.2\r\n"
                        "1,0.0,0.1,0.2\r\n"
                        "2,1.0,1.1,1.2\r\n"));
}

TEST_F(TextExportTest, DadispHeaderAndDataFile)
{
    auto doc = MakeDocument();
    doc->SetTitle("RUN1.kivd");
    doc->SetStartTime(fw::COleDateTime(2024, 1, 31, 12, 34, 56).m_dt);
    FakeSheet sheet(2, 3);
    sheet.names = {{0, "A"}, {1, "B,C"}};
    CDataTextExport exporter(*doc, sheet);
    tTextConvParam options;
    options.columns = {0, 1};
    options.firstRow = 5;
    options.lastRow = 6;
    const fs::path header = dir / "run.hed";
    const std::string hed = Export([&](CExportTextWriter& out) {
        EXPECT_TRUE(exporter.WriteDadispText(out, fw::CString(header.string()), options));
    });
    EXPECT_EQ(hed, "DATASET\tRUN1\r\nVERSION\tNext\r\nFILE_TYPE\tASCII\r\nSTORAGE_MODE\tINTERLACED\r\n"
                   "DATE\t01-31-2024\r\nTIME\t12:34:56.00\r\nINTERVAL\t0.01\r\nHORZ_UNITS\tSecs\r\n"
                   "NUM_SERIES\t2\r\nNUM_COLUMNS\t3\r\nCOLUMN\t2\r\n"
                   "SERIES\tA,\"B,C\"\r\nVERT_UNITS\tV,V\r\nFILE_OFFSET\t2\r\nDATA\r\n");
    fw::CString last;
    FormatDataValue(HUGE_VAL, -10001, last);
    fw::CString t4;
    FormatDataValue(0.04, -10001, t4);
    EXPECT_EQ(ReadAll(dir / "run.DAT"), "X,A,\"B,C\"\r\nSEC,V,V\r\n" + t4.str() + ",4.0,4.1\r\n" + last.str() +
                                            ",5.0,5.1\r\n");
}

TEST_F(TextExportTest, WholeSheetIsCutIntoBlocksOfTheLimits)
{
    auto doc = MakeDocument();
    FakeSheet sheet(600, 10);
    CDataTextExport exporter(*doc, sheet);
    tTextConvParam options;
    options.bTitle = false;
    options.bName = false;
    options.bUnit = false;
    options.rowLimit = 4;
    options.format = tTextConvParam::kCsv;
    const fs::path base = FolderPath("split") / "name.KIVD";
    ASSERT_TRUE(exporter.WriteSplitText(fw::CString(base.string()), options));
    std::vector<std::string> names;
    for (const auto& n : fw::fs::ListFolder(fw::CString(base.parent_path().string())))
        names.push_back(n.str());
    EXPECT_EQ(names, (std::vector<std::string>{"name_1_1.CSV", "name_1_2.CSV", "name_1_3.CSV", "name_2_1.CSV",
                                               "name_2_2.CSV", "name_2_3.CSV", "name_3_1.CSV", "name_3_2.CSV",
                                               "name_3_3.CSV"}));
    const std::string last = ReadAll(base.parent_path() / "name_3_3.CSV");
    EXPECT_NE(last.find("\r\n9,0.08,8.500,"), std::string::npos);
    EXPECT_NE(last.find(",9.599\r\n"), std::string::npos);
    EXPECT_EQ(last.find("\r\n8,"), std::string::npos);
    EXPECT_EQ(CDataTextExport::SplitFileName("/a.b/run.kivd", 2, 0, 1), "/a.b/run_1_2.HED");
    EXPECT_EQ(CDataTextExport::SplitFileName("/a.kivd/run", 0, 1, 0), "/a.kivd/run_2_1.TXT");
}

TEST_F(TextExportTest, DisplayNumbers)
{
    struct Case {
        int channel, number;
    } cases[] = {{0, 1}, {99, 100}, {100, 0}, {499, 0}, {500, 1}, {598, 99}, {599, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(CDataTextExport::ChannelDisplayNumber(c.channel), c.number) << c.channel;
}

} // namespace
} // namespace datatest

namespace datatest {
namespace {

TEST(TextConvParamTest, AnotherDocumentForgetsRowsAndSelection)
{
    tTextConvParam options;
    CDocIdent first(1, 2), second(3, 4);
    options.OpenFor(first, 100);
    EXPECT_EQ(options.lastRow, 100);
    options.firstRow = 10;
    EXPECT_EQ(options.AcceptSelection({2, 5}), 0u);
    options.OpenFor(first, 100);
    EXPECT_EQ(options.firstRow, 10);
    EXPECT_EQ(options.columns, (std::vector<int>{2, 5}));
    options.OpenFor(second, 7);
    EXPECT_EQ(options.firstRow, 1);
    EXPECT_EQ(options.lastRow, 7);
    EXPECT_TRUE(options.columns.empty());
}

TEST(TextConvParamTest, SelectionPageRefusesBadRangesAndEmptySelections)
{
    tTextConvParam options;
    options.firstRow = 5;
    options.lastRow = 4;
    EXPECT_EQ(options.AcceptSelection({1}), tTextConvParam::kMsgLastBeforeFirst);
    options.lastRow = 5;
    EXPECT_EQ(options.AcceptSelection({}), tTextConvParam::kMsgNothingSelected);
    EXPECT_FALSE(tTextConvParam::IsColumnLimitValid(0));
    EXPECT_FALSE(tTextConvParam::IsColumnLimitValid(1321));
    EXPECT_TRUE(tTextConvParam::IsColumnLimitValid(1320));
    EXPECT_FALSE(tTextConvParam::IsRowLimitValid(10000001));
}

TEST(TextConvParamTest, ExportPathTakesItsFormatFromTheFileName)
{
    struct Case {
        const char* path;
        const char* expected;
        int32_t format;
    } cases[] = {
        {"/data/run.csv", "/data/run.KIVD", tTextConvParam::kCsv},
        {"/data/run.TXT", "/data/run.KIVD", tTextConvParam::kTxt},
        {"/x.hed/run.hed", "/x.hed/run.KIVD", tTextConvParam::kHed},
        {"/data/run.dat", "/data/run.dat", tTextConvParam::kPageLob},
    };
    for (const Case& c : cases) {
        tTextConvParam options;
        options.format = tTextConvParam::kPageLob;
        EXPECT_EQ(options.TakeExportPath(c.path), c.expected) << c.path;
        EXPECT_EQ(options.format, c.format) << c.path;
    }
}

} // namespace
} // namespace datatest
