#include "canvoicegps/Kiv463Unit.h"
#include "common/base/ZelException.h"
#include "tests/canvoicegps/CanTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cantest::AddMessage;
using cantest::NewUnit;
using cantest::SettingsLines;
using cantest::SettingsText;

class Kiv463SettingsText : public cantest::Registered {};

const std::vector<std::string> kDefaultLines = {
    "[VERSION] 1.0A",
    "[GPS_STORAGE_SIZE] 2000000",
    "[GPS_BOUDRATE] 115200",
    "[GPS_RECEIVER] -0",
    "[GPS_SPEED_CORRECT] 0",
    "[GPS_SPEED_LIMIT_L] 0.5",
    "[GPS_CYCLE] 0",
    "[GPS_MONITOR1] ",
    "[GPS_MONITOR2] ",
    "[GPS_MONITOR3] ",
    "[GPS_MONITOR4] ",
    "[GPS_MONITOR5] ",
    "[GPS_MONITOR6] ",
    "[GPS_MONITOR7] ",
    "[GPS_MONITOR8] ",
    "[VOICE_STORAGE_SIZE] 2000000",
    "[VOICE_TRIG_LEVEL] 0",
    "[CAN_STORAGE_SIZE] 2000000",
    "[CAN_CYCLETIME] 125000",
    "[CAN_SINGLE_SHOT] 1",
    "[CAN_RETURN_BUS_OFF] 1",
    "[CAN_RETURN_ACK] 1",
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    return text;
}

// A unit that uses every part of the text.
std::unique_ptr<CKiv463Unit> BusyUnit()
{
    auto u = NewUnit();
    u->Gps().receiver = 2;
    u->Gps().speedCorrection = false;
    u->Gps().cycle = 3;
    u->Gps().bitRate = 9600;
    u->Gps().memoryBytes = 1000000;
    u->Gps().lowerSpeedLimit = 12;
    u->Voice().levelTrigger = true;
    u->Voice().triggerLevel = 3;
    u->Voice().memoryBytes = 1500000;
    u->Can().memoryBytes = 3500000;
    u->Can().bitRate = 500000;
    u->Can().singleShot = false;
    u->Can().ackOutput = false;
    AddMessage(*u, false, "291 ENGINE 8 ECU",
               {"RPM : 0|16@1+ (0.25,0) [0|16000] \"rpm\" 2 0", "TEMP : 23|8@0- (1,-40) [-40|215] \"C\" 0 0"});
    C463CanMesNode* ext = AddMessage(*u, false, "2432630785 BODY 4 ", {"SPEED : 7|16@0+ (0.01,0) [0|655.35] \"km/h\" 2 0"});
    ext->SetRemoteFrame(true);
    AddMessage(*u, true, "1792 OUT 2 PC", {"CH12 : 7|16@0- (1,0) [0|0] \" \" 0 12"});
    EXPECT_TRUE(u->SetSlotCode(11, 0));  // gps_lon_abso_deg, two slots
    EXPECT_TRUE(u->SetSlotCode(14, 2));  // gps_vel
    EXPECT_TRUE(u->SetSlotCode(101, 4)); // TEMP
    EXPECT_TRUE(u->SetSlotCode(200, 7)); // SPEED
    return u;
}

TEST_F(Kiv463SettingsText, DefaultUnitWritesExactlyTheKeyLines)
{
    EXPECT_EQ(SettingsLines(*NewUnit()), kDefaultLines);
}

TEST_F(Kiv463SettingsText, BusyUnitLines)
{
    const std::vector<std::string> lines = SettingsLines(*BusyUnit());
    const std::vector<std::string> expected = {
        "[VERSION] 1.0A",
        "[GPS_STORAGE_SIZE] 1000000",
        "[GPS_BOUDRATE] 9600",
        "[GPS_RECEIVER] -2",
        "[GPS_SPEED_CORRECT] 0",
        "[GPS_SPEED_LIMIT_L] 1.2",
        "[GPS_CYCLE] 3",
        "[GPS_MONITOR1] gps_lon_abso_deg",
        "[GPS_MONITOR2] ",
        "[GPS_MONITOR3] gps_vel",
        "[GPS_MONITOR4] ",
        "[GPS_MONITOR5] ",
        "[GPS_MONITOR6] ",
        "[GPS_MONITOR7] ",
        "[GPS_MONITOR8] ",
        "[VOICE_STORAGE_SIZE] 1500000",
        "[VOICE_TRIG_LEVEL] 3",
        "[CAN_STORAGE_SIZE] 3500000",
        "[CAN_CYCLETIME] 500000",
        "[CAN_SINGLE_SHOT] 0",
        "[CAN_RETURN_BUS_OFF] 1",
        "[CAN_RETURN_ACK] 0",
        "[CAN_MESSAGE_RECEIVE]",
        "[CAN_SLOT_] 1 0",
        "[CAN_BO_] 291 ENGINE 8 ECU",
        "[CAN_SG_] RPM : 0|16@1+ (0.25,0) [0|16000] \"rpm\" 2 0",
        "[CAN_SG_] TEMP : 23|8@0- (1,-40) [-40|215] \"C\" 0 5",
        "[CAN_SLOT_] 2 1",
        "[CAN_BO_] 2432630785 BODY 4 ",
        "[CAN_SG_] SPEED : 7|16@0+ (0.01,0) [0|655.35] \"km/h\" 2 8",
        "[CAN_MESSAGE_END]",
        "[CAN_MESSAGE_SEND]",
        "[CAN_SLOT_] 3 0",
        "[CAN_BO_] 1792 OUT 2 PC",
        "[CAN_SG_] CH12 : 7|16@0- (1,0) [0|0] \" \" 0 12",
        "[CAN_MESSAGE_END]",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(Kiv463SettingsText, WrittenTextReadsBackIntoTheSameUnit)
{
    auto busy = BusyUnit();
    const std::string text = SettingsText(*busy);
    auto fresh = NewUnit();
    fresh->ReadSettingsText(text);
    EXPECT_EQ(SettingsText(*fresh), text);
    for (int slot = 0; slot < 8; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(fresh->GetSlotCode(slot), busy->GetSlotCode(slot));
        EXPECT_EQ(fresh->GetValue(slot, 0), busy->GetValue(slot, 0));
        // An empty slot counts no bits once its slots are rebuilt.
        EXPECT_EQ(fresh->GetValue(slot, 200), busy->GetValue(slot, 0) != 0 ? busy->GetValue(slot, 200) : 0);
    }
    EXPECT_FALSE(fresh->Messages().GetAt(1)->IsStandard());
    EXPECT_EQ(fresh->Messages().GetAt(1)->GetIdentifier(), 0x10FF0001u);
    EXPECT_EQ(fresh->Messages().GetAt(0)->Signals().GetAt(1)->GetSign(), '-');
    EXPECT_EQ(fresh->Messages().GetAt(0)->Signals().GetAt(1)->GetByteOrder(), 0);
}

TEST_F(Kiv463SettingsText, SignalCodesAreGivenAnewInSignalOrder)
{
    auto u = NewUnit();
    C463CanMesNode* m = AddMessage(*u, false, "1 M 8 ",
                                   {"A : 0|8@1+ (1,0) [0|0] \" \" 0 0", "B : 8|8@1+ (1,0) [0|0] \" \" 0 0",
                                    "C : 16|8@1+ (1,0) [0|0] \" \" 0 0"});
    delete m->Signals().RemoveSignal(m->Signals().GetAt(1));
    ASSERT_TRUE(u->SetSlotCode(102, 0));
    auto fresh = NewUnit();
    fresh->ReadSettingsText(SettingsText(*u));
    EXPECT_EQ(fresh->Messages().GetAt(0)->Signals().GetAt(1)->GetCode(), 101) << "the gap closes";
    EXPECT_EQ(fresh->GetSlotCode(0), 101) << "the slot follows its signal";
}

TEST_F(Kiv463SettingsText, SingleLinesOfATextFromTheControlUnit)
{
    struct Row {
        const char* name;
        const char* line; // replaces the default line with the same key
        std::string (*check)(const CKiv463Unit&);
        std::string expected;
    };
    const Row rows[] = {
        {"trigger level 3 turns the level trigger on", "[VOICE_TRIG_LEVEL] 3",
         [](const CKiv463Unit& u) { return std::to_string(u.Voice().levelTrigger) + "," + std::to_string(u.Voice().triggerLevel); },
         "1,3"},
        {"speed limit cut toward zero", "[GPS_SPEED_LIMIT_L] 1.25",
         [](const CKiv463Unit& u) { return std::to_string(u.Gps().lowerSpeedLimit); }, "12"},
        {"receiver without the minus", "[GPS_RECEIVER] 1",
         [](const CKiv463Unit& u) { return std::to_string(u.Gps().receiver); }, "1"},
        {"monitor line names an item", "[GPS_MONITOR2] vel",
         [](const CKiv463Unit& u) { return std::to_string(u.GetSlotCode(1)); }, "6"},
        {"monitor line with no item name", "[GPS_MONITOR2] speed",
         [](const CKiv463Unit& u) { return std::to_string(u.GetSlotCode(1)); }, "0"},
        {"bit rate under the cycle-time key", "[CAN_CYCLETIME] 250000",
         [](const CKiv463Unit& u) { return std::to_string(u.Can().bitRate); }, "250000"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::string> lines = kDefaultLines;
        const std::string key = std::string(r.line).substr(0, std::string(r.line).find(']') + 1);
        for (std::string& l : lines)
            if (l.compare(0, key.size(), key) == 0)
                l = r.line;
        auto u = NewUnit();
        u->ReadSettingsText(Joined(lines));
        EXPECT_EQ(r.check(*u), r.expected);
    }
}

TEST_F(Kiv463SettingsText, KeysInAnyOrderTheLastOneWinsAndEndStopsReading)
{
    std::vector<std::string> lines(kDefaultLines.rbegin(), kDefaultLines.rend());
    lines.push_back("[GPS_CYCLE] 4");
    lines.push_back("");
    lines.push_back("[GPS_CYCLE] 5");
    lines.push_back("[END]");
    lines.push_back("[GPS_CYCLE] 2");
    lines.push_back("anything after the end");
    auto u = NewUnit();
    u->ReadSettingsText(Joined(lines));
    EXPECT_EQ(u->Gps().cycle, 5);
}

TEST_F(Kiv463SettingsText, MonitorLineAfterItsSignalsBlockKeepsTheSignalSlot)
{
    auto busy = BusyUnit();
    std::vector<std::string> lines = SettingsLines(*busy);
    // The blocks first, the key lines after them.
    std::vector<std::string> reordered(lines.begin() + 22, lines.end());
    reordered.insert(reordered.end(), lines.begin(), lines.begin() + 22);
    auto u = NewUnit();
    u->ReadSettingsText(Joined(reordered));
    EXPECT_EQ(u->GetSlotCode(4), 101);
    EXPECT_EQ(SettingsText(*u), SettingsText(*busy));
}

struct DamagedRow {
    const char* name;
    const char* find;    // a line (prefix) of the busy unit's text ...
    const char* replace; // ... replaced by this text ("" removes it)
};

class Kiv463SettingsTextDamaged : public ::testing::TestWithParam<DamagedRow> {
protected:
    static void SetUpTestSuite() { RegisterCanVoiceGpsClasses(); }
};

TEST_P(Kiv463SettingsTextDamaged, IsRefusedAndLeavesTheUnitAsItWas)
{
    const DamagedRow& r = GetParam();
    std::vector<std::string> lines = SettingsLines(*BusyUnit());
    bool found = false;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (it->compare(0, std::string(r.find).size(), r.find) == 0) {
            if (*r.replace)
                *it = r.replace;
            else
                lines.erase(it);
            found = true;
            break;
        }
    }
    ASSERT_TRUE(found) << r.find;

    auto u = BusyUnit();
    ASSERT_TRUE(u->SetValue(3, 12, 99)); // not part of the text: must stay too
    const std::string before = SettingsText(*u);
    EXPECT_THROW(u->ReadSettingsText(Joined(lines)), CZelException);
    EXPECT_EQ(SettingsText(*u), before);
    EXPECT_EQ(u->GetSlotCode(4), 101);
    EXPECT_EQ(u->GetValue(4, 0), 1.0);
    EXPECT_EQ(u->GetValue(3, 12), 99);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Kiv463SettingsTextDamaged,
    ::testing::Values(
        DamagedRow{"UnknownKey", "[GPS_CYCLE]", "[GPS_CYCLES] 1"},
        DamagedRow{"ValueNotANumber", "[CAN_STORAGE_SIZE]", "[CAN_STORAGE_SIZE] lots"},
        DamagedRow{"ReceiverThree", "[GPS_RECEIVER]", "[GPS_RECEIVER] -3"},
        DamagedRow{"CycleSix", "[GPS_CYCLE]", "[GPS_CYCLE] 6"},
        DamagedRow{"FlagTwo", "[CAN_SINGLE_SHOT]", "[CAN_SINGLE_SHOT] 2"},
        DamagedRow{"MonitorNine", "[GPS_MONITOR8]", "[GPS_MONITOR9] vel"},
        DamagedRow{"TwoSlotItemInSlotEight", "[GPS_MONITOR8]", "[GPS_MONITOR8] lat_abso_deg"},
        DamagedRow{"MissingKeyLineOfATruncatedText", "[CAN_RETURN_ACK]", ""},
        DamagedRow{"MissingMessageEnd", "[CAN_MESSAGE_END]", ""},
        DamagedRow{"BitPositionOutOfRange", "[CAN_SG_] RPM", "[CAN_SG_] RPM : 99|16@1+ (1,0) [0|0] \" \" 0 0"},
        DamagedRow{"BitLengthOutOfRange", "[CAN_SG_] RPM", "[CAN_SG_] RPM : 0|100@1+ (1,0) [0|0] \" \" 0 0"},
        DamagedRow{"SignalLineCutShort", "[CAN_SG_] SPEED", "[CAN_SG_] SPEED : 7|16@0+ (0.01"},
        DamagedRow{"LineWithoutKey", "[GPS_CYCLE]", "GPS_CYCLE 1"}),
    [](const ::testing::TestParamInfo<DamagedRow>& info) { return std::string(info.param.name); });

TEST_F(Kiv463SettingsText, TextCutInTheMiddleIsRefused)
{
    const std::string text = SettingsText(*BusyUnit());
    auto u = NewUnit();
    const std::string before = SettingsText(*u);
    // Cut at every line end and in the middle of every line: nothing is
    // complete except the whole text (or the whole text less its last line
    // end).
    for (size_t cut = 0; cut + 2 < text.size(); cut += 7) {
        SCOPED_TRACE(cut);
        EXPECT_THROW(u->ReadSettingsText(text.substr(0, cut)), CZelException);
    }
    EXPECT_EQ(SettingsText(*u), before);
}

TEST_F(Kiv463SettingsText, RefusalNamesTheLine)
{
    std::vector<std::string> lines = kDefaultLines;
    lines[6] = "[GPS_CYCLE] x";
    try {
        NewUnit()->ReadSettingsText(Joined(lines));
        FAIL() << "accepted";
    } catch (const CZelException& e) {
        fw::CString message;
        ASSERT_TRUE(e.GetErrorMessage(message));
        EXPECT_NE(message.Find("7行目"), -1) << message;
        EXPECT_NE(message.Find("[GPS_CYCLE]"), -1) << message;
    }
}

} // namespace
