#include "tests/support/link/MeterFixture.h"

#include "instrument/meter/HeaderKeys.h"
#include "instrument/unit/EngUnitTable.h"

#include <algorithm>
#include <cmath>
#include <map>

using metertest::Lines_t;
using metertest::MeterLinkTest;
using metertest::MeterModelTest;

namespace {

// A waveform header in the key order a control unit writes, with lines
// that a row may replace ("" drops the key).
std::string DataHeader(const std::map<std::string, std::string>& changes = {})
{
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"NAME", "KIV-406"},
        {"UNIT_TYPE", "KIV-417 KIV-437 ------- ------- ------- ------- ------- ------- ------- -------"},
        {"VERSION", "2"},
        {"SERIES", "CH_001,CH_002"},
        {"NUM_SERIES", "2"},
        {"DATE", "12/24/2023"},
        {"TIME", "15:30:00"},
        {"INTERVAL", "0.001"},
        {"HORZ_UNITS", "SEC"},
        {"X_OFFSET", "-100"},
        {"Y_OFFSET", "0,0"},
        {"NUM_SAMPS", "1000"},
        {"VERT_UNITS", std::string(engunit::AsciiText(0)) + ",??"},
        {"SLOPE", "1,2.5"},
        {"COEFFICIENT", "1,2.5"},
        {"RATED_OUT", "2000,"},
        {"CAPACITY", "1000,500"},
        {"POINT", "0,1"},
        {"SENSOR_MODE", "16,146"},
        {"ATTENATE", "20000,5000"},
        {"FILTER", "0,100"},
        {"TRIGGER_TYPE", "FREERUN"},
    };
    std::string text;
    for (const auto& [key, value] : keys) {
        const auto change = changes.find(key);
        const std::string v = change == changes.end() ? value : change->second;
        if (change != changes.end() && v.empty())
            continue;
        text += key + " " + v + "\r\n";
    }
    return text;
}

std::string FrequencyHeader(const std::string& series = "2")
{
    return "VERSION 1\r\nSERIES CH_001,CH_002\r\nNUM_SERIES " + series +
           "\r\nTIME 08:00:00\r\nDATE 01/02/2024\r\nFILE_OFFSET 0\r\nOPERATION 1,2\r\nINPUT_CH 1,2\r\n"
           "FULLSCALE 1000,1000\r\nHYSTERISYS 100,100\r\nSLICE_XP 50,50\r\nSLICE_XM 50,50\r\nY_OFFSET 0,0\r\n"
           "X_OFFSET 0,0\r\nNUM_SAMPS 10,10\r\nCOEFFICIENT 1,1\r\nRATED_OUT 1,1\r\nCAPACITY 1,1\r\nPOINT 0,0\r\n";
}

fw::COleDateTime At(int y, int mo, int d, int h, int mi, int s)
{
    return fw::COleDateTime(y, mo, d, h, mi, s);
}

kivemu::Handler Answer(std::string text)
{
    return [text](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Line(text); };
}

} // namespace

class MeterFilesTest : public MeterLinkTest {
protected:
    void SetUp() override
    {
        MeterLinkTest::SetUp();
        Install({1, 3});
        ASSERT_TRUE(meter.Open(true));
        ForgetLines();
    }

    void AddRecording(const std::string& name, const std::string& header, const std::string& data = "0123456789")
    {
        device.AddFile(name + ".hed", header);
        device.AddFile(name + ".dat", data);
    }

    void List()
    {
        waveforms.clear();
        frequencies.clear();
        voices.clear();
        meter.ReadMemoryFileList(waveforms, frequencies, voices);
    }

    std::vector<CKiv406FileInfo> waveforms;
    std::vector<CKiv406FileInfo> frequencies;
    std::vector<CKiv406FileInfo> voices;
};

TEST_F(MeterFilesTest, ListingPairsHeadersWithDataAndReadsTheirHeaders)
{
    AddRecording("B002", DataHeader({{"TIME", "10:00:00"}}));
    AddRecording("A001", DataHeader({{"TIME", "10:00:00"}}));
    device.AddFile("H003.hed", DataHeader());  // no data file: no record
    device.AddFile("C004.HED", DataHeader({{"DATE", "01/01/2023"}}));
    device.AddFile("c004.DAT", "xyz");
    AddRecording("F005", FrequencyHeader());
    device.AddFile("V231224153000.wav", "RIFF");
    device.AddFile("notes.txt", "x");
    device.AddFile("E006.dat", "", 0);
    device.With([](kivemu::MeterDevice& d, kivemu::DeviceState&) { d.extraListLines["DIR"] = {"no comma here"}; });

    List();
    ASSERT_EQ(waveforms.size(), 3u);
    EXPECT_EQ(waveforms[0].m_name, "C004");  // the earliest header time
    EXPECT_EQ(waveforms[1].m_name, "A001");  // same time: by name
    EXPECT_EQ(waveforms[2].m_name, "B002");
    EXPECT_EQ(waveforms[0].m_dataSize, 3);
    EXPECT_EQ(NewLines(), (Lines_t{"DIR", "DATB002.HED", "DATA001.HED", "DATC004.HED", "DATF005.HED"}));

    const CKiv406FileInfo& a = waveforms[1];
    EXPECT_EQ(a.m_sampleCount, 1000);
    EXPECT_EQ(a.m_clockKind, CKiv406FileInfo::clockInterval);
    EXPECT_DOUBLE_EQ(a.m_interval, 1.0);
    EXPECT_EQ(a.m_triggerType, CKiv406FileInfo::triggerFreeRun);
    EXPECT_EQ(a.m_unitTypes.GetAt(0), 1);
    EXPECT_EQ(a.m_unitTypes.GetAt(1), 3);
    EXPECT_EQ(a.m_unitTypes.GetAt(2), 0);
    EXPECT_DOUBLE_EQ(a.m_headerTime.m_dt, At(2023, 12, 24, 10, 0, 0).m_dt);
    EXPECT_NEAR(a.m_firstSampleTime.m_dt, At(2023, 12, 24, 10, 0, 0).m_dt - 0.1 / 86400, 1e-9);

    ASSERT_EQ(frequencies.size(), 1u);
    EXPECT_EQ(frequencies[0].m_name, "F005");
    EXPECT_EQ(frequencies[0].m_sampleCount, 2);

    ASSERT_EQ(voices.size(), 1u);
    EXPECT_EQ(voices[0].m_name, "V231224153000");
    EXPECT_EQ(voices[0].m_dataSize, 4);
    EXPECT_DOUBLE_EQ(voices[0].m_headerTime.m_dt, At(2023, 12, 24, 15, 30, 0).m_dt);
}

TEST_F(MeterFilesTest, HeaderFieldsOfTheFileRecord)
{
    struct Row {
        const char* name;
        std::map<std::string, std::string> changes;
        int trigger;
        int16_t clock;
        double interval;
    };
    const Row rows[] = {
        {"free run", {}, 2, 0, 1.0},
        {"external clock", {{"HORZ_UNITS", "SAMPLES"}}, 2, 2, 1.0},
        {"data trigger", {{"TRIGGER_TYPE", "DATA"}, {"INTERVAL", "0.01"}}, 1, 0, 10.0},
        {"no trigger type", {{"TRIGGER_TYPE", ""}}, 0, 0, 1.0},
        {"unknown trigger type", {{"TRIGGER_TYPE", "MANUAL"}}, 0, 0, 1.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        device.With([](kivemu::MeterDevice& d, kivemu::DeviceState&) { d.files.clear(); });
        AddRecording("R001", DataHeader(row.changes));
        List();
        ASSERT_EQ(waveforms.size(), 1u);
        EXPECT_EQ(waveforms[0].m_triggerType, row.trigger);
        EXPECT_EQ(waveforms[0].m_clockKind, row.clock);
        EXPECT_DOUBLE_EQ(waveforms[0].m_interval, row.interval);
        if (row.clock == CKiv406FileInfo::clockSamples) {
            EXPECT_EQ(waveforms[0].m_firstSampleTime.m_dt, waveforms[0].m_headerTime.m_dt);
        }
    }
}

TEST_F(MeterFilesTest, RecordsWithoutSamplesAreDropped)
{
    AddRecording("Z001", DataHeader({{"NUM_SAMPS", "0"}}));
    AddRecording("Z002", FrequencyHeader("0"));
    List();
    EXPECT_TRUE(waveforms.empty());
    EXPECT_TRUE(frequencies.empty());
}

TEST_F(MeterFilesTest, BrokenListingsAndHeadersAreErrors)
{
    struct Row {
        const char* name;
        std::function<void()> arrange;
        int code;
        unsigned message;
    };
    const Row rows[] = {
        {"invalid header", [&] { AddRecording("Q001", DataHeader({{"NUM_SERIES", "81"}})); }, -1, 3009},
        {"name too long", [&] { AddRecording(std::string(300, 'N'), DataHeader()); }, -1, 3009},
        {"header too long", [&] { device.AddFile("Q002.hed", "x", 5 << 20); device.AddFile("Q002.dat", "x"); }, -1, 3009},
        {"never ending listing",
         [&] {
             device.With([](kivemu::MeterDevice& d, kivemu::DeviceState&) {
                 d.extraListLines["DIR"].assign(100001, "Y.wav,1");
             });
         },
         -1, 3009},
        {"error in the header block", [&] { AddRecording("Q003", "ERR 043 and the rest"); }, 0x1002B, 0},
    };
    // The long listing streams for a while on a loaded machine; a pause in it
    // must not pass for the unit falling silent.
    link.SetReplyTimeout(10);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        device.With([](kivemu::MeterDevice& d, kivemu::DeviceState&) {
            d.files.clear();
            d.extraListLines.clear();
        });
        row.arrange();
        const CZelException e = kivtest::RaisedBy([&] { List(); });
        EXPECT_EQ(e.m_nErrorCode, row.code);
        const std::string message = row.message ? kivtest::Text(row.message)
                                                : "測定器からERRが返されました。\n\nコマンド HFL 、エラーコード 43";
        EXPECT_EQ(kivtest::MessageOf(e), message);
    }
}

TEST_F(MeterFilesTest, ARefreshThatFailsHalfWayLeavesTheListsAsTheyWere)
{
    AddRecording("A001", DataHeader({{"TIME", "10:00:00"}}));
    AddRecording("F005", FrequencyHeader());
    device.AddFile("V231224153000.wav", "RIFF");
    List();
    ASSERT_EQ(waveforms.size(), 1u);
    const std::vector<CKiv406FileInfo> before[] = {waveforms, frequencies, voices};

    // New recordings, but the second header's block breaks off.
    AddRecording("B002", DataHeader({{"TIME", "11:00:00"}}));
    AddRecording("F006", FrequencyHeader());
    device.AddFile("V231224160000.wav", "RIFF");
    AddRecording("Q003", "ERR 043 and the rest");
    EXPECT_EQ(kivtest::RaisedBy([&] { meter.ReadMemoryFileList(waveforms, frequencies, voices); }).m_nErrorCode,
              0x1002B);
    const std::vector<CKiv406FileInfo>* after[] = {&waveforms, &frequencies, &voices};
    for (size_t list = 0; list < 3; ++list) {
        SCOPED_TRACE(list);
        ASSERT_EQ(after[list]->size(), before[list].size());
        for (size_t i = 0; i < before[list].size(); ++i)
            EXPECT_TRUE(IsSameFileInfo((*after[list])[i], before[list][i]));
    }

    // With the broken recording gone the same lists grow by the new ones.
    device.With([](kivemu::MeterDevice& d, kivemu::DeviceState&) {
        d.files.erase(std::remove_if(d.files.begin(), d.files.end(),
                                     [](const auto& f) { return f.name.rfind("Q003", 0) == 0; }),
                      d.files.end());
    });
    meter.ReadMemoryFileList(waveforms, frequencies, voices);
    EXPECT_EQ(waveforms.size(), 2u);
    EXPECT_EQ(frequencies.size(), 2u);
    EXPECT_EQ(voices.size(), 2u);
}

TEST_F(MeterFilesTest, DataFileAndFileCount)
{
    AddRecording("D001", DataHeader(), "ABCDEFGH");
    std::vector<uint8_t> data;
    meter.ReadDataFile("D001", 8, data);
    EXPECT_EQ(std::string(data.begin(), data.end()), "ABCDEFGH");
    EXPECT_TRUE(meter.QueryFileCount());
    EXPECT_EQ(meter.GetFileCount(), 2);
    EXPECT_FALSE(meter.QueryFileCount());
    EXPECT_EQ(NewLines(), (Lines_t{"DATD001.DAT", "FLN", "FLN"}));

    Unit().AddCommand("FLN", Answer("7"));
    EXPECT_EQ(kivtest::RaisedBy([&] { meter.QueryFileCount(); }).m_nErrorCode, -1);
    EXPECT_EQ(meter.GetFileCount(), 0);
}

TEST_F(MeterFilesTest, HeaderSetsTheChannels)
{
    meter.ReadHeader(DataHeader({{"SERIES", "CH_002,CH_009"}, {"INTERVAL", "0.002"}}).c_str(), true);
    EXPECT_EQ(meter.GetValue(0, 0), 0);
    EXPECT_EQ(meter.GetValue(1, 0), 1);
    EXPECT_EQ(meter.GetValue(8, 0), 1);
    EXPECT_EQ(meter.GetChannelsOn(), 2);
    EXPECT_DOUBLE_EQ(meter.GetValue(0, 8), 2.0);
    EXPECT_EQ(meter.GetValue(0, 43), 0);
    EXPECT_EQ(meter.GetValue(1, 25), 0);
    EXPECT_EQ(meter.GetValue(1, 32), 2000);
    EXPECT_EQ(meter.GetValue(1, 31), 1000);
    EXPECT_EQ(meter.GetValue(1, 7), 16);

    meter.ReadHeader(DataHeader({{"HORZ_UNITS", "SAMPLES"}}).c_str(), true);
    EXPECT_EQ(meter.GetValue(0, 43), 2);
    EXPECT_EQ(meter.GetValue(0, 8), 1);
    EXPECT_DOUBLE_EQ(meter.GetValue(1, 24), 2.5);
    EXPECT_EQ(meter.GetValue(1, 32), HUGE_VAL);  // empty item
    EXPECT_EQ(meter.GetValue(1, 25), engunit::kNone);  // not a unit text
    EXPECT_EQ(meter.GetValue(1, 33), 1);
}

// ------------------------------------------------------------ header text

TEST(HeaderKeys, KeyValueLookup)
{
    struct Row {
        const char* name;
        const char* header;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"trimmed", "A  x y \r\nB 2\r\n", "A", "x y"},
        {"first occurrence, also inside a longer key", "NUM_SERIES 2\r\nSERIES CH_1\r\n", "SERIES", "2"},
        {"last line without CR", "A 1\r\nB 22", "B", "22"},
        {"absent", "A 1\r\n", "C", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString value;
        GetHeaderKeyValue(row.header, row.key, value);
        EXPECT_EQ(value, row.value);
    }
    fw::CString item;
    SplitHeaderList("a,,c", 3, item);
    EXPECT_EQ(item, "c");
    SplitHeaderList("a,,c", 4, item);
    EXPECT_EQ(item, "");
}

TEST(HeaderKeys, DataHeaderChecks)
{
    struct Row {
        const char* name;
        std::map<std::string, std::string> changes;
        bool valid;
    };
    const Row rows[] = {
        {"as written", {}, true},
        {"another instrument", {{"NAME", "KIV-999"}}, false},
        {"no series", {{"NUM_SERIES", "0"}, {"SERIES", "CH_001"}}, false},
        {"81 series", {{"NUM_SERIES", "81"}}, false},
        {"series count differs", {{"NUM_SERIES", "3"}}, false},
        {"year 1999", {{"DATE", "12/24/1999"}}, false},
        {"month 13", {{"DATE", "13/24/2023"}}, false},
        {"hour 24", {{"TIME", "24:00:00"}}, false},
        {"short date", {{"DATE", "12/24"}}, false},
        {"unit model unknown", {{"UNIT_TYPE", "KIV-999 KIV-437"}}, false},
        {"unit types cut short", {{"UNIT_TYPE", "KIV-417"}}, false},
        {"slope not a number", {{"SLOPE", "1,x"}}, false},
        {"interval missing", {{"INTERVAL", ""}}, false},
        {"version 1 needs no scales", {{"VERSION", "1"}, {"SLOPE", "1,x"}}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsValidDataHeader(DataHeader(row.changes).c_str()), row.valid);
    }
    EXPECT_TRUE(IsValidFrequencyHeader(FrequencyHeader().c_str()));
    EXPECT_FALSE(IsValidFrequencyHeader(FrequencyHeader("3").c_str()));
}

TEST(HeaderKeys, DateOfAHeader)
{
    EXPECT_EQ(GetHeaderDateTime("DATE 02/30/2023\r\nTIME 10:00:00\r\n").GetStatus(), fw::COleDateTime::invalid);
    EXPECT_EQ(GetHeaderDateTime("DATE 02/3\r\n").GetStatus(), fw::COleDateTime::invalid);
    EXPECT_DOUBLE_EQ(GetHeaderDateTime("DATE 02/03/2024\r\nTIME 01:02:03\r\n").m_dt, At(2024, 2, 3, 1, 2, 3).m_dt);
}

TEST(Kiv406FileInfo, OrderAndSameness)
{
    CKiv406FileInfo a;
    CKiv406FileInfo b;
    a.m_name = "B";
    b.m_name = "A";
    EXPECT_TRUE(b < a);  // both times null: by name
    a.m_headerTime = At(2024, 1, 1, 0, 0, 0);
    b.m_headerTime = fw::COleDateTime(a.m_headerTime.m_dt + 0.4 / 86400);
    EXPECT_TRUE(b < a);  // within half a second: by name
    EXPECT_FALSE(IsSameFileInfo(a, b));
    b.m_name = "B";
    EXPECT_TRUE(IsSameFileInfo(a, b));
    CKiv406FileInfo none;
    none.m_name = "Z";
    EXPECT_TRUE(none < a);  // a null time first
    none.m_ownerIndex = 3;
    none.m_unitTypes.SetAt(5, 2);
    none.Reset();
    EXPECT_EQ(none.m_ownerIndex, -1);
    EXPECT_EQ(none.m_name, "");
    EXPECT_EQ(none.m_unitTypes.GetAt(5), 2);  // the unit types stay
}
