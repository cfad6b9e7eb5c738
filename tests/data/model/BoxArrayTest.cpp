#include "tests/data/model/DataFixture.h"

#include "common/calc/CashCalcuDataTank.h"
#include "data/model/KivDataBoxPropaty.h"
#include "framework/core/FileSystem.h"
#include "framework/core/StringTable.h"
#include "tests/support/ArchiveBytes.h"

#include <filesystem>

namespace datatest {
namespace {

namespace fs = std::filesystem;

class BoxArrayTest : public DataFixture {};

TEST_F(BoxArrayTest, GpsPositionPairIsSoughtWithinOneUnit)
{
    struct Case {
        const char* name;
        std::vector<int16_t> codes;
        bool raw;
        int result, longitude, latitude;
    };
    std::vector<int16_t> split(24, 0);
    split[2] = 3;
    split[9] = 4;
    split[16] = 3;
    split[17] = 4;
    std::vector<int16_t> rawPair(8, 0);
    rawPair[5] = 12;
    rawPair[6] = 11;
    const Case cases[] = {
        {"pair after a split one", split, false, 17, 16, 17},
        {"receiver's own position", rawPair, true, 6, 6, 5},
        {"absolute codes ignored when raw", split, true, 24, -1, -1},
        {"latitude alone", {0, 4, 0}, false, 3, -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKivDataBoxArray boxes;
        boxes.GetSourceCodes() = c.codes;
        int lon = 0, lat = 0;
        EXPECT_EQ(boxes.FindGpsPositionChannels(0, c.raw, lon, lat), c.result);
        EXPECT_EQ(lon, c.longitude);
        EXPECT_EQ(lat, c.latitude);
    }
}

TEST_F(BoxArrayTest, ElevenColumnTableLoadsWithFifteen)
{
    CKivDataBoxPropaty old;
    old.SetRowCount(2);
    old.CreateColumns();
    // The older table lacks the characteristic, high-pass, balance and
    // reference-junction columns.
    old.Columns().RemoveTanks(5, 4);
    ASSERT_EQ(old.Columns().GetSize(), 11);
    old.SetCellText(1, 1, "LOAD");
    const kivtest::Bytes bytes = kivtest::StoreObject(&old);

    CKivDataBoxPropaty* loaded = nullptr;
    kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) {
        loaded = static_cast<CKivDataBoxPropaty*>(ar.ReadOwnedObject(&CKivDataBoxPropaty::s_runtimeClass));
    });
    ASSERT_NE(loaded, nullptr);
    std::unique_ptr<CKivDataBoxPropaty> owner(loaded);
    ASSERT_EQ(loaded->Columns().GetSize(), 15);
    for (int c = 0; c < 15; ++c)
        EXPECT_EQ(loaded->Columns().GetObjectAt(c)->GetName(), fw::LoadStringText(CKivDataBoxPropaty::ColumnCaption(c)))
            << c;
    fw::CString text;
    loaded->GetCellText(1, 1, text);
    EXPECT_EQ(text, "LOAD");
    loaded->GetCellText(1, 7, text);
    EXPECT_EQ(text, "");
}

TEST_F(BoxArrayTest, SharedCanTimeColumnIsWrittenOnce)
{
    auto doc = MakeDocument();
    CCanDataTankList& can = doc->GetBoxArray().GetCanTanks();
    can.CreateSignalTank(0, -1, 3);
    can.CreateSignalTank(1, -1, 3);
    can.AddTank(can.GetObjectAt(0), true);
    can.CreateSignalTank(3, -1, 3);
    const fs::path folder = FolderPath("CANRUN");
    ASSERT_TRUE(doc->OnSaveDocument(fw::CString((folder / "CANRUN.kivd").string())));
    EXPECT_TRUE(fs::exists(folder / "CAN1"));
    EXPECT_TRUE(fs::exists(folder / "CAN2"));
    EXPECT_FALSE(fs::exists(folder / "CAN3"));
    EXPECT_TRUE(fs::exists(folder / "CAN4"));
}

TEST_F(BoxArrayTest, ChannelTextsReachTheTanks)
{
    auto doc = MakeDocument();
    CKivDataBoxArray& boxes = doc->GetBoxArray();
    EXPECT_TRUE(boxes.SetChannelText(1, CKivDataBoxPropaty::kColName, "TORQUE"));
    EXPECT_TRUE(boxes.SetChannelText(1, CKivDataBoxPropaty::kColUnit, "N·m"));
    CDataTankObject* tank = boxes.GetTankList().GetObjectAt(1);
    EXPECT_EQ(tank->GetName(), "TORQUE");
    EXPECT_EQ(tank->GetUnit(), "N·m");
}

} // namespace
} // namespace datatest
