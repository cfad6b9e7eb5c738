#pragma once

// The GPS page of the data window: the track at the top left beside the
// value list of the GPS channels, above their graph list. The three show
// one selected sample range; the track passes its list commands to the
// value list.

#include "framework/ui/View.h"

class CGpsDataListView;
class CGpsGraphListView;
class CGpsGraphView;
class QSplitter;

class CGpsPageView : public fw::CView {
    FW_DECLARE_DYNCREATE(CGpsPageView)
public:
    CGpsPageView();

    bool Create(QWidget* parent, fw::CDocument* document) override;
    void OnDraw(fw::CDC*) override {}
    // The page's commands belong to its track (its first pane) until
    // another pane is used.
    void OnActivateView(bool activate, fw::CView* activateView, fw::CView* deactiveView) override;

    CGpsGraphView* Track() const { return m_pTrack; }
    CGpsDataListView* List() const { return m_pList; }
    CGpsGraphListView* Graphs() const { return m_pGraphs; }

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;

private:
    QSplitter* m_splitter = nullptr;
    CGpsGraphView* m_pTrack = nullptr;
    CGpsDataListView* m_pList = nullptr;
    CGpsGraphListView* m_pGraphs = nullptr;
};
