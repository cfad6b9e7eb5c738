#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/FileSystem.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/framework/core/DocTestClasses.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using namespace fw;
using doctest::NoteDoc;

const char* const kNoteStrings = "\nノート\nノート\nノート(*.note)\n.note\nTest.Note\nTest.ノート";

std::vector<uint8_t> ReadBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& p, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

CDocTemplate* MakeTemplate(const char* strings, bool filterOnly = false)
{
    auto* t = new CDocTemplate(0, filterOnly ? nullptr : FW_RUNTIME_CLASS(NoteDoc), nullptr, nullptr, filterOnly);
    t->SetDocStrings(strings);
    return t;
}

class Documents : public ::testing::Test {
protected:
    void SetUp() override
    {
        notes = MakeTemplate(kNoteStrings);
        manager.AddDocTemplate(notes);
    }
    void TearDown() override
    {
        manager.CloseAllDocuments(true);
        EXPECT_EQ(services.prompt.Problems(), "");
        EXPECT_EQ(dialogs.Problems(), "");
    }
    NoteDoc* NewNote()
    {
        return dynamic_cast<NoteDoc*>(notes->OpenDocumentFile(CString()));
    }
    CString PathOf(const char* name) const { return CString((dir / name).string()); }

    test::ServiceScope services;
    test::ScriptedFileDialogs dialogs;
    kivtest::TempDir dir;
    CDocManager manager;
    CDocTemplate* notes = nullptr;
};

TEST_F(Documents, SavedAndReopenedThroughTheManagerKeepsItsContents)
{
    const CString path = PathOf("a.note");
    NoteDoc* doc = NewNote();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), "ノート1");
    doc->text = "ノート";
    doc->number = -5;
    doc->SetModifiedFlag();
    ASSERT_TRUE(doc->DoSave(path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(doc->GetTitle(), "a.note");
    EXPECT_EQ(manager.RecentFiles()[0], path);
    // CP932 text with its length byte, then the number, little-endian.
    EXPECT_EQ(ReadBytes(dir / "a.note"),
              (std::vector<uint8_t>{6, 0x83, 0x6D, 0x81, 0x5B, 0x83, 0x67, 0xFB, 0xFF, 0xFF, 0xFF}));
    doc->OnCloseDocument();
    EXPECT_EQ(notes->GetDocumentCount(), 0u);

    auto* again = dynamic_cast<NoteDoc*>(manager.OpenDocumentFile(path));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->text, "ノート");
    EXPECT_EQ(again->number, -5);
    EXPECT_FALSE(again->IsModified());
    EXPECT_EQ(again->GetTitle(), "a.note");
}

TEST_F(Documents, SaveCommandRoutesThroughTheDocument)
{
    NoteDoc* doc = NewNote();
    doc->number = 7;
    ASSERT_TRUE(doc->DoSave(PathOf("b.note")));
    doc->number = 8;
    doc->SetModifiedFlag();
    EXPECT_TRUE(doc->DoCommand(ID_FILE_SAVE));
    EXPECT_EQ(ReadBytes(dir / "b.note").back(), 0);
    EXPECT_EQ(ReadBytes(dir / "b.note")[1], 8);
}

TEST_F(Documents, FailedSaveLeavesThePreviousFileIntact)
{
    const CString path = PathOf("a.note");
    NoteDoc* doc = NewNote();
    doc->text = "old";
    ASSERT_TRUE(doc->DoSave(path));
    const auto before = ReadBytes(dir / "a.note");

    doc->text = "a much longer new text";
    doc->SetModifiedFlag();
    doc->failStore = true;
    services.prompt.Expect(kIdpDiskFull, IDOK);
    EXPECT_FALSE(doc->DoSave(path));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadBytes(dir / "a.note"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file may stay behind";
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_NE(services.prompt.Prompts()[0].text.Find(path), -1);
}

TEST_F(Documents, FailedSaveAsOntoAnExistingFileKeepsThatFile)
{
    const auto other = dir / "other.note";
    const std::vector<uint8_t> original{3, 'a', 'b', 'c', 1, 0, 0, 0};
    WriteBytes(other, original);
    NoteDoc* doc = NewNote();
    doc->failStore = true;
    dialogs.AnswerSave(CString(other.string()));
    services.prompt.Expect(kIdpDiskFull, IDOK);
    EXPECT_FALSE(doc->DoSave(CString()));
    EXPECT_EQ(ReadBytes(other), original);
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
}

TEST_F(Documents, SaveAsAsksWithTheTemplatesFilterAndATitleDerivedName)
{
    NoteDoc* doc = NewNote();
    dialogs.AnswerSave(PathOf("chosen.note"));
    ASSERT_TRUE(doc->DoSave(CString()));
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    const FileDialogRequest& r = dialogs.Requests()[0].request;
    EXPECT_EQ(r.title, LoadStringText(kIdsSaveFileTitle));
    EXPECT_EQ(r.initial, "ノート1.note");
    EXPECT_EQ(r.defaultExt, "note");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].name, "ノート(*.note)");
    EXPECT_EQ(r.filters[0].patterns, std::vector<CString>{"*.note"});
    EXPECT_EQ(r.filters[1].name, LoadStringText(kIdsAllFilter));
    EXPECT_EQ(r.filters[1].patterns, std::vector<CString>{"*.*"});
    EXPECT_EQ(doc->GetPathName(), PathOf("chosen.note"));
}

TEST_F(Documents, SaveACopyKeepsTheDocumentsOwnName)
{
    NoteDoc* doc = NewNote();
    ASSERT_TRUE(doc->DoSave(PathOf("own.note")));
    dialogs.AnswerSave(PathOf("copy.note"));
    ASSERT_TRUE(doc->DoSave(CString(), false));
    EXPECT_EQ(dialogs.Requests()[0].request.title, LoadStringText(kIdsSaveFileCopyTitle));
    EXPECT_EQ(doc->GetPathName(), PathOf("own.note"));
    EXPECT_TRUE(std::filesystem::exists(dir / "copy.note"));
}

TEST_F(Documents, OpenFailuresShowTheirReasonAndLeaveNoDocument)
{
    WriteBytes(dir / "short.note", {5, 'a', 'b'});
    struct Row { const char* name; const char* file; unsigned prompt; };
    const Row rows[] = {
        {"missing_file", "missing.note", kIdpInvalidFileName},
        {"truncated_file", "short.note", kIdpBadFormat},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Reset();
        services.prompt.Expect(r.prompt, IDOK);
        EXPECT_EQ(manager.OpenDocumentFile(PathOf(r.file)), nullptr);
        EXPECT_EQ(services.prompt.Problems(), "");
        EXPECT_EQ(notes->GetDocumentCount(), 0u);
    }
}

TEST_F(Documents, ASecondOpenOfTheSameFileReturnsTheOpenDocument)
{
    const CString path = PathOf("a.note");
    NoteDoc* doc = NewNote();
    ASSERT_TRUE(doc->DoSave(path));
    EXPECT_EQ(manager.OpenDocumentFile(path), doc);
    EXPECT_EQ(manager.OpenDocumentFile(CString("\"") + path + "\""), doc);
    EXPECT_EQ(notes->GetDocumentCount(), 1u);
}

TEST_F(Documents, HiddenOpenMakesAnEmbeddedDocument)
{
    NoteDoc* doc = NewNote();
    ASSERT_TRUE(doc->DoSave(PathOf("a.note")));
    doc->OnCloseDocument();
    CDocument* hidden = manager.OpenDocumentFile(PathOf("a.note"), false);
    ASSERT_NE(hidden, nullptr);
    EXPECT_TRUE(hidden->m_bEmbedded);
}

TEST_F(Documents, MatchDocTypeRanksTemplates)
{
    CDocTemplate* combined = MakeTemplate("\n\n\nKIV-5400ファイル(*.*)\n.kivp;.kivd;.kivg;.kivh\n\n", true);
    manager.AddDocTemplate(combined);
    NoteDoc* doc = NewNote();
    ASSERT_TRUE(doc->DoSave(PathOf("open.note")));
    struct Row { const char* name; CDocTemplate* tmpl; const char* file; CDocTemplate::Confidence c; };
    const Row rows[] = {
        {"own_extension", notes, "x.note", CDocTemplate::yesAttemptNative},
        {"own_extension_upper_case", notes, "x.NOTE", CDocTemplate::yesAttemptNative},
        {"foreign_extension", notes, "x.kivs", CDocTemplate::maybeAttemptForeign},
        {"already_open", notes, "open.note", CDocTemplate::yesAlreadyOpen},
        {"filter_only_own_extension", combined, "x.kivp", CDocTemplate::maybeAttemptForeign},
        {"filter_only_unknown", combined, "x.kivs", CDocTemplate::maybeAttemptForeign},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CDocument* match = nullptr;
        EXPECT_EQ(r.tmpl->MatchDocType(PathOf(r.file), match), r.c);
        EXPECT_EQ(match != nullptr, r.c == CDocTemplate::yesAlreadyOpen);
    }
}

TEST_F(Documents, AFilterOnlyTemplateNeverOutranksARealOne)
{
    CDocManager m;
    CDocTemplate* combined = MakeTemplate("\n\n\nKIV-5400ファイル(*.*)\n.note\n\n", true);
    m.AddDocTemplate(combined);
    CDocTemplate* real = MakeTemplate(kNoteStrings);
    m.AddDocTemplate(real);
    CDocTemplate::Confidence c;
    CDocument* open = nullptr;
    EXPECT_EQ(m.FindBestTemplate(PathOf("x.note"), c, open), real);
    EXPECT_EQ(m.FindBestTemplate(PathOf("x.kivs"), c, open), combined) << "unknown types still reach it";
}

TEST_F(Documents, OpenDialogListsEveryTemplateThenAllFiles)
{
    manager.AddDocTemplate(MakeTemplate("\n計測データ\n計測データ\n計測データ(*.kivd)\n.kivd\nKIV-5400.Data\n"));
    manager.AddDocTemplate(MakeTemplate("\nグラフ\nグラフ\nグラフ (*.kivg)\n.kivg;.kivx\nKIV-5400.graph\n"));
    manager.AddDocTemplate(MakeTemplate("\nno filter\nno filter\n\n\n\n"));
    dialogs.Cancel(test::ScriptedFileDialogs::Kind::open);
    manager.OnFileOpen();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    const FileDialogRequest& r = dialogs.Requests()[0].request;
    ASSERT_EQ(r.filters.size(), 4u);
    EXPECT_EQ(r.filters[0].name, "ノート(*.note)");
    EXPECT_EQ(r.filters[1].name, "計測データ(*.kivd)");
    EXPECT_EQ(r.filters[2].patterns, (std::vector<CString>{"*.kivg", "*.kivx"}));
    EXPECT_EQ(r.filters[3].patterns, std::vector<CString>{"*.*"});
    EXPECT_EQ(r.defaultExt, "note");
    EXPECT_EQ(r.selectedFilter, 0);
    EXPECT_EQ(QtFilterText(r.filters[2]), "グラフ (*.kivg) (*.kivg *.kivx)");
}

TEST_F(Documents, SaveModifiedFollowsTheAnswer)
{
    struct Row { const char* name; int answer; bool hasPath; bool result; bool saved; };
    const Row rows[] = {
        {"cancel_keeps_document", IDCANCEL, true, false, false},
        {"no_discards", IDNO, true, true, false},
        {"yes_saves_to_its_file", IDYES, true, true, true},
        {"yes_on_new_document_asks_for_a_name", IDYES, false, false, false},
    };
    int n = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        NoteDoc* doc = NewNote();
        const CString path = PathOf(("m" + std::to_string(n++) + ".note").c_str());
        if (r.hasPath) {
            ASSERT_TRUE(doc->DoSave(path));
        }
        doc->number = 42;
        doc->SetModifiedFlag();
        services.prompt.Reset();
        services.prompt.Expect(kIdpAskToSave, r.answer);
        if (!r.hasPath) {
            dialogs.Cancel(test::ScriptedFileDialogs::Kind::save);
        }
        EXPECT_EQ(doc->SaveModified(), r.result);
        EXPECT_EQ(services.prompt.Problems(), "");
        if (r.hasPath) {
            EXPECT_EQ(ReadBytes(path.str())[1] == 42, r.saved);
        }
        doc->OnCloseDocument();
    }
}

TEST_F(Documents, UpdateAllViewsSkipsTheSenderAndSurvivesAViewLeaving)
{
    NoteDoc* doc = NewNote();
    std::vector<std::string> log;
    doctest::FakeView a("a"), b("b"), c("c");
    for (auto* v : {&a, &b, &c}) {
        v->log = &log;
        doc->AddView(v);
    }
    b.onUpdate = [&] { doc->RemoveView(&c); };
    doc->UpdateAllViews(a.AsView(), 15);
    EXPECT_EQ(log, (std::vector<std::string>{"b 15"}));
    log.clear();
    doc->UpdateAllViews(nullptr, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"a 3", "b 3"}));
    POSITION pos = doc->GetFirstViewPosition();
    EXPECT_EQ(doc->GetNextView(pos), a.AsView());
    EXPECT_EQ(doc->GetNextView(pos), b.AsView());
    EXPECT_TRUE(pos == nullptr);
    log.clear();
    doc->OnCloseDocument();
    EXPECT_EQ(log, (std::vector<std::string>{"a closing", "b closing"}));
    EXPECT_EQ(notes->GetDocumentCount(), 0u);
}

} // namespace
