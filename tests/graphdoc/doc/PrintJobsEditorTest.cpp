#include "graphdoc/model/PrintJobsEditor.h"

#include <gtest/gtest.h>

namespace {

using Entry = CPrintJobsEditor::Entry;

const int kPages[6] = {};

std::vector<Entry> Open()
{
    return {{"a", &kPages[0]}, {"b", &kPages[1]}, {"c", &kPages[2]}, {"d", &kPages[3]}, {"b", &kPages[4]}};
}

std::vector<fw::CString> Titles(const std::vector<Entry>& entries)
{
    std::vector<fw::CString> titles;
    for (const Entry& e : entries)
        titles.push_back(e.title);
    return titles;
}

TEST(PrintJobsEditorTest, StartListsEveryPageOfAListedTitle)
{
    CPrintJobList jobs;
    jobs.m_titles = {"b", "gone", "a"};
    CPrintJobsEditor editor;
    editor.Start(jobs, Open());
    // Both pages titled "b"; a title with no open page is dropped.
    EXPECT_EQ(Titles(editor.PrintList()), (std::vector<fw::CString>{"b", "b", "a"}));
    EXPECT_EQ(Titles(editor.Candidates()), (std::vector<fw::CString>{"c", "d"}));
}

TEST(PrintJobsEditorTest, InsertGoesBeforeTheFirstSelectedEntry)
{
    CPrintJobList jobs;
    jobs.m_titles = {"a", "b", "c"};
    CPrintJobsEditor editor;
    editor.Start(jobs, {{"a", &kPages[0]}, {"b", &kPages[1]}, {"c", &kPages[2]}, {"d", &kPages[3]},
                        {"e", &kPages[5]}});
    // Entries 2 and 3 selected (indexes 1 and 2): before entry 2.
    editor.Insert({0, 1}, {2, 1});
    EXPECT_EQ(editor.Titles(), (std::vector<fw::CString>{"a", "d", "e", "b", "c"}));
    EXPECT_TRUE(editor.Candidates().empty());
}

TEST(PrintJobsEditorTest, RegisterAppendsAndRemoveGivesPagesBackInTemplateOrder)
{
    CPrintJobsEditor editor;
    editor.Start(CPrintJobList(), Open());
    editor.Register({3, 1});
    EXPECT_EQ(editor.Titles(), (std::vector<fw::CString>{"b", "d"}));
    editor.Insert({0}, {});
    EXPECT_EQ(editor.Titles(), (std::vector<fw::CString>{"b", "d", "a"}));
    editor.Remove({0, 2});
    EXPECT_EQ(editor.Titles(), (std::vector<fw::CString>{"d"}));
    EXPECT_EQ(Titles(editor.Candidates()), (std::vector<fw::CString>{"a", "b", "c", "b"}));
    editor.RemoveAll();
    EXPECT_EQ(editor.Candidates().size(), 5u);
}

TEST(PrintJobListTest, SheetsOfTheCells)
{
    CPrintJobList jobs;
    jobs.m_titles = {"1", "2", "3", "4", "5"};
    jobs.m_columns = 2;
    jobs.m_rows = 2;
    EXPECT_EQ(jobs.SheetCount(), 2);
    jobs.m_layoutMode = CPrintJobList::kPaperSizePrint;
    EXPECT_EQ(jobs.SheetCount(), 5);
}

} // namespace
