// The page document: the stack, hints, locks and page copies.

#include "tests/docview/graphpage/GraphPageFixture.h"

#include "docbase/doc/UpdateHints.h"

using gptest::CFramedObj;
using gptest::GraphPageTest;

namespace {

// A view that only counts what reaches it.
class CountingView final : public fw::IDocumentView {
public:
    fw::CView* AsView() override { return nullptr; }
    void OnDocumentUpdate(fw::CView*, intptr_t hint, fw::CObject*) override { hints.push_back(hint); }
    std::vector<intptr_t> hints;
};

// An object that answers measurement hints with a number of its own.
class CAnsweringObj : public CDrawObj {
public:
    explicit CAnsweringObj(intptr_t answer, std::vector<intptr_t>* order) : m_answer(answer), m_order(order) {}
    intptr_t OnUpdate(intptr_t hint, fw::CObject*) override
    {
        m_order->push_back(m_answer);
        return m_answer;
    }
    intptr_t m_answer;
    std::vector<intptr_t>* m_order;
};

} // namespace

TEST_F(GraphPageTest, ObjectAtFindsTheTopmostAndSendingToTheBottomChangesIt)
{
    CFramedObj* lower = AddFramed(fw::CRect(10, 10, 110, 60));
    CFramedObj* upper = AddFramed(fw::CRect(50, 40, 200, 140));
    EXPECT_EQ(doc.ObjectAt({60, 50}), upper);
    doc.MoveObject(upper, false);
    EXPECT_EQ(doc.ObjectAt({60, 50}), lower);
    EXPECT_EQ(doc.ObjectAt({300, 250}), nullptr);
    doc.MoveObject(upper, true);
    EXPECT_EQ(doc.GetObjects().back(), upper);
}

TEST_F(GraphPageTest, MeasurementHintsGoToTheObjectsBottomFirst)
{
    CountingView counting;
    doc.AddView(&counting);
    EXPECT_EQ(doc.DispatchUpdate(2, nullptr), 0);
    EXPECT_TRUE(counting.hints.empty());

    std::vector<intptr_t> order;
    doc.AddObject(new CAnsweringObj(7, &order));
    doc.AddObject(new CAnsweringObj(9, &order));
    EXPECT_EQ(doc.DispatchUpdate(1, nullptr), 9);
    EXPECT_EQ(order, (std::vector<intptr_t>{7, 9}));
    EXPECT_TRUE(counting.hints.empty());

    EXPECT_EQ(doc.DispatchUpdate(kHintTestTitleChanged, nullptr), 0);
    EXPECT_EQ(counting.hints, (std::vector<intptr_t>{kHintTestTitleChanged}));
    doc.RemoveView(&counting);
}

TEST_F(GraphPageTest, RemovingAnObjectLeavesItAliveAndMarksThePage)
{
    CFramedObj* object = AddFramed(fw::CRect(10, 10, 110, 60));
    doc.SetModifiedFlag(false);
    doc.RemoveObject(object);
    EXPECT_TRUE(doc.GetObjects().empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(object->m_position, fw::CRect(10, 10, 110, 60));
    object->Remove();
}

TEST_F(GraphPageTest, ToggleEditLockFlipsAndMarks)
{
    doc.SetModifiedFlag(false);
    doc.ToggleEditLock();
    EXPECT_TRUE(doc.IsEditLocked());
    EXPECT_TRUE(doc.IsModified());
    doc.ToggleEditLock();
    EXPECT_FALSE(doc.IsEditLocked());
}

TEST_F(GraphPageTest, CopyPageSetupClonesObjectsIntoTheTargetPage)
{
    AddFramed(fw::CRect(10, 10, 110, 60));
    AddFramed(fw::CRect(50, 40, 200, 140));
    doc.m_areaLock = 1;
    CZELGraphViewDoc target;
    target.m_bAutoDelete = false;
    CountingView counting;
    target.AddView(&counting);
    doc.CopyPageSetup(&target);
    EXPECT_TRUE(target.IsAreaLocked());
    EXPECT_EQ(target.GetPageSize(), fw::CSize(400, 300));
    ASSERT_EQ(target.GetObjects().size(), 2u);
    EXPECT_EQ(target.GetObjects()[1]->m_position, fw::CRect(50, 40, 200, 140));
    EXPECT_EQ(target.GetObjects()[1]->GetDocument(), &target);
    EXPECT_NE(target.GetObjects()[0], doc.GetObjects()[0]);
    EXPECT_EQ(counting.hints.back(), kHintScrollSizes);
    target.RemoveView(&counting);
}

TEST_F(GraphPageTest, ClosingDropsTheSelectionAndDeletesTheObjects)
{
    auto* page = new CZELGraphViewDoc;
    page->m_pageSize = fw::CSize(400, 300);
    CZELGraphView other;
    other.AttachDocument(page);
    other.SetActive(true);
    auto* object = new CFramedObj(fw::CRect(10, 10, 110, 60));
    page->AddObject(object);
    other.Select(object);
    page->OnCloseDocument();  // deletes the page
    EXPECT_TRUE(other.GetSelection().empty());
}
