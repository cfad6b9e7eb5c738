#include "docbase/graphpage/ZELOffScreenBitmap.h"

#include <new>

CZELOffScreenBitmap::~CZELOffScreenBitmap()
{
    // The memory device context goes before the bitmap it draws into.
    m_pMemDC.reset();
    m_pBitmap.reset();
}

bool CZELOffScreenBitmap::Create(const fw::CDC* reference, int width, int height)
{
    EndDraw();
    m_pBitmap.reset();
    try {
        m_width = width;
        m_height = height;
        m_pBitmap = CZELBitmap::CreateCompatible(reference, width, height);
        return m_pBitmap != nullptr;
    } catch (const std::bad_alloc&) {
        m_pBitmap.reset();
        m_pMemDC.reset();
        m_width = m_height = 0;
        m_pUserObject = nullptr;
        return false;
    }
}

void CZELOffScreenBitmap::Reset()
{
    // A memory context still open would draw into a deleted bitmap.
    m_pMemDC.reset();
    m_pBitmap.reset();
    m_width = m_height = 0;
    m_pUserObject = nullptr;
}

fw::CDC* CZELOffScreenBitmap::BeginDraw(const fw::CDC*)
{
    if (!m_pBitmap)
        return nullptr;
    EndDraw();
    try {
        m_pMemDC = m_pBitmap->CreateMemoryDC();
    } catch (const std::bad_alloc&) {
        m_pMemDC.reset();
    }
    return m_pMemDC.get();
}

void CZELOffScreenBitmap::EndDraw()
{
    m_pMemDC.reset();
}

void* CZELOffScreenBitmap::SetUserObject(void* object)
{
    m_pUserObject = object;
    return object;
}
