#pragma once

// Texts of a graph: the base with its colour and attribute set, and the
// axis titles (title followed by its unit, "\super" markup allowed), which
// also say how much room they need beside the plot.

#include "chart/model/PlotColorInfo.h"
#include "chart/model/TextEnvirons.h"
#include "framework/core/CString.h"

#include <memory>

class OGPRecord;

class CPlotText : public CPlotColorInfo {
    FW_DECLARE_SERIAL(CPlotText)
public:
    CPlotText();
    ~CPlotText() override;

    // The attribute set alone (made with its defaults first when missing).
    void Serialize(fw::CArchive& ar) override;

    // The proportional default font, opaque background, bottom alignment.
    virtual void CreateDefaultAttributes();
    virtual void SetTextAttributes(const tTextAttributes& attributes);
    virtual void GetTextAttributes(tTextAttributes& attributes);
    virtual void ApplyText(fw::CDC& dc);
    virtual void RestoreText(fw::CDC& dc);

protected:
    CTextEnvirons& Attributes();

    std::unique_ptr<CTextEnvirons> m_attributes;
};

class CPlotLabel : public CPlotText {
    FW_DECLARE_SERIAL(CPlotLabel)
public:
    CPlotLabel() = default;

    // The text part, title, unit, gap, side.
    void Serialize(fw::CArchive& ar) override;

    virtual void SetLabel(const fw::CString& title, const fw::CString& unit, const tTextAttributes& attributes,
                          int16_t side, int colour);
    virtual void GetLabel(fw::CString& title, fw::CString& unit, tTextAttributes& attributes, int16_t& side,
                          int& colour);
    virtual void SetTitle(const fw::CString& title) { m_title = title; }
    virtual void SetUnit(const fw::CString& unit) { m_unit = unit; }
    virtual void SetGap(int16_t gap) { m_gap = gap; }
    virtual void SetSide(int16_t side) { m_side = side; }
    virtual int SpaceLeft(fw::CDC& dc) { return 0; }
    virtual int SpaceRight(fw::CDC& dc) { return 0; }
    virtual int SpaceAbove(fw::CDC& dc) { return 0; }
    virtual int SpaceBelow(fw::CDC& dc) { return 0; }
    virtual void Draw(fw::CDC& dc, OGPRecord* rec) {}

    fw::CString Text() const { return m_title + m_unit; }
    int16_t GetSide() const { return m_side; }

protected:
    // Font height (with the attributes applied) and gap, logical units.
    int FontHeight(fw::CDC& dc);
    int Gap(fw::CDC& dc, bool vertical) const;
    // The text through GrTextOut in the element's colour, clipped.
    void Write(fw::CDC& dc, int x, int y, bool vertical, OGPRecord* rec);

    fw::CString m_title;
    fw::CString m_unit;
    int16_t m_gap = 100;
    int16_t m_side = 3;
};

// The title below (or above) the plot.
class CXPlotLabel : public CPlotLabel {
    FW_DECLARE_SERIAL(CXPlotLabel)
public:
    CXPlotLabel() { m_side = 3; }
    int SpaceAbove(fw::CDC& dc) override;
    int SpaceBelow(fw::CDC& dc) override;
    void Draw(fw::CDC& dc, OGPRecord* rec) override;
};

// The title left (or right) of the plot, turned to run upward.
class CYPlotLabel : public CPlotLabel {
    FW_DECLARE_SERIAL(CYPlotLabel)
public:
    CYPlotLabel() { m_side = 2; }
    int SpaceLeft(fw::CDC& dc) override;
    int SpaceRight(fw::CDC& dc) override;
    void Draw(fw::CDC& dc, OGPRecord* rec) override;
};
