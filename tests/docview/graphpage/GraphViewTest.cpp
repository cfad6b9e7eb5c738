// The graph-page view: drawing through the off-screen bitmap, clipboard,
// the selection tool, page locks, command states and printing.

#include "tests/docview/graphpage/GraphPageFixture.h"

#include "docbase/graphpage/DrawOleObj.h"
#include "docbase/graphpage/DrawTool.h"
#include "docbase/graphpage/GraphPageClipboard.h"
#include "framework/core/Archive.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/DC.h"
#include "framework/core/File.h"
#include "framework/core/PrintInfo.h"

#include <algorithm>

using gptest::CFramedObj;
using gptest::GraphPageTest;

namespace {

// The log lines of a default-styled frame drawn at (l, t, r, b).
std::vector<std::string> FrameLines(int l, int t, int r, int b)
{
    const std::string clip = " clip=" + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r + 1) +
                             "," + std::to_string(b + 1);
    auto pt = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    const std::string pen = " pen=insideframe 1 #000000";
    return {
        "rect " + pt(l + 1, t + 1) + "," + pt(r, b) + " pen=solid 0 #000000 brush=solid #000000" + clip,
        "rect " + pt(l, t) + "," + pt(r - 1, b - 1) + " pen=null 0 #000000 brush=solid #FFFFFF" + clip,
        "line " + pt(l, t) + " " + pt(r - 1, t) + pen + clip,
        "line " + pt(l, b - 1) + " " + pt(r - 1, b - 1) + pen + clip,
        "line " + pt(l, t) + " " + pt(l, b - 1) + pen + clip,
        "line " + pt(r - 1, t) + " " + pt(r - 1, b - 1) + pen + clip,
    };
}

bool Enabled(CZELGraphView& view, unsigned id)
{
    fw::CCmdUI ui(id);
    view.OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
    return ui.m_bEnabled;
}

} // namespace

TEST_F(GraphPageTest, APageDrawnOffScreenShowsTheObjectsInOrderWithTheirFrames)
{
    AddFramed(fw::CRect(10, 10, 110, 60));
    AddFramed(fw::CRect(50, 40, 200, 140));
    fw::RecordingSink window;
    fw::CDC dc(&window);
    view.OnPrepareDC(&dc);
    view.OnDraw(&dc);

    std::vector<std::string> expected = {"fill 0,0,400,300 brush=solid #FFFFFF"};
    for (const auto& lines : {FrameLines(10, 10, 110, 60), FrameLines(50, 40, 200, 140)})
        expected.insert(expected.end(), lines.begin(), lines.end());
    EXPECT_EQ(bitmapSink.Log(), expected);
    EXPECT_TRUE(window.Log().empty());  // the window only receives the copy
    EXPECT_EQ(bitmapCopies, (std::vector<fw::CPoint>{{0, 0}}));
}

TEST_F(GraphPageTest, SelectedObjectsOfTheActiveViewGetHandles)
{
    CFramedObj* object = AddFramed(fw::CRect(10, 10, 110, 60));
    view.SetActive(true);
    view.Select(object);
    fw::RecordingSink window;
    fw::CDC dc(&window);
    view.OnPrepareDC(&dc);
    view.OnDraw(&dc);
    const auto& log = bitmapSink.Log();
    ASSERT_EQ(log.size(), 1u + 6u + 8u);
    EXPECT_EQ(log[7], "fill 7,7,14,14 brush=solid #000000");
    EXPECT_TRUE(object->m_bDrawSelected);
}

TEST_F(GraphPageTest, WithoutABitmapThePageIsDrawnStraightIntoTheWindow)
{
    CZELBitmap::InstallFactory([](const fw::CDC*, int, int) { return std::unique_ptr<CZELBitmap>(); });
    AddFramed(fw::CRect(10, 10, 110, 60));
    fw::RecordingSink window;
    fw::CDC dc(&window);
    view.OnPrepareDC(&dc);
    view.OnDraw(&dc);
    ASSERT_EQ(window.Log().size(), 7u);
    EXPECT_EQ(window.Log()[0], "fill 0,0,400,300 brush=solid #FFFFFF clip=0,0,400,300");
}

TEST_F(GraphPageTest, PastedObjectsKeepTheirRectanglesAndTakeNewRelativePositions)
{
    AddFramed(fw::CRect(100, 60, 200, 120));
    view.OnEditSelectAll();
    view.OnEditCopy();
    ASSERT_TRUE(clipboard.HasFormat(fw::kZelAppMime));

    CZELGraphViewDoc other;
    other.m_bAutoDelete = false;
    other.m_pageSize = fw::CSize(800, 600);
    CZELGraphView otherView;
    otherView.AttachDocument(&other);
    otherView.OnEditPaste();
    ASSERT_EQ(other.GetObjects().size(), 1u);
    CDrawObj* pasted = other.GetObjects()[0];
    EXPECT_NE(dynamic_cast<CFramedObj*>(pasted), nullptr);
    EXPECT_EQ(pasted->m_position, fw::CRect(100, 60, 200, 120));
    EXPECT_DOUBLE_EQ(pasted->m_relX, 100.0 / 800.0);
    EXPECT_EQ(pasted->GetDocument(), &other);
    EXPECT_EQ(otherView.GetSelection(), (CDrawObjList{pasted}));
    EXPECT_TRUE(other.IsModified());
    otherView.AttachDocument(nullptr);
}

TEST_F(GraphPageTest, ClipboardDataThatIsNoDrawingObjectListPastesNothing)
{
    CFramedObj* keep = AddFramed(fw::CRect(10, 10, 110, 60));
    CDrawItem notADrawing;
    const std::vector<uint8_t> valid = StoreDrawObjects({keep});
    std::vector<uint8_t> truncated(valid.begin(), valid.end() - 5);
    std::vector<uint8_t> hugeCount = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    std::vector<uint8_t> wrongClass;
    {
        fw::CMemFile file;
        fw::CArchive ar(&file, fw::CArchive::store);
        ar.WriteCount(1);
        ar.WriteObject(&notADrawing);
        ar.Close();
        wrongClass = file.Detach();
    }
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } rows[] = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
        {"truncated", truncated},
        {"count beyond the data", hugeCount},
        {"not a drawing object", wrongClass},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        services.prompt.Reset();
        clipboard.SetData(fw::kZelAppMime, row.bytes);
        view.OnEditPaste();
        EXPECT_EQ(doc.GetObjects(), (CDrawObjList{keep}));
        EXPECT_TRUE(view.GetSelection().empty());
        EXPECT_EQ(services.prompt.Prompts().size(), 1u);
    }
}

TEST_F(GraphPageTest, CutCopiesAndDeletesAndOtherViewsDropTheObjects)
{
    CFramedObj* object = AddFramed(fw::CRect(10, 10, 110, 60));
    AddFramed(fw::CRect(150, 10, 250, 60));
    CZELGraphView second;
    second.AttachDocument(&doc);
    second.Select(object);
    view.Select(object);
    view.OnEditCut();
    EXPECT_EQ(doc.GetObjects().size(), 1u);
    EXPECT_TRUE(view.GetSelection().empty());
    EXPECT_TRUE(second.GetSelection().empty());
    const CDrawObjList copied = LoadDrawObjects(*clipboard.GetData(fw::kZelAppMime), nullptr);
    EXPECT_EQ(copied.size(), 1u);
    for (CDrawObj* o : copied)
        o->Remove();
    second.AttachDocument(nullptr);
}

TEST_F(GraphPageTest, EditLockDisablesEveryChangingCommand)
{
    CFramedObj* lower = AddFramed(fw::CRect(10, 10, 110, 60));
    CFramedObj* upper = AddFramed(fw::CRect(150, 10, 250, 60));
    clipboard.SetData(fw::kZelAppMime, StoreDrawObjects({lower}));
    view.Select(lower);
    const unsigned changing[] = {ID_EDIT_PASTE, ID_EDIT_CUT, ID_EDIT_CLEAR, ID_OBJECT_RESET_SIZE,
                                 ID_OBJECT_MOVE_TO_FRONT, ID_DRAW_AREA_LOCK};
    for (unsigned id : changing) {
        SCOPED_TRACE(id);
        fw::CCmdUI ui(id);
        if (id == ID_OBJECT_RESET_SIZE)
            view.OnUpdateObjectResetSize(&ui);
        else if (id == ID_OBJECT_MOVE_TO_FRONT)
            view.OnUpdateObjectMoveToFront(&ui);
        else if (id == ID_DRAW_AREA_LOCK)
            view.OnUpdateDrawAreaLock(&ui);
        else
            view.OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        EXPECT_TRUE(ui.m_bEnabled) << "unlocked";
        doc.m_editLock = 1;
        fw::CCmdUI locked(id);
        if (id == ID_OBJECT_RESET_SIZE)
            view.OnUpdateObjectResetSize(&locked);
        else if (id == ID_OBJECT_MOVE_TO_FRONT)
            view.OnUpdateObjectMoveToFront(&locked);
        else if (id == ID_DRAW_AREA_LOCK)
            view.OnUpdateDrawAreaLock(&locked);
        else
            view.OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &locked);
        EXPECT_FALSE(locked.m_bEnabled) << "locked";
        doc.m_editLock = 0;
    }
    EXPECT_TRUE(Enabled(view, ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(view, ID_OLE_INSERT_NEW));
    EXPECT_FALSE(Enabled(view, ID_WINDOW_NEW));

    // Stacking: the top object cannot go further up, the bottom one further down.
    view.Select(upper);
    fw::CCmdUI front(ID_OBJECT_MOVE_TO_FRONT), back(ID_OBJECT_MOVE_TO_BACK);
    view.OnUpdateObjectMoveToFront(&front);
    view.OnUpdateObjectMoveToBack(&back);
    EXPECT_FALSE(front.m_bEnabled);
    EXPECT_TRUE(back.m_bEnabled);
    view.OnObjectMoveToBack();
    EXPECT_EQ(doc.GetObjects().front(), upper);
}

TEST_F(GraphPageTest, TheAreaLockKeepsThePageWhileTheWindowChanges)
{
    CFramedObj* object = AddFramed(fw::CRect(40, 30, 140, 80));  // 0.1, 0.1
    view.ResizePage(800, 600);
    EXPECT_EQ(doc.GetPageSize(), fw::CSize(800, 600));
    EXPECT_EQ(object->m_position, fw::CRect(80, 60, 180, 110));
    view.OnDrawAreaLock();
    EXPECT_TRUE(doc.IsAreaLocked());
    view.ResizePage(200, 100);
    EXPECT_EQ(doc.GetPageSize(), fw::CSize(800, 600));
    EXPECT_EQ(object->m_position, fw::CRect(80, 60, 180, 110));
}

TEST_F(GraphPageTest, TheSelectionToolSelectsAndMovesButNotUnderTheEditLock)
{
    CFramedObj* object = AddFramed(fw::CRect(40, 30, 140, 80));
    CFramedObj* other = AddFramed(fw::CRect(200, 150, 300, 200));
    view.SetActive(true);
    doc.m_editLock = 1;
    view.OnLButtonDown(0, {60, 50});
    view.OnMouseMove(fw::MK_LBUTTON, {80, 70});
    view.OnLButtonUp(0, {80, 70});
    EXPECT_EQ(view.GetSelection(), (CDrawObjList{object}));
    EXPECT_EQ(object->m_position, fw::CRect(40, 30, 140, 80));

    // A rubber band from empty paper catches the other object too.
    view.OnLButtonDown(0, {190, 100});
    view.OnMouseMove(fw::MK_LBUTTON, {390, 290});
    view.OnLButtonUp(0, {390, 290});
    EXPECT_EQ(view.GetSelection(), (CDrawObjList{other}));
    EXPECT_FALSE(view.HasCapture());

    doc.m_editLock = 0;
    view.OnLButtonDown(0, {60, 50});
    view.OnMouseMove(fw::MK_LBUTTON, {80, 70});
    view.OnLButtonUp(0, {80, 70});
    EXPECT_EQ(view.GetSelection(), (CDrawObjList{object}));
    EXPECT_EQ(object->m_position, fw::CRect(60, 50, 160, 100));
    EXPECT_DOUBLE_EQ(object->m_relX, 60.0 / 400.0);
}

TEST_F(GraphPageTest, DraggingAHandleResizesAndMovesStopAtThePageEdge)
{
    CFramedObj* object = AddFramed(fw::CRect(40, 30, 140, 80));
    view.SetActive(true);
    view.Select(object);
    view.OnLButtonDown(0, {140, 80});  // bottom-right handle
    view.OnMouseMove(fw::MK_LBUTTON, {170, 95});
    view.OnLButtonUp(0, {170, 95});
    EXPECT_EQ(object->m_position, fw::CRect(40, 30, 170, 95));

    // Dragging up by 40 would take the corner off the page: only x moves.
    view.OnLButtonDown(0, {100, 60});
    view.OnMouseMove(fw::MK_LBUTTON, {110, 20});
    view.OnLButtonUp(0, {110, 20});
    EXPECT_EQ(object->m_position, fw::CRect(50, 30, 180, 95));
}

TEST_F(GraphPageTest, AnInactiveViewIgnoresTheMouseButRemembersTheClick)
{
    CFramedObj* object = AddFramed(fw::CRect(40, 30, 140, 80));
    view.OnLButtonDown(0, {60, 50});
    view.OnLButtonUp(0, {61, 52});
    EXPECT_TRUE(view.GetSelection().empty());
    EXPECT_EQ(view.GetLastClickPoint(), fw::CPoint(61, 52));
    EXPECT_EQ(view.GetLastClickRect(), fw::CRect(61, 52, 61, 52));
    (void)object;
}

TEST_F(GraphPageTest, PrintingLaysTheObjectsOutInsideTheMarginsAndRestoresTheWindowLayout)
{
    CFramedObj* object = AddFramed(fw::CRect(40, 30, 140, 80));  // 0.1, 0.1 of 400 x 300
    // A 600-DPI printer page of 4800 x 6600 pixels without unprintable edges.
    fw::RecordingSink printer(4800, 6600, 600, true);
    fw::CDC dc(&printer);
    fw::CPrintInfo info;
    view.OnBeginPrinting(&dc, &info);
    EXPECT_EQ(info.GetMaxPage(), 1u);
    // 20 mm = 472 printer pixels = 75.5 -> 76 display units (rounded).
    const fw::CRect area = view.GetPrintArea();
    EXPECT_EQ(area.left, 76);
    EXPECT_EQ(area.top, 76);
    EXPECT_EQ(object->m_position.left, area.left + static_cast<int>((area.right - area.left) * 0.1));
    EXPECT_EQ(object->m_position.Width(), 100);

    view.OnPrepareDC(&dc, &info);
    view.OnPrint(&dc, &info);
    // Clipped to the print area in printer pixels; the object drawn where
    // the layout put it, without handles.
    EXPECT_EQ(dc.DeviceClip(), fw::CRect(475, 475, 4325, 6125));
    ASSERT_EQ(printer.Log().size(), 6u);
    EXPECT_EQ(printer.Log()[0].rfind("rect 138,167,237,216 ", 0), 0u) << printer.Log()[0];

    view.OnEndPrinting(&dc, &info);
    EXPECT_EQ(object->m_position, fw::CRect(40, 30, 140, 80));
}
