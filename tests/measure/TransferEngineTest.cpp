// The shared steps of every transfer: chunk stepping, the channel
// selection from a recorded header and the compaction of rows, the close
// of a box.

#include "tests/measure/TransferFixture.h"

#include "measure/model/CFUpdate.h"
#include "measure/model/RecordedRows.h"
#include "measure/model/TransferRun.h"

#include <algorithm>
#include <cstring>

namespace {

using transfertest::TestHost;

// The base transfer with its positions open to the test.
class Probe : public CCFUpdate {
public:
    using CCFUpdate::CCFUpdate;
    void Set(unsigned stored, unsigned count, unsigned total)
    {
        m_stored = stored;
        m_count = count;
        m_total = total;
    }
    ByteBuffer& Data() { return m_data; }
};

class TransferEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { systest::RegisterClassesOnce(); }
    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
        ASSERT_TRUE(system.BuildFromProfile(systest::Profile({systest::Types({2, 2})})));
        system.GetBox(0)->GetMeter()->InitArrays();
    }
    // Channels (0-based) switched on in the control unit, the others off.
    void SwitchOn(const std::vector<int>& on)
    {
        for (int ch = 0; ch < 16; ++ch) {
            const bool wanted = std::find(on.begin(), on.end(), ch) != on.end();
            ASSERT_TRUE(system.SetChannelValue(ch, CKivMeter::kAttrOnOff, wanted ? 1 : 0));
        }
    }

    kivtest::TempDir temp;
    fw::test::ServiceScope services;
    CBoxArray system;
    TestHost host{system};
};

std::string Header(const char* series, const char* bits)
{
    // SERIES before NUM_SERIES, as a unit writes them: the first
    // occurrence of a key's text is its value.
    std::string h = "NAME KIV-406\r\nSERIES " + std::string(series) + "\r\nNUM_SERIES 4\r\n";
    if (bits)
        h += "BIT_LENGTH " + std::string(bits) + "\r\n";
    return h;
}

TEST_F(TransferEngineTest, NextChunkStopsAtTheTotalAndShortensTheLastChunk)
{
    Probe probe(host);
    probe.Set(900, 100, 1000);
    EXPECT_FALSE(probe.NextChunk());
    probe.Set(900, 100, 1050);
    EXPECT_TRUE(probe.NextChunk());
    EXPECT_EQ(probe.GetCount(), 50u);
    EXPECT_EQ(probe.GetStoredPosition(), 1000u);
    EXPECT_FALSE(probe.IsFirstChunk());
}

TEST_F(TransferEngineTest, SelectionWordsFollowTheSeriesWidths)
{
    struct Row {
        const char* name;
        const char* bits;
        std::vector<int> on;
        int fileRowBytes;
        std::vector<int16_t> words;
    } rows[] = {
        {"no BIT_LENGTH: 16 bits each", nullptr, {0, 2}, 8, {0, 2}},
        {"every series kept: rows stay", "16,16,16,16", {0, 1, 2, 3}, 8, {}},
        // The second series' words start after both words of the first.
        {"after a 32-bit series", "32,16,32,16", {1, 2}, 12, {2, 3, 4}},
        {"32-bit series kept whole", "32,32,16,16", {1, 3}, 12, {2, 3, 5}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SwitchOn(row.on);
        Probe probe(host);
        probe.BuildChannelSelection(0, Header("CH_001,CH_002,CH_003,CH_004", row.bits).c_str());
        EXPECT_EQ(probe.GetFileRowBytes(0), row.fileRowBytes);
        EXPECT_EQ(probe.GetSelection(0), row.words);
    }
}

TEST_F(TransferEngineTest, RowsAreCompactedToTheKeptWordsInPlace)
{
    SwitchOn({1, 2});
    Probe probe(host);
    probe.BuildChannelSelection(0, Header("CH_001,CH_002,CH_003,CH_004", "32,16,32,16").c_str());
    // Two rows of 6 words: word w of row r holds 100 r + w.
    ByteBuffer& data = probe.Data();
    data.resize(2 * 12);
    for (int r = 0; r < 2; ++r) {
        for (int w = 0; w < 6; ++w) {
            const int16_t v = static_cast<int16_t>(100 * r + w);
            std::memcpy(&data[static_cast<size_t>((r * 6 + w) * 2)], &v, 2);
        }
    }
    probe.SelectChannels(0, 2);
    std::vector<int16_t> words(6);
    std::memcpy(words.data(), data.data(), 12);
    EXPECT_EQ(words, (std::vector<int16_t>{2, 3, 4, 102, 103, 104}));
}

TEST_F(TransferEngineTest, FinishCutsTheTanksToTheTotalAndNextItemEndsAfterTheLastBox)
{
    SwitchOn({0});
    system.SetTankDisplayModes();
    ASSERT_TRUE(system.SetDataCount(100, true));
    Probe probe(host);
    probe.Set(0, 0, 60);
    probe.Finish();
    EXPECT_EQ(system.GetBox(0)->GetChannelTank(0)->GetDataCount(), 60);
    EXPECT_FALSE(probe.NextItem());
    EXPECT_FALSE(probe.HasMoreBoxes());
}

TEST_F(TransferEngineTest, ProgressPercentNeverOverflows)
{
    EXPECT_EQ(CTransferRun::Percent(4000000000u, 4000000000u), 100u);
    EXPECT_EQ(CTransferRun::Percent(2000000000u, 4000000000u), 50u);
    EXPECT_EQ(CTransferRun::Percent(0, 0), 100u);
}

} // namespace

namespace {

TEST(RecordedRowsTest, TheFolderSizeCheckCountsRowsOfTheRealWidths)
{
    struct Row {
        const char* name;
        const char* header;
        int rowBytes;
        int64_t rows;
    } rows[] = {
        {"16-bit series", "SERIES CH_001,CH_002\r\nNUM_SERIES 2\r\nBIT_LENGTH 16,16\r\n", 4, 250},
        {"no BIT_LENGTH", "SERIES CH_001,CH_002\r\nNUM_SERIES 2\r\n", 4, 250},
        {"a 32-bit series", "SERIES CH_001,CH_041\r\nNUM_SERIES 2\r\nBIT_LENGTH 16,32\r\n", 6, 166},
        {"no series", "NUM_SERIES 0\r\n", 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RecordedRowBytes(row.header), row.rowBytes) << row.name;
        EXPECT_EQ(RecordedRowsInData(row.header, 1000), row.rows) << row.name;
    }
}

} // namespace
