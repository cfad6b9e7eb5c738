#include "instrument/ZELMeter.h"

#include "framework/core/testing/ServiceScope.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/link/LinkFixture.h"
#include "tests/support/link/LinkTestSupport.h"

#include <cmath>

using kivtest::MessageOf;
using kivtest::RaisedBy;
using kivtest::Text;

namespace {

TEST(ZELMeterErrRule, CodeIsTheThreeCharactersFourAfterTheE)
{
    struct Row {
        const char* name;
        const char* reply;
        int code;  // -1: no "ERR"
    };
    const Row rows[] = {
        {"blank_separator", "ERR 025", 25},
        {"colon_separator", "ERR:012", 12},
        {"inside_a_longer_reply", "CH1 ERR 007 X", 7},
        {"first_err_counts", "ERR 001 ERR 002", 1},
        {"fourth_digit_ignored", "ERR 1234", 123},
        {"no_err", "OK 025", -1},
        {"lower_case_is_not_err", "err 025", -1},
        {"err_at_the_very_end", "ERR", 0},
        {"short_digits", "ERR 4", 4},
        {"errch_reads_from_the_h", "ERRCH 03", 0},  // four after the E: "H 0"
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CZELMeter::ParseErrorCode(row.reply), row.code);
    }
}

class ZELMeterTest : public kivtest::LinkFixture {
protected:
    void SetUp() override
    {
        // Setting the address closes the link, so it comes first.
        meter.SetInterface(&link);
        meter.SetAddress(0);
        LinkFixture::SetUp();
    }
    CZELMeter meter;
};

TEST_F(ZELMeterTest, ErrReplyRaisesUnitCodeWithMessage3014)
{
    Unit().GetFaults().ErrorOn("RNG", 25);
    const CZelException e = RaisedBy([&] { meter.Command("RNG100"); });
    EXPECT_EQ(e.m_nErrorCode, 0x10019);
    EXPECT_EQ(MessageOf(e), "測定器からERRが返されました。\n\nコマンド RNG100 、エラーコード 25");
    // The link itself is fine: the unit answered.
    EXPECT_TRUE(link.IsOk());
    fw::CString reply;
    meter.Query("RNG?", reply);
    EXPECT_EQ(reply, "0");  // the refused setting was not taken
}

TEST_F(ZELMeterTest, ReplyWithoutErrRaisesNothing)
{
    fw::CString reply;
    meter.Query("VER", reply);
    EXPECT_EQ(reply, "KIV-406 VER 2.2A");
    EXPECT_EQ(Lines(), std::vector<std::string>{"VER"});
}

TEST_F(ZELMeterTest, ReadReplyNamesTheLastCommandSent)
{
    Unit().GetFaults().ErrorOn("CFM", 50);
    meter.Send("CFM?");
    const CZelException e = RaisedBy([&] { meter.ReadReply(); });
    EXPECT_EQ(e.m_nErrorCode, 0x10000 + 50);
    EXPECT_NE(MessageOf(e).find("コマンド CFM? 、"), std::string::npos);
    EXPECT_EQ(CZELMeter::LastCommand(), "CFM?");
}

TEST_F(ZELMeterTest, SendToList2JoinsTheTexts)
{
    tagUNITLIST list;
    list.Add(0);
    meter.SendToList2(list, "SET", "1;4");
    meter.ReadReply();
    EXPECT_EQ(Lines(), std::vector<std::string>{"SET1;4"});
    EXPECT_EQ(CZELMeter::LastCommand(), "SET1;4");
}

TEST_F(ZELMeterTest, LinkFailuresPassThroughUnchanged)
{
    Unit().AddCommand("MUTE", [](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Silent(); });
    const CZelException e = RaisedBy([&] { meter.Command("MUTE"); });
    EXPECT_EQ(e.m_nErrorCode, 10001);
    EXPECT_EQ(MessageOf(e), Text(3004));
}

TEST_F(ZELMeterTest, CloseAfterALinkFailureRaisesNothing)
{
    Unit().GetFaults().DropMidReply("VER");
    RaisedBy([&] { meter.Command("VER"); });
    EXPECT_NO_THROW(meter.Close());
    EXPECT_FALSE(meter.IsConnected());
}

// Counts identifications, as the control unit's own Identify would send "VER".
class CountingMeter : public CZELMeter {
public:
    void Identify() override
    {
        ++identified;
        Command("VER");
        SetConnected();
    }
    int identified = 0;
};

TEST_F(ZELMeterTest, OpenIdentifiesOnceAndAgainAfterSetAddress)
{
    CountingMeter m;
    m.SetInterface(&link);
    m.SetAddress(0);
    AddSlots();
    EXPECT_TRUE(m.Open(true));
    EXPECT_TRUE(m.Open(true));
    EXPECT_EQ(m.identified, 1);
    m.SetAddress(0);  // disconnects, and closes the link
    EXPECT_FALSE(m.IsConnected());
    EXPECT_FALSE(link.IsOpen());
    AddSlots();
    EXPECT_TRUE(m.Open(true));
    EXPECT_EQ(m.identified, 2);
}

TEST_F(ZELMeterTest, OpenReopensALinkThatFailed)
{
    CountingMeter m;
    m.SetInterface(&link);
    m.SetAddress(0);
    AddSlots();
    Unit().GetFaults().DropMidReply("STA1");
    RaisedBy([&] { m.Command("STA1"); });
    EXPECT_EQ(link.GetStatus(), 4);
    EXPECT_TRUE(m.Open(true));
    EXPECT_TRUE(link.IsOk());
    EXPECT_EQ(m.identified, 1);
}

TEST_F(ZELMeterTest, AbsentUnitWithoutRaiseShowsTheAddressMessage)
{
    fw::test::ServiceScope services;
    services.prompt.ExpectText("ｱﾄﾞﾚｽ7の測定器が確認できません。", fw::IDOK);
    class PresenceMeter : public CZELMeter {
    public:
        void Identify() override { CheckPresent(); }
    } m;
    m.SetInterface(&link);
    m.SetAddress(7);
    EXPECT_FALSE(m.Open(false));
    EXPECT_EQ(services.prompt.Problems(), "");
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_EQ(services.prompt.Prompts()[0].flags & fw::MB_ICONMASK, fw::MB_ICONSTOP);

    const CZelException e = RaisedBy([&] { m.Open(true); });
    EXPECT_EQ(e.m_nErrorCode, 2);
    EXPECT_EQ(MessageOf(e), fw::FormatString(3002, "7").str());
}

TEST_F(ZELMeterTest, OtherFailuresWithoutRaiseShowTheirOwnMessage)
{
    fw::test::ServiceScope services;
    services.prompt.ExpectText("接続が相手側から閉じられました", fw::IDOK);
    CountingMeter m;
    m.SetInterface(&link);
    m.SetAddress(0);
    AddSlots();
    Unit().GetFaults().DropMidReply("VER");
    EXPECT_FALSE(m.Open(false));
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(ZELMeter, CheckPresentWithoutUnitRaises2With3002)
{
    CMeterSocket link;
    CZELMeter meter;
    meter.SetInterface(&link);
    meter.SetAddress(3);
    const CZelException e = RaisedBy([&] { meter.CheckPresent(); });
    EXPECT_EQ(e.m_nErrorCode, 2);
    EXPECT_EQ(MessageOf(e), Text(3002));
    link.SetSlot(3, kivtest::kLoopbackIp, 1);
    meter.CheckPresent();
    EXPECT_TRUE(meter.IsConnected());
}

TEST(ZELMeter, ArchiveFormIsTheAddressAlone)
{
    CZELMeter meter;
    meter.SetAddress(0x0102);
    const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { meter.Serialize(ar); });
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x02, 0x01}));
    CZELMeter back;
    EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { back.Serialize(ar); }), 0u);
    EXPECT_EQ(back.GetAddress(), 0x0102);
}

TEST(ZELMeter, NewMeterDefaults)
{
    CZELMeter meter;
    EXPECT_EQ(meter.GetAddress(), 16);
    EXPECT_EQ(meter.GetDelimiter(), "CR LF");
    EXPECT_FALSE(meter.IsConnected());
    EXPECT_EQ(meter.GetInterface(), nullptr);
    EXPECT_EQ(meter.GetReservedWord(), 0);
    EXPECT_TRUE(std::isinf(meter.GetNoValue()));
}

} // namespace
