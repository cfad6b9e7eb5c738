#pragma once

// An embedded OLE object on a graph page. Embedding needs an OLE container,
// which this platform has not: the item's bytes are kept as they were read
// and written back unchanged, and the object is drawn as a framed
// placeholder. It moves, resizes, stacks, copies and prints like any other
// drawing object.

#include "docbase/graphpage/DrawObj.h"

#include <cstdint>
#include <vector>

class CDrawOleObj;

// The client item of an embedded object, held as opaque bytes.
class CDrawItem : public fw::CObject {
    FW_DECLARE_SERIAL(CDrawItem)
public:
    CDrawItem() = default;
    explicit CDrawItem(CDrawOleObj* object) : m_pDrawObj(object) {}
    // Clears its object's item pointer.
    ~CDrawItem() override;
    CDrawItem(const CDrawItem&) = delete;
    CDrawItem& operator=(const CDrawItem&) = delete;

    // A 32-bit byte count, then the bytes.
    void Serialize(fw::CArchive& ar) override;

    // The item's own idea of its size (HIMETRIC); (0, 0) when unknown.
    bool GetCachedExtent(fw::CSize* extent) const;

    CDrawOleObj* m_pDrawObj = nullptr;
    std::vector<uint8_t> m_bytes;
    fw::CSize m_cachedExtent;
};

class CDrawOleObj : public CDrawObj {
    FW_DECLARE_SERIAL(CDrawOleObj)
public:
    // HIMETRIC (0.01 mm) to the logical unit assumed for embedded objects.
    static constexpr int kHimetricNum = 10;
    static constexpr int kHimetricDen = 254;

    CDrawOleObj() = default;
    explicit CDrawOleObj(const fw::CRect& position) : CDrawObj(position) {}
    // Deletes the item.
    ~CDrawOleObj() override;

    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    CDrawObj* Clone(CZELGraphViewDoc* document) override;
    void Remove() override;
    void ResetSize() override;

    // Takes the item's extent: scales the position by the change, or gives
    // an object without a known extent its natural size.
    void UpdateExtent();

    CDrawItem* m_pClientItem = nullptr;
    fw::CSize m_extent;
};
