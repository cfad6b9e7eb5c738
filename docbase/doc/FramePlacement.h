#pragma once

// Remembered window placements of a document's frames. The record keeps
// the 44-byte form the files hold; the interface layer maps it onto its
// frame windows.

#include "framework/core/Geometry.h"

#include <cstdint>

struct FramePlacement {
    static constexpr uint32_t kRecordSize = 44;

    uint32_t length = kRecordSize;
    uint32_t flags = 0;
    uint32_t showCmd = 0;
    fw::CPoint minPosition;
    fw::CPoint maxPosition;
    fw::CRect normalPosition;

    friend bool operator==(const FramePlacement&, const FramePlacement&) = default;
};

// A view whose frame window can tell and take its placement. Views that
// live in frames implement it beside fw::IDocumentView.
class IPlacedView {
public:
    virtual ~IPlacedView() = default;
    // Tells frames apart: two views in one frame answer the same key.
    virtual uint32_t FrameKey() const = 0;
    virtual FramePlacement GetFramePlacement() const = 0;
    virtual void SetFramePlacement(const FramePlacement& placement) = 0;
};
