// The marks of headers copied to a PC folder come into the rebuilt
// measuring system.

#include "tests/measure/TransferFixture.h"

#include "instrument/system/MarkerList.h"
#include "measure/model/GetFileUpdate.h"

#include <fstream>

namespace {

using transfertest::TestHost;
using Files = std::vector<CKiv406FileInfo>;

class FolderMarks : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect(1);
    }

    // A set of `samples` samples every 0.001 s whose header ends with
    // `extra` lines.
    void AddSet(int box, const char* name, int samples, const std::string& extra)
    {
        kivemu::RecordedSetSpec spec;
        spec.name = name;
        spec.channels = {1};
        spec.widths = {2};
        spec.samples = samples;
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
        const std::string header = set.header + extra;
        const std::string base = std::string(temp.Path().c_str()) + "/" + name;
        std::ofstream(base + ".HED", std::ios::binary) << header;
        std::ofstream(base + ".DAT", std::ios::binary)
            .write(reinterpret_cast<const char*>(set.data.data()), static_cast<std::streamsize>(set.data.size()));
        CKiv406FileInfo entry;
        entry.m_name = base.c_str();
        entry.m_headerSize = static_cast<int>(header.size());
        entry.m_dataSize = static_cast<int>(set.data.size());
        entry.m_sampleCount = samples;
        lists.resize(std::max(lists.size(), static_cast<size_t>(box) + 1));
        lists[static_cast<size_t>(box)].push_back(entry);
    }

    bool Prepare()
    {
        for (Files& list : lists)
            vectors.push_back(&list);
        CGetFileUpdate update(host);
        update.SetFileLists(&vectors);
        return update.Prepare();
    }

    TestHost host{system};
    std::vector<Files> lists;
    CBoxArray::FileVectors vectors;
};

TEST_F(FolderMarks, EveryBoxHeaderAddsItsMarksInTimeOrder)
{
    AddSet(0, "A0001", 5000, "MARK 3001\r\nMARK 0\r\n");
    AddSet(1, "B0001", 5000, "MARK 1001\r\n");
    ASSERT_TRUE(Prepare()) << (host.messages.empty() ? "" : host.messages[0]);
    ASSERT_TRUE(host.import);
    CMarkerList& marks = host.import->GetMarkers();
    ASSERT_EQ(marks.GetCount(), 2) << "mark 0 adds nothing";
    EXPECT_EQ(marks.GetHead()->GetSampleIndex(), 1000);
    EXPECT_EQ(marks.GetTail()->GetSampleIndex(), 3000);
    const fw::COleDateTime start(2023, 12, 24, 15, 30, 0);
    const fw::COleDateTimeSpan later = marks.GetTail()->GetDate() - start;
    EXPECT_NEAR(later.GetTotalSeconds(), 3.0, 1e-4) << "3000 samples of 0.001 s";
}

} // namespace
