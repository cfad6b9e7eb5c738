// The GPS page's panes show where the keyboard focus is by a yellow frame;
// the track passes the edit commands to a focused edit field of the
// program's own kind; new values make the GPS graph list announce its
// marker selection afresh.

#include "canvoicegps/views/data/CanGpsGraphRows.h"
#include "canvoicegps/views/data/GpsGraphView.h"
#include "canvoicegps/views/data/GpsListViews.h"
#include "chart/model/DrawMarkerList.h"
#include "common/tank/DblDataTank.h"
#include "docbase/doc/UpdateHints.h"
#include "docview/controls/ZELEdit.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/Clipboard.h"
#include "framework/core/StandardCommands.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "instrument/system/MarkerList.h"
#include "tests/canvoicegps/views/data/CanGpsGraphFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>
#include <vector>

namespace {

using cangpstest::CanGpsDocFixture;

constexpr int kSamples = 60;
constexpr QRgb kYellow = 0xFFFF00;
constexpr QRgb kWhite = 0xFFFFFF;

class SpyView : public fw::CView {
public:
    void OnDraw(fw::CDC*) override {}
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject*) override
    {
        if (hint == CGpsGraphView::kHintMarkerSelection)
            senders.push_back(sender);
    }
    std::vector<fw::CView*> senders;
};

class GpsPanes : public CanGpsDocFixture {
protected:
    void SetUp() override
    {
        doc->GetBoxArray().GetMarkers().InsertByTime(new CMarkerObj(fw::COleDateTime(45000.0), 10));
        for (int c = 0; c < 2; ++c) {
            auto* tank = new CDblDataTank;
            tank->SetName(c == 0 ? "経度" : "緯度");
            for (int i = 0; i < kSamples; ++i)
                tank->SetValue(i, c == 0 ? 135.5 + 0.01 * std::cos(i / 9.0) : 34.7 + 0.01 * std::sin(i / 9.0));
            doc->GetGpsChannels().AddTank(tank, false);
        }
        for (fw::CView* view : std::initializer_list<fw::CView*>{&list, &graphs, &track, &spy})
            view->Create(nullptr, doc.get());
        for (fw::CView* view : std::initializer_list<fw::CView*>{&list, &graphs, &track})
            view->OnInitialUpdate();
        list.GetViewStyle()->SetRowCount(kSamples);
        list.GetViewStyle()->SetColumnCount(2);
        list.GetGrid()->ApplyStyle(false);
        list.Widget()->resize(300, 200);
        list.OnSize(0, 300, 200);
        track.Picture().SetTrack(doc->GetGpsChannels().GetObjectAt(0), doc->GetGpsChannels().GetObjectAt(1));
        track.Widget()->resize(300, 200);
        track.OnSize(0, 300, 200);
    }
    void TearDown() override
    {
        for (fw::CView* view : std::initializer_list<fw::CView*>{&list, &graphs, &track, &spy})
            doc->RemoveView(view);
        QApplication::processEvents();
    }
    // Shows the widget's window and gives the widget the keyboard focus.
    static bool Focus(QWidget* window, QWidget* widget)
    {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        widget->setFocus();
        QApplication::processEvents();
        return widget->hasFocus();
    }
    static QImage Paint(fw::CView& view)
    {
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        CPainterDC dc(&painter);
        view.OnDraw(&dc);
        return image;
    }
    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
    void Run(unsigned id) { EXPECT_TRUE(track.OnCmdMsg(id, fw::CN_COMMAND, nullptr)) << id; }

    CQtBitmapMaker maker;
    fw::ScopedInstall<IBitmapMaker> installMaker{maker};
    CGpsDataListView list;
    CGpsGraphListView graphs;
    CGpsGraphView track;
    SpyView spy;
};

TEST_F(GpsPanes, TheValueListFramesItsGridYellowWhileTheSheetHasTheFocus)
{
    EXPECT_EQ(list.GetGrid()->Widget()->geometry(), QRect(1, 1, 298, 198)) << "the grid 1 pixel inside";
    QImage image = Paint(list);
    EXPECT_EQ(At(image, 0, 100), kWhite);
    EXPECT_EQ(At(image, 150, 0), kWhite);

    if (!Focus(list.Widget(), list.GetGrid()->GetSheetPane()->Widget()))
        GTEST_SKIP() << "this display gives no keyboard focus";
    image = Paint(list);
    for (const fw::CPoint p : {fw::CPoint(0, 100), fw::CPoint(150, 0), fw::CPoint(299, 100), fw::CPoint(150, 199)})
        EXPECT_EQ(At(image, p.x, p.y), kYellow) << p.x << "," << p.y;
}

TEST_F(GpsPanes, TheTrackFramesItselfYellowWhileItHasTheFocus)
{
    QImage image = Paint(track);
    EXPECT_EQ(At(image, 0, 100), kWhite) << "outside the plot the window's colour";
    EXPECT_EQ(At(image, 20, 100), kWhite);

    if (!Focus(track.Widget(), track.Widget()))
        GTEST_SKIP() << "this display gives no keyboard focus";
    image = Paint(track);
    EXPECT_EQ(At(image, 0, 100), kYellow);
    EXPECT_EQ(At(image, 299, 100), kYellow);
    EXPECT_EQ(At(image, 20, 100), kWhite);
}

TEST_F(GpsPanes, EditCommandsOfTheTrackActOnAFocusedEditFieldOnly)
{
    const unsigned commands[] = {fw::ID_EDIT_CLEAR, fw::ID_EDIT_COPY, fw::ID_EDIT_CUT, fw::ID_EDIT_PASTE,
                                 fw::ID_EDIT_SELECT_ALL};
    fw::Clipboard().SetText("x");
    ASSERT_FALSE(doc->IsModified());
    for (unsigned id : commands)
        EXPECT_FALSE(IsEnabled(track, id)) << id << ": no edit field has the focus";

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    CZELEdit edit;
    layout->addWidget(edit.Widget());
    edit.SetWindowText("峠道");
    const bool focused = Focus(&window, edit.Widget());
    if (focused) {
        Run(fw::ID_EDIT_SELECT_ALL);
        int start = -1, end = -1;
        edit.GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 2);
        EXPECT_FALSE(IsEnabled(track, fw::ID_EDIT_SELECT_ALL)) << "all is selected";
        ASSERT_TRUE(IsEnabled(track, fw::ID_EDIT_COPY));
        Run(fw::ID_EDIT_COPY);
        EXPECT_EQ(QApplication::clipboard()->text(), QString("峠道"));
        Run(fw::ID_EDIT_CUT);
        EXPECT_EQ(edit.GetWindowText(), "");
        EXPECT_TRUE(doc->IsModified()) << "the title changed";
        ASSERT_TRUE(IsEnabled(track, fw::ID_EDIT_PASTE));
        Run(fw::ID_EDIT_PASTE);
        EXPECT_EQ(edit.GetWindowText(), "峠道");
        ASSERT_TRUE(IsEnabled(track, CGpsGraphView::kIdUndo)) << "the field's own undo";
        Run(CGpsGraphView::kIdUndo);
        EXPECT_EQ(edit.GetWindowText(), "");

        doc->ToggleEditLock();
        ASSERT_TRUE(doc->IsEditLocked());
        edit.SetWindowText("峠道");
        edit.SetSel(0, -1);
        EXPECT_TRUE(IsEnabled(track, fw::ID_EDIT_COPY));
        for (unsigned id : {fw::ID_EDIT_CLEAR, fw::ID_EDIT_CUT, fw::ID_EDIT_PASTE, CGpsGraphView::kIdUndo})
            EXPECT_FALSE(IsEnabled(track, id)) << id << ": the document is locked";
    }
    layout->removeWidget(edit.Widget());
    edit.Widget()->setParent(nullptr);
    if (!focused)
        GTEST_SKIP() << "this display gives no keyboard focus";
}

TEST_F(GpsPanes, NewValuesMakeTheGraphListAnnounceItsMarkerSelectionAfresh)
{
    ASSERT_NE(graphs.GetMarkerList(), nullptr);
    CUpdateKivData data;
    data.m_pDocument = doc.get();
    data.m_changeFlags = 0x08;
    doc->UpdateAllViews(nullptr, CGpsGraphView::kHintData, &data);
    EXPECT_TRUE(spy.senders.empty()) << "a repaint only";

    data.m_changeFlags = 0x01;
    doc->UpdateAllViews(nullptr, CGpsGraphView::kHintData, &data);
    EXPECT_EQ(spy.senders, std::vector<fw::CView*>({&graphs}));
    spy.senders.clear();
    data.m_changeFlags = CKivDataListViewBase::kFlagRows;
    doc->UpdateAllViews(nullptr, CGpsGraphView::kHintData, &data);
    EXPECT_EQ(spy.senders, std::vector<fw::CView*>({&graphs}));
}

TEST_F(GpsPanes, MarksSelectedOnTheTrackAreSelectedInTheGraphList)
{
    {
        QImage image(300, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        CPainterDC dc(&painter);
        track.OnDraw(&dc);
    }
    track.SelectMarkers(0, 0, 300, 200, false);
    ASSERT_TRUE(track.Markers().HasSelection());
    EXPECT_TRUE(graphs.GetMarkerList()->HasSelection()) << "hint 50 handled by the graph list";
    track.SelectMarkers(0, 0, 0, 0, false);
    EXPECT_FALSE(graphs.GetMarkerList()->HasSelection());
}

} // namespace
