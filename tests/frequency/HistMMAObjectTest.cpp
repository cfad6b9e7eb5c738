#include "frequency/model/HistMMAObject.h"

#include "common/tank/DateDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "frequency/model/HistFileAccess.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<uint8_t> Stored(CHistMMAObject& history)
{
    fw::CMemFile file;
    fw::CArchive ar(&file, fw::CArchive::store);
    history.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void Load(CHistMMAObject& history, std::vector<uint8_t> bytes)
{
    fw::CMemFile file;
    file.Attach(std::move(bytes));
    fw::CArchive ar(&file, fw::CArchive::load);
    history.Serialize(ar);
    history.InitTanks();
}

TEST(HistMMAObject, ColumnsAreMadeWithTheirTitles)
{
    CHistMMAObject history;
    EXPECT_EQ(history.GetMaxIndex(), -1);
    CStringDataTank* title = history.InitTanks();
    CDataTankList& columns = history.GetColumnTanks();
    ASSERT_EQ(columns.GetSize(), 4);
    EXPECT_EQ(columns.GetObjectAt(3), title);
    const char* names[] = {"CFファイル名", "測定開始時刻", "測定停止時刻", "試験タイトル"};
    const int32_t kinds[] = {-10, -2, -2, -10};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(columns.GetObjectAt(i)->GetName().str(), names[i]);
        EXPECT_EQ(columns.GetObjectAt(i)->GetKind(), kinds[i]);
    }
    EXPECT_NE(dynamic_cast<CDateDataTank*>(columns.GetObjectAt(1)), nullptr);
}

TEST(HistMMAObject, SettingARowMakesEveryRowBeforeIt)
{
    CHistMMAObject history;
    history.InitTanks();
    history.SetTitle(5, "試験5");
    EXPECT_EQ(history.GetMaxIndex(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(history.GetColumnTanks().GetObjectAt(i)->GetDataCount(), 6) << i;
    EXPECT_EQ(history.GetTitle(5).str(), "試験5");
    EXPECT_EQ(history.GetTitle(2).str(), "");
    EXPECT_EQ(history.GetPath(4).str(), "");
    EXPECT_EQ(history.GetTitle(7).str(), "");
    EXPECT_EQ(history.GetPath(7).str(), "");
    EXPECT_EQ(history.GetStopTime(7).GetStatus(), fw::COleDateTime::null);
    EXPECT_EQ(history.GetStopTime(3).GetStatus(), fw::COleDateTime::valid);
    EXPECT_THROW(history.GetPath(-1), fw::CInvalidArgException);
    EXPECT_THROW(history.SetPath(-1, "x"), fw::CInvalidArgException);
}

TEST(HistMMAObject, RemoveAllKeepsTheEmptiedColumns)
{
    CHistMMAObject history;
    history.InitTanks();
    history.SetCFFileName(2, "H.DAT");
    history.RemoveAll();
    EXPECT_EQ(history.GetMaxIndex(), -1);
    ASSERT_EQ(history.GetColumnTanks().GetSize(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(history.GetColumnTanks().GetObjectAt(i)->GetDataCount(), 0);
    EXPECT_EQ(history.GetCFFileName(0).str(), "");
}

TEST(HistMMAObject, ArchiveKeepsEveryRow)
{
    CHistMMAObject history;
    history.InitTanks();
    HistFileHeader header;
    header.title = "荷重試験";
    header.cardFileName = "H0001.DAT";
    header.start = fw::COleDateTime(2009, 3, 4, 5, 6, 7);
    header.stop = fw::COleDateTime(2009, 3, 4, 6, 0, 0);
    EXPECT_EQ(AddHistRecord(history, "/data/P_DATA/H090304050607.kivh", header), 0);
    EXPECT_EQ(AddHistRecord(history, "/data/P_DATA/H090304050607_1.kivh", header), 1);

    CHistMMAObject loaded;
    Load(loaded, Stored(history));
    EXPECT_EQ(loaded.GetMaxIndex(), 1);
    EXPECT_EQ(loaded.GetPath(1).str(), "/data/P_DATA/H090304050607_1");
    EXPECT_EQ(loaded.GetTitle(0).str(), "荷重試験");
    EXPECT_EQ(loaded.GetCFFileName(1).str(), "H0001.DAT");
    EXPECT_EQ(loaded.GetStartTime(0).Format("%Y/%m/%d %H:%M:%S").str(), "2009/03/04 05:06:07");
    EXPECT_EQ(loaded.GetStopTime(1).GetHour(), 6);
    // The loaded list's own tanks are the columns.
    loaded.SetTitle(2, "次");
    EXPECT_EQ(loaded.GetColumnTanks().GetSize(), 4);
    EXPECT_EQ(loaded.GetTitle(2).str(), "次");
}

TEST(HistMMAObject, RowsBeyondTheStoredPathsAreNotBelieved)
{
    CHistMMAObject history;
    history.InitTanks();
    history.SetPath(1, "/a");
    std::vector<uint8_t> bytes = Stored(history);
    const int32_t claimed = 1000000;
    std::memcpy(bytes.data(), &claimed, sizeof claimed);
    CHistMMAObject loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.GetMaxIndex(), 1);
    EXPECT_EQ(loaded.GetPath(1).str(), "/a");
}

} // namespace
