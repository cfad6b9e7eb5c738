#include "canvoicegps/Kiv463Exchange.h"
#include "canvoicegps/Kiv463Unit.h"
#include "common/base/ZelException.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/meter/MeterVersion.h"
#include "instrument/unit/Unit463Services.h"
#include "tests/canvoicegps/CanTestSupport.h"
#include "tests/emulator/Unit463Commands.h"
#include "tests/support/link/MeterFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using LineList = std::vector<std::string>;

class Kiv463Exchange : public metertest::MeterLinkTest {
protected:
    static void SetUpTestSuite()
    {
        metertest::MeterLinkTest::SetUpTestSuite();
        RegisterCanVoiceGpsClasses();
    }

    // CAN/voice/GPS units in ports 3 and 7 (indices 2 and 6).
    void InstallTwoUnits() { Install({1, 0, 8, 0, 0, 0, 8}); }

    CKiv463Unit& UnitAt(int port)
    {
        CKiv463Unit* unit = unit463::UnitInPort(meter, port);
        EXPECT_NE(unit, nullptr) << port;
        return *unit;
    }

    std::string File(int port)
    {
        return files.With([&](kivemu::Unit463Device& d) {
            const auto it = d.files.find(kivemu::Unit463Device::FileName(port));
            return it == d.files.end() ? std::string() : it->second;
        });
    }

    void PutFile(int port, const std::string& bytes)
    {
        files.With([&](kivemu::Unit463Device& d) { d.files[kivemu::Unit463Device::FileName(port)] = bytes; });
    }

    static void Configure(CKiv463Unit& u, uint32_t canMemory)
    {
        u.Can().memoryBytes = canMemory;
        u.Gps().receiver = 1;
        cantest::AddMessage(u, false, "291 ENG 8 ", {"RPM : 0|16@1+ (0.25,0) [0|0] \"rpm\" 0 0"});
        EXPECT_TRUE(u.SetSlotCode(100, 1));
        EXPECT_TRUE(u.SetSlotCode(14, 0));
    }

    kivemu::Unit463Emulator files{Unit()};
};

TEST_F(Kiv463Exchange, SendGoesPortByPortAndIsStoredSilently)
{
    InstallTwoUnits();
    Configure(UnitAt(2), 1000);
    ForgetLines();
    unit463::SendSettings(meter);

    LineList expected;
    for (int port : {2, 6}) {
        expected.push_back("FTC" + std::to_string(port + 1));
        for (const std::string& line : cantest::SettingsLines(UnitAt(port)))
            expected.push_back(line);
        expected.push_back("[END]");
    }
    // The emulator's line framing drops nothing but the line ends.
    EXPECT_EQ(NewLines(), expected);
    EXPECT_EQ(File(3), cantest::SettingsText(UnitAt(2)) + "[END]\r\n");
    EXPECT_EQ(File(7), cantest::SettingsText(UnitAt(6)) + "[END]\r\n");
}

TEST(Unit463Emulator, SettingsLinesGetNoReplyAndEndCloseTheFile)
{
    kivemu::ControlUnit unit;
    kivemu::Unit463Emulator files(unit);
    auto reply = [&](const std::string& line) {
        const std::vector<uint8_t> bytes = unit.Handle(line).bytes;
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_EQ(reply("[VERSION] 1.0A"), "ERR 022\r\n") << "no transfer open";
    EXPECT_EQ(reply("FTC4"), "");
    EXPECT_EQ(reply("[VERSION] 1.0A"), "");
    EXPECT_EQ(reply("[GPS_MONITOR1] "), "");
    EXPECT_EQ(reply("[END]"), "OK\r\n");
    EXPECT_EQ(reply("DIR TOP/data_mem"), "KIV463_04.SET,40\r\nEND\r\n");
    EXPECT_EQ(reply("DAT TOP/data_mem/KIV463_04.SET"), "[VERSION] 1.0A\r\n[GPS_MONITOR1] \r\n[END]\r\n");
    EXPECT_EQ(reply("DAT TOP/data_mem/KIV463_05.SET"), "ERR 020\r\n");
    EXPECT_EQ(reply("FTC11"), "ERR 020\r\n");
}

TEST_F(Kiv463Exchange, ErrorReplyToEndIsRaised)
{
    InstallTwoUnits();
    Unit().GetFaults().ErrorOn("[END]", 20);
    try {
        unit463::SendSettings(meter);
        FAIL() << "no error";
    } catch (const CZelException& e) {
        EXPECT_EQ(e.m_nErrorCode, 0x10000 + 20);
    }
}

TEST_F(Kiv463Exchange, ReadBackLoadsEachListedFile)
{
    InstallTwoUnits();
    CKiv463Unit source;
    source.InitChannels();
    Configure(source, 1234);
    PutFile(3, cantest::SettingsText(source) + "[END]\r\n");
    UnitAt(6).Voice().memoryBytes = 777; // its port has no file: it keeps this
    files.With([](kivemu::Unit463Device& d) { d.extraListLines = {"A0001.HED,100", "KIV463_99.SET,5"}; });
    ForgetLines();

    unit463::ReceiveSettings(meter);
    EXPECT_EQ(NewLines(), (LineList{"DIR TOP/data_mem", "DAT TOP/data_mem/KIV463_03.SET"}));
    EXPECT_EQ(cantest::SettingsText(UnitAt(2)), cantest::SettingsText(source));
    EXPECT_EQ(UnitAt(2).GetSlotCode(1), 100);
    EXPECT_EQ(UnitAt(6).Voice().memoryBytes, 777u);
}

TEST_F(Kiv463Exchange, SentSettingsComeBackThroughTheHooks)
{
    InstallTwoUnits();
    Configure(UnitAt(2), 1000);
    Configure(UnitAt(6), 2000);
    const std::string third = cantest::SettingsText(UnitAt(2));
    const std::string seventh = cantest::SettingsText(UnitAt(6));
    IUnit463Services* installed = fw::Installed<IUnit463Services>();
    ASSERT_NE(installed, nullptr);
    installed->SendSettings(meter);
    UnitAt(2).SetDefaults();
    UnitAt(6).SetDefaults();
    installed->ReceiveSettings(meter);
    EXPECT_EQ(cantest::SettingsText(UnitAt(2)), third);
    EXPECT_EQ(cantest::SettingsText(UnitAt(6)), seventh);
    EXPECT_TRUE(unit463::HasStorage(meter));
}

TEST_F(Kiv463Exchange, NoListedFileSendsNoFetch)
{
    InstallTwoUnits();
    Configure(UnitAt(2), 1000);
    const std::string before = cantest::SettingsText(UnitAt(2));
    ForgetLines();
    unit463::ReceiveSettings(meter);
    EXPECT_EQ(NewLines(), LineList{"DIR TOP/data_mem"});
    EXPECT_EQ(cantest::SettingsText(UnitAt(2)), before);
}

std::string OutsideTheFrame(std::string text)
{
    const size_t layout = text.find("0|16@1+");
    EXPECT_NE(layout, std::string::npos);
    return text.replace(layout, 1, "99");
}

TEST_F(Kiv463Exchange, BadFilesLeaveTheUnitAsItWas)
{
    struct Row {
        const char* name;
        std::string bytes;
        int listedSize; // -1: the real size
        int32_t code;   // CZelException code expected
    };
    CKiv463Unit source;
    source.InitChannels();
    Configure(source, 4321);
    const std::string good = cantest::SettingsText(source) + "[END]\r\n";
    const Row rows[] = {
        {"block shorter than listed", good, static_cast<int>(good.size()) + 10, 0},
        {"signal outside any frame", OutsideTheFrame(good), -1, 1},
        {"error instead of the file", "ERR 021\r\n", -1, 0x10000 + 21},
        {"listed size beyond any settings file", good, 1 << 24, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        InstallTwoUnits();
        Configure(UnitAt(2), 1000);
        const std::string before = cantest::SettingsText(UnitAt(2));
        PutFile(3, r.bytes);
        files.With([&](kivemu::Unit463Device& d) {
            d.listedSizes.clear();
            if (r.listedSize >= 0)
                d.listedSizes[kivemu::Unit463Device::FileName(3)] = r.listedSize;
        });
        try {
            unit463::ReceiveSettings(meter);
            ADD_FAILURE() << "no error";
        } catch (const CZelException& e) {
            if (r.code != 0) {
                EXPECT_EQ(e.m_nErrorCode, r.code);
            }
        }
        EXPECT_EQ(cantest::SettingsText(UnitAt(2)), before);
        // Whatever is left of a broken reply must not reach the next command.
        link.ClearInput();
    }
}

TEST_F(Kiv463Exchange, ReadBackOfATextFromANewerFirmwareGoesOn)
{
    InstallTwoUnits();
    CKiv463Unit source;
    source.InitChannels();
    Configure(source, 1234);
    std::vector<std::string> lines = cantest::SettingsLines(source);
    lines.insert(lines.begin() + 1, "[GPS_ANTENNA_DELAY] 12");
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    PutFile(3, text + "[END]\r\n");
    meter.SetFirmwareVersion(meterversion::Pack("2.2A"));
    ForgetLines();

    EXPECT_TRUE(meter.ReadAllSettings());
    const LineList sent = NewLines();
    const auto fetch = std::find(sent.begin(), sent.end(), "DAT TOP/data_mem/KIV463_03.SET");
    ASSERT_NE(fetch, sent.end());
    EXPECT_NE(std::find(fetch, sent.end(), "RES"), sent.end()) << "the read-back goes on after the unit's file";
    EXPECT_EQ(cantest::SettingsText(UnitAt(2)), cantest::SettingsText(source));
}

TEST_F(Kiv463Exchange, MemoryFileInfoTakesTheListedNameAndSize)
{
    device.AddFile("A0007.GPS", std::string(345, 'g'));
    CKiv406FileInfo info;
    info.m_name = "A0007";
    info.m_interval = 5.0;
    info.m_sampleCount = 9;
    ForgetLines();
    unit463::GetMemoryFileInfo(meter, info, "GPS");
    EXPECT_EQ(NewLines(), LineList{"DIR A0007.GPS"});
    EXPECT_EQ(info.m_name, "A0007");
    EXPECT_EQ(info.m_dataSize, 345);
    EXPECT_EQ(info.m_interval, 1.0);
    EXPECT_EQ(info.m_sampleCount, 0);
}

TEST_F(Kiv463Exchange, QuestionsAboutTheUnits)
{
    Install({1, 8});
    EXPECT_TRUE(unit463::HasStorage(meter));
    UnitAt(1).Voice().memoryBytes = 0;
    UnitAt(1).Gps().memoryBytes = 0;
    UnitAt(1).Can().memoryBytes = 0;
    EXPECT_FALSE(unit463::HasStorage(meter));
    fw::CStringArray lines;
    EXPECT_FALSE(unit463::GetSettingsText(meter, 0, lines));
    EXPECT_TRUE(unit463::GetSettingsText(meter, 1, lines));
    EXPECT_EQ(lines.GetSize(), 22);
    EXPECT_THROW(unit463::GetSettingsText(meter, 10, lines), fw::CInvalidArgException);

    C463CanMesNode* a = UnitAt(1).Messages().AddMessage(true);
    a->SetDuplicate(true);
    unit463::ClearCanDuplicateFlags(meter);
    EXPECT_FALSE(a->IsDuplicate());
}

} // namespace
