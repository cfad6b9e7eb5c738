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

TEST_F(Kiv463SettingsText, KeysInAnyOrderTheLastOneWins)
{
    std::vector<std::string> lines(kDefaultLines.rbegin(), kDefaultLines.rend());
    lines.push_back("[GPS_CYCLE] 4");
    lines.push_back("");
    lines.push_back("[GPS_CYCLE] 5");
    // The control unit keeps the line that closed the transfer; it is no
    // key of the text and changes nothing.
    lines.push_back("[END]");
    lines.push_back("anything after the end");
    auto u = NewUnit();
    u->ReadSettingsText(Joined(lines));
    EXPECT_EQ(u->Gps().cycle, 5);
}

TEST_F(Kiv463SettingsText, ShortTextKeepsTheDefaultsOfItsMissingKeys)
{
    const std::string text = "[VERSION] 1.0A\r\n[VOICE_TRIG_LEVEL] 3\r\n[GPS_MONITOR1] vel\r\n";
    ASSERT_EQ(text.size(), 58u);
    auto u = BusyUnit();
    u->ReadSettingsText(text);
    EXPECT_TRUE(u->Voice().levelTrigger);
    EXPECT_EQ(u->Voice().triggerLevel, 3);
    EXPECT_EQ(u->GetSlotCode(0), 6);
    // Everything else is as a fresh unit has it.
    auto expected = NewUnit();
    expected->Voice().levelTrigger = true;
    expected->Voice().triggerLevel = 3;
    ASSERT_TRUE(expected->SetSlotCode(6, 0));
    EXPECT_EQ(SettingsText(*u), SettingsText(*expected));
}

TEST_F(Kiv463SettingsText, TextOfANewerFirmwareWithAnotherKeyReadsBack)
{
    auto busy = BusyUnit();
    std::vector<std::string> lines = SettingsLines(*busy);
    lines.insert(lines.begin() + 7, "[GPS_ANTENNA_DELAY] 12");
    lines.insert(lines.begin() + 23, "[CAN_FD_MODE] 1");
    auto u = NewUnit();
    u->ReadSettingsText(Joined(lines));
    EXPECT_EQ(SettingsText(*u), SettingsText(*busy));
    EXPECT_EQ(u->GetSlotCode(4), 101);
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

// A text with one line of the busy unit's text replaced.
std::string BusyTextWith(const char* find, const char* replace)
{
    std::vector<std::string> lines = SettingsLines(*BusyUnit());
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (it->compare(0, std::string(find).size(), find) == 0) {
            if (*replace)
                *it = replace;
            else
                lines.erase(it);
            return Joined(lines);
        }
    }
    ADD_FAILURE() << "no line " << find;
    return {};
}

TEST_F(Kiv463SettingsText, LinesItCannotUseAreReadAsTheControlUnitReadsThem)
{
    struct Row {
        const char* name;
        const char* find;    // a line (prefix) of the busy unit's text ...
        const char* replace; // ... replaced by this text ("" removes it)
        std::string (*check)(const CKiv463Unit&);
        std::string expected;
    };
    auto cycle = [](const CKiv463Unit& u) { return std::to_string(u.Gps().cycle); };
    auto messages = [](const CKiv463Unit& u) {
        std::string names;
        for (int e = 0; e < CCanNodeArray::kEntries; ++e)
            if (const C463CanMesNode* m = u.Messages().GetAt(e))
                names += std::to_string(e + 1) + m->GetName().str() + " ";
        return names;
    };
    const Row rows[] = {
        {"unknown key is passed over", "[GPS_CYCLE]", "[GPS_CYCLES] 1", cycle, "0"},
        {"line without a key is passed over", "[GPS_CYCLE]", "GPS_CYCLE 1", cycle, "0"},
        {"value not a number reads 0", "[CAN_STORAGE_SIZE]", "[CAN_STORAGE_SIZE] lots",
         [](const CKiv463Unit& u) { return std::to_string(u.Can().memoryBytes); }, "0"},
        {"number with a tail reads its number", "[GPS_BOUDRATE]", "[GPS_BOUDRATE] 4800bps",
         [](const CKiv463Unit& u) { return std::to_string(u.Gps().bitRate); }, "4800"},
        {"receiver three", "[GPS_RECEIVER]", "[GPS_RECEIVER] -3",
         [](const CKiv463Unit& u) { return std::to_string(u.Gps().receiver); }, "3"},
        {"cycle six", "[GPS_CYCLE]", "[GPS_CYCLE] 6", cycle, "6"},
        {"flag two is off", "[CAN_RETURN_ACK]", "[CAN_RETURN_ACK] 2",
         [](const CKiv463Unit& u) { return std::to_string(u.Can().ackOutput); }, "0"},
        {"missing key keeps its default", "[CAN_RETURN_ACK]", "",
         [](const CKiv463Unit& u) { return std::to_string(u.Can().ackOutput); }, "1"},
        {"trigger level beyond the three levels", "[VOICE_TRIG_LEVEL]", "[VOICE_TRIG_LEVEL] 7",
         [](const CKiv463Unit& u) { return std::to_string(u.Voice().levelTrigger) + "," + std::to_string(u.Voice().triggerLevel); },
         "1,7"},
        {"two-slot item in slot eight leaves it empty", "[GPS_MONITOR8]", "[GPS_MONITOR8] lat_abso_deg",
         [](const CKiv463Unit& u) { return std::to_string(u.Gps().monitorItems[7]) + "," + std::to_string(u.GetSlotCode(7)); },
         "0,200"},
        {"receive block without its end loses its last message", "[CAN_MESSAGE_END]", "", messages,
         "1ENGINE 3OUT "},
        {"signal line cut short keeps the initial values of the rest", "[CAN_SG_] SPEED",
         "[CAN_SG_] SPEED : 7|16@0+ (0.01",
         [](const CKiv463Unit& u) {
             const C463CanMesSignal* s = u.Messages().GetAt(1)->Signals().GetAt(0);
             return s->FormatSgLine().str() + "," + std::to_string(u.GetSlotCode(7));
         },
         "SPEED : 7|16@0+ (0.01,0) [0|0] \" \" 0 0,0"},
        {"message line without a length keeps 2", "[CAN_BO_] 2432630785", "[CAN_BO_] 2432630785 BODY x ",
         [](const CKiv463Unit& u) { return std::to_string(u.Messages().GetAt(1)->GetLength()); }, "2"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto u = NewUnit();
        EXPECT_NO_THROW(u->ReadSettingsText(BusyTextWith(r.find, r.replace)));
        EXPECT_EQ(r.check(*u), r.expected);
    }
}

struct RefusedRow {
    const char* name;
    const char* find;
    const char* replace;
    int line; // the line the refusal names
};

class Kiv463SettingsTextRefused : public ::testing::TestWithParam<RefusedRow> {
protected:
    static void SetUpTestSuite() { RegisterCanVoiceGpsClasses(); }
};

TEST_P(Kiv463SettingsTextRefused, NamesTheLineAndLeavesTheUnitAsItWas)
{
    const RefusedRow& r = GetParam();
    const std::string text = BusyTextWith(r.find, r.replace);
    auto u = BusyUnit();
    ASSERT_TRUE(u->SetValue(3, 12, 99)); // not part of the text: must stay too
    const std::string before = SettingsText(*u);
    try {
        u->ReadSettingsText(text);
        ADD_FAILURE() << "accepted";
    } catch (const CZelException& e) {
        fw::CString message;
        ASSERT_TRUE(e.GetErrorMessage(message));
        EXPECT_NE(message.Find((std::to_string(r.line) + "行目").c_str()), -1) << message;
    }
    EXPECT_EQ(SettingsText(*u), before);
    EXPECT_EQ(u->GetSlotCode(4), 101);
    EXPECT_EQ(u->GetValue(4, 0), 1.0);
    EXPECT_EQ(u->GetValue(3, 12), 99);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Kiv463SettingsTextRefused,
    ::testing::Values(
        RefusedRow{"MonitorNine", "[GPS_MONITOR8]", "[GPS_MONITOR9] vel", 15},
        RefusedRow{"MonitorWithoutNumber", "[GPS_MONITOR1]", "[GPS_MONITOR] vel", 8},
        RefusedRow{"BitPositionOutOfRange", "[CAN_SG_] RPM", "[CAN_SG_] RPM : 99|16@1+ (1,0) [0|0] \" \" 0 0", 26},
        RefusedRow{"BitLengthOutOfRange", "[CAN_SG_] RPM", "[CAN_SG_] RPM : 0|100@1+ (1,0) [0|0] \" \" 0 0", 26},
        RefusedRow{"ByteOrderTwo", "[CAN_SG_] TEMP", "[CAN_SG_] TEMP : 23|8@2- (1,-40) [-40|215] \"C\" 0 5", 27},
        RefusedRow{"DataLengthNine", "[CAN_BO_] 291", "[CAN_BO_] 291 ENGINE 9 ECU", 25},
        RefusedRow{"SendMessageOfFourBytes", "[CAN_BO_] 1792", "[CAN_BO_] 1792 OUT 4 PC", 34}),
    [](const ::testing::TestParamInfo<RefusedRow>& info) { return std::string(info.param.name); });

TEST_F(Kiv463SettingsText, TextCutAnywhereLoadsWhatItHolds)
{
    const std::string text = SettingsText(*BusyUnit());
    for (size_t cut = 0; cut <= text.size(); cut += 3) {
        SCOPED_TRACE(cut);
        auto u = NewUnit();
        EXPECT_NO_THROW(u->ReadSettingsText(text.substr(0, cut)));
    }
    // Cut after the last signal of the receive block: its message is lost,
    // the one before stays whole.
    const size_t end = text.find("[CAN_MESSAGE_END]");
    auto u = NewUnit();
    u->ReadSettingsText(text.substr(0, end));
    ASSERT_NE(u->Messages().GetAt(0), nullptr);
    EXPECT_EQ(u->Messages().GetAt(0)->Signals().GetSize(), 2);
    EXPECT_EQ(u->Messages().GetAt(1), nullptr);
    EXPECT_EQ(u->GetSlotCode(4), 101);
    EXPECT_EQ(u->GetSlotCode(7), 0);
}

} // namespace
