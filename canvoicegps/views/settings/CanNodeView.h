#pragma once

// The message grid of the CAN page: the messages of one direction of the
// unit chosen in the CAN settings tree, one row each plus an empty row that
// names a new message (the send direction holds at most eight). Edits go
// straight into the unit's messages in the project document.

#include "project/views/ProjectBaseView.h"

#include <vector>

class C463CanMesNode;
class CCanNodeArray;
class CCanSignalView;

class CCanNodeView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CCanNodeView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 404;
    static constexpr unsigned kIdFormatMenu = 400;
    static constexpr unsigned kIdLengthMenu = 401;
    static constexpr unsigned kIdRemoteMenu = 165;
    static constexpr unsigned kIdStandard = 33307;
    static constexpr unsigned kIdExtended = 33308;
    static constexpr unsigned kIdLength1 = 33309;
    static constexpr unsigned kIdLength8 = 33316;
    static constexpr unsigned kIdRemoteOff = 32847;
    static constexpr unsigned kIdRemoteOn = 32848;
    static constexpr unsigned kIdsNameFirst = 812;
    static constexpr unsigned kIdsNoFreeMessage = 811;
    static constexpr int32_t kColumns = 6;

    CCanNodeView();

    // Shows the messages of `send` direction of a unit's database and makes
    // `selected` (or the first row) current; passes on to the signal grid.
    void ShowMessages(bool send, int32_t unitIndex, CCanNodeArray* messages, C463CanMesNode* selected,
                      fw::CObject* selectedSignal);
    void SetSignalView(CCanSignalView* view) { m_pSignalView = view; }
    void SetTreeView(fw::CView* view) { m_pTree = view; }
    CCanNodeArray* GetUnitMessages() const { return m_pMessages; }
    int32_t GetShownCount() const { return static_cast<int32_t>(m_shown.size()); }
    C463CanMesNode* GetMessage(int32_t row) const;
    bool GetDirection() const { return m_direction != 0; }

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint point) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    void OnCurrentCellChanged() override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override { return !IsLocked(); }
    bool CanDeleteRows() override;

    // Edit-locked, or the measurement panel works on this project.
    bool IsLocked() const;
    // Sets a column's value over the selected rows, polling paused; whether
    // any row took it.
    bool SetColumnValue(int32_t col, double value);
    void DeleteMessages();

private:
    void OnValueCommand(unsigned id);
    void OnUpdateValueCommand(fw::CCmdUI* ui);
    void OnDeleteCommand();
    void OnUpdateDeleteCommand(fw::CCmdUI* ui);
    void Notify(int32_t kind, fw::CObject* object);
    void RepaintRows(int32_t first, int32_t last);
    void RecomputeDuplicates();
    bool SetName(int32_t row, const fw::CString& text, bool interactive);
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);

    fw::CView* m_pTree = nullptr;
    CCanSignalView* m_pSignalView = nullptr;
    CCanNodeArray* m_pMessages = nullptr;
    std::vector<C463CanMesNode*> m_shown;
    int32_t m_unitIndex = 0;
    uint8_t m_direction = 0;
    uint8_t m_active = 1;
};
