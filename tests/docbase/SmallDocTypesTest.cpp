// Document identifiers, the undo buffer and the update hints.

#include "docbase/doc/DocIdent.h"
#include "docbase/doc/UndoBuffer.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/Document.h"
#include "framework/core/File.h"
#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

namespace {

TEST(DocIdent, DefaultIsNoDocument)
{
    fw::test::ServiceScope services;
    CDocIdentSource source;
    EXPECT_EQ(CDocIdent(), CDocIdent(-1, -1));
    EXPECT_NE(CDocIdent(), source.NewDocIdent());
    EXPECT_NE(CDocIdent(1, 2), CDocIdent(1, 3));
    EXPECT_NE(CDocIdent(1, 2), CDocIdent(0, 2));
}

TEST(DocIdent, ArchiveFormIsEightBytes)
{
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        CDocIdent(0x01020304, -2).Serialize(ar);
        ar.Close();
    }
    const std::vector<uint8_t> expected = {4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::vector<uint8_t>(file.Data().begin(), file.Data().end()), expected);
    file.SeekToBegin();
    fw::CArchive ar(&file, fw::CArchive::load);
    CDocIdent back;
    back.Serialize(ar);
    EXPECT_EQ(back, CDocIdent(0x01020304, -2));
}

TEST(DocIdent, OneIdentifierPerSecondOfTheRun)
{
    fw::test::ServiceScope services;
    const time_t start = 0x123456789LL;  // beyond 32 bits: the low half names the run
    services.clock.SetNow(start);
    CDocIdentSource source;
    const CDocIdent first = source.NewDocIdent();
    const int sleepsBefore = services.clock.Sleeps();
    const CDocIdent second = source.NewDocIdent();

    EXPECT_EQ(first.GetAppId(), static_cast<int32_t>(start & 0xFFFFFFFF));
    EXPECT_EQ(second.GetAppId(), first.GetAppId());
    EXPECT_EQ(first.GetTimeStamp(), static_cast<int32_t>(start & 0xFFFFFFFF));
    EXPECT_EQ(second.GetTimeStamp(), first.GetTimeStamp() + 1) << "the second waits for the next second";
    EXPECT_GT(services.clock.Sleeps(), sleepsBefore);
}

TEST(UndoBuffer, ReleaseAndCanUndo)
{
    struct Case {
        const char* name;
        fw::HWND releaser;
        bool stays;
    };
    const Case cases[] = {{"another view", 8, true}, {"the owner", 7, false}, {"anyone (0)", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUndoBuffer undo;
        auto file = CUndoBuffer::NewSnapshotFile();
        file->Write("abc", 3);
        undo.SetSnapshot(7, CUndoBuffer::kDataViewKind, std::move(file));
        EXPECT_EQ(undo.Release(c.releaser), c.releaser);
        EXPECT_EQ(undo.CanUndo(CUndoBuffer::kDataViewKind), c.stays);
        EXPECT_FALSE(undo.CanUndo(513));
        if (c.stays) {
            fw::CMemFile* snapshot = undo.GetSnapshot();
            ASSERT_NE(snapshot, nullptr);
            EXPECT_EQ(snapshot->GetPosition(), 0u) << "handed out from its start";
        } else {
            EXPECT_EQ(undo.GetSnapshot(), nullptr);
            EXPECT_EQ(undo.GetOwner(), 0u);
        }
    }
}

TEST(UpdateKivData, IsSentByNeedsTheDocumentAndASenderOfTheClass)
{
    fw::CDocument doc, other;
    CUpdateKivData hint(&doc);
    EXPECT_FALSE(hint.IsSentBy(&doc, FW_RUNTIME_CLASS(fw::CDocument))) << "no sender set";
    hint.m_pSender = &doc;
    EXPECT_TRUE(hint.IsSentBy(&doc, FW_RUNTIME_CLASS(fw::CDocument)));
    EXPECT_TRUE(hint.IsSentBy(&doc, FW_RUNTIME_CLASS(fw::CObject)));
    EXPECT_FALSE(hint.IsSentBy(&other, FW_RUNTIME_CLASS(fw::CDocument)));
    EXPECT_FALSE(hint.IsSentBy(&doc, FW_RUNTIME_CLASS(CUpdateDataDoc)));
    EXPECT_EQ(hint.m_changeFlags, 0);
}

} // namespace
