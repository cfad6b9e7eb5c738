// Frequency records read from the control units' cards and from a PC
// folder into one analysis array.

#include "tests/measure/TransferFixture.h"

#include "frequency/model/HistCountArray.h"
#include "measure/model/HistDownload.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <fstream>

namespace {

using Files = std::vector<CKiv406FileInfo>;

const std::string kHeader =
    "SERIES DN_1\r\nNUM_SERIES 1\r\nRATE 1000\r\nOPERATION PEAK/V\r\nINPUT_CH 3\r\nFULLSCALE 2000\r\n"
    "HYSTERISYS 100\r\nSLICE_XP 3\r\nSLICE_XM 2\r\nMCL 10\r\nTIME_SAMPLE 100\r\nSENSOR_MODE 33\r\n"
    "ATTENATE 20000\r\nFILTER 300\r\nF_PROPERTY 1\r\nRJC 0\r\nCAPACITY 5\r\nRATED_OUT 2.5\r\nCOEFFICIENT 2\r\n"
    "POINT 3\r\nPHY_UNITS kgf\r\n";

// A count file of the size the header asks for, over counts 1, 2, 3 ...
std::vector<uint8_t> Counts()
{
    CHistCountArray probe;
    probe.ReadHedHeader(kHeader.c_str(), 0);
    std::vector<uint8_t> bytes(probe.GetCountFileSize(0), 0);
    for (size_t i = 24; i < bytes.size(); i += 4)
        bytes[i] = uint8_t(i / 4);
    return bytes;
}

class HistDownloadTest : public seqtest::SequenceTest {};

TEST_F(HistDownloadTest, CardRecordsComeThroughTheirUnits)
{
    Connect(2, {2});
    const std::vector<uint8_t> counts = Counts();
    Dev(1).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
        meter.files.push_back({"H0001.hed", std::vector<uint8_t>(kHeader.begin(), kHeader.end()), -1});
        meter.files.push_back({"H0001.dat", counts, -1});
    });
    Files unit2(1);
    unit2[0].m_name = "H0001";
    unit2[0].m_headerSize = int(kHeader.size());
    const CBoxArray::FileVectors lists = {nullptr, &unit2};

    CHistCountArray analyses;
    ASSERT_TRUE(DownloadCardFiles(system, lists, analyses, 0));
    ASSERT_EQ(analyses.GetSize(), 1);
    EXPECT_EQ(analyses.GetAt(0)->m_inputChannel, 3);
    EXPECT_EQ(analyses.GetAt(0)->m_name, "DN_81") << "named by its control unit";
    CHistCountArray expected;
    expected.ReadHedHeader(kHeader.c_str(), 1);
    ASSERT_TRUE(expected.ReadDatCounts(counts, 0));
    EXPECT_EQ(analyses.GetAt(0)->m_plusOver, expected.GetAt(0)->m_plusOver);
    EXPECT_EQ(LinesOf(1), (seqtest::Lines{"DATH0001.HED", "DATH0001.DAT"}));

    CHistCountArray none;
    EXPECT_FALSE(DownloadCardFiles(system, lists, none, 1)) << "no second record";
    FaultsOf(1).ErrorOn("DATH0001.DAT", 22, 1);
    EXPECT_FALSE(DownloadCardFiles(system, lists, none, 0)) << "the unit refuses the counts";
}

TEST(HistDownload, FolderRecordsAreReadFromTheirFiles)
{
    kivtest::TempDir dir;
    std::ofstream(dir / "REC1.HED", std::ios::binary) << kHeader;
    const std::vector<uint8_t> counts = Counts();
    std::ofstream(dir / "rec1.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(counts.data()), std::streamsize(counts.size()));
    Files unit1(1);
    unit1[0].m_name = fw::CString((dir / "REC1").string());
    const CBoxArray::FileVectors lists = {&unit1};
    CHistCountArray analyses;
    ASSERT_TRUE(DownloadMemoryFiles(lists, analyses, 0));
    EXPECT_EQ(analyses.GetSize(), 1);

    std::ofstream(dir / "rec1.dat", std::ios::binary | std::ios::trunc) << "short";
    CHistCountArray cut;
    EXPECT_FALSE(DownloadMemoryFiles(lists, cut, 0));
}

} // namespace
