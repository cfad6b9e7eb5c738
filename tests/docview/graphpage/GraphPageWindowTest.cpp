// The graph-page view in a real (offscreen) window: the page follows the
// window, is painted through the off-screen bitmap, and takes the mouse.

#include "docbase/graphpage/DrawObj.h"
#include "docbase/graphpage/GraphPageClasses.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "docview/graphpage/ZELGraphView.h"
#include "framework/core/DC.h"
#include "framework/core/PrintInfo.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Print.h"
#include "framework/ui/Wnd.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CFrameOnlyObj : public CDrawObj {
public:
    explicit CFrameOnlyObj(const fw::CRect& r) : CDrawObj(r) {}
    void Draw(fw::CDC* dc) override { DrawFrame(dc, m_position); }
};

class GraphPageWindowTest : public ::testing::Test {
protected:
    GraphPageWindowTest()
    {
        RegisterGraphPageClasses();
        doc.m_bAutoDelete = false;
        doc.m_pageSize = fw::CSize(400, 300);
        object = new CFrameOnlyObj(fw::CRect(40, 30, 140, 80));
        doc.AddObject(object);
        parent = std::make_unique<QWidget>();
        view = new CZELGraphView;  // the window deletes it
        view->Create(parent.get(), &doc);
        view->Widget()->setGeometry(0, 0, 400, 300);
        parent->resize(400, 300);
        parent->show();
        QApplication::processEvents();
    }
    ~GraphPageWindowTest() override { parent.reset(); }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(at), QPointF(view->Widget()->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view->Widget(), &e);
    }

    CZELGraphViewDoc doc;
    CFrameOnlyObj* object = nullptr;
    std::unique_ptr<QWidget> parent;
    CZELGraphView* view = nullptr;
};

TEST_F(GraphPageWindowTest, ThePageFollowsTheWindowAndObjectsKeepTheirPlace)
{
    view->Widget()->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(doc.GetPageSize(), fw::CSize(800, 600));
    EXPECT_EQ(object->m_position, fw::CRect(80, 60, 180, 110));
}

TEST_F(GraphPageWindowTest, TheWindowShowsThePagePaintedOffScreen)
{
    const QImage shot = view->Widget()->grab().toImage();
    ASSERT_GE(shot.width(), 400);
    EXPECT_EQ(shot.pixel(60, 30) & 0xFFFFFF, 0x000000u);   // top line
    EXPECT_EQ(shot.pixel(60, 50) & 0xFFFFFF, 0xFFFFFFu);   // fill
    EXPECT_EQ(shot.pixel(300, 200) & 0xFFFFFF, 0xFFFFFFu); // paper
}

TEST_F(GraphPageWindowTest, DraggingAnObjectMovesIt)
{
    view->SetActive(true);
    Mouse(QEvent::MouseButtonPress, {60, 50}, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {90, 60}, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, {90, 60}, Qt::NoButton);
    EXPECT_EQ(object->m_position, fw::CRect(70, 40, 170, 90));
    EXPECT_EQ(view->GetSelection(), (CDrawObjList{object}));
    EXPECT_EQ(view->GetLastClickPoint(), fw::CPoint(90, 60));
}

TEST_F(GraphPageWindowTest, PrintingMakesOnePageAndGivesTheWindowItsLayoutBack)
{
    kivtest::TempDir dir;
    const fw::CString path((dir.Path() / "page.pdf").string());
    fw::CPrintInfo info;
    info.m_bDirect = true;
    ASSERT_TRUE(fw::PrintViewToPdf(*view, path, info));
    EXPECT_EQ(info.GetMaxPage(), 1u);
    const fw::CRect area = view->GetPrintArea();
    // 20 mm (76 display units) from the paper's edge, at most that from
    // the printable area's.
    EXPECT_GE(area.left, 30);
    EXPECT_LE(area.left, 76);
    EXPECT_GT(area.Width(), 400);
    EXPECT_EQ(object->m_position, fw::CRect(40, 30, 140, 80));
    QFile pdf(QString::fromStdString(path.str()));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

// The graph documents' view routes the lock command to the base's handler.
class CLockingGraphView : public CZELGraphView {
    FW_DECLARE_DYNCREATE(CLockingGraphView)
    FW_DECLARE_COMMANDS()
};
FW_IMPLEMENT_DYNCREATE(CLockingGraphView, CZELGraphView)
FW_BEGIN_COMMANDS(CLockingGraphView, CZELGraphView)
    FW_ON_COMMAND(ID_DRAW_AREA_LOCK, &CLockingGraphView::OnDrawAreaLock)
FW_END_COMMANDS

// The drawing-area lock in a frame: locking fits the frame to the page,
// unlocking brings the frame back to normal showing the whole page.
TEST(GraphPageFrame, TheAreaLockFitsTheFrameToThePage)
{
    RegisterGraphPageClasses();
    CZELGraphViewDoc doc;
    doc.m_bAutoDelete = false;
    auto* frame = new fw::CFrameWnd;
    ASSERT_TRUE(frame->Create("page"));
    auto* view = dynamic_cast<CZELGraphView*>(frame->CreateView(FW_RUNTIME_CLASS(CLockingGraphView), &doc));
    ASSERT_NE(view, nullptr);
    frame->SetCentralView(view);
    frame->SetActiveView(view);
    frame->MainWindow()->resize(500, 400);
    frame->ShowWindow(fw::SW_SHOWNORMAL);
    QApplication::processEvents();
    const fw::CSize shown(view->GetClientRect().Width(), view->GetClientRect().Height());
    EXPECT_EQ(doc.GetPageSize(), shown) << "an unlocked page follows the window";

    doc.m_pageSize = fw::CSize(320, 240);  // as a page read from a file
    frame->ExecuteCommand(ID_DRAW_AREA_LOCK);
    QApplication::processEvents();
    EXPECT_TRUE(doc.IsAreaLocked());
    EXPECT_EQ(view->GetClientRect(), fw::CRect(0, 0, 320, 240));

    // Unlocked, the page keeps its size and the frame shows all of it.
    frame->MainWindow()->resize(200, 150);
    QApplication::processEvents();
    EXPECT_EQ(doc.GetPageSize(), fw::CSize(320, 240)) << "a locked page stays";
    frame->ExecuteCommand(ID_DRAW_AREA_LOCK);
    QApplication::processEvents();
    EXPECT_FALSE(doc.IsAreaLocked());
    EXPECT_EQ(view->GetClientRect(), fw::CRect(0, 0, 320, 240));
    EXPECT_EQ(doc.GetPageSize(), fw::CSize(320, 240));
    delete frame;
}

} // namespace
