#include "graphdoc/model/DisplayContext.h"

#include "docbase/graphpage/ZELBitmap.h"
#include "framework/core/RecordingSink.h"

CDisplayContext::CDisplayContext()
{
    m_bitmap = CZELBitmap::CreateCompatible(nullptr, 1, 1);
    if (m_bitmap)
        m_dc = m_bitmap->CreateMemoryDC();
    if (!m_dc) {
        m_sink = std::make_unique<fw::RecordingSink>();
        m_dc = std::make_unique<fw::CDC>(m_sink.get());
    }
}

CDisplayContext::~CDisplayContext()
{
    // The device context goes before what it draws on.
    m_dc.reset();
}
