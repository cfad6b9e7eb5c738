#pragma once

// The in-cell editors: a one-line rich edit placed over the current cell.
// It hands the keys that leave the cell back to its pane, which stores the
// text and moves on. The digit editor takes only digits and a few more
// characters.

#include "docview/controls/ZELRichEditCtrl.h"
#include "framework/core/CString.h"

class CZELGridPane;
class QInputMethodEvent;
class QKeyEvent;

class CZELGridRichWnd : public CZELRichEditCtrl {
    FW_DECLARE_DYNAMIC(CZELGridRichWnd)
public:
    static constexpr int kEditorId = 101;
    static constexpr unsigned kContextMenu = 29000;
    static constexpr uint32_t kMarkupSuper = 0x1;

    CZELGridRichWnd();
    ~CZELGridRichWnd() override;

    // For a click or command: the text, the focus, the caret at the end.
    bool CreateForMouse(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, uint32_t markup);
    // For a typed key: the text selected, the focus, then the key typed
    // into it (or the character, or the input method's composition).
    bool CreateForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                      unsigned key, uint32_t markup);

    virtual void UpdateFormatCommands(fw::CCmdUI* ui);
    virtual void ApplyFormatCommand(unsigned id);
    virtual uint32_t SetMarkupFlags(uint32_t flags);
    virtual uint32_t GetMarkupFlags() const { return m_nMarkup; }
    virtual void SetText(const fw::CString& text);
    virtual fw::CString GetText() const;
    virtual void InsertMarkupText(const fw::CString& text);
    // Replaces the selected text (or inserts at the caret) as plain text.
    void ReplaceSel(const fw::CString& text);

    void SetEndOnKillFocus(bool on) { m_bEndOnKillFocus = on; }
    bool GetEndOnKillFocus() const { return m_bEndOnKillFocus; }
    void SetSwallowedChars(const fw::CString& chars) { m_strSwallow = chars; }
    CZELGridPane* GetPane() const { return m_pPane; }
    bool LastKeyHadShift() const { return m_bLastShift; }
    bool HasKeyboardFocus() const override;
    // Follows the cell when the pane scrolls; hidden outside the pane.
    void MoveInPane(const fw::CRect& rect);
    void DeliverInputMethod(QInputMethodEvent* event);
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;

    // Deletes an editor once the events under way are done with it.
    static void DisposeLater(CZELGridRichWnd* editor);

    // Key handling of the editor; true when the key was used up.
    bool FilterKey(QKeyEvent* event);
    void OnEditorFocusOut();
    void OnEditorClick() { m_bCaretMoved = true; }

protected:
    // Whether a typed character may enter the text.
    virtual bool AcceptChar(unsigned ch) const { return true; }

private:
    bool Place(CZELGridPane* pane, const fw::CRect& rect, uint32_t markup);

    CZELGridPane* m_pPane = nullptr;
    bool m_bCaretMoved = false;
    uint32_t m_nMarkup = 0;
    bool m_bEndOnKillFocus = true;
    int m_nMenuId = kContextMenu;
    fw::CString m_strSwallow;
    bool m_bLastShift = false;
    bool m_bClosing = false;
    // Removed first on destruction: the widget dies in a base destructor,
    // and the focus loss it raises then must not reach this editor.
    QObject* m_pFilter = nullptr;
};

class CZELDegitEditWnd : public CZELGridRichWnd {
    FW_DECLARE_DYNAMIC(CZELDegitEditWnd)
public:
    CZELDegitEditWnd() : m_strAllowed("-") {}
    void SetAllowedChars(const fw::CString& chars) { m_strAllowed = chars; }
    const fw::CString& GetAllowedChars() const { return m_strAllowed; }

protected:
    bool AcceptChar(unsigned ch) const override;

private:
    fw::CString m_strAllowed;
};

// The unit cells' editor: the grid editor with the unit menu as its
// context menu.
class CUnitEditWnd : public CZELGridRichWnd {
    FW_DECLARE_DYNAMIC(CUnitEditWnd)
public:
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;
};
