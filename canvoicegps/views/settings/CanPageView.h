#pragma once

// The CAN data page of the project window: the CAN settings tree on the
// left; on the right the message grid beside the bit layout, above the
// signal grid. The page makes the four panes over its document and tells
// each its partners, so that a choice in one shows in the others.

#include "framework/ui/View.h"

class CCanNodeBitsView;
class CCanNodeView;
class CCanSetView;
class CCanSignalView;
class QSplitter;

class CCanPageView : public fw::CView {
    FW_DECLARE_DYNCREATE(CCanPageView)
public:
    CCanPageView();

    bool Create(QWidget* parent, fw::CDocument* document) override;
    void OnDraw(fw::CDC*) override {}
    // The page's commands belong to its tree until another pane is used.
    void OnActivateView(bool activate, fw::CView* activateView, fw::CView* deactiveView) override;

    CCanSetView* Tree() const { return m_pTree; }
    CCanNodeView* Messages() const { return m_pMessages; }
    CCanNodeBitsView* Bits() const { return m_pBits; }
    CCanSignalView* Signals() const { return m_pSignals; }

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;

private:
    void Pair();

    QSplitter* m_splitter = nullptr;
    CCanSetView* m_pTree = nullptr;
    CCanNodeView* m_pMessages = nullptr;
    CCanNodeBitsView* m_pBits = nullptr;
    CCanSignalView* m_pSignals = nullptr;
};
