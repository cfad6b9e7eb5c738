// The instrument-document base: its archive form, frame placements, test
// title, operation data and the rows of its time list graph.

#include "tests/docbase/DocFixture.h"

#include "common/tank/DataTankObject.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Cp932.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace apptest;

namespace {

std::string Le32(int32_t v)
{
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

std::string ArchiveString(const std::string& ascii)
{
    return std::string(1, static_cast<char>(ascii.size())) + ascii;
}

class KivDocBaseTest : public DocFixture {};

TEST_F(KivDocBaseTest, ArchiveFormOfTheBaseParts)
{
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("form.kivt");
    ASSERT_LT(path.size(), 255u);
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    const CDocIdent id = doc->GetDocIdent();

    const std::string expected = ArchiveString(path)        // saved path
                                 + std::string(1, '\0')     // edit lock
                                 + Le32(id.GetAppId()) + Le32(id.GetTimeStamp())
                                 + std::string(2, '\0')     // no frame placements
                                 + Le32(1)                  // operation-data flag
                                 + ArchiveString("");       // the test document's payload
    EXPECT_EQ(ReadAll(path), expected);
}

TEST_F(KivDocBaseTest, ArchiveFormOfAFramePlacement)
{
    CTestKivDoc* doc = NewDoc();
    CTestView view(5);
    view.placement = MakePlacement(2);
    doc->AddView(&view);
    const std::string path = PathOf("placed.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    doc->RemoveView(&view);

    const FramePlacement& p = view.placement;
    const std::string entry = std::string("\x01\x00", 2) + Le32(5) + Le32(44) + Le32(int32_t(p.flags)) +
                              Le32(int32_t(p.showCmd)) + Le32(-1) + Le32(-1) + Le32(-1) + Le32(-1) +
                              Le32(20) + Le32(40) + Le32(320) + Le32(240);
    const std::string bytes = ReadAll(path);
    const size_t at = 1 + path.size() + 1 + 8;
    ASSERT_GE(bytes.size(), at + entry.size());
    EXPECT_EQ(bytes.substr(at, entry.size()), entry);
}

TEST_F(KivDocBaseTest, FileWithoutSavedPathKeepsItsIdentifier)
{
    const std::string path = PathOf("nopath.kivt");
    WriteAll(path, ArchiveString("") + std::string(1, '\1') + Le32(7) + Le32(9) + std::string(2, '\0') + Le32(0) +
                       ArchiveString("x"));
    CTestKivDoc* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetDocIdent(), CDocIdent(7, 9));
    EXPECT_TRUE(doc->IsEditLocked());
    EXPECT_FALSE(doc->HasOpData()) << "a file written with the flag off reads back with it off";
    EXPECT_EQ(doc->m_payload.str(), "x");
}

TEST_F(KivDocBaseTest, OperationDataFlagAndEditLockRoundTrip)
{
    CTestKivDoc* doc = NewDoc();
    doc->SetOpDataFlag(false);
    EXPECT_TRUE(doc->ToggleEditLock());
    const std::string path = PathOf("flags.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    doc->OnCloseDocument();
    CTestKivDoc* again = Open(path);
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->HasOpData());
    EXPECT_TRUE(again->IsEditLocked());
}

TEST_F(KivDocBaseTest, FramesComeBackAtTheirSavedPlaces)
{
    CTestKivDoc* doc = NewDoc();
    CTestView first(1), second(2), sameFrame(1);
    first.placement = MakePlacement(1);
    second.placement = MakePlacement(2);
    sameFrame.placement = MakePlacement(3);
    doc->AddView(&first);
    doc->AddView(&second);
    doc->AddView(&sameFrame);
    const std::string path = PathOf("frames.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    doc->OnCloseDocument();

    CTestKivDoc* again = Open(path);
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->GetFramePlacements().GetCount(), 2u) << "one entry per frame";
    CTestView view(7);
    again->AddView(&view);
    again->RestoreFramePlacements();
    EXPECT_EQ(view.placement, MakePlacement(1));
    ASSERT_EQ(host.newFrames.size(), 1u);
    EXPECT_EQ(host.newFrames[0]->placement, MakePlacement(2));
    EXPECT_TRUE(again->GetFramePlacements().IsEmpty());
    again->OnCloseDocument();
}

TEST_F(KivDocBaseTest, TestTitleIsCutAtCp932Bytes)
{
    struct Case {
        const char* name;
        std::string text;
        size_t storedBytes;
        bool whole;
    };
    const Case cases[] = {
        {"300 single-byte", std::string(300, 'a'), 256, false},
        {"double-byte at 256", std::string(255, 'a') + "あ", 255, false},
        {"exactly 256", std::string(254, 'a') + "あ", 256, true},
    };
    CTestKivDoc* doc = NewDoc();
    CTestView view(1);
    doc->AddView(&view);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc->SetModifiedFlag(false);
        view.hints.clear();
        EXPECT_EQ(doc->SetTestTitle(c.text.c_str()), c.whole);
        EXPECT_EQ(fw::cp932::ByteLength(doc->GetTestTitle().str()), c.storedBytes);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(view.hints, std::vector<intptr_t>{kHintTestTitleChanged});
    }
    doc->RemoveView(&view);
}

TEST_F(KivDocBaseTest, NewContentsMakeOperationDataAndDefaultTitle)
{
    CTestKivDoc* doc = NewDoc();
    doc->SetTestTitle("別の題");
    ASSERT_TRUE(doc->CreateNewContents());
    EXPECT_EQ(doc->GetTestTitle().str(), "試験タイトル");
    CDataTankList* tanks = doc->GetOpDataTanks();
    ASSERT_NE(tanks, nullptr);
    ASSERT_EQ(tanks->GetSize(), 3);
    const char* names[] = {"Op.Data1", "Op.Data2", "Op.Data3"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(tanks->GetAt(i)->GetName().str(), names[i]);
        EXPECT_EQ(tanks->GetAt(i)->GetKind(), 5 + i);
        EXPECT_EQ(tanks->GetAt(i)->GetDataCount(), 1);
    }
    doc->SetOpDataValue(1, 0, 2.5);
    EXPECT_DOUBLE_EQ(tanks->GetAt(1)->GetValue(0), 2.5);

    CTestKivDoc* without = NewDoc();
    without->SetOpDataAllowed(false);
    without->CreateNewContents();
    EXPECT_EQ(without->GetOpDataTanks(), nullptr);
}

std::vector<int> RowChannels(CTestKivDoc& doc)
{
    GraphProfileList rows;
    doc.GetGraphTimeList().GetRows(rows);
    std::vector<int> channels;
    for (size_t i = 1; i < rows.size(); ++i)
        channels.push_back(rows[i]->FirstYChannel());
    return channels;
}

TEST_F(KivDocBaseTest, GraphRowsFollowTheChannelsAndKeepTheirSettings)
{
    CTestKivDoc* doc = NewDoc();
    doc->m_channelCount = 3;
    doc->SetChannel(0, -1);
    doc->SetChannel(1, -1000);  // switched off
    doc->SetChannel(2, 22);
    doc->SetChannel(499, 0, "time");
    doc->SetChannel(500, 0, "NO1");
    doc->SetChannel(501, 0);  // calculated channel without a name
    doc->RebuildGraphList();
    EXPECT_EQ(RowChannels(*doc), (std::vector<int>{0, 2, 500}));

    GraphProfileList rows;
    doc->GetGraphTimeList().GetRows(rows);
    EXPECT_EQ(rows[0]->docIdent, doc->GetDocIdent());
    EXPECT_EQ(rows[1]->xChannels, std::vector<int16_t>{499});
    EXPECT_EQ(rows[1]->yLists, std::vector<int16_t>{2});
    auto settings = std::make_shared<int>(42);
    rows[1]->seriesSettings = settings;
    doc->GetGraphTimeList().EditRows(rows);

    doc->SetChannel(1, -1);
    doc->SetChannel(2, -1000);
    doc->RebuildGraphList();
    EXPECT_EQ(RowChannels(*doc), (std::vector<int>{0, 1, 500}));
    rows.clear();
    doc->GetGraphTimeList().GetRows(rows);
    EXPECT_EQ(rows[1]->seriesSettings, settings) << "a row that stays keeps its settings";
}

TEST_F(KivDocBaseTest, LoadedGraphRowsHoldTheirTanks)
{
    CTestKivDoc* doc = NewDoc();
    doc->m_channelCount = 1;
    CDataTankObject* channel = doc->SetChannel(0, -1);
    CDataTankObject* time = doc->SetChannel(499, 0, "time");
    doc->RebuildGraphList();
    const int channelRefs = channel->GetRefCount();
    const int timeRefs = time->GetRefCount();
    doc->OnDocumentLoaded();
    EXPECT_EQ(channel->GetRefCount(), channelRefs + 1);
    EXPECT_EQ(time->GetRefCount(), timeRefs + 1);
}

} // namespace
