#pragma once

// The time list graph of GPS data: one strip per GPS channel over sample
// time. Its selected sample range is shared with the GPS data list and the
// track: every change made through its own selection operations is
// announced to the document's views (hint 45); a range received from them
// is taken without an announcement. Stored as the plain time list graph.

#include "chart/model/GraphTimeListObj.h"

#include <cstdint>

namespace fw {
class CDocument;
}

class CGpsGraphTimeListObj : public CGraphTimeListObj {
public:
    explicit CGpsGraphTimeListObj(fw::CDocument* document = nullptr);
    ~CGpsGraphTimeListObj() override;

    void SetDocument(fw::CDocument* document) { m_pDocument = document; }
    fw::CDocument* GetDocument() const { return m_pDocument; }

    // Hint 45 takes the range of its CUpdateSelArea; others go to the base.
    void OnUpdate(int hint, const fw::CObject* info) override;
    void ClearSelection() override;
    int SetSelectionEdge(int which, double time) override;
    void SetSelection(int32_t first, int32_t last) override;

    // The range as last announced, smaller index first.
    int32_t GetReportedFirst() const { return m_nReportedFirst; }
    int32_t GetReportedLast() const { return m_nReportedLast; }

private:
    // Sends the range when it differs from the one announced before.
    void AnnounceChange();
    void Announce(int16_t mask);

    fw::CDocument* m_pDocument = nullptr;
    // Before any change nothing was announced: a first range counts as a
    // change of both ends.
    int32_t m_nReportedFirst = -1;
    int32_t m_nReportedLast = -1;
};
