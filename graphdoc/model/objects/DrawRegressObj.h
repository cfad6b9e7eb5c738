#pragma once

// The regression formula of a graph page: one line of text, the fitted
// polynomial of the page's main graph followed by its goodness of fit,
// centred in a framed box that follows the text's size. The fit belongs to
// the graph's drawer; the page hands each new fit to this object.

#include "chart/model/RegressionSettings.h"
#include "common/base/LogFont.h"
#include "docbase/graphpage/DrawObj.h"
#include "framework/core/CString.h"
#include "graphdoc/model/GraphViewDoc.h"

class CDrawRegressObj : public CDrawObj, public IRegressionDisplay {
    FW_DECLARE_SERIAL(CDrawRegressObj)
public:
    static constexpr int32_t kVertical = 900;
    // The text shown until the first fit.
    static constexpr const char* kTextPending = "******";

    // Loading: a turned font at the corner (the record overwrites both).
    CDrawRegressObj();
    // A horizontal box placed in the page area by its relative position.
    explicit CDrawRegressObj(const fw::CRect& pageArea);
    ~CDrawRegressObj() override = default;

    // The drawing-object record, the font, the two names and the text; the
    // text colour is not stored.
    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    // Sizes the box to the text as measured on the display.
    void ResetSize() override;
    // The regression dialog; the formula follows the new fit, or the object
    // leaves the page when the regression was deleted there.
    void OnEditProperties() override;
    CDrawObj* Clone(CZELGraphViewDoc* document) override;

    // No resize handles: the size follows the text.
    int GetHandleCount() override { return 0; }
    fw::CPoint GetHandle(int handle) override { return fw::CPoint(-1, -1); }
    GraphCursor GetHandleCursor(int handle) override { return GraphCursor::arrow; }
    void MoveHandleTo(int handle, fw::CPoint point, IGraphPageView* view = nullptr) override {}
    const fw::LOGFONT* GetFont() override { return &m_font; }
    fw::COLORREF GetTextColor() override { return m_textColor; }
    void SetTextColor(fw::COLORREF color) override { m_textColor = color; }
    bool CanCopy() override { return false; }

    void SetRegression(const tRegressionSettings& settings, bool resize) override;
    void SetFormulaText(const fw::CString& text, bool resize);
    fw::CString FormatFormula(const tRegressionSettings& settings) const;

    bool IsVertical() const { return m_font.lfEscapement != 0; }
    const fw::CString& GetFormulaText() const { return m_strText; }

    fw::CString m_strYName;
    fw::CString m_strXName;
    fw::LOGFONT m_font;
    fw::COLORREF m_textColor = 0;
    fw::CString m_strText;
};
