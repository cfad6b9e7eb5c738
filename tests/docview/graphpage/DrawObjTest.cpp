// Drawing objects: frame geometry, hit tests, relative positions, moving,
// and their archive form.

#include "tests/docview/graphpage/GraphPageFixture.h"

#include "docbase/graphpage/DrawOleObj.h"
#include "docbase/graphpage/GraphPageClipboard.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <cstring>

using gptest::CFramedObj;
using gptest::GraphPageTest;

namespace {

template <class T> void Put(std::vector<uint8_t>& out, T v)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out.insert(out.end(), p, p + sizeof v);
}

// The base record of a drawing object with the default frame style.
void PutBaseRecord(std::vector<uint8_t>& out, const fw::CRect& r, double relX, double relY)
{
    Put<int32_t>(out, r.left);
    Put<int32_t>(out, r.top);
    Put<int32_t>(out, r.right);
    Put<int32_t>(out, r.bottom);
    Put<double>(out, relX);
    Put<double>(out, relY);
    Put<uint8_t>(out, 0xFF);        // sides and shadow
    Put<int32_t>(out, 0x10206);     // geometric, flat ends, inside frame
    Put<int32_t>(out, 1);           // pen width
    Put<int32_t>(out, 1);           // the further value
    Put<uint32_t>(out, 0);          // black
    Put<uint32_t>(out, 0);          // solid fill
    Put<uint32_t>(out, 0xFFFFFF);   // white
    Put<uint32_t>(out, 0);          // hatch
    Put<uint8_t>(out, 0);           // not transparent
}

void PutClassTag(std::vector<uint8_t>& out, const char* name)
{
    Put<uint16_t>(out, 0xFFFF);
    Put<uint16_t>(out, 0);
    Put<uint16_t>(out, static_cast<uint16_t>(std::strlen(name)));
    out.insert(out.end(), name, name + std::strlen(name));
}

} // namespace

TEST_F(GraphPageTest, DefaultFrameTakesOneUnitPerSideAndShadowAndGivesItBack)
{
    CDrawObj object(fw::CRect(10, 10, 110, 60));
    EXPECT_EQ(object.GetFrameRect(), fw::CRect(11, 11, 108, 58));
    object.m_position = object.GetFrameRect();
    object.ApplyFrameMargins();
    EXPECT_EQ(object.m_position, fw::CRect(10, 10, 110, 60));
}

TEST_F(GraphPageTest, TransparentFrameLeavesNoRoomForTheShadowAndMarginsKeepOffTheEdge)
{
    CDrawObj object(fw::CRect(0, 1, 50, 40));
    object.m_frame.m_transparent = 1;
    object.m_frame.m_penWidth = 2;
    EXPECT_EQ(object.GetFrameRect(), fw::CRect(2, 3, 48, 38));
    object.m_position = fw::CRect(0, 1, 50, 40);
    object.ApplyFrameMargins();
    // Grown to (-2, -1, 52, 42), then pushed to 3 from the top and left.
    EXPECT_EQ(object.m_position, fw::CRect(3, 3, 57, 46));
}

TEST_F(GraphPageTest, SetFrameStyleKeepsTheInnerRectangle)
{
    CFramedObj* object = AddFramed(fw::CRect(10, 10, 110, 60));
    doc.SetModifiedFlag(false);
    CDrawObjPrf thick;
    thick.m_penWidth = 3;
    object->SetFrameStyle(thick);
    EXPECT_EQ(object->GetFrameRect(), fw::CRect(11, 11, 108, 58));
    EXPECT_EQ(object->m_position, fw::CRect(8, 8, 114, 64));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(GraphPageTest, HitTestCountsTheBottomEdgeButNotTheTopOrRight)
{
    CDrawObj object(fw::CRect(10, 10, 110, 60));
    const struct {
        const char* name;
        fw::CPoint point;
        int hit;
    } rows[] = {
        {"inside", {50, 30}, 1},       {"bottom edge", {50, 60}, 1}, {"top edge", {50, 10}, 0},
        {"left edge", {10, 30}, 1},    {"right edge", {110, 30}, 0}, {"outside", {200, 30}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(object.HitTest(row.point, nullptr, false), row.hit);
    }
    CDrawObj reversed(fw::CRect(110, 60, 10, 10));
    EXPECT_EQ(reversed.HitTest({50, 30}, nullptr, false), 0);
}

TEST_F(GraphPageTest, SelectedHitTestFindsHandlesThroughTheView)
{
    CFramedObj* object = AddFramed(fw::CRect(10, 10, 110, 60));
    const struct {
        const char* name;
        fw::CPoint point;
        int handle;
    } rows[] = {
        {"top-left", {10, 10}, 1},     {"top-centre", {60, 11}, 2}, {"right-middle", {112, 35}, 4},
        {"bottom-right", {108, 62}, 5}, {"left-middle", {7, 35}, 8}, {"middle", {60, 35}, 0},
        {"just above top-left", {10, 7}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(object->HitTest(row.point, &view, true), row.handle);
    }
}

TEST_F(GraphPageTest, HandlesAndTheirCursors)
{
    CDrawObj object(fw::CRect(10, 20, 111, 61));
    EXPECT_EQ(object.GetHandle(2), fw::CPoint(60, 20));
    EXPECT_EQ(object.GetHandle(4), fw::CPoint(111, 40));
    EXPECT_EQ(object.GetHandle(7), fw::CPoint(10, 61));
    EXPECT_EQ(object.GetHandleCursor(3), GraphCursor::sizeNESW);
    EXPECT_EQ(object.GetHandleCursor(8), GraphCursor::sizeWE);
}

TEST_F(GraphPageTest, TheTopLeftCornerFollowsThePageAndTheSizeStays)
{
    CDrawObj object(fw::CRect(50, 30, 150, 80));
    object.SetRelativePosition(object.m_position, fw::CRect(0, 0, 1000, 600));
    EXPECT_DOUBLE_EQ(object.m_relX, 0.05);
    object.RecalcPosition(fw::CRect(0, 0, 2000, 600));
    EXPECT_EQ(object.m_position, fw::CRect(100, 30, 200, 80));
}

TEST_F(GraphPageTest, AnUnsizedPageKeepsTheRelativePositionFinite)
{
    CZELGraphViewDoc empty;
    empty.m_bAutoDelete = false;
    auto* object = new CDrawObj(fw::CRect(40, 20, 90, 70));
    empty.AddObject(object);
    EXPECT_EQ(object->m_position, fw::CRect(40, 20, 90, 70));
    EXPECT_DOUBLE_EQ(object->m_relX, CDrawObj::kDefaultRelative);
    empty.SetPageSize(fw::CSize(400, 300));
    object->RecalcPosition(empty.GetPageRect());
    EXPECT_EQ(object->m_position, fw::CRect(20, 15, 70, 65));
}

TEST_F(GraphPageTest, MovingAHandleMovesOnlyItsSides)
{
    CFramedObj* object = AddFramed(fw::CRect(10, 10, 110, 60));
    object->MoveHandleTo(7, {5, 90}, &view);
    EXPECT_EQ(object->m_position, fw::CRect(5, 10, 110, 90));
    EXPECT_DOUBLE_EQ(object->m_relX, 5.0 / 400.0);
}

TEST_F(GraphPageTest, ObjectRecordHasTheStoredLayout)
{
    CDrawObj object(fw::CRect(10, 20, 110, 70));
    object.m_relX = 0.25;
    object.m_relY = 0.5;
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    std::vector<uint8_t> expected;
    PutBaseRecord(expected, fw::CRect(10, 20, 110, 70), 0.25, 0.5);
    ASSERT_EQ(expected.size(), 16u + 16u + CDrawObjPrf::kArchiveSize);
    EXPECT_EQ(file.Detach(), expected);
}

TEST_F(GraphPageTest, PageFormRoundTripsWithItsLocksAndObjectsInStackOrder)
{
    AddFramed(fw::CRect(10, 10, 110, 60));
    AddFramed(fw::CRect(50, 40, 200, 140));
    doc.m_editLock = 1;
    doc.m_reserved = 7;
    const std::vector<uint8_t> bytes = StorePage(doc);

    std::vector<uint8_t> expected;
    Put<uint8_t>(expected, 1);   // edit lock
    Put<uint8_t>(expected, 0);   // drawing-area lock
    Put<int32_t>(expected, 400);
    Put<int32_t>(expected, 300);
    Put<uint8_t>(expected, 7);   // reserved
    Put<uint16_t>(expected, 2);  // objects
    PutClassTag(expected, "CFramedObj");
    PutBaseRecord(expected, fw::CRect(10, 10, 110, 60), 10.0 / 400.0, 10.0 / 300.0);
    Put<uint16_t>(expected, 0x8001);  // the same class again
    PutBaseRecord(expected, fw::CRect(50, 40, 200, 140), 50.0 / 400.0, 40.0 / 300.0);
    Put<uint16_t>(expected, 0);  // no frame placements (no windows)
    EXPECT_EQ(bytes, expected);

    CZELGraphViewDoc copy;
    copy.m_bAutoDelete = false;
    LoadPage(copy, bytes);
    EXPECT_TRUE(copy.IsEditLocked());
    EXPECT_EQ(copy.m_reserved, 7);
    EXPECT_EQ(copy.GetPageSize(), fw::CSize(400, 300));
    ASSERT_EQ(copy.GetObjects().size(), 2u);
    EXPECT_EQ(copy.GetObjects()[1]->m_position, fw::CRect(50, 40, 200, 140));
    EXPECT_EQ(copy.GetObjects()[0]->GetDocument(), &copy);
}

TEST_F(GraphPageTest, TruncatedPageSizeIsAnEndOfFile)
{
    const std::vector<uint8_t> bytes = {0, 0, 0x90, 0x01, 0, 0};
    CZELGraphViewDoc copy;
    copy.m_bAutoDelete = false;
    try {
        LoadPage(copy, bytes);
        FAIL() << "loaded";
    } catch (const fw::CArchiveException& e) {
        EXPECT_EQ(e.m_cause, fw::CArchiveException::endOfFile);
    }
}

TEST_F(GraphPageTest, EmbeddedObjectBytesComeBackUnchanged)
{
    auto* ole = new CDrawOleObj(fw::CRect(20, 20, 120, 90));
    ole->m_extent = fw::CSize(2540, 1270);
    ole->m_pClientItem = new CDrawItem(ole);
    ole->m_pClientItem->m_bytes = {0xD0, 0xCF, 0x11, 0xE0, 0x00, 0xFF, 0x42};
    doc.AddObject(ole);
    const std::vector<uint8_t> bytes = StorePage(doc);

    CZELGraphViewDoc copy;
    copy.m_bAutoDelete = false;
    LoadPage(copy, bytes);
    ASSERT_EQ(copy.GetObjects().size(), 1u);
    auto* loaded = dynamic_cast<CDrawOleObj*>(copy.GetObjects()[0]);
    ASSERT_NE(loaded, nullptr);
    ASSERT_NE(loaded->m_pClientItem, nullptr);
    EXPECT_EQ(loaded->m_pClientItem->m_pDrawObj, loaded);
    EXPECT_EQ(loaded->m_pClientItem->m_bytes, ole->m_pClientItem->m_bytes);
    EXPECT_EQ(loaded->m_extent, fw::CSize(2540, 1270));
    EXPECT_EQ(StorePage(copy), bytes);

    // Its natural size: 2540 x 1270 HIMETRIC is 100 x 50 units.
    loaded->ResetSize();
    EXPECT_EQ(loaded->m_position, fw::CRect(20, 20, 120, 70));
}

TEST_F(GraphPageTest, AnItemLongerThanTheDataIsRefused)
{
    std::vector<uint8_t> bytes;
    PutClassTag(bytes, "CDrawItem");
    Put<uint32_t>(bytes, 0x7FFFFFF0);
    bytes.push_back(1);
    fw::CMemFile file(bytes);
    fw::CArchive ar(&file, fw::CArchive::load);
    EXPECT_THROW(ar.ReadObject(FW_RUNTIME_CLASS(CDrawItem)), fw::CArchiveException);
}

TEST_F(GraphPageTest, ClonesCopyEverythingAndJoinTheGivenPage)
{
    CFramedObj* object = AddFramed(fw::CRect(10, 10, 110, 60));
    object->m_frame.m_penColor = fw::RGB(1, 2, 3);
    auto* ole = new CDrawOleObj(fw::CRect(20, 20, 60, 60));
    ole->m_pClientItem = new CDrawItem(ole);
    ole->m_pClientItem->m_bytes = {1, 2, 3};
    doc.AddObject(ole);

    CDrawObj* plain = object->Clone(nullptr);
    EXPECT_EQ(plain->m_position, object->m_position);
    EXPECT_EQ(plain->m_frame.m_penColor, fw::RGB(1, 2, 3));
    plain->Remove();

    CDrawObj* copy = ole->Clone(&doc);
    ASSERT_EQ(doc.GetObjects().back(), copy);
    auto* oleCopy = dynamic_cast<CDrawOleObj*>(copy);
    ASSERT_NE(oleCopy, nullptr);
    ASSERT_NE(oleCopy->m_pClientItem, ole->m_pClientItem);
    EXPECT_EQ(oleCopy->m_pClientItem->m_bytes, ole->m_pClientItem->m_bytes);
}

TEST_F(GraphPageTest, AnObjectNamedTwiceInAListIsTakenOnce)
{
    std::vector<uint8_t> bytes;
    Put<uint16_t>(bytes, 2);
    PutClassTag(bytes, "CFramedObj");
    PutBaseRecord(bytes, fw::CRect(10, 10, 110, 60), 0.1, 0.1);
    Put<uint16_t>(bytes, 2);  // the object stored before
    const CDrawObjList objects = LoadDrawObjects(bytes, &doc);
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0]->GetDocument(), &doc);
    objects[0]->Remove();
}

TEST_F(GraphPageTest, AnEmbeddedItemNamedByASecondObjectIsRefused)
{
    // Embedded object (class 1, object 2) with its item (class 3, object
    // 4), then a second embedded object whose item names object 4.
    std::vector<uint8_t> bytes;
    Put<uint16_t>(bytes, 2);
    PutClassTag(bytes, "CDrawOleObj");
    PutBaseRecord(bytes, fw::CRect(10, 10, 110, 60), 0.1, 0.1);
    Put<int32_t>(bytes, 2540);
    Put<int32_t>(bytes, 1270);
    PutClassTag(bytes, "CDrawItem");
    Put<uint32_t>(bytes, 1);
    bytes.push_back(0x42);
    Put<uint16_t>(bytes, 0x8001);
    PutBaseRecord(bytes, fw::CRect(20, 20, 120, 70), 0.2, 0.2);
    Put<int32_t>(bytes, 2540);
    Put<int32_t>(bytes, 1270);
    Put<uint16_t>(bytes, 4);
    try {
        LoadDrawObjects(bytes, &doc);
        FAIL() << "loaded";
    } catch (const fw::CArchiveException& e) {
        EXPECT_EQ(e.m_cause, fw::CArchiveException::badIndex);
    }
    EXPECT_TRUE(doc.GetObjects().empty());
}
