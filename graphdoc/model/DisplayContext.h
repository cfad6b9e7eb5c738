#pragma once

// An information context of the display: text measurement and the screen
// scale of graph objects, also while printing. It measures on a bitmap of
// the window system when the program installed a bitmap maker, else on the
// framework's recording device (fixed metrics, as in tests).

#include "framework/core/DC.h"

#include <memory>

class CZELBitmap;
namespace fw {
class RecordingSink;
}

class CDisplayContext {
public:
    CDisplayContext();
    ~CDisplayContext();
    CDisplayContext(const CDisplayContext&) = delete;
    CDisplayContext& operator=(const CDisplayContext&) = delete;

    fw::CDC& DC() { return *m_dc; }
    fw::CDC* operator->() { return m_dc.get(); }

private:
    std::unique_ptr<CZELBitmap> m_bitmap;
    std::unique_ptr<fw::RecordingSink> m_sink;
    std::unique_ptr<fw::CDC> m_dc;
};
