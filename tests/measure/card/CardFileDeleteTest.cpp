// Deleting recorded files on the cards: the command form by firmware, the
// marked files stopping at the first error, the fetched files retried on
// "continue".

#include "tests/support/link/SequenceFixture.h"

#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterVersion.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/card/CardFileDelete.h"

namespace {

using seqtest::Lines;

class CardFileDeleteTest : public seqtest::SequenceTest {
protected:
    void Start(int boxes)
    {
        Connect(boxes);
        for (int i = 0; i < boxes; ++i)
            emu.Unit(static_cast<size_t>(i)).AddCommand("DEL", [](const kivemu::Command&, kivemu::DeviceState&) {
                return kivemu::Reply::Line("OK");
            });
        lists.assign(static_cast<size_t>(boxes), {});
        ClearLines();
    }
    void Add(int box, const char* name)
    {
        CKiv406FileInfo entry;
        entry.m_name = name;
        lists[static_cast<size_t>(box)].push_back(entry);
    }
    cardfiles::FileLists Vectors()
    {
        cardfiles::FileLists v;
        for (auto& l : lists)
            v.push_back(&l);
        return v;
    }
    Lines Deletes(int unit)
    {
        Lines out;
        for (const std::string& line : LinesOf(unit))
            if (line.rfind("DEL", 0) == 0)
                out.push_back(line);
        return out;
    }
    void SetFirmware(int box, const char* version)
    {
        system.GetBox(box)->GetMeter()->SetFirmwareVersion(meterversion::Pack(version));
    }

    std::vector<std::vector<CKiv406FileInfo>> lists;
};

TEST_F(CardFileDeleteTest, TheAsteriskFollowsTheFirmware)
{
    struct Row {
        const char* name;
        const char* firmware;
        uint32_t from;
        const char* command;
    } rows[] = {
        {"transfer, 1.4A", "1.4A", cardfiles::kTransferWildcardFrom, "DELA0001"},
        {"transfer, 1.4B", "1.4B", cardfiles::kTransferWildcardFrom, "DELA0001*"},
        {"marked, 1.0B", "1.0B", cardfiles::kMarkedWildcardFrom, "DELA0001"},
        {"marked, 1.1B", "1.1B", cardfiles::kMarkedWildcardFrom, "DELA0001*"},
        {"fetched, 2.2A", "2.2A", cardfiles::kNoWildcard, "DELA0001"},
    };
    CKiv406FileInfo entry;
    entry.m_name = "/card/A0001";
    for (const Row& row : rows)
        EXPECT_EQ(cardfiles::DeleteCommand(entry, meterversion::Pack(row.firmware), row.from).str(), row.command)
            << row.name;
}

TEST_F(CardFileDeleteTest, TransferredSetIsDeletedOnEveryBox)
{
    Start(2);
    Add(0, "A0001");
    Add(0, "A0002");
    Add(1, "B0001");
    Add(1, "B0002");
    SetFirmware(0, "1.4B");
    SetFirmware(1, "1.3A");
    EXPECT_TRUE(cardfiles::DeleteTransferredFiles(system, Vectors(), 1, {}));
    EXPECT_EQ(Deletes(0), (Lines{"DELA0002*"}));
    EXPECT_EQ(Deletes(1), (Lines{"DELB0002"}));
}

TEST_F(CardFileDeleteTest, MarkedFilesStopAtTheFirstError)
{
    Start(1);
    Add(0, "A0001");
    Add(0, "A0002");
    Add(0, "A0003");
    FaultsOf(0).ErrorOn("DELA0002", 22);
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(cardfiles::DeleteMarkedFiles(system, Vectors(), {{true, true, true}}));
    EXPECT_EQ(Deletes(0), (Lines{"DELA0001*", "DELA0002*"}));
}

TEST_F(CardFileDeleteTest, AFetchedFileAnsweredContinueIsSentAgain)
{
    Start(2);
    Add(0, "H0001");
    Add(0, "H0002");
    Add(1, "H1001");
    Add(1, "H1002");
    FaultsOf(1).ErrorOn("DELH1001", 22);
    std::vector<std::string> asked;
    const auto ask = [&](const fw::CString& text) {
        asked.push_back(text.str());
        return true;
    };
    EXPECT_TRUE(cardfiles::DeleteFetchedFiles(system, Vectors(), ask));
    EXPECT_EQ(Deletes(0), (Lines{"DELH0001", "DELH0002"}));
    EXPECT_EQ(Deletes(1), (Lines{"DELH1001", "DELH1001", "DELH1002"}));
    EXPECT_EQ(asked.size(), 1u);
    // Declining ends the deletion.
    FaultsOf(0).ErrorOn("DELH0001", 22);
    EXPECT_FALSE(cardfiles::DeleteFetchedFiles(system, Vectors(), [](const fw::CString&) { return false; }));
}

} // namespace
