#include "docbase/doc/KivDocBase.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/SheetSelectList.h"

#include <gtest/gtest.h>

namespace {

class SheetSelectListTest : public ::testing::Test {
protected:
    SheetSelectListTest() : scope(host), project(Doc(0)), data(Doc(1)), unset(Doc(2)), frequency(Doc(3))
    {
        project.SetTitle("p.kivp");
        project.SetDocIdent(CDocIdent(1, 10));
        data.SetTitle("d.kivd");
        data.SetDocIdent(CDocIdent(1, 11));
        unset.SetTitle("new.kivd");
        frequency.SetTitle("h.kivh");
        frequency.SetDocIdent(CDocIdent(1, 12));
        host.m_documents[129] = {&project};
        host.m_documents[130] = {&data, &unset};
        host.m_documents[132] = {&frequency};
    }

    static std::vector<std::string> Texts(const CSheetSelectList& list)
    {
        std::vector<std::string> texts;
        for (const auto& item : list.m_items)
            texts.push_back(item.text.c_str());
        return texts;
    }

    CGraphPageHost host;
    fw::ScopedInstall<IGraphPageHost> scope;
    CKivDocBase &project, &data, &unset, &frequency;

private:
    // Documents take seconds to make and to end: four serve every test.
    static CKivDocBase& Doc(int n)
    {
        static CKivDocBase* documents[4] = {};
        if (!documents[n]) {
            documents[n] = new CKivDocBase;
            documents[n]->m_bAutoDelete = false;
        }
        return *documents[n];
    }
};

TEST_F(SheetSelectListTest, FillSelectsTheDocumentOrListsTheStoredName)
{
    CSheetSelectList list;
    CKivDocBase* found = nullptr;
    ASSERT_TRUE(list.FillDocuments(&found, CDocIdent(1, 11), "old", false));
    EXPECT_EQ(found, &data);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"p.kivp", "d.kivd", "new.kivd"}));
    EXPECT_EQ(list.m_selected, 1);

    ASSERT_TRUE(list.FillDocuments(&found, CDocIdent(7, 7), "closed.kivd", false));
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(Texts(list).back(), "closed.kivd");
    EXPECT_EQ(list.m_selected, 3);
    EXPECT_FALSE(list.IsOpen(3));
    EXPECT_TRUE(list.IsOpen(0));
}

TEST_F(SheetSelectListTest, UnsetIdentifierSelectsNothing)
{
    CSheetSelectList list;
    CKivDocBase* found = &project;
    ASSERT_TRUE(list.FillDocuments(&found, CDocIdent(), "x", false));
    // The document that carries no identifier yet is not taken for it.
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(list.m_selected, -1);
    EXPECT_EQ(list.m_items.size(), 3u);
    EXPECT_FALSE(list.AddDocument(CDocIdent(), "y"));
}

TEST_F(SheetSelectListTest, FrequencyModeAndProjectOnly)
{
    CSheetSelectList list;
    list.m_dataDocs = 0;
    ASSERT_TRUE(list.FillDocuments(nullptr, CDocIdent(1, 12), "", false));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"p.kivp", "h.kivh"}));
    ASSERT_TRUE(list.FillDocuments(nullptr, CDocIdent(1, 12), "h", true));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"p.kivp", "h"}));
    host.m_documents.erase(129);
    EXPECT_FALSE(list.FillDocuments(nullptr, CDocIdent(), "", false));
}

TEST_F(SheetSelectListTest, SelectAndAdd)
{
    CSheetSelectList list;
    ASSERT_TRUE(list.FillDocuments(nullptr, CDocIdent(1, 10), "", false));
    EXPECT_FALSE(list.SelectDocument(CDocIdent(1, 10)));
    EXPECT_TRUE(list.SelectDocument(CDocIdent(1, 11)));
    EXPECT_EQ(list.m_selected, 1);
    EXPECT_TRUE(list.SelectDocument(CDocIdent(9, 9)));
    EXPECT_EQ(list.m_selected, 1);
    EXPECT_TRUE(list.AddDocument(CDocIdent(1, 11), "ignored"));
    EXPECT_EQ(list.m_items.size(), 3u);
    EXPECT_TRUE(list.AddDocument(CDocIdent(5, 5), "stored"));
    EXPECT_EQ(list.FindItem(CDocIdent(5, 5)), 3);
}

} // namespace
