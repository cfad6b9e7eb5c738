// The signal grid of the CAN page: the two layouts, the fixed send signal,
// refused values, the number formats and the source channel a send
// signal's text names.

#include "tests/canvoicegps/views/settings/CanPageFixture.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/CanSigArray.h"
#include "framework/ui/DataExchange.h"
#include "instrument/system/BoxArray.h"

namespace cangrid {
namespace {

class CanSignalViewTest : public CanPageFixture {
protected:
    // One message of the direction, shown and current.
    void OneMessage(bool send)
    {
        ShowDirection(send);
        Type(nodes, 0, 0, send ? "TX" : "RX");
        ShowDirection(send);
    }
    int Rows() const { return signalGrid->GetGrid()->GetSheetPane()->RowCount(); }
};

TEST_F(CanSignalViewTest, ASendMessageHasOneFixedTwoByteSignal)
{
    OneMessage(true);
    const char* captions[] = {"シグナル名", "入力ｃｈ.", "符号属性", "データ形式", "スタートビット", "ビット長",
                              "係数",       "オフセット", "単位"};
    for (int col = 0; col < CCanSignalView::kColumns; ++col) {
        fw::CString text;
        signalGrid->GetColumnHeaderText(text, col, 0, 1);
        EXPECT_EQ(text.str(), captions[col]) << col;
    }
    EXPECT_EQ(Rows(), 1);
    Type(signalGrid, 0, 0, "OUT");
    EXPECT_EQ(Rows(), 1) << "no empty row for a send message";
    EXPECT_EQ(Text(signalGrid, 3, 0), "Motorola");
    EXPECT_EQ(Text(signalGrid, 4, 0), "8");
    EXPECT_EQ(Text(signalGrid, 5, 0), "16");
    CellFormat format;
    signalGrid->GetSheetCellFormat(format, 5, 0);
    EXPECT_EQ(format.crText, fw::RGB(192, 192, 192));
    EXPECT_FALSE(signalGrid->SetSheetText(0, 5, fw::CString("8"), 0)) << "a fixed column";
    EXPECT_EQ(Text(signalGrid, 5, 0), "16");

    // Without a source the empty source cell has a red background.
    format = CellFormat();
    signalGrid->GetSheetCellFormat(format, 1, 0);
    EXPECT_TRUE(format.nFlags & kCellFillBack);
    EXPECT_EQ(format.crBack, fw::RGB(255, 0, 0));
}

TEST_F(CanSignalViewTest, PastedSourceTextsNameAChannelOrItsNumber)
{
    OneMessage(true);
    Type(signalGrid, 0, 0, "OUT");
    CCanSigArray* sigs = signalGrid->GetSignals();
    ASSERT_NE(sigs, nullptr);
    doc.SetModifiedFlag(false);

    signalGrid->SetSheetText(0, 1, fw::CString("NOWHERE"), 0);
    EXPECT_LE(sigs->GetValue(0, canattr::kSource), 0);
    EXPECT_FALSE(doc.IsModified()) << "a text that names nothing changes nothing";

    signalGrid->SetSheetText(0, 1, fw::CString("CH12"), 0);
    EXPECT_EQ(sigs->GetValue(0, canattr::kSource), 12);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(CanSignalViewTest, AReceiveMessageListsItsSignalsAndRefusesBadValues)
{
    OneMessage(false);
    for (const char* name : {"S1", "S2", "S3"})
        Type(signalGrid, 0, Rows() - 1, name);
    EXPECT_EQ(Rows(), 4);
    services.prompt.Expect(CCanSignalView::kIdsNameFirst, fw::IDOK);
    Type(signalGrid, 4, 3, "8");
    EXPECT_EQ(signalGrid->GetSignals()->GetSize(), 3);

    struct Case {
        const char* what;
        int col;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"factor 0 refused", 5, "0", "1"},
        {"small factor", 5, "1e-3", "0.001"},
        {"offset", 6, "-40", "-40"},
        {"length", 4, "12", "12"},
        {"format text", 8, "0.00", "0.00"},
        {"no format's text", 8, "abc", "0"},
    };
    for (const Case& c : cases) {
        Type(signalGrid, c.col, 0, c.typed);
        EXPECT_EQ(Text(signalGrid, c.col, 0), c.shown) << c.what;
    }

    Type(signalGrid, 8, 0, "0.0000000");
    EXPECT_EQ(Text(signalGrid, 8, 0), "0.0000000") << "seven decimals";
    services.prompt.Expect(fw::kIdpParseIntRange, fw::IDOK);
    Type(signalGrid, 8, 0, "0.00000000");
    EXPECT_EQ(Text(signalGrid, 8, 0), "0.0000000") << "eight decimals are refused";

    Select(signalGrid, 0, 8, 0, 8);
    Execute(signalGrid, CCanSignalView::kIdFirstFormat + 2);
    EXPECT_EQ(signalGrid->GetSignals()->GetValue(0, canattr::kDecimals), 2);
    EXPECT_EQ(Text(signalGrid, 8, 0), "0.00");

    Select(signalGrid, 0, 7, 0, 7);
    Execute(signalGrid, CCanSignalView::kIdFirstUnit + 1);
    int check = 0;
    EXPECT_TRUE(Enabled(signalGrid, CCanSignalView::kIdFirstUnit + 1, &check));
    EXPECT_EQ(check, 1);
}

TEST_F(CanSignalViewTest, TheBitLayoutShowsWhichSignalUsesEachBit)
{
    OneMessage(false);
    EXPECT_EQ(bits->CellColour(0, 0), CCanNodeBitsView::kFreeColour);
    EXPECT_EQ(Text(bits, 0, 0), "");
    fw::CString text;
    bits->GetColumnHeaderText(text, 0, 0, 1);
    EXPECT_EQ(text.str(), "7");

    Type(signalGrid, 0, 0, "A");
    Type(signalGrid, 2, 0, "Intel");
    Type(signalGrid, 3, 0, "4");
    Type(signalGrid, 4, 0, "8");
    ASSERT_EQ(Text(signalGrid, 3, 0), "4");
    signalGrid->ShowSignals(false, 0, signalGrid->GetSignals(), signalGrid->GetSignals()->GetAt(0));
    // Bits 4..11: row 0 columns 0..3 and row 1 columns 4..7.
    for (int col = 0; col < 8; ++col) {
        EXPECT_EQ(Text(bits, col, 0), col <= 3 ? "1" : "") << col;
        EXPECT_EQ(Text(bits, col, 1), col >= 4 ? "1" : "") << col;
    }
    EXPECT_EQ(bits->CellColour(3, 0), CCanNodeBitsView::kCurrentColour);
    EXPECT_EQ(bits->ArrowHead(3, 0), 1) << "the least significant bit";
    EXPECT_EQ(bits->ArrowHead(4, 1), 2) << "the most significant bit";
    EXPECT_EQ(bits->ArrowHead(0, 0), 0);

    // A Motorola signal's start bit is its most significant bit.
    Select(signalGrid, 0, 2, 0, 2);
    Execute(signalGrid, CCanSignalView::kIdMotorola);
    EXPECT_EQ(Text(signalGrid, 2, 0), "Motorola");
    signalGrid->ShowSignals(false, 0, signalGrid->GetSignals(), signalGrid->GetSignals()->GetAt(0));
    C463CanMesSignal* a = signalGrid->GetSignals()->GetAt(0);
    const int lsb = static_cast<int>(a->GetValue(canattr::kLsbPosition));
    const int msb = a->GetStartBit();
    EXPECT_EQ(bits->ArrowHead(7 - lsb % 8, lsb / 8), 1);
    EXPECT_EQ(bits->ArrowHead(7 - msb % 8, msb / 8), 2);

    Type(signalGrid, 0, 1, "B");
    Type(signalGrid, 4, 1, "4");
    Type(signalGrid, 3, 1, "12");
    EXPECT_EQ(Text(signalGrid, 3, 1), "12");
    EXPECT_EQ(bits->CellColour(3, 1), CCanNodeBitsView::kOtherColour) << "bit 12 of the other signal";

    // Clicking a bit of the other signal makes it current.
    bits->GetGrid()->SetSelection({1, 3, 1, 3}, {1, 3}, {1, 3}, false);
    bits->OnCurrentCellChanged();
    EXPECT_EQ(bits->GetCurrentSignal(), 1);
}

TEST_F(CanSignalViewTest, AReceiveSignalKeepsItsSlotChannelInStep)
{
    OneMessage(false);
    Type(signalGrid, 0, 0, "TEMP");
    CCanSigArray* sigs = signalGrid->GetSignals();
    ASSERT_TRUE(sigs->SetValue(0, canattr::kSource, 3));
    Type(signalGrid, 5, 0, "0.5");
    Type(signalGrid, 6, 0, "-40");
    CBoxArray& system = doc.GetBoxArray();
    int fed = -1;
    for (int m = 0; m < system.GetMapSize(); ++m) {
        const tagBOXCH entry = system.GetMapEntry(m);
        const tagBOXCH ref = system.GetBox(entry.box)->GetChannelRef(entry.ch);
        if (entry.box == 0 && ref.box == 0 && ref.ch == 2)
            fed = m;
    }
    ASSERT_GE(fed, 0) << "slot 3 of the unit in port 1 is a channel of the system";
    EXPECT_EQ(system.GetChannelValue(fed, 1001), -80.0);
}

} // namespace
} // namespace cangrid
