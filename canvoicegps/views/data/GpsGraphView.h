#pragma once

// The GPS page's track: the document's GPS position drawn as a line in a
// square plot, with the sample range selected in the GPS lists (hint 45)
// drawn over it. The whole track is kept as a picture, so that moving the
// selection repaints only the selected part.

#include "canvoicegps/views/data/GpsTrackPicture.h"
#include "framework/ui/View.h"

class CKivDataDoc;

class CGpsGraphView : public fw::CView {
    FW_DECLARE_DYNCREATE(CGpsGraphView)
public:
    static constexpr intptr_t kHintRepaint = 0;
    static constexpr intptr_t kHintData = 12;
    static constexpr int32_t kChangeData = 1;
    static constexpr int32_t kChangeRows = 0x20;

    CGpsGraphView();
    ~CGpsGraphView() override;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnDraw(fw::CDC* dc) override;
    void OnSize(unsigned type, int cx, int cy) override;
    void OnSetFocus() override { Invalidate(); }
    void OnKillFocus() override { Invalidate(); }

    CKivDataDoc* GetDataDoc() const;
    const fw::CRect& GetPlotRect() const { return m_plotRect; }
    CGpsTrackPicture& Picture() { return m_track; }

private:
    CGpsTrackPicture m_track;
    fw::CRect m_plotRect;
};
