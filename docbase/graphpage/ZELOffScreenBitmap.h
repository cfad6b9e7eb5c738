#pragma once

// A bitmap compatible with a device context and, while one draws into it, a
// memory device context on it. Views draw a page into it and copy it to the
// window in one step, so the window never shows a half-drawn page; the
// picture writers take its pixels.

#include "docbase/graphpage/ZELBitmap.h"

#include <memory>

class CZELOffScreenBitmap {
public:
    CZELOffScreenBitmap() = default;
    virtual ~CZELOffScreenBitmap();
    CZELOffScreenBitmap(const CZELOffScreenBitmap&) = delete;
    CZELOffScreenBitmap& operator=(const CZELOffScreenBitmap&) = delete;

    // Replaces the bitmap; false when it cannot be made.
    virtual bool Create(const fw::CDC* reference, int width, int height);
    // Forgets the bitmap, the size and the user object (end drawing first).
    virtual void Reset();
    virtual CZELBitmap* GetBitmap() { return m_pBitmap.get(); }
    virtual int GetWidth() { return m_width; }
    virtual int GetHeight() { return m_height; }
    // The memory device context on the bitmap; null without a bitmap or
    // when it cannot be made.
    virtual fw::CDC* BeginDraw(const fw::CDC* reference = nullptr);
    virtual void EndDraw();
    virtual void* GetUserObject() { return m_pUserObject; }
    virtual void* SetUserObject(void* object);
    virtual bool IsSize(int width, int height) { return width == m_width && height == m_height; }

    bool IsDrawing() const { return m_pMemDC != nullptr; }

private:
    std::unique_ptr<CZELBitmap> m_pBitmap;
    std::unique_ptr<fw::CDC> m_pMemDC;
    int32_t m_width = 0;
    int32_t m_height = 0;
    void* m_pUserObject = nullptr;
};
