#pragma once

// The base of every graph-page document: a page of a given size with an
// ordered stack of drawing objects (bottom first), two page locks and the
// saved placement of its frame. The graph documents derive from it and
// write their own header around the page's archive form.

#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/SaveFrameList.h"
#include "docbase/graphpage/GraphPageView.h"
#include "framework/core/Document.h"
#include "framework/core/Geometry.h"

#include <cstdint>

class CDrawObj;

// Hints the page sends to its views.
enum : intptr_t {
    kHintRedrawInvalid = 4,
    kHintRedrawObject = 5,
    kHintInvalidateObject = 6,
    kHintInvalidateList = 7,
    kHintDeletingList = 8,
    kHintInvalidateOle = 9,
    kHintDropSelection = 10,
    kHintScrollSizes = 11,
};

// A list of drawing objects as a hint object (hints 7 and 8).
class CDrawObjListHint : public fw::CObject {
    FW_DECLARE_DYNAMIC(CDrawObjListHint)
public:
    explicit CDrawObjListHint(const CDrawObjList& list) : m_list(list) {}
    const CDrawObjList& m_list;
};

class CZELGraphViewDoc : public fw::CDocument, public IGraphPageDoc {
    FW_DECLARE_DYNCREATE(CZELGraphViewDoc)
public:
    CZELGraphViewDoc() = default;
    // Deletes the objects still held.
    ~CZELGraphViewDoc() override;

    // The page form (edit lock, area lock, size, reserved byte, objects,
    // frame placements).
    void Serialize(fw::CArchive& ar) override;
    bool OnOpenDocument(const fw::CString& path) override;
    void OnCloseDocument() override;
    void DeleteContents() override;

    virtual void ToggleEditLock();
    // On top of the stack; its relative position is taken in the page.
    virtual void AddObject(CDrawObj* object);
    // Hints 1 to 3 go to the objects (bottom first; the last one's result),
    // others to the views.
    intptr_t DispatchUpdate(intptr_t hint, fw::CObject* hintObject) override;
    virtual bool RestoreFramePlacement();

    // Out of the stack, not deleted.
    void RemoveObject(CDrawObj* object);
    void MoveObject(CDrawObj* object, bool toTop);
    void SetPageSize(fw::CSize size);
    // The topmost object under the point; null when none.
    CDrawObj* ObjectAt(fw::CPoint point) const;
    // Locks, page size and a clone of every object go to `target`.
    void CopyPageSetup(CZELGraphViewDoc* target);

    const CDrawObjList& GetObjects() const { return m_objects; }
    fw::CSize GetPageSize() const { return m_pageSize; }
    fw::CRect GetPageRect() const { return fw::CRect(0, 0, m_pageSize.cx, m_pageSize.cy); }
    bool IsEditLocked() const { return m_editLock != 0; }
    bool IsAreaLocked() const { return m_areaLock != 0; }
    void SetAreaLock(bool on);
    CSaveFrameList& GetFramePlacements() { return m_framePlacements; }

    uint8_t m_areaLock = 0;
    fw::CSize m_pageSize;
    uint8_t m_reserved = 0;
    uint8_t m_editLock = 0;

protected:
    void DeleteObjects();

    CDrawObjList m_objects;
    CSaveFrameList m_framePlacements;
};
