#pragma once

// The legend of a spectrum page: the lines of the spectrum's legend text
// (channel, maximum with its unit, frequency of the maximum) as a block.

#include "graphdoc/model/objects/DrawLegObj.h"

class CDrawPowLegObj : public CDrawLegObj {
    FW_DECLARE_SERIAL(CDrawPowLegObj)
public:
    CDrawPowLegObj() = default;
    explicit CDrawPowLegObj(const fw::CRect& pageArea) : CDrawLegObj(pageArea) {}
    ~CDrawPowLegObj() override = default;

    // The legend record, then the line count as int16.
    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    // Counts the text's lines and sizes the box to them.
    void ResetSize() override;
    // The page's plot-data command: the spectrum's own dialog.
    void OnEditProperties() override;
    CDrawObj* Clone(CZELGraphViewDoc* document) override;

    int16_t GetLineCount() const { return m_lineCount; }

private:
    // The legend text of the main graph's first series.
    fw::CString SourceText() const;

    int16_t m_lineCount = 0;
};

// The number of line feeds of a CP932 text, second bytes of double-byte
// characters not counted.
int CountTextLines(const fw::CString& text);
// Line i of the text (the part before the next line feed, or the rest).
fw::CString TextLine(const fw::CString& text, int i);
