// The frequency history of a project, rebuilt from the frequency-data files
// of its data folder and extended by imported records, and the objects that
// go with the history and calculated-channel hints to the graph pages.

#include "tests/project/ProjectFixture.h"

#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "frequency/model/HistCountArray.h"
#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace prjtest;

namespace {

// Reads and writes the test's stand-in frequency files: "start stop title
// card" on one line (dates as day numbers); anything else is no frequency
// file.
class CFakeHistFiles : public IHistFileAccess {
public:
    bool CreateFile(const fw::CString& folder, const fw::CString& name, const fw::CString& title,
                    CHistCountArray* analyses, const fw::CString& cardFileName, fw::CString& path,
                    HistFileHeader& header) override
    {
        std::unique_ptr<CHistCountArray> owned(analyses);
        ++created;
        if (failCreate)
            return false;
        const double start = 40000 + created;
        path = fw::CString(folder.str() + "/H" + std::to_string(created) + ".kivh");
        std::ofstream(path.str()) << start << ' ' << start + 0.5 << ' ' << title.str() << ' ' << cardFileName.str();
        return ReadHeader(path, header);
    }
    bool ReadHeader(const fw::CString& path, HistFileHeader& header) override
    {
        std::ifstream in(path.str());
        double start = 0, stop = 0;
        std::string title, card;
        if (!(in >> start >> stop >> title >> card))
            return false;
        header.start = fw::COleDateTime(start);
        header.stop = fw::COleDateTime(stop);
        header.title = fw::CString(title);
        header.cardFileName = fw::CString(card);
        return true;
    }
    bool ReplaceTitle(const fw::CString&, const fw::CString&) override { return false; }

    int created = 0;
    bool failCreate = false;
};

class FreqHistory : public ProjectFixture {
protected:
    static void AddFreqFile(const std::string& folder, const std::string& name, const std::string& content)
    {
        std::filesystem::create_directories(folder);
        std::ofstream(std::filesystem::path(folder) / name) << content;
    }

    CFakeHistFiles files;
    fw::ScopedInstall<IHistFileAccess> installFiles{files};
};

TEST_F(FreqHistory, RebuiltOnOpenByStartTimeThenNameSkippingWhatIsNoFrequencyFile)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetFreqHistory().GetMaxIndex(), -1);
    const std::string path = PathOf("f.kivp");
    SaveAndClose(doc, path);
    const std::string folder = PathOf("f_DATA");
    AddFreqFile(folder, "late.kivh", "40002 40003 later C2");
    AddFreqFile(folder, "b.kivh", "40001 40001.5 second C1");
    AddFreqFile(folder, "a.kivh", "40001 40001.5 first C0");
    AddFreqFile(folder, "broken.kivh", "not a frequency file");
    AddFreqFile(folder, "other.txt", "40000 40000 text T");

    doc = Open(path);
    ASSERT_NE(doc, nullptr);
    CHistMMAObject& h = doc->GetFreqHistory();
    ASSERT_EQ(h.GetMaxIndex(), 2);
    EXPECT_EQ(h.GetPath(0).str(), folder + "/a") << "equal start times go by name; the extension goes";
    EXPECT_EQ(h.GetPath(1).str(), folder + "/b");
    EXPECT_EQ(h.GetPath(2).str(), folder + "/late");
    EXPECT_EQ(h.GetTitle(2).str(), "later");
    EXPECT_EQ(h.GetCFFileName(1).str(), "C1");
    EXPECT_DOUBLE_EQ(h.GetStopTime(0).m_dt, 40001.5);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(FreqHistory, FileStaysByteIdenticalAndSavingUnderANewNameRescans)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string path = PathOf("g.kivp");
    const std::string first = SaveAndClose(doc, path);
    AddFreqFile(PathOf("g_DATA"), "x.kivh", "40001 40002 t C");
    doc = Open(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetFreqHistory().GetMaxIndex(), 0);
    // The history is found again in the data folder, not kept in the file.
    EXPECT_TRUE(SaveAndClose(doc, path) == first);

    doc = Open(path);
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("h.kivp")), true));
    EXPECT_EQ(doc->GetFreqHistory().GetMaxIndex(), -1) << "the new data folder holds no frequency file";
}

TEST_F(FreqHistory, ImportSavesEachRecordAndStopsAtTheFirstFailure)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("i.kivp")), true));
    doc->SetTestTitle("load");
    std::vector<CKiv406FileInfo> records(3);
    records[0].m_name = "H0001";
    records[1].m_name = "H0002";
    records[2].m_name = "H0003";
    struct Row {
        const char* name;
        std::vector<int> readable;
        bool failCreate;
        int rows;
    };
    const Row rows[] = {
        {"every record", {0, 1, 2}, false, 3},
        {"a record that cannot be read ends the import", {0, 2}, false, 1},
        {"a file that cannot be written ends the import", {0, 1, 2}, true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        doc->GetFreqHistory().RemoveAll();
        projectHost.histRecords = row.readable;
        projectHost.histCardFlags.clear();
        files.failCreate = row.failCreate;
        // The first unit without a list is passed over.
        doc->ImportHistogramData({nullptr, &records}, true);
        EXPECT_EQ(doc->GetFreqHistory().GetMaxIndex(), row.rows - 1);
        ASSERT_FALSE(projectHost.histCardFlags.empty());
        EXPECT_TRUE(projectHost.histCardFlags.front());
    }
    // The rows of the first pass name the files written and their records.
    doc->GetFreqHistory().RemoveAll();
    files.failCreate = false;
    projectHost.histRecords = {0, 1};
    doc->ImportHistogramData({&records}, false);
    CHistMMAObject& h = doc->GetFreqHistory();
    ASSERT_EQ(h.GetMaxIndex(), 1);
    EXPECT_EQ(h.GetCFFileName(1).str(), "H0002");
    EXPECT_EQ(h.GetTitle(0).str(), "load");
    const std::string stored = h.GetPath(0).str();
    EXPECT_TRUE(std::filesystem::exists(stored + ".kivh")) << stored;
    EXPECT_EQ(stored.rfind(PathOf("i_DATA"), 0), 0u);
}

TEST_F(FreqHistory, HistoryHintsCarryTheProjectAndItsLastStep)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    projectHost.stepHints.clear();
    doc->SetLastStep(4);
    ASSERT_EQ(projectHost.stepHints.size(), 1u);
    EXPECT_EQ(projectHost.stepHints[0].doc, doc);
    EXPECT_EQ(projectHost.stepHints[0].step, 4);
    EXPECT_EQ(projectHost.graphHints.back(), 35);
    doc->SetLastStep(-1);
    EXPECT_EQ(projectHost.stepHints.back().step, -1);
}

TEST_F(FreqHistory, CalculatedChannelHintsNameTheMovedChannels)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    // Calculated channels up to NO21 exist.
    ASSERT_TRUE(doc->SetCalcChannelText(0, 20, "x", nullptr));
    projectHost.moveHints.clear();
    ASSERT_TRUE(doc->InsertCalcChannels(2, 4));
    ASSERT_TRUE(doc->DeleteCalcChannels(10, 11));
    ASSERT_EQ(projectHost.moveHints.size(), 2u);
    const auto& inserted = projectHost.moveHints[0];
    EXPECT_EQ(inserted.hint, 13);
    EXPECT_EQ(inserted.first, 502);
    EXPECT_EQ(inserted.last, 504);
    EXPECT_EQ(inserted.tanks, &doc->GetBoxArray().GetTankList());
    EXPECT_TRUE(inserted.doc == doc->GetDocIdent());
    const auto& deleted = projectHost.moveHints[1];
    EXPECT_EQ(deleted.hint, 14);
    EXPECT_EQ(deleted.first, 510);
    EXPECT_EQ(deleted.last, 511);
}

} // namespace
