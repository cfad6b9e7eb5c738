#pragma once

// A free text on a graph page: one line in a font and a colour, horizontal
// or turned by 90 degrees (the font's escapement 900), centred in its
// framed rectangle, which follows the text's size.

#include "common/base/LogFont.h"
#include "docbase/graphpage/DrawObj.h"
#include "framework/core/CString.h"

class CDrawTextObj : public CDrawObj {
    FW_DECLARE_SERIAL(CDrawTextObj)
public:
    static constexpr int32_t kVertical = 900;

    CDrawTextObj();
    CDrawTextObj(const fw::CRect& position, const fw::CString& text);
    ~CDrawTextObj() override = default;

    // The drawing-object record, then the font, colour and text.
    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    // The text dialog; on OK the text, rotation and size change.
    void OnEditProperties() override;
    CDrawObj* Clone(CZELGraphViewDoc* document) override;
    const fw::LOGFONT* GetFont() override { return &m_font; }
    fw::LOGFONT* GetMutableFont() { return &m_font; }
    fw::COLORREF GetTextColor() override { return m_textColor; }
    void SetTextColor(fw::COLORREF color) override { m_textColor = color; }
    // Sizes the rectangle to the text (measured on the display).
    void ResetSize() override;

    virtual bool SetText(const char* text);
    virtual const char* GetText() const { return m_strText.c_str(); }
    bool IsVertical() const { return m_font.lfEscapement == kVertical; }
    // Escapement and orientation 900 or 0.
    void SetVertical(bool vertical);

    fw::LOGFONT m_font;
    fw::COLORREF m_textColor = 0;
    fw::CString m_strText;

private:
    void InitDefaults();
};
