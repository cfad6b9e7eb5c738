#pragma once

// The signal grid of the CAN page: the signals of the current message. A
// receive message lists its signals plus an empty row for a new one; a
// send message has one two-byte signal whose value comes from a channel of
// the control unit, so only its name and source are edited.

#include "project/views/ProjectBaseView.h"

namespace fw {
class CMenu;
}

class C463CanMesSignal;
class CCanSigArray;
class CCanNodeBitsView;

class CCanSignalView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CCanSignalView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 405;
    static constexpr unsigned kIdSignMenu = 402;
    static constexpr unsigned kIdOrderMenu = 403;
    static constexpr unsigned kIdUnsigned = 33317;
    static constexpr unsigned kIdSigned = 33318;
    static constexpr unsigned kIdMotorola = 33319;
    static constexpr unsigned kIdIntel = 33320;
    static constexpr unsigned kIdFirstUnit = 33109;
    static constexpr unsigned kIdLastUnit = 33149;
    static constexpr unsigned kIdFirstFormat = 32798;
    static constexpr unsigned kIdLastFormat = 32805;
    // The number-format menu's whole range; only 0..7 decimals apply.
    static constexpr unsigned kIdFormatRangeFirst = 32797;
    static constexpr unsigned kIdFormatRangeLast = 32813;
    // The source menu: "OFF", then eight channels per unit slot.
    static constexpr unsigned kIdSourceOff = 33011;
    static constexpr unsigned kIdSourceFirst = 33012;
    static constexpr unsigned kIdSourceLast = 33091;
    static constexpr int kSourcesPerSlot = 8;
    static constexpr unsigned kIdsNameFirst = 812;
    static constexpr int32_t kColumns = 9;

    CCanSignalView();

    // Shows a message's signals (none: an empty grid that refuses edits)
    // with `selected` current; passes on to the bit-layout view.
    void ShowSignals(bool send, int32_t unitIndex, CCanSigArray* sigArray, fw::CObject* selected);
    void SetBitsView(CCanNodeBitsView* view) { m_pBitsView = view; }
    void SetTreeView(fw::CView* view) { m_pTree = view; }
    CCanSigArray* GetSignals() const { return m_pSignals; }
    bool GetDirection() const { return m_direction != 0; }
    int32_t GetControlUnit() const { return m_unitIndex; }
    // The attribute code a column shows in the current layout; -1 outside.
    int ColumnCode(int32_t col) const;
    // A send signal's layout and scaling stay as made.
    bool IsFixedColumn(int32_t col) const;

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

    bool IsLocked() const;
    bool SetColumnValue(int32_t col, double value);
    bool SetColumnText(int32_t col, const fw::CString& text) override;
    void DeleteSignals();

private:
    void OnValueCommand(unsigned id);
    void OnUpdateValueCommand(fw::CCmdUI* ui);
    void OnUpdateDisabled(fw::CCmdUI* ui) { ui->Enable(false); }
    // The source menu: a submenu per unit slot with inputs, its items
    // named after the control unit's channels.
    bool BuildSourceMenu(fw::CMenu& menu) const;
    // Whether source `number` is a channel of a unit with inputs.
    bool IsInputChannel(int number) const;
    void OnDeleteCommand();
    void OnUpdateDeleteCommand(fw::CCmdUI* ui);
    bool CommandColumn(unsigned id, int32_t& col, double& value) const;
    bool SetName(int32_t row, const fw::CString& text);
    bool SetSource(int32_t row, const fw::CString& text);
    bool SetDecimalsText(int32_t row, const fw::CString& text);
    // The control unit's channel numbers (from 1) whose name is `name`.
    std::vector<int> ChannelsNamed(const fw::CString& name) const;
    void SourceText(int source, fw::CString& text) const;
    // Keeps the channel a receive signal feeds through its data slot in
    // step with the signal's scaling, decimals and unit.
    void SyncSlotChannel(int32_t row, int32_t col);
    // The map index of the channel that data slot `source` feeds; -1.
    int FedChannel(int source) const;
    void Notify(int32_t kind, fw::CObject* object);
    void Repaint();
    int32_t RowCount() const;
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);

    fw::CView* m_pTree = nullptr;
    CCanSigArray* m_pSignals = nullptr;
    CCanNodeBitsView* m_pBitsView = nullptr;
    uint8_t m_direction = 0;
    uint8_t m_active = 1;
    int32_t m_unitIndex = 0;
};
