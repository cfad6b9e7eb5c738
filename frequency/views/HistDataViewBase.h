#pragma once

// The table view the three tables of a frequency document derive from: the
// document table view with the frame's information line below the title,
// the buttons' face as the panes' background, and the edit lock.

#include "framework/core/CString.h"
#include "grid/views/DocTableView.h"

#include <cstdint>

class CHistDoc;
class CHistFrame;

class CHistDataViewBase : public CDocTableView {
    FW_DECLARE_DYNAMIC(CHistDataViewBase)
    FW_DECLARE_COMMANDS()
public:
    CHistDataViewBase();
    ~CHistDataViewBase() override;

    CHistDoc* GetHistDoc() const;
    // The frequency frame the view sits in, or none.
    CHistFrame* GetHistFrame() const;

    // The frequency tables clear, insert and delete nothing.
    bool CanClear() const override { return false; }
    // The information line of the frame.
    void GetFrameLines(std::vector<fw::CString>& lines, char sep) override;
    const char* TextSaveExtension() const override { return "txt"; }

    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;
    void SetGridStyle(CZELGridStyle* style) override;
    // Printed pages of every row of the grid.
    int GetPrintPageCount(fw::CDC& dc) override;

    void OnEditLock();

protected:
    void OnUpdateEditLock(fw::CCmdUI* ui);
};
