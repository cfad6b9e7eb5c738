#pragma once

// Graph pages without windows: a page document, a view joined to it, the
// scripted services, an in-memory clipboard and off-screen bitmaps that
// record what is drawn into them.

#include "docbase/graphpage/DrawObj.h"
#include "docbase/graphpage/ZELBitmap.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "docview/graphpage/ZELGraphView.h"
#include "framework/core/Clipboard.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace gptest {

// A drawing object that draws its frame and says which it is.
class CFramedObj : public CDrawObj {
    FW_DECLARE_SERIAL(CFramedObj)
public:
    CFramedObj() = default;
    explicit CFramedObj(const fw::CRect& r) : CDrawObj(r) {}
    void Draw(fw::CDC* dc) override;
};

// A bitmap whose memory device context records into a sink the test reads.
class RecordingBitmap final : public CZELBitmap {
public:
    RecordingBitmap(int width, int height, fw::RecordingSink* sink, std::vector<fw::CPoint>* copies)
        : m_width(width), m_height(height), m_sink(sink), m_copies(copies) {}
    int GetWidth() const override { return m_width; }
    int GetHeight() const override { return m_height; }
    std::unique_ptr<fw::CDC> CreateMemoryDC() override { return std::make_unique<fw::CDC>(m_sink); }
    fw::PixelBuffer GetPixels() const override { return fw::PixelBuffer::Make(m_width, m_height); }
    bool CopyTo(fw::CDC&, fw::CPoint at) const override
    {
        m_copies->push_back(at);
        return true;
    }

private:
    int m_width, m_height;
    fw::RecordingSink* m_sink;
    std::vector<fw::CPoint>* m_copies;
};

class GraphPageTest : public ::testing::Test {
protected:
    GraphPageTest();
    ~GraphPageTest() override;

    // Objects added to the page at these rectangles (page 400 x 300).
    CFramedObj* AddFramed(const fw::CRect& r);
    // The bytes of the page's archive form, stored without views.
    std::vector<uint8_t> StorePage(CZELGraphViewDoc& doc);
    void LoadPage(CZELGraphViewDoc& doc, const std::vector<uint8_t>& bytes);

    fw::test::ServiceScope services;
    fw::MemoryClipboard clipboard;
    fw::IClipboard* oldClipboard = nullptr;
    CZELBitmap::Factory oldFactory;
    fw::RecordingSink bitmapSink;
    std::vector<fw::CPoint> bitmapCopies;
    int bitmapsMade = 0;

    CZELGraphViewDoc doc;
    CZELGraphView view;
};

} // namespace gptest
