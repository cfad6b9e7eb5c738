// The program's document manager: dialogs built from the templates,
// documents opened without a window and the text conversions over them.

#include "tests/docbase/DocFixture.h"

#include "docbase/doc/DocTextConversion.h"
#include "framework/core/DocTemplate.h"

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class KivDocManagerTest : public DocFixture {};

TEST_F(KivDocManagerTest, OpenDialogListsEveryTemplateThenAllFiles)
{
    auto* third = new fw::CDocTemplate(64003, FW_RUNTIME_CLASS(CTestKivDoc), nullptr, nullptr);
    third->SetDocStrings("\n頻度\n頻度\n頻度データ(*.kivh)\n.kivh\nKIV-5400.HistData\n");
    manager.AddDocTemplate(third);
    dialogs.AnswerOpen(PathOf("x.kivt").c_str());
    fw::CString name;
    ASSERT_TRUE(manager.DoPromptFileName(name, fw::kIdsOpenFileTitle, fw::OFN_FILEMUSTEXIST, true, nullptr));

    const fw::FileDialogRequest& r = dialogs.Requests().at(0).request;
    ASSERT_EQ(r.filters.size(), 4u);
    EXPECT_EQ(r.filters[0].name.str(), "テストデータ(*.kivt)");
    EXPECT_EQ(r.filters[0].patterns, std::vector<fw::CString>{"*.kivt"});
    EXPECT_EQ(r.filters[1].patterns, std::vector<fw::CString>{"*.kivg"});
    EXPECT_EQ(r.filters[2].patterns, std::vector<fw::CString>{"*.kivh"});
    EXPECT_EQ(r.filters[3].patterns, std::vector<fw::CString>{"*.*"});
    EXPECT_EQ(r.defaultExt.str(), "kivt");
    EXPECT_EQ(r.selectedFilter, 0);
    EXPECT_EQ(name.str(), PathOf("x.kivt"));
}

TEST_F(KivDocManagerTest, StartUpGraphsBoxIsStoredOnlyWhenConfirmed)
{
    int32_t flag = 1;
    manager.SetStartUpGraphsFlag(&flag);
    fw::CString name;
    dialogs.Cancel(fw::test::ScriptedFileDialogs::Kind::open);
    EXPECT_FALSE(manager.DoPromptFileName(name, fw::kIdsOpenFileTitle, 0, true, nullptr));
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(dialogs.Requests().at(0).request.extraCheckId, CKivDocManager::kStartUpGraphsCheckId);
    EXPECT_TRUE(dialogs.Requests().at(0).request.extraCheckState);

    dialogs.AnswerOpen(PathOf("p.kivg").c_str(), false);
    EXPECT_TRUE(manager.DoPromptFileName(name, fw::kIdsOpenFileTitle, 0, true, nullptr));
    EXPECT_EQ(flag, 0) << "stored even for a file that is no project";
}

TEST_F(KivDocManagerTest, HiddenOpenFindsTheSameDocumentForAQuotedPath)
{
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("hidden.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    doc->OnCloseDocument();

    fw::CDocTemplate::Confidence confidence;
    fw::CDocument* opened = manager.OpenDocumentHidden(path.c_str(), confidence);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(confidence, fw::CDocTemplate::yesAttemptNative);
    EXPECT_TRUE(opened->m_bEmbedded) << "opened without a window";

    fw::CDocument* again = manager.OpenDocumentHidden(("\"" + path + "\"").c_str(), confidence);
    EXPECT_EQ(again, opened);
    EXPECT_EQ(confidence, fw::CDocTemplate::yesAlreadyOpen);
}

} // namespace

namespace {

class DocTextConversionTest : public DocFixture {};

TEST_F(DocTextConversionTest, DocumentOpenedForTheConversionIsClosedAgain)
{
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("conv.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    doc->OnCloseDocument();

    std::vector<std::string> bases;
    auto anyView = [](fw::IDocumentView&) { return true; };
    auto write = [&](fw::IDocumentView&, const fw::CString& base) {
        bases.push_back(base.str());
        return true;
    };
    EXPECT_FALSE(ConvertFileToText(manager, path.c_str(), PathOf("out").c_str(), anyView, write))
        << "a document without the export view writes nothing";
    EXPECT_TRUE(bases.empty());
    EXPECT_EQ(manager.GetOpenDocumentCount(), 0);
}

TEST_F(DocTextConversionTest, DocumentOpenBeforeStaysOpen)
{
    CTestKivDoc* doc = NewDoc();
    const std::string path = PathOf("open.kivt");
    ASSERT_TRUE(doc->DoSave(path.c_str(), true));
    CTestView view(1);
    doc->AddView(&view);
    std::string base;
    const bool written = ConvertFileToText(
        manager, ("\"" + path + "\"").c_str(), (dir.Path() / "out/").string().c_str(),
        [&](fw::IDocumentView& v) { return &v == &view; },
        [&](fw::IDocumentView&, const fw::CString& b) {
            base = b.str();
            return true;
        });
    EXPECT_TRUE(written);
    EXPECT_EQ(base, (dir.Path() / "out" / "open.kivt").string());
    EXPECT_EQ(manager.GetOpenDocumentCount(), 1);
    doc->RemoveView(&view);
}

} // namespace
