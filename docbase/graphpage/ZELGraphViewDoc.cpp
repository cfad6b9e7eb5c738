#include "docbase/graphpage/ZELGraphViewDoc.h"

#include "docbase/doc/FramePlacement.h"
#include "docbase/graphpage/DrawObj.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CDrawObjListHint, fw::CObject)
FW_IMPLEMENT_DYNCREATE(CZELGraphViewDoc, fw::CDocument)

namespace {

// The smallest stored form of a drawing object: a class tag and the base
// record (position, relative position, frame style).
constexpr size_t kMinObjectBytes = 2;

IPlacedView* FirstPlacedView(const fw::CDocument& doc)
{
    fw::POSITION pos = doc.GetFirstViewPosition();
    while (pos) {
        if (auto* placed = dynamic_cast<IPlacedView*>(doc.GetNextViewLink(pos)))
            return placed;
    }
    return nullptr;
}

} // namespace

CZELGraphViewDoc::~CZELGraphViewDoc()
{
    DeleteObjects();
}

void CZELGraphViewDoc::DeleteObjects()
{
    CDrawObjList objects;
    objects.swap(m_objects);
    for (CDrawObj* object : objects)
        object->Remove();
}

void CZELGraphViewDoc::DeleteContents()
{
    DeleteObjects();
    fw::CDocument::DeleteContents();
}

void CZELGraphViewDoc::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_editLock << m_areaLock << m_pageSize.cx << m_pageSize.cy << m_reserved;
        ar.WriteCount(m_objects.size());
        for (const CDrawObj* object : m_objects)
            ar.WriteObject(object);
        m_framePlacements.Serialize(ar);
        return;
    }
    ar >> m_editLock >> m_areaLock;
    int32_t size[2];
    ar.ReadExact(size, sizeof size);
    m_pageSize = fw::CSize(size[0], size[1]);
    ar >> m_reserved;
    DeleteObjects();
    const uint64_t count = ar.ReadCount(kMinObjectBytes);
    for (uint64_t i = 0; i < count; ++i) {
        auto* object = static_cast<CDrawObj*>(ar.ReadObject(FW_RUNTIME_CLASS(CDrawObj)));
        // A second reference to one object must not put it twice in the
        // stack (it would be deleted twice).
        if (object && std::find(m_objects.begin(), m_objects.end(), object) == m_objects.end()) {
            object->m_pDocument = this;
            m_objects.push_back(object);
        }
    }
    m_framePlacements.Serialize(ar);
}

bool CZELGraphViewDoc::OnOpenDocument(const fw::CString& path)
{
    if (!DataDocHost().IsPathOpenElsewhere(this, path, true))
        return false;
    if (!fw::CDocument::OnOpenDocument(path))
        return false;
    RestoreFramePlacement();
    SetModifiedFlag(false);
    return true;
}

void CZELGraphViewDoc::OnCloseDocument()
{
    UpdateAllViews(nullptr, kHintDropSelection, nullptr);
    DeleteObjects();
    fw::CDocument::OnCloseDocument();
}

void CZELGraphViewDoc::ToggleEditLock()
{
    m_editLock = m_editLock ? 0 : 1;
    SetModifiedFlag();
}

void CZELGraphViewDoc::SetAreaLock(bool on)
{
    m_areaLock = on ? 1 : 0;
    SetModifiedFlag();
}

void CZELGraphViewDoc::AddObject(CDrawObj* object)
{
    m_objects.push_back(object);
    object->m_pDocument = this;
    object->SetRelativePosition(object->m_position, GetPageRect());
    SetModifiedFlag();
}

intptr_t CZELGraphViewDoc::DispatchUpdate(intptr_t hint, fw::CObject* hintObject)
{
    if (hint >= 1 && hint <= 3) {
        intptr_t result = 0;
        // A receiver may change the stack (a graph adding its legend).
        const CDrawObjList objects = m_objects;
        for (CDrawObj* object : objects)
            result = object->OnUpdate(hint, hintObject);
        return result;
    }
    UpdateAllViews(nullptr, hint, hintObject);
    return 0;
}

bool CZELGraphViewDoc::RestoreFramePlacement()
{
    if (auto* host = dynamic_cast<CDataDocHost*>(&DataDocHost()))
        host->SendDataDocsToGraphDoc(*this);
    if (!m_framePlacements.IsEmpty()) {
        if (IPlacedView* view = FirstPlacedView(*this))
            view->SetFramePlacement(m_framePlacements.Entries().front().second);
    }
    return true;
}

void CZELGraphViewDoc::RemoveObject(CDrawObj* object)
{
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it != m_objects.end())
        m_objects.erase(it);
    SetModifiedFlag();
}

void CZELGraphViewDoc::MoveObject(CDrawObj* object, bool toTop)
{
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it == m_objects.end())
        return;
    m_objects.erase(it);
    if (toTop)
        m_objects.push_back(object);
    else
        m_objects.insert(m_objects.begin(), object);
    SetModifiedFlag();
}

void CZELGraphViewDoc::SetPageSize(fw::CSize size)
{
    m_pageSize = size;
    SetModifiedFlag();
}

CDrawObj* CZELGraphViewDoc::ObjectAt(fw::CPoint point) const
{
    const fw::CRect probe(point.x, point.y, point.x + 1, point.y + 1);
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it) {
        if ((*it)->Intersects(probe))
            return *it;
    }
    return nullptr;
}

void CZELGraphViewDoc::CopyPageSetup(CZELGraphViewDoc* target)
{
    target->m_editLock = m_editLock;
    target->m_areaLock = m_areaLock;
    target->m_pageSize = m_pageSize;
    target->m_reserved = m_reserved;

    IPlacedView* mine = FirstPlacedView(*this);
    IPlacedView* theirs = FirstPlacedView(*target);
    if (mine && theirs) {
        const FramePlacement source = mine->GetFramePlacement();
        FramePlacement placement = theirs->GetFramePlacement();
        placement.normalPosition = fw::CRect(placement.normalPosition.TopLeft(), source.normalPosition.Size());
        theirs->SetFramePlacement(placement);
    }

    const fw::CRect page = target->GetPageRect();
    const CDrawObjList objects = m_objects;
    for (CDrawObj* object : objects) {
        CDrawObj* clone = object->Clone(target);
        if (!clone)
            fw::ThrowUserException();
        clone->RecalcPosition(page);
    }
    target->UpdateAllViews(nullptr, kHintScrollSizes, nullptr);
}
