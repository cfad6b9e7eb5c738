// Frequency files of a record read from the control units or from card
// files in a PC folder into one array of analyses.

#include "tests/support/link/SequenceFixture.h"

#include "common/base/ZelException.h"
#include "common/tank/DblDataTank.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/system/HistCount.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

using Meter = kivemu::MeterDevice;
using Measure = kivemu::MeasureDevice;
using State = kivemu::DeviceState;
using Files = std::vector<CKiv406FileInfo>;

// A frequency header as a control unit writes it (SERIES before
// NUM_SERIES): one TIME analysis of input channel `input`, 2 + 1 slices.
std::string FrequencyHeader(int input, const char* numSeries = "1")
{
    return "SERIES DN_1\r\nNUM_SERIES " + std::string(numSeries) + "\r\nRATE 1000\r\nOPERATION TIME\r\n" +
           "INPUT_CH " + std::to_string(input) +
           "\r\nFULLSCALE 1000\r\nHYSTERISYS 100\r\nSLICE_XP 2\r\nSLICE_XM 1\r\nMCL 0\r\nTIME_SAMPLE 100\r\n"
           "SENSOR_MODE 33\r\nATTENATE 20000\r\nFILTER 0\r\nF_PROPERTY 0\r\nRJC 1\r\nCAPACITY \r\nRATED_OUT \r\n"
           "COEFFICIENT 1\r\nPOINT 0\r\nPHY_UNITS V\r\nINT_RESOLUTION 1\r\n";
}

// The count file of one TIME analysis with 3 slices: the head, its two
// overcounts, its extremes block and counts `first`, `first` + 1, `first` + 2.
std::string CountFile(uint32_t first)
{
    std::string b(256 + 8 + 32 + 12, '\0');
    const uint8_t start[6] = {26, 12, 10, 9, 30, 0};
    std::memcpy(&b[0], start, 6);
    const int32_t seconds = 60;
    std::memcpy(&b[16], &seconds, 4);
    const uint32_t overs[2] = {first * 10, first * 20};
    std::memcpy(&b[256], overs, 8);
    const int16_t extremes[3] = {100, -100, 32767};
    std::memcpy(&b[264], extremes, 6);
    for (uint32_t i = 0; i < 3; ++i) {
        const uint32_t count = first + i;
        std::memcpy(&b[296 + 4 * i], &count, 4);
    }
    return b;
}

CKiv406FileInfo Entry(const std::string& name, const std::string& header, const std::string& data)
{
    CKiv406FileInfo info;
    info.m_name = name.c_str();
    info.m_headerSize = static_cast<int>(header.size());
    info.m_dataSize = static_cast<int>(data.size());
    return info;
}

std::vector<double> Table(const CHistCountObj& h)
{
    return {h.GetCountTank()->Values().begin(), h.GetCountTank()->Values().end()};
}

class HistFilesTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect();
    }

    void Serve(int unit, const std::string& name, const std::string& header, const std::string& data)
    {
        Dev(unit).With([&](Measure&, Meter& d, State&) {
            d.files.push_back({name + ".HED", std::vector<uint8_t>(header.begin(), header.end()), -1});
            d.files.push_back({name + ".DAT", std::vector<uint8_t>(data.begin(), data.end()), -1});
        });
    }

    void WriteFile(const std::string& name, const std::string& bytes)
    {
        std::ofstream(temp.Path() / name, std::ios::binary) << bytes;
    }

    std::string InTemp(const std::string& name) const { return (temp.Path() / name).string(); }

    fw::CString ChannelName(int box, int number) const
    {
        fw::CString name;
        system.GetBox(box)->GetChannelName(number, name);
        return name;
    }

    Files first, second;
    CBoxArray::FileVectors vectors{&first, &second};
    CHistCountArray counts;
};

TEST_F(HistFilesTest, UnitsFillOneArrayInBoxOrder)
{
    Serve(0, "F001", FrequencyHeader(1), CountFile(1));
    Serve(1, "F002", FrequencyHeader(99), CountFile(7));
    first = {Entry("F000", "", ""), Entry("F001", FrequencyHeader(1), CountFile(1))};
    second = {Entry("F000", "", ""), Entry("F002", FrequencyHeader(99), CountFile(7))};
    ASSERT_TRUE(system.ReadHistFilesFromUnit(vectors, counts, 1));
    ASSERT_EQ(counts.GetSize(), 2);
    EXPECT_EQ(counts.GetAt(0)->m_name, "DN_1");
    EXPECT_EQ(counts.GetAt(1)->m_name, "DN_81");
    EXPECT_EQ(Table(*counts.GetAt(0)), (std::vector<double>{3, 2, 1}));
    EXPECT_EQ(Table(*counts.GetAt(1)), (std::vector<double>{9, 8, 7}));
    EXPECT_EQ(counts.GetAt(1)->m_plusOver, 70u);
    EXPECT_EQ(counts.m_measuringTime, 60);
    EXPECT_EQ(counts.GetAt(0)->m_comment, ChannelName(0, 1));
    // No box channel maps to control-unit channel 99.
    EXPECT_EQ(counts.GetAt(1)->m_comment, "ch99");
    const seqtest::Lines lines = LinesOf(1);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DATF002.HED"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DATF002.DAT"), lines.end());
}

TEST_F(HistFilesTest, UnitFailuresAreOfferedForARepeat)
{
    struct Row {
        const char* name;
        std::string header;
        std::string data;
        int dataSize; // listed size of the count file
        bool unitError;
        std::vector<bool> answers;
        bool result;
        int analyses;
    };
    const std::string good = FrequencyHeader(1);
    const std::string data = CountFile(1);
    const int size = static_cast<int>(data.size());
    const Row rows[] = {
        {"refused header, declined", FrequencyHeader(1, "0"), data, size, false, {false}, false, 0},
        {"count file shorter than the header needs, declined", good, data.substr(0, data.size() - 4), size - 4,
         false, {false}, false, 0},
        {"unit error, repeated", good, data, size, true, {true}, true, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Dev(0).With([](Measure&, Meter& d, State&) { d.files.clear(); });
        Serve(0, "F001", r.header, r.data);
        if (r.unitError)
            FaultsOf(0).ErrorOn("DAT", 40);
        CKiv406FileInfo entry = Entry("F001", r.header, r.data);
        entry.m_dataSize = r.dataSize;
        first = {entry};
        CBoxArray::FileVectors one{&first};
        counts.RemoveAll();
        question.asked.clear();
        question.answers = r.answers;
        EXPECT_EQ(system.ReadHistFilesFromUnit(one, counts, 0), r.result);
        EXPECT_EQ(counts.GetSize(), r.analyses);
        ASSERT_EQ(question.asked.size(), 1u);
        if (!r.unitError) {
            EXPECT_NE(question.asked[0].find("測定器からの返送データが不正です。"), std::string::npos);
        }
    }
}

TEST_F(HistFilesTest, EntryBeyondAVectorIsOutOfRange)
{
    first = {Entry("F001", "", "")};
    EXPECT_THROW(system.ReadHistFilesFromUnit(vectors, counts, 0), std::out_of_range);
    EXPECT_THROW(system.ReadHistFilesFromFolder(vectors, counts, 1), std::out_of_range);
}

TEST_F(HistFilesTest, FolderFilesMatchWithoutRegardToCase)
{
    WriteFile("F001.HED", FrequencyHeader(1));
    WriteFile("F001.DAT", CountFile(1));
    WriteFile("f002.hed", FrequencyHeader(2));
    WriteFile("f002.dat", CountFile(4));
    first = {Entry(InTemp("F001"), FrequencyHeader(1), CountFile(1))};
    second = {Entry(InTemp("F002"), FrequencyHeader(2), CountFile(4))};
    ASSERT_TRUE(system.ReadHistFilesFromFolder(vectors, counts, 0));
    ASSERT_EQ(counts.GetSize(), 2);
    EXPECT_EQ(counts.GetAt(1)->m_name, "DN_81");
    EXPECT_EQ(Table(*counts.GetAt(1)), (std::vector<double>{6, 5, 4}));
    EXPECT_EQ(counts.GetAt(1)->m_comment, ChannelName(1, 2));
    // The folder is read without a word to the units.
    EXPECT_EQ(CountOf(0, "DAT"), 0);
}

TEST_F(HistFilesTest, FolderFailureEmptiesTheArrayAndIsReported)
{
    struct Row {
        const char* name;
        const char* expectedText;
        bool writeData;
        std::string data;
    };
    const Row rows[] = {
        {"missing count file", "F002.DAT", false, ""},
        {"count file shorter than the header needs", "測定器からの返送データが不正です。", true,
         CountFile(4).substr(0, 300)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        kivtest::TempDir folder;
        std::ofstream(folder.Path() / "F001.HED", std::ios::binary) << FrequencyHeader(1);
        std::ofstream(folder.Path() / "F001.DAT", std::ios::binary) << CountFile(1);
        std::ofstream(folder.Path() / "F002.HED", std::ios::binary) << FrequencyHeader(2);
        if (r.writeData)
            std::ofstream(folder.Path() / "F002.DAT", std::ios::binary) << r.data;
        first = {Entry((folder.Path() / "F001").string(), FrequencyHeader(1), CountFile(1))};
        second = {Entry((folder.Path() / "F002").string(), FrequencyHeader(2), CountFile(4))};
        counts.Add(new CHistCountObj); // what the caller had is released too
        services.prompt.ExpectText(r.expectedText, fw::IDOK);
        EXPECT_FALSE(system.ReadHistFilesFromFolder(vectors, counts, 0));
        EXPECT_EQ(counts.GetSize(), 0);
        EXPECT_EQ(services.prompt.Problems(), "");
        services.prompt.Reset();
    }
}

} // namespace
