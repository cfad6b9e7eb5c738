#include "canvoicegps/CanNodeArray.h"
#include "common/base/ZelException.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const CCanNodeArray& db, bool send)
{
    fw::CStringArray lines;
    int next = 0;
    db.WriteMessages(send, lines, next);
    EXPECT_EQ(next, lines.GetSize());
    std::vector<std::string> out;
    for (const fw::CString& l : lines)
        out.push_back(l.str());
    return out;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    return text;
}

// Reads a block that follows its header line.
void Read(CCanNodeArray& db, bool send, const std::string& block)
{
    size_t pos = 0;
    db.ReadMessages(send, block, pos);
}

const std::vector<std::string> kReceiveBlock = {
    "[CAN_MESSAGE_RECEIVE]",
    "[CAN_SLOT_] 1 0",
    "[CAN_BO_] 291 ENGINE 8 ECU",
    "[CAN_SG_] RPM : 0|16@1+ (0.25,0) [0|16383] \"rpm\" 2 0",
    "[CAN_SG_] TEMP : 23|8@0- (1,-40) [-40|215] \"C\" 0 3",
    "[CAN_SLOT_] 3 1",
    "[CAN_BO_] 2432630785 BODY 4 ",
    "[CAN_SG_] SPEED : 7|16@0+ (0.01,0) [0|655.35] \"km/h\" 2 1",
    "[CAN_SG_] FLAG : 16|1@1+ (1,0) [0|1] \" \" 0 0",
    "[CAN_SG_] TINY : 24|4@1- (1e-005,0) [0|0] \" \" 5 0",
    "[CAN_MESSAGE_END]",
};

const std::vector<std::string> kSendBlock = {
    "[CAN_MESSAGE_SEND]",
    "[CAN_SLOT_] 2 0",
    "[CAN_BO_] 1792 OUT 2 PC",
    "[CAN_SG_] CH12 : 7|16@0- (1,0) [0|0] \" \" 0 12",
    "[CAN_MESSAGE_END]",
};

CCanNodeArray& Sample(CCanNodeArray& db)
{
    Read(db, CCanNodeArray::kReceive, Joined(std::vector<std::string>(kReceiveBlock.begin() + 1, kReceiveBlock.end())));
    Read(db, CCanNodeArray::kSend, Joined(std::vector<std::string>(kSendBlock.begin() + 1, kSendBlock.end())));
    return db;
}

TEST(CanDatabaseText, ReadThenWriteGivesTheSameLines)
{
    CCanNodeArray db;
    Sample(db);
    EXPECT_EQ(Lines(db, CCanNodeArray::kReceive), kReceiveBlock);
    EXPECT_EQ(Lines(db, CCanNodeArray::kSend), kSendBlock);

    const C463CanMesNode* engine = db.GetAt(0);
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(engine->IsStandard());
    EXPECT_EQ(engine->GetIdentifier(), 0x123u);
    const C463CanMesNode* body = db.GetAt(2);
    ASSERT_NE(body, nullptr);
    EXPECT_FALSE(body->IsStandard());
    EXPECT_EQ(body->GetIdentifier(), 0x10FF0001u);
    EXPECT_TRUE(body->IsRemoteFrame());
    EXPECT_EQ(body->GetNodeName(), "");
    EXPECT_EQ(body->Signals().GetAt(0)->GetCode(), 300);
    EXPECT_EQ(body->Signals().GetAt(2)->GetCode(), 302);
    EXPECT_EQ(body->Signals().GetAt(2)->GetSign(), '-');
    EXPECT_TRUE(db.GetAt(1)->IsSend());
    EXPECT_EQ(db.FindSignalBySlot(3, CCanNodeArray::kReceive)->GetName(), "TEMP");
    EXPECT_EQ(db.FindSignalBySlot(12, CCanNodeArray::kSend)->GetName(), "CH12");
}

TEST(CanDatabaseText, WrittenTextReadsBackIntoAnEmptyDatabase)
{
    CCanNodeArray db;
    Sample(db);
    // A message and a signal nobody has named yet still make the trip.
    C463CanMesNode* unnamed = db.AddMessage(CCanNodeArray::kReceive);
    ASSERT_TRUE(unnamed->AddSignalFromText(" : 0|8@1- (1,0) [0|0] \"\" 0 0"));
    const std::vector<std::string> written = Lines(db, CCanNodeArray::kReceive);
    EXPECT_EQ(written[written.size() - 3], "[CAN_BO_] 0  2 ");

    CCanNodeArray again;
    Read(again, CCanNodeArray::kReceive, Joined(std::vector<std::string>(written.begin() + 1, written.end())));
    EXPECT_EQ(Lines(again, CCanNodeArray::kReceive), written);
    EXPECT_EQ(Lines(again, CCanNodeArray::kSend), std::vector<std::string>{});
}

TEST(CanDatabaseText, ReadingStopsAfterTheEndLine)
{
    CCanNodeArray db;
    const std::string text = "[CAN_SLOT_] 5 0\n[CAN_BO_] 5 M 1 \n[CAN_MESSAGE_END]\n[GPS_CYCLE] 1\n";
    size_t pos = 0;
    db.ReadMessages(CCanNodeArray::kReceive, text, pos);
    EXPECT_EQ(text.substr(pos), "[GPS_CYCLE] 1\n");
    EXPECT_NE(db.GetAt(4), nullptr);
}

TEST(CanDatabaseText, SlotOutsideTheDatabaseDropsItsLinesOnly)
{
    CCanNodeArray db;
    Read(db, CCanNodeArray::kReceive,
         "[CAN_SLOT_] 1 0\r\n[CAN_BO_] 1 KEPT 2 \r\n"
         "[CAN_SLOT_] 65 0\r\n[CAN_BO_] 2 LOST 2 \r\n[CAN_SG_] X : 0|8@1+ (1,0) [0|0] \" \" 0 0\r\n"
         "[CAN_SLOT_] 2 0\r\n[CAN_BO_] 3 NEXT 2 \r\n[CAN_MESSAGE_END]\r\n");
    ASSERT_NE(db.GetAt(0), nullptr);
    EXPECT_EQ(db.GetAt(0)->GetName(), "KEPT");
    ASSERT_NE(db.GetAt(1), nullptr);
    EXPECT_EQ(db.GetAt(1)->GetName(), "NEXT");
    EXPECT_EQ(db.GetAt(1)->Signals().GetSize(), 0);
}

TEST(CanDatabaseText, BlockCutShortLosesItsLastMessageOnly)
{
    struct Row {
        const char* name;
        const char* block;
        const char* rest; // what the caller reads on
    };
    const Row rows[] = {
        {"text ends", "[CAN_SLOT_] 4 0\n[CAN_BO_] 4 FIRST 2 \n[CAN_SLOT_] 5 0\n[CAN_BO_] 5 LAST 2 \n", ""},
        {"next block begins", "[CAN_SLOT_] 4 0\n[CAN_BO_] 4 FIRST 2 \n[CAN_SLOT_] 5 0\n[CAN_BO_] 5 LAST 2 \n"
                              "[CAN_MESSAGE_SEND]\n[CAN_SLOT_] 6 0\n",
         "[CAN_MESSAGE_SEND]\n[CAN_SLOT_] 6 0\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CCanNodeArray db;
        const std::string text = r.block;
        size_t pos = 0;
        db.ReadMessages(CCanNodeArray::kReceive, text, pos);
        ASSERT_NE(db.GetAt(3), nullptr);
        EXPECT_EQ(db.GetAt(3)->GetName(), "FIRST");
        EXPECT_EQ(db.GetAt(4), nullptr);
        EXPECT_EQ(text.substr(pos), r.rest);
    }
}

TEST(CanDatabaseText, LinesItCannotUseAreReadAsTheUnitReadsThem)
{
    struct Row {
        const char* name;
        const char* block; // after the header line
        const char* written; // the message of slot 1 as written back, "" when none
    };
    const Row rows[] = {
        {"unknown keyword is skipped", "[CAN_SLOT_] 1 0\n[CAN_XX_] 1\n[CAN_BO_] 9 NEW 2 \n[CAN_MESSAGE_END]\n",
         "9 NEW 2 "},
        {"foreign line is skipped", "[CAN_SLOT_] 1 0\nrubbish\n[CAN_BO_] 9 NEW 2 \n[CAN_MESSAGE_END]\n", "9 NEW 2 "},
        {"another settings key is skipped", "[CAN_SLOT_] 1 0\n[GPS_CYCLE] 1\n[CAN_BO_] 9 NEW 2 \n[CAN_MESSAGE_END]\n",
         "9 NEW 2 "},
        {"identifier not a number keeps 0", "[CAN_SLOT_] 1 0\n[CAN_BO_] x NEW 2 N\n[CAN_MESSAGE_END]\n", "0 NEW 2 N"},
        {"identifier beyond 29 bits keeps 0", "[CAN_SLOT_] 1 0\n[CAN_BO_] 2147483647 NEW 2 \n[CAN_MESSAGE_END]\n",
         "0 NEW 2 "},
        {"message line without node name", "[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 8\n[CAN_MESSAGE_END]\n", "9 NEW 8 "},
        {"slot line without numbers drops its lines", "[CAN_SLOT_] one\n[CAN_BO_] 9 NEW 2 \n[CAN_MESSAGE_END]\n", ""},
        {"slot line without remote flag", "[CAN_SLOT_] 1\n[CAN_BO_] 9 NEW 2 \n[CAN_MESSAGE_END]\n", "9 NEW 2 "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CCanNodeArray db;
        Read(db, CCanNodeArray::kReceive, r.block);
        const C463CanMesNode* m = db.GetAt(0);
        EXPECT_EQ(m ? m->FormatBoLine().str() : std::string(), r.written);
    }
}

TEST(CanDatabaseText, SignalFieldsThatDoNotReadKeepTheirInitialValues)
{
    struct Row {
        const char* name;
        const char* fields;
        const char* written;
    };
    const Row rows[] = {
        {"cut in the range", "A : 0|8@1+ (1,0) [0", "A : 0|8@1+ (1,0) [0|0] \" \" 0 0"},
        {"cut after the start bit", "A : 5|", "A : 5|1@1- (1,0) [0|0] \" \" 0 0"},
        {"sign not + or -", "A : 0|8@1* (2,1) [0|9] \"rpm\" 1 2", "A : 0|8@1- (2,1) [0|9] \"rpm\" 1 2"},
        {"unknown unit", "A : 0|8@1+ (1,0) [0|0] \"furlong\" 0 0", "A : 0|8@1+ (1,0) [0|0] \" \" 0 0"},
        {"decimals not a number", "A : 0|8@1+ (1,0) [0|0] \" \" x 3", "A : 0|8@1+ (1,0) [0|0] \" \" 0 3"},
        {"no colon", "A 0|8@1+ (1,0) [0|0] \" \" 0 3", "A : 0|8@1+ (1,0) [0|0] \" \" 0 3"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        C463CanMesNode m;
        ASSERT_TRUE(m.ParseBoLine("1 M 8 "));
        ASSERT_TRUE(m.AddSignalFromText(r.fields));
        EXPECT_EQ(m.Signals().GetAt(0)->FormatSgLine().str(), r.written);
    }
}

struct RefusedRow {
    const char* name;
    bool send;
    const char* block; // after the header line
    int line;          // the line the error names
};

class CanDatabaseTextRefused : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(CanDatabaseTextRefused, NamesTheLineAndChangesNothing)
{
    const RefusedRow& r = GetParam();
    CCanNodeArray db;
    Sample(db);
    const std::vector<std::string> before = Lines(db, r.send);
    try {
        Read(db, r.send, r.block);
        FAIL() << "accepted";
    } catch (const CZelException& e) {
        EXPECT_EQ(e.m_nErrorCode, 1);
        fw::CString message;
        ASSERT_TRUE(e.GetErrorMessage(message));
        EXPECT_NE(message.Find((std::to_string(r.line) + "行目").c_str()), -1) << message;
    }
    EXPECT_EQ(Lines(db, r.send), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CanDatabaseTextRefused,
    ::testing::Values(
        RefusedRow{"StartBitBeyondTheFrame", false,
                   "[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 8 \n[CAN_SG_] A : 64|8@1+ (1,0) [0|0] \" \" 0 0\n"
                   "[CAN_MESSAGE_END]\n",
                   3},
        RefusedRow{"LengthZero", false,
                   "[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 8 \n[CAN_SG_] A : 0|0@1+ (1,0) [0|0] \" \" 0 0\n"
                   "[CAN_MESSAGE_END]\n",
                   3},
        RefusedRow{"LengthSixtyFive", false,
                   "[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 8 \n[CAN_SG_] A : 0|65@1+ (1,0) [0|0] \" \" 0 0\n"
                   "[CAN_MESSAGE_END]\n",
                   3},
        RefusedRow{"ByteOrderTwo", false,
                   "[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 8 \n[CAN_SG_] A : 0|8@2+ (1,0) [0|0] \" \" 0 0\n"
                   "[CAN_MESSAGE_END]\n",
                   3},
        RefusedRow{"DataLengthNine", false, "[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 9 \n[CAN_MESSAGE_END]\n", 2},
        RefusedRow{"SendMessageOfFourBytes", true, "[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 4 \n[CAN_MESSAGE_END]\n", 2},
        RefusedRow{"RefusedAfterAForeignLine", false,
                   "rubbish\n[CAN_SLOT_] 1 0\n[CAN_BO_] 9 NEW 0 \n[CAN_MESSAGE_END]\n", 3}),
    [](const ::testing::TestParamInfo<RefusedRow>& info) { return std::string(info.param.name); });

} // namespace
