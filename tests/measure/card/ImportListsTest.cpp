// The import lists: card files copied to a PC folder sorted into waveform
// and frequency files with what their headers say, registering without
// doubles, releasing clamped rows, and the check before the import.

#include "measure/model/card/CardFolderScan.h"
#include "measure/model/card/ImportLists.h"

#include "framework/core/FileSystem.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/emulator/RecordedData.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using cardfiles::FileList;

std::string Header(int samples, const std::string& replace = "", const std::string& with = "")
{
    kivemu::RecordedSetSpec spec;
    spec.channels = {1, 2};
    spec.widths = {2, 2};
    spec.samples = samples;
    std::string h = kivemu::MakeRecordedSet(spec).header;
    if (!replace.empty()) {
        const size_t at = h.find(replace);
        if (at != std::string::npos)
            h.replace(at, replace.size(), with);
    }
    return h;
}

class ImportListsTest : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(std::string(dir.Path().c_str()) + "/" + name, std::ios::binary) << bytes;
    }
    // A header and a data file of `rows` rows of two 16-bit series.
    void Set(const std::string& name, const std::string& header, int rows)
    {
        Write(name + ".HED", header);
        Write(name + ".DAT", std::string(static_cast<size_t>(rows) * 4, '\0'));
    }
    void Scan()
    {
        cardfiles::FolderScanQuestions q;
        q.adjustCount = [this](const fw::CString& path) {
            asked.push_back(fw::fs::FileNameOf(path).str());
            return adjust;
        };
        q.cannotRead = [this](const fw::CString& path) { unread.push_back(fw::fs::FileNameOf(path).str()); };
        cardfiles::ScanRecordedFiles(dir.Path().c_str(), waveforms, frequencies, q);
    }
    const CKiv406FileInfo* Find(const FileList& list, const std::string& name)
    {
        for (const CKiv406FileInfo& f : list)
            if (fw::fs::FileNameOf(f.m_name).str() == name)
                return &f;
        return nullptr;
    }

    fw::test::ServiceScope services;
    kivtest::TempDir dir;
    FileList waveforms, frequencies;
    std::vector<std::string> asked, unread;
    bool adjust = true;
};

TEST_F(ImportListsTest, FolderFilesAreSortedByKindWithTheirHeaderValues)
{
    Set("A0001", Header(100), 100);
    Set("A0002", Header(50, "HORZ_UNITS SEC\r\nX_OFFSET 0", "HORZ_UNITS SAMPLES\r\nX_OFFSET -10"), 50);
    Set("A0003", Header(10, "TRIGGER_TYPE COMMAND", "TRIGGER_TYPE FREERUN"), 10);
    Set("A0004", Header(10, "TRIGGER_TYPE COMMAND", ""), 10);
    Set("H0001", Header(10) + "OPERATION 1\r\n", 10);
    Write("A0005.HED", Header(10));  // no data file
    Set("A0006", Header(99), 100);   // count adjusted on yes
    Set("A0007", Header(10, "NUM_SERIES 2", "NUM_SERIES 0"), 10);
    Scan();
    EXPECT_EQ(waveforms.size(), 5u);
    ASSERT_EQ(frequencies.size(), 1u);
    EXPECT_EQ(fw::fs::FileNameOf(frequencies[0].m_name).str(), "H0001");
    EXPECT_EQ(Find(waveforms, "A0005"), nullptr);
    EXPECT_EQ(unread, (std::vector<std::string>{"A0007.HED"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"A0006.HED"}));

    const CKiv406FileInfo* plain = Find(waveforms, "A0001");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->m_sampleCount, 100);
    EXPECT_DOUBLE_EQ(plain->m_interval, 1.0);
    EXPECT_EQ(plain->m_clockKind, 0);
    EXPECT_EQ(plain->m_triggerType, 0);
    EXPECT_EQ(plain->m_unitTypes.GetAt(0), 2);
    EXPECT_EQ(plain->m_firstSampleTime.Format("%Y/%m/%d %H:%M:%S").str(), "2023/12/24 15:30:00");

    const CKiv406FileInfo* external = Find(waveforms, "A0002");
    ASSERT_NE(external, nullptr);
    EXPECT_NE(external->m_clockKind, 0);
    EXPECT_DOUBLE_EQ(external->m_interval, 1.0);
    EXPECT_NEAR((external->m_headerTime.m_dt - external->m_firstSampleTime.m_dt) * 86400000.0, 10.0, 1e-3);

    EXPECT_EQ(Find(waveforms, "A0003")->m_triggerType, 2);
    EXPECT_EQ(Find(waveforms, "A0004")->m_triggerType, 0);
    EXPECT_EQ(Find(waveforms, "A0006")->m_sampleCount, 100);
}

TEST_F(ImportListsTest, ADroppedCountMismatchLeavesTheFileOut)
{
    Set("A0001", Header(99), 100);
    adjust = false;
    Scan();
    EXPECT_TRUE(waveforms.empty());
}

TEST_F(ImportListsTest, TriggerKindsByTheirPlaceInTheText)
{
    struct Row {
        const char* value;
        int kind;
    } rows[] = {{"COMMAND", 0}, {"DATA", 1}, {"FREERUN", 2}, {"PROGRAME", 3}, {"OTHER", 0}};
    for (const Row& row : rows)
        EXPECT_EQ(cardfiles::TriggerKindOf(row.value), row.kind) << row.value;
}

CKiv406FileInfo Entry(const char* name, int minute, double interval = 1.0)
{
    CKiv406FileInfo f;
    f.m_name = name;
    f.m_interval = interval;
    f.m_headerTime.SetDateTime(2024, 1, 1, 10, minute, 0);
    f.m_firstSampleTime = f.m_headerTime;
    return f;
}

TEST_F(ImportListsTest, RegisteringTwiceKeepsOneOfEachInOrder)
{
    const FileList found{Entry("B", 2), Entry("A", 1), Entry("C", 3)};
    FileList registered;
    cardfiles::RegisterRows(found, 0, 1, registered);
    cardfiles::RegisterRows(found, 0, 9, registered);
    ASSERT_EQ(registered.size(), 3u);
    EXPECT_EQ(registered[0].m_name.str(), "A");
    EXPECT_EQ(registered[2].m_name.str(), "C");
}

TEST_F(ImportListsTest, ReleaseIsClampedToEachList)
{
    FileList a{Entry("A1", 1), Entry("A2", 2), Entry("A3", 3)};
    FileList b{Entry("B1", 1)};
    cardfiles::FileVectors lists{&a, &b};
    cardfiles::ReleaseRows(lists, 0, 5, 1, 7);
    EXPECT_EQ(a.size(), 1u);
    EXPECT_EQ(b.size(), 1u);
}

TEST_F(ImportListsTest, TheImportNeedsEqualListsAndMatchingClocks)
{
    FileList w0{Entry("A", 1, 100)}, w1{Entry("B", 1, 100.0000001)}, f0, f1, v0, v1;
    cardfiles::FileVectors w{&w0, &w1}, f{&f0, &f1}, v{&v0, &v1};
    cardfiles::RegisterCheck check = cardfiles::CheckRegistered(w, f, v);
    EXPECT_EQ(check.message, cardfiles::kIdsClockMismatch);
    EXPECT_EQ(check.row, 1);
    w1[0].m_interval = 100;
    EXPECT_EQ(cardfiles::CheckRegistered(w, f, v).message, 0u);
    w1.clear();
    check = cardfiles::CheckRegistered(w, f, v);
    EXPECT_EQ(check.message, cardfiles::kIdsRegisterFiles);
    EXPECT_EQ(check.kind, 0);
    w0.clear();
    f1.push_back(Entry("H", 1));
    EXPECT_EQ(cardfiles::CheckRegistered(w, f, v).kind, 1);
    f1.clear();
    check = cardfiles::CheckRegistered(w, f, v);
    EXPECT_EQ(check.message, cardfiles::kIdsRegisterFiles);
    EXPECT_EQ(check.kind, -1);
    v1.push_back(Entry("V", 1));
    EXPECT_EQ(cardfiles::CheckRegistered(w, f, v).message, 0u);
}

} // namespace
