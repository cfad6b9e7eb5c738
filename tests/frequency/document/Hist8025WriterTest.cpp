#include "frequency/document/Hist8025Writer.h"

#include "framework/core/Cp932.h"
#include "framework/core/File.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ServiceScope.h"
#include "frequency/document/HistDoc.h"
#include "frequency/document/HistOutParam.h"
#include "frequency/document/ProgramFileVersion.h"
#include "tests/frequency/document/HistDocFixture.h"
#include "tests/frequency/document/Vo8025Golden.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct FixedVersion : IProgramFileVersion {
    fw::CString FileVersion() const override { return "1, 7, 3, 0"; }
};

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> Lines(const std::string& utf8)
{
    std::vector<std::string> lines;
    std::istringstream in(utf8);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class Hist8025WriterTest : public ::testing::Test {
protected:
    Hist8025WriterTest() : version(fixed)
    {
        services.prompt.SetUnexpectedHandler(
            [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
        doc.CreateNewContents();
        doc.CreateFile({}, {}, "t", histtest::FixtureRecord().release(), "c");
    }

    // The file as written: CP932 bytes with CR LF.
    std::string Write(const CHistOutParam& options)
    {
        const auto path = dir / "out.csv";
        EXPECT_TRUE(doc.Write8025CsvFile(fw::CString(path.string()), options));
        return ReadAll(path);
    }

    // The file as UTF-8 lines.
    std::vector<std::string> WrittenLines(const CHistOutParam& options)
    {
        std::string text = fw::cp932::FromCp932(Write(options));
        std::string plain;
        for (char c : text) {
            if (c != '\r')
                plain += c;
        }
        return Lines(plain);
    }

    static CHistOutParam Only(int all, int separate, std::vector<bool> selection = {})
    {
        CHistOutParam p;
        p.m_all = all;
        p.m_separate = separate;
        p.m_selection = std::move(selection);
        return p;
    }

    fw::test::ServiceScope services;
    FixedVersion fixed;
    fw::ScopedInstall<IProgramFileVersion> version;
    kivtest::TempDir dir;
    CHistDoc doc;
};

TEST_F(Hist8025WriterTest, EveryBlockMatchesTheGoldenFile)
{
    CHistOutParam options;
    options.m_inputChannels = 1;
    options.m_conditions = 1;
    options.m_mmData = 1;
    options.m_selection = {true, false, false, true};
    const std::string written = Write(options);
    // A reviewed copy of the output is kept as UTF-8 lines; the file holds
    // it in CP932 with CR LF.
    std::string expected;
    for (char c : fw::cp932::ToCp932(histtest::kVo8025Golden)) {
        if (c == '\n')
            expected += '\r';
        expected += c;
    }
    if (const char* out = std::getenv("KIV_GOLDEN_OUT"))
        std::ofstream(out, std::ios::binary) << written;
    EXPECT_EQ(written, expected);
}

TEST_F(Hist8025WriterTest, BlockHeadsAndTimeRows)
{
    const auto all = WrittenLines(Only(1, 0));
    ASSERT_GE(all.size(), 5u);
    EXPECT_EQ(all[0], "KIV-5400,VER.1. 7. 3. 0");
    EXPECT_EQ(all[1], "[頻度データ一括]");
    EXPECT_EQ(all[2], "測定開始時刻,2009/03/04 05:06:07");
    EXPECT_EQ(all[3], "測定停止時刻,2009/03/05 06:08:09");
    EXPECT_EQ(all[4], "測定時間,01:03:00");
    const auto one = WrittenLines(Only(0, 1, {false, true}));
    ASSERT_GE(one.size(), 6u);
    EXPECT_EQ(one[1], "[頻度データ分割]");
    EXPECT_EQ(one[5], "解析ナンバ,2");
}

TEST_F(Hist8025WriterTest, RowsOfTheFrequencyBlock)
{
    const auto lines = WrittenLines(Only(1, 0));
    auto row = [&lines](const std::string& label) {
        for (const auto& line : lines) {
            if (line.rfind(label + ",", 0) == 0 || line == label)
                return line;
        }
        return std::string("(missing)");
    };
    EXPECT_EQ(row("解析ナンバ"), "解析ナンバ,1,2,3,4");
    EXPECT_EQ(row("オペレーション"), "オペレーション,PEAK/V,TIME,MAX/MIN,AMP");
    EXPECT_EQ(row("コメント(チャンネルX)"), "コメント(チャンネルX),\"荷重, 左\",,,");
    EXPECT_EQ(row("ユニット(チャンネルX)"), "ユニット(チャンネルX),N,rpm*,,");
    EXPECT_EQ(row("チャンネルY"), "チャンネルY,,,,");
    EXPECT_EQ(row("TIME法サンプリング"), "TIME法サンプリング,,100Hz,,");
    EXPECT_EQ(row("M/M法クロスレベル(%FS)"), "M/M法クロスレベル(%FS),,,25,");
    EXPECT_EQ(row("スライスX-"), "スライスX-,2,1,2,");

    // PEAK/V with 3 plus and 2 minus slices: cells in rows 3..-2 only.
    size_t table = 0;
    while (table < lines.size() && lines[table] != "[正負解析法]")
        ++table;
    ASSERT_LT(table + 400, lines.size());
    EXPECT_EQ(lines[table + 1], "200,,,,");
    EXPECT_EQ(lines[table + 198], "3,7,,,");
    EXPECT_EQ(lines[table + 199], "2,9,100,44,");
    EXPECT_EQ(lines[table + 200], "1,11,101,46,16");
    EXPECT_EQ(lines[table + 201], "-1,13,102,48,18");
    EXPECT_EQ(lines[table + 202], "-2,15,,50,");
    EXPECT_EQ(lines[table + 203], "-3,,,,");
    EXPECT_EQ(lines[table + 400], "-200,,,,");
    EXPECT_EQ(lines[table + 401], "[正解析法]");
}

TEST_F(Hist8025WriterTest, OneCellPerInputChannel)
{
    CHistOutParam p = Only(0, 0);
    p.m_mmData = 1;
    p.m_inputChannels = 1;
    const auto lines = WrittenLines(p);
    EXPECT_EQ(lines[1], "[M/Mデータ]");
    EXPECT_EQ(lines[5], "チャンネル,3,5,501");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "最大値時刻,2009/03/04 05:30:01,,"), lines.end());
    const auto input = std::find(lines.begin(), lines.end(), "[アンプ入力]");
    ASSERT_NE(input, lines.end());
    EXPECT_EQ(*(input + 1), "チャンネルナンバ,ch3,ch5,ch501");
}

TEST_F(Hist8025WriterTest, EmptyDocumentGivesLabelsOnly)
{
    CHistDoc empty;
    empty.CreateNewContents();
    CHistOutParam p;
    p.m_mmData = p.m_inputChannels = p.m_conditions = 1;
    const auto path = dir / "empty.csv";
    ASSERT_TRUE(empty.Write8025CsvFile(fw::CString(path.string()), p));
    const std::string text = fw::cp932::FromCp932(ReadAll(path));
    EXPECT_NE(text.find("解析ナンバ\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n200\r\n"), std::string::npos);
    EXPECT_EQ(text.find("測定開始時刻,2"), std::string::npos);
}

TEST_F(Hist8025WriterTest, TablesSmallerThanTheirSlicesAreWrittenAsFarAsTheyGo)
{
    // A damaged file: slices that its count table does not hold.
    CHistCountObj* h = doc.GetHistCountArray()->GetAt(0);
    h->m_plusSlices = 200;
    h->m_minusSlices = 200;
    CHistCountObj* t = doc.GetHistCountArray()->GetAt(1);
    t->m_plusSlices = -5;
    t->m_minusSlices = 3;
    const auto lines = WrittenLines(Only(1, 0));
    const auto table = std::find(lines.begin(), lines.end(), "[正負解析法]");
    ASSERT_NE(table, lines.end());
    // Column 2 of the PEAK/V table holds 5 values, from row 10 on.
    EXPECT_EQ(*(table + 1), "200,,,,");
    EXPECT_EQ(*(table + 400), "-200,,,,");
    EXPECT_EQ(*(table + 201), "-1,,,48,18");
}

TEST(Hist8025Cells, DerivedFigures)
{
    EXPECT_EQ(CHist8025Writer::SamplingText(10).str(), "100Hz");
    EXPECT_EQ(CHist8025Writer::SamplingText(1000).str(), "1Hz");
    EXPECT_EQ(CHist8025Writer::SamplingText(3).str(), "333Hz");
    EXPECT_EQ(CHist8025Writer::SamplingText(0).str(), "");
    EXPECT_EQ(CHist8025Writer::SamplingText(1e-12).str(), "");
    EXPECT_EQ(CHist8025Writer::CrossLevelPercent(250, 1000).str(), "25");
    EXPECT_EQ(CHist8025Writer::CrossLevelPercent(-125, 1000).str(), "-13");
    EXPECT_EQ(CHist8025Writer::CrossLevelPercent(5, 0).str(), "");
    EXPECT_EQ(CHist8025Writer::SpanText(25 * 3600 + 3 * 60).str(), "01:03:00");
    EXPECT_EQ(CHist8025Writer::SpanText(59).str(), "00:00:59");
}

TEST_F(Hist8025WriterTest, UnopenableFileIsToldAndNothingWritten)
{
    services.prompt.SetUnexpectedHandler(nullptr);
    const auto path = dir / "missing" / "out.csv";
    EXPECT_FALSE(doc.Write8025CsvFile(fw::CString(path.string()), Only(1, 0)));
    EXPECT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
