// The project file: byte-identical save and reopen, the version word, older
// files without the tagged sections, and the widened tables.

#include "tests/project/ProjectFixture.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Archive.h"
#include "framework/core/Services.h"
#include "project/model/DataHeaderReader.h"
#include "grid/model/GridTypes.h"
#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

using namespace prjtest;

namespace {

class ProjectFile : public ProjectFixture {
protected:
    // Saves a new project of the profile, reopens it and saves it again
    // under the same name: both files' bytes.
    std::pair<std::string, std::string> RoundTrip(const CMeterInterfacePrf& profile)
    {
        projectHost.profile = profile;
        CKIV5980Doc* doc = NewProject();
        EXPECT_NE(doc, nullptr);
        if (!doc)
            return {};
        const std::string path = PathOf("trip.kivp");
        const std::string first = SaveAndClose(doc, path);
        CKIV5980Doc* again = Open(path);
        EXPECT_NE(again, nullptr);
        if (!again)
            return {first, {}};
        return {first, SaveAndClose(again, path)};
    }

    // The offset of the first byte that differs; npos when equal.
    static size_t FirstDifference(const std::string& a, const std::string& b)
    {
        const size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i)
            if (a[i] != b[i])
                return i;
        return a.size() == b.size() ? std::string::npos : n;
    }

    static size_t Find(const std::string& bytes, const char* text, size_t from = 0)
    {
        return bytes.find(text, from);
    }

    void SetVersion(std::string& bytes, uint32_t version)
    {
        std::memcpy(bytes.data() + CKIV5980Doc::kMagicBytes, &version, 4);
    }
};

TEST_F(ProjectFile, OneAndFourControlUnitsSaveAndReopenByteForByte)
{
    struct Row {
        const char* name;
        CMeterInterfacePrf profile;
    };
    const Row rows[] = {
        {"one unit", ProfileOf({{1, 1, 3}})},
        {"four units", ProfileOf({{1, 1, 3}, {2}, {1, 2}, {2, 2, 3}})},
    };
    for (const Row& row : rows) {
        const auto [first, second] = RoundTrip(row.profile);
        ASSERT_GT(first.size(), 100u) << row.name;
        EXPECT_EQ(FirstDifference(first, second), std::string::npos) << row.name;
    }
}

TEST_F(ProjectFile, WrittenFileHasMagicVersionAndEveryTagButTheDiscardedOne)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string bytes = SaveAndClose(doc, PathOf("tags.kivp"));
    ASSERT_GT(bytes.size(), 21u);
    EXPECT_EQ(bytes.substr(0, 17), "KIVKIV5980Docmect");
    EXPECT_EQ(bytes.substr(17, 4), std::string("\x08\x00\x00\x00", 4));
    const size_t hist = Find(bytes, "<HIST>");
    const size_t rireki = Find(bytes, "<HIST_RIREKI>");
    const size_t k463 = Find(bytes, "<KIV463>");
    const size_t k465 = Find(bytes, "<KIV465>");
    ASSERT_NE(hist, std::string::npos);
    EXPECT_LT(hist, rireki);
    EXPECT_LT(rireki, k463);
    EXPECT_LT(k463, k465);
    ASSERT_NE(k465, std::string::npos);
    EXPECT_EQ(Find(bytes, "<VdCptr>"), std::string::npos);
    EXPECT_NE(Find(bytes, "CZELGridStyle"), std::string::npos);
    EXPECT_NE(Find(bytes, "CDataSPSetTank"), std::string::npos);
}

TEST_F(ProjectFile, VersionWordDecidesWhetherTheFileIsRead)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string good = SaveAndClose(doc, PathOf("v.kivp"));
    struct Row {
        const char* name;
        uint32_t version;
        unsigned message;  // 0: opens
    };
    const Row rows[] = {
        {"version 8", 8, 0},
        {"version 7", 7, 0},
        {"tolerated bit 28", 0x10000008, 0},
        {"tolerated bit 29", 0x20000008, 0},
        {"version 9", 9, prjstr::kMsgNewerVersion},
        {"bit 16", 0x10008, prjstr::kMsgNewerVersion},
        {"bit 12: the sibling program", 0x1008, prjstr::kMsgSiblingProgram},
        {"bit 31", 0x80000008u, prjstr::kMsgNewerVersion},
        {"bit 30", 0x40000008u, prjstr::kMsgNewerVersion},
    };
    int n = 0;
    for (const Row& row : rows) {
        std::string bytes = good;
        SetVersion(bytes, row.version);
        const std::string path = PathOf("v" + std::to_string(n++) + ".kivp");
        WriteAll(path, bytes);
        if (row.message)
            services.prompt.Expect(row.message, fw::IDOK);
        CKIV5980Doc* opened = Open(path);
        EXPECT_EQ(opened != nullptr, row.message == 0) << row.name;
        if (opened) {
            EXPECT_EQ(static_cast<uint32_t>(opened->GetFileVersion()), row.version) << row.name;
            opened->OnCloseDocument();
        }
        EXPECT_EQ(services.prompt.Problems(), "") << row.name;
    }
}

TEST_F(ProjectFile, DamagedMagicIsAnUnreadableFileNotACrash)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string good = SaveAndClose(doc, PathOf("m.kivp"));
    const std::string cases[] = {good.substr(0, 10), "KIVKIV5980DocmecX" + good.substr(17)};
    int n = 0;
    for (const std::string& bytes : cases) {
        const std::string path = PathOf("bad" + std::to_string(n++) + ".kivp");
        WriteAll(path, bytes);
        services.prompt.ExpectText("", fw::IDOK);
        EXPECT_EQ(Open(path), nullptr);
    }
}

TEST_F(ProjectFile, OldFileWithoutTaggedSectionsOpensWithDefaults)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string full = SaveAndClose(doc, PathOf("full.kivp"));
    const size_t hist = full.find("<HIST>");
    ASSERT_NE(hist, std::string::npos);
    // Up to the programs, as a file from before the frequency sections.
    std::string old = full.substr(0, hist);
    SetVersion(old, 5);
    const std::string path = PathOf("old.kivp");
    WriteAll(path, old);

    CKIV5980Doc* opened = Open(path);
    ASSERT_NE(opened, nullptr);
    for (auto t : {CKIV5980Doc::kTabFreqSettings, CKIV5980Doc::kTabProgram, CKIV5980Doc::kTabFreqHistory,
                   CKIV5980Doc::kTabCanNode, CKIV5980Doc::kTabCanSignal, CKIV5980Doc::kTabVoice,
                   CKIV5980Doc::kTabDigitalIO})
        ASSERT_NE(opened->GetTable(t), nullptr) << t;
    CZELGridStyle::SheetSize size;
    opened->GetTable(CKIV5980Doc::kTabProgram)->GetSheetSize(size);
    EXPECT_EQ(size.cols, 11);
    opened->GetTable(CKIV5980Doc::kTabFreqHistory)->GetSheetSize(size);
    EXPECT_EQ(size.cols, 5);
    EXPECT_EQ(size.rows, 50000);
    // Saved again, it has every section, as a new project has.
    const std::string resaved = SaveAndClose(opened, PathOf("again.kivp"));
    EXPECT_NE(resaved.find("<KIV465>"), std::string::npos);
}

TEST_F(ProjectFile, NarrowTablesOfOldFilesAreWidened)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CZELGridStyle* history = doc->GetTable(CKIV5980Doc::kTabHistory);
    history->SetColumnCount(6);
    history->SetColumnWidths(1, 77, 1);
    history->SetColumnWidths(5, 66, 1);
    CZELGridStyle* output = doc->GetTable(CKIV5980Doc::kTabOutput);
    output->SetColumnCount(5);
    output->SetColumnWidths(2, 44, 1);
    output->SetColumnWidths(3, 33, 1);
    output->SetColumnWidths(4, 22, 1);
    const std::string path = PathOf("narrow.kivp");
    SaveAndClose(doc, path);

    CKIV5980Doc* opened = Open(path);
    ASSERT_NE(opened, nullptr);
    CZELGridStyle::SheetSize size;
    history = opened->GetTable(CKIV5980Doc::kTabHistory);
    history->GetSheetSize(size);
    EXPECT_EQ(size.cols, 7);
    const CZELPaneStyle& h = history->GetPane(kPaneSheet);
    EXPECT_EQ(h.GetColumnWidth(1), 120) << "the new date column";
    EXPECT_EQ(h.GetColumnWidth(2), 77) << "the old column 1 moved right";
    EXPECT_EQ(h.GetColumnWidth(6), 66);
    output = opened->GetTable(CKIV5980Doc::kTabOutput);
    output->GetSheetSize(size);
    EXPECT_EQ(size.cols, 8);
    const CZELPaneStyle& o = output->GetPane(kPaneSheet);
    EXPECT_EQ(o.GetColumnWidth(5), 44);
    EXPECT_EQ(o.GetColumnWidth(6), 33);
    EXPECT_EQ(o.GetColumnWidth(7), 22);
    EXPECT_EQ(o.GetColumnWidth(1), 33);
    EXPECT_EQ(o.GetColumnWidth(3), 33);
}

// A store that fails half-way, as a full disk does.
class CFailingGraphArchive : public IGraphListArchive {
public:
    void Serialize(fw::CArchive& ar, IGraphTimeList&) override
    {
        ar.Flush();
        throw fw::CFileException(fw::CFileException::diskFull, -1, ar.m_strFileName);
    }
};

TEST_F(ProjectFile, FailedSaveLeavesThePreviousFileAndNoTemporaryFile)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string path = PathOf("keep.kivp");
    ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
    const std::string before = ReadAll(path);
    {
        CFailingGraphArchive failing;
        fw::ScopedInstall<IGraphListArchive> install(failing);
        services.prompt.ExpectText("", fw::IDOK);
        doc->SetModifiedFlag(true);
        EXPECT_FALSE(doc->DoSave(fw::CString(path), true));
    }
    EXPECT_EQ(FirstDifference(ReadAll(path), before), std::string::npos);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"cache", "keep.kivp", "keep_DATA"}));
}

} // namespace
