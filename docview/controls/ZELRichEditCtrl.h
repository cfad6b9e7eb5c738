#pragma once

// A rich-text edit for texts with superscripts. In markup mode its text is
// exchanged in the program's plain form, in which every "\super" switches
// between normal and superscript runs (graph labels and unit texts are
// stored so). Character sizes and raises are kept in twips exactly as the
// formats gave them, so a text read back gives the same markup.

#include "framework/ui/Controls.h"

#include <cstdint>

class QTextCharFormat;
class QTextEdit;

namespace fw {
class CCmdUI;
}

// The two character-format fields the markup uses (twips).
struct CharFormatTwips {
    static constexpr uint32_t CFM_OFFSET = 0x10000000;
    static constexpr uint32_t CFM_SIZE = 0x80000000;
    uint32_t dwMask = 0;
    int32_t yHeight = 0;
    int32_t yOffset = 0;
};

class CZELRichEditCtrl : public fw::CControl {
    FW_DECLARE_DYNAMIC(CZELRichEditCtrl)
    FW_DECLARE_COMMANDS()
public:
    static constexpr uint32_t kMarkupMode = 0x1;
    static constexpr unsigned kIdSuperscript = 57340;  // "上付き"
    static constexpr unsigned kIdNormal = 57341;       // "標準"
    static constexpr unsigned kEditMenu = 194;

    CZELRichEditCtrl();

    virtual uint32_t SetMarkupMode(uint32_t flags);
    virtual uint32_t GetMarkupMode() const { return m_dwMode; }
    virtual void SetMarkupWindowText(const fw::CString& text);
    virtual void GetMarkupText(fw::CString& text) const;
    // Inserts markup text at the selection; `flag` is not used.
    virtual void SetMarkupText(const fw::CString& text, int flag = 0);
    virtual void UpdateSuperscript(fw::CCmdUI* ui);
    virtual void ApplyCharFormat(unsigned commandId);
    virtual void UpdateCopyCut(fw::CCmdUI* ui);
    virtual void UpdateSelectAll(fw::CCmdUI* ui);
    virtual void UpdatePaste(fw::CCmdUI* ui);

    // --- the rich edit underneath ---------------------------------------------
    void SetWindowText(const fw::CString& text) override;
    fw::CString GetWindowText() const override;
    int GetTextLength() const;
    void SetSel(int start, int end);
    void GetSel(int& start, int& end) const;
    CharFormatTwips GetDefaultCharFormat() const { return m_default; }
    void SetDefaultCharFormat(const CharFormatTwips& format);
    // The format of the first selected character (of the caret position).
    CharFormatTwips GetSelectionCharFormat() const;
    void SetSelectionCharFormat(const CharFormatTwips& format);
    virtual bool HasKeyboardFocus() const;
    QTextEdit* TextEdit() const;

    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;

    // The superscript formats from the default height: the markup's and
    // the superscript command's.
    static CharFormatTwips MarkupSuperFormat(const CharFormatTwips& normal);
    static CharFormatTwips CommandSuperFormat(const CharFormatTwips& normal);

private:
    QTextCharFormat QtFormat(const CharFormatTwips& format) const;
    void OnSuperscript();

    uint32_t m_dwMode = 0;
    CharFormatTwips m_default;
};
