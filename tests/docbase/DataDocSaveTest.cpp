// Saving and reopening instrument documents through the document manager:
// identity, the no-overwrite rule of the save dialog, and failed saves.

#include "tests/docbase/DocFixture.h"

#include "docbase/doc/AppDocStrings.h"
#include "docbase/doc/GraphDocumentLookup.h"
#include "docbase/doc/NoReplaceSave.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>

using namespace apptest;

namespace {

class DataDocSave : public DocFixture {};

TEST_F(DataDocSave, SavedDocumentReopensWithItsIdentifierAndContents)
{
    CTestKivDoc* doc = NewDoc();
    ASSERT_NE(doc, nullptr);
    doc->m_payload = "計測データ 1";
    const CDocIdent ident = doc->GetDocIdent();
    const std::string path = PathOf("first.kivt");
    dialogs.AnswerSave(path.c_str());
    CTestGraphDoc* page = NewGraphPage();

    ASSERT_TRUE(doc->DoSave(fw::CString(), true));
    EXPECT_EQ(doc->GetDocIdent(), ident) << "the first save of a new document keeps its identifier";
    EXPECT_EQ(page->Count(kHintDocIdentChanged), 0);
    EXPECT_EQ(doc->GetPathName().str(), path);
    doc->OnCloseDocument();

    CTestKivDoc* again = Open(path);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetDocIdent(), ident);
    EXPECT_EQ(again->m_payload.str(), "計測データ 1");
    EXPECT_FALSE(again->IsModified());
    ASSERT_EQ(page->Count(kHintDataDocOpened), 1) << "graph pages hear of the opened document";
    EXPECT_EQ(page->m_hints.back().document, again);
}

TEST_F(DataDocSave, SaveAsToNewNameRenewsIdentityOnceAndSaveKeepsIt)
{
    CTestKivDoc* doc = NewDoc();
    const std::string first = PathOf("a.kivt");
    const std::string second = PathOf("b.kivt");
    ASSERT_TRUE(doc->DoSave(first.c_str(), true));
    const CDocIdent before = doc->GetDocIdent();
    CTestGraphDoc* page = NewGraphPage();

    dialogs.AnswerSave(second.c_str());
    ASSERT_TRUE(doc->DoSave(fw::CString(), true));
    const CDocIdent after = doc->GetDocIdent();
    EXPECT_NE(after, before);
    ASSERT_EQ(page->Count(kHintDocIdentChanged), 1);
    EXPECT_EQ(page->m_hints.back().newIdent, after);
    EXPECT_EQ(page->m_hints.back().oldIdent, before);

    ASSERT_TRUE(doc->DoFileSave());
    EXPECT_EQ(doc->GetDocIdent(), after) << "saving to its own file keeps the identity";
    EXPECT_EQ(page->Count(kHintDocIdentChanged), 1);
}

TEST_F(DataDocSave, SaveAsOntoExistingNameAsksForAnotherName)
{
    const std::string existing = PathOf("taken.kivt");
    WriteAll(existing, "not ours");
    CTestKivDoc* doc = NewDoc();
    const std::string other = PathOf("free.kivt");
    dialogs.AnswerSave(existing.c_str()).AnswerSave(other.c_str());
    services.prompt.Expect(kIdpCannotOverwrite, fw::IDOK);

    ASSERT_TRUE(doc->DoSave(fw::CString(), true));
    EXPECT_EQ(ReadAll(existing), "not ours");
    EXPECT_EQ(doc->GetPathName().str(), other);
    ASSERT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(dialogs.Requests()[1].request.initial.str(), existing) << "the dialog comes again with the chosen name";
    EXPECT_EQ(dialogs.Requests()[0].request.flags & fw::OFN_OVERWRITEPROMPT, 0u);
    EXPECT_EQ(StrayFiles({"taken.kivt", "free.kivt"}), std::vector<std::string>{});
}

TEST_F(DataDocSave, SaveAsOntoItsOwnFileIsRefusedToo)
{
    CTestKivDoc* doc = NewDoc();
    const std::string own = PathOf("own.kivt");
    ASSERT_TRUE(doc->DoSave(own.c_str(), true));
    const std::string bytes = ReadAll(own);
    doc->m_payload = "changed";
    dialogs.AnswerSave(own.c_str()).Cancel(fw::test::ScriptedFileDialogs::Kind::save);
    services.prompt.Expect(kIdpCannotOverwrite, fw::IDOK);

    EXPECT_FALSE(doc->DoSave(fw::CString(), true));
    EXPECT_EQ(ReadAll(own), bytes);
}

// A file that appears under the chosen name after the check is not
// replaced either: the rename refuses, and another name is asked for.
class CRacingDoc : public CTestKivDoc {
public:
    bool RefuseExistingFile(const fw::CString& path, const fw::CString& title, const fw::CString& ext) override
    {
        const bool ok = CTestKivDoc::RefuseExistingFile(path, title, ext);
        if (ok && !raced) {
            raced = true;
            DocFixture::WriteAll(path.str(), "appeared meanwhile");
        }
        return ok;
    }
    bool raced = false;
};

TEST_F(DataDocSave, NameTakenBetweenCheckAndWriteIsLeftAlone)
{
    auto* doc = new CRacingDoc;
    docTemplate->AddDocument(doc);
    const std::string contested = PathOf("contested.kivt");
    const std::string other = PathOf("other.kivt");
    dialogs.AnswerSave(contested.c_str()).AnswerSave(other.c_str());
    services.prompt.Expect(kIdpCannotOverwrite, fw::IDOK);

    ASSERT_TRUE(doc->DoSave(fw::CString(), true));
    EXPECT_EQ(ReadAll(contested), "appeared meanwhile");
    EXPECT_EQ(doc->GetPathName().str(), other);
    EXPECT_EQ(StrayFiles({"contested.kivt", "other.kivt"}), std::vector<std::string>{});
}

TEST_F(DataDocSave, FailedSaveKeepsPreviousFileAndIdentity)
{
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("good.kivt");
    doc->m_payload = "good";
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    const std::string good = ReadAll(path);
    const CDocIdent ident = doc->GetDocIdent();
    CTestGraphDoc* page = NewGraphPage();

    struct Case {
        const char* name;
        bool saveAs;
    };
    for (const Case& c : {Case{"file save", false}, Case{"save as", true}}) {
        SCOPED_TRACE(c.name);
        doc->m_payload = "half-written";
        doc->m_failStore = true;
        doc->SetModifiedFlag(true);
        const std::string target = PathOf("new.kivt");
        if (c.saveAs)
            dialogs.AnswerSave(target.c_str());
        services.prompt.Expect(fw::kIdpDiskFull, fw::IDOK);

        EXPECT_FALSE(c.saveAs ? doc->DoSave(fw::CString(), true) : doc->DoFileSave());
        EXPECT_EQ(ReadAll(path), good);
        EXPECT_EQ(doc->GetDocIdent(), ident);
        EXPECT_EQ(doc->GetPathName().str(), path);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(page->Count(kHintDocIdentChanged), 0);
        EXPECT_EQ(StrayFiles({"good.kivt"}), std::vector<std::string>{}) << "no partial or temporary file stays";
    }
}

TEST_F(DataDocSave, OpeningACopyElsewhereGivesANewIdentity)
{
    std::filesystem::create_directory(dir.Path() / "copy");
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("orig.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    const CDocIdent ident = doc->GetDocIdent();
    doc->OnCloseDocument();
    const std::string copy = PathOf("copy/orig.kivt");
    std::filesystem::copy_file(path, copy);

    CTestKivDoc* same = Open(path);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->GetDocIdent(), ident);
    CTestKivDoc* copied = Open(copy);
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied->GetDocIdent(), ident);
    EXPECT_NE(copied->GetDocIdent(), CDocIdent());
}

TEST_F(DataDocSave, SecondDocumentCannotOpenAPathAlreadyOpen)
{
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("once.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    CTestKivDoc* other = NewDoc();
    EXPECT_FALSE(other->OnOpenDocument(path.c_str()));
    EXPECT_EQ(Open(path), doc) << "the manager hands out the open document";
}

class CFailingLoadDoc : public CTestKivDoc {
public:
    void OnDocumentLoaded() override { throw std::bad_alloc(); }
};

TEST_F(DataDocSave, FailureWhileFinishingAnOpenIsReportedAndFailsIt)
{
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("finish.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    doc->OnCloseDocument();
    CTestGraphDoc* page = NewGraphPage();

    auto* failing = new CFailingLoadDoc;
    docTemplate->AddDocument(failing);
    services.prompt.Expect(fw::kIdpOutOfMemory, fw::IDOK);
    EXPECT_FALSE(failing->OnOpenDocument(path.c_str()));
    EXPECT_EQ(page->Count(kHintDataDocOpened), 0);
}

TEST_F(DataDocSave, ApplicationFindsDocumentsByIdentifier)
{
    CTestKivDoc* doc = NewDoc();
    CTestKivDoc* other = NewDoc();
    EXPECT_EQ(host.FindDocument(doc->GetDocIdent()), doc);
    EXPECT_EQ(host.FindDocument(other->GetDocIdent()), other);
    EXPECT_EQ(host.FindDocument(CDocIdent()), nullptr);
    // Graph series reach the same documents through the charting engine's
    // lookup.
    CHostGraphDocumentLookup lookup;
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);
    EXPECT_EQ(FindGraphDocument(other->GetDocIdent()), other);
    EXPECT_EQ(FindGraphDocument(CDocIdent()), nullptr);

    CTestGraphDoc* page = NewGraphPage();
    host.SendDataDocsToGraphDoc(*page);
    ASSERT_EQ(page->Count(kHintDataDocOpened), 2);
    EXPECT_EQ(page->m_hints[0].document, doc);
    EXPECT_EQ(page->m_hints[1].document, other);
}

TEST(NoReplaceWrite, ExistingNameIsNeverTouched)
{
    kivtest::TempDir dir;
    const std::string path = (dir / "x.bin").string();
    DocFixture::WriteAll(path, "old");
    const auto result = WriteFileNoReplace(path.c_str(), [](fw::CFile& f) { f.Write("new", 3); });
    EXPECT_EQ(result, NoReplaceResult::nameTaken);
    EXPECT_EQ(DocFixture::ReadAll(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    const std::string fresh = (dir / "y.bin").string();
    EXPECT_EQ(WriteFileNoReplace(fresh.c_str(), [](fw::CFile& f) { f.Write("new", 3); }), NoReplaceResult::written);
    EXPECT_EQ(DocFixture::ReadAll(fresh), "new");
}

} // namespace
