#pragma once

// Numeric tick labels at the major ticks of an axis: fixed point,
// exponent or date and time (a time axis shows value / divisor + offset).
// They measure themselves so that the graph can widen the frame rectangle
// before it fixes the plot rectangle.

#include "chart/model/PlotGrid.h"
#include "chart/model/TextEnvirons.h"
#include "framework/core/CString.h"

#include <memory>

// The format kind with the text attributes, as the settings exchange them.
struct tLabelFormat {
    int16_t kind = 1;
    tTextAttributes attributes;
};

// Everything the settings dialog of the labels shows.
struct tTickLabelAttributes {
    int16_t minorColour = 0;
    int16_t majorColour = 0;
    int16_t formatKind = 1;
    int16_t gap = 150;
    int16_t textHeight = 0;
    int16_t storedWord = 0;
    tTextAttributes text;
    int16_t side = 3;
};

class CTickLabel : public CPlotXYGrid {
    FW_DECLARE_SERIAL(CTickLabel)
public:
    // Format kinds.
    static constexpr int16_t kBlank = 0;
    static constexpr int16_t kFixed = 1;
    static constexpr int16_t kExponent = 2;
    static constexpr int16_t kFirstDate = 3;
    static constexpr int16_t kLastDate = 10;

    // Labels of the X axis until a side and mapping are chosen.
    CTickLabel() : CTickLabel(true, false) {}
    ~CTickLabel() override;

    // The axis-element part; kind, gap, text height, stored word, side
    // (i16 each); the attribute set.
    void Serialize(fw::CArchive& ar) override;

    virtual void GetLabelFormat(tLabelFormat& format);
    // The proportional default font, the context's own background mode,
    // bottom alignment.
    virtual void CreateDefaultAttributes();
    virtual void SetTextAttributes(const tTextAttributes& attributes);
    virtual void GetTextAttributes(tTextAttributes& attributes);
    virtual void ApplyText(fw::CDC& dc);
    virtual void RestoreText(fw::CDC& dc);
    virtual void SetGap(int16_t gap) { m_gap = gap; }
    virtual void SetDecimals(int16_t decimals) { m_decimals = decimals; }
    // From the major step (logarithmic: the smaller end of the lattice).
    virtual void ComputeDecimals();
    virtual void SetFormatKind(int16_t kind) { m_formatKind = kind; }
    virtual void SetSide(int16_t side) { m_side = side; }
    // Walk and major lattice alike.
    virtual void SetRange(double start, double step, double end);
    virtual void SetTimeScale(double divisor, double offset);
    virtual int SpaceLeft(fw::CDC& dc, OGPRecord* rec) { return 0; }
    virtual int SpaceRight(fw::CDC& dc, OGPRecord* rec) { return 0; }
    virtual int SpaceAbove(fw::CDC& dc, OGPRecord* rec) { return 0; }
    virtual int SpaceBelow(fw::CDC& dc, OGPRecord* rec) { return 0; }
    // Widens the record's frame rectangle to hold the labels.
    virtual void Measure(fw::CDC& dc, OGPRecord* rec) {}
    virtual void FormatValue(double value, fw::CString& out) const;

    void SetAttributes(const tTickLabelAttributes& attributes);
    void GetAttributes(tTickLabelAttributes& attributes);
    int16_t GetDecimals() const { return m_decimals; }
    int16_t GetTextHeight() const { return m_textHeight; }

    void BeginDraw(fw::CDC& dc, OGPRecord* rec) override;
    void EndDraw(fw::CDC& dc, OGPRecord* rec) override;
    void DrawMajor(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

protected:
    CTickLabel(bool xAxis, bool logarithmic);
    CTextEnvirons& Attributes();
    // The wider of the labels at both ends of the range and of the
    // record's minimum label width in "0" characters.
    int WidestLabel(fw::CDC& dc, double low, double high, int zeros);
    int Gap(const fw::CDC& dc) const;
    // Sides 2 and 4 label the first side (top or left), 3 and 4 the second.
    static bool OnFirstSide(int16_t side) { return side == 2 || side == 4; }
    static bool OnSecondSide(int16_t side) { return side == 3 || side == 4; }
    int MeasureHeight(fw::CDC& dc);

    int16_t m_gap = 150;
    int16_t m_decimals = 2;
    int16_t m_formatKind = kFixed;
    int16_t m_textHeight = 0;
    int16_t m_storedWord = 0;
    int16_t m_side = 3;
    std::unique_ptr<CTextEnvirons> m_attributes;
    double m_timeDivisor = 1.0;
    double m_timeOffset = 0.0;
};

class CTickXLabel : public CTickLabel {
    FW_DECLARE_SERIAL(CTickXLabel)
public:
    CTickXLabel() : CTickLabel(true, false) {}
    // Every tick of the record's range in fifths, labelled.
    CTickXLabel(const OGPRecord& rec, const tLabelFormat& format);

    int SpaceAbove(fw::CDC& dc, OGPRecord* rec) override;
    int SpaceBelow(fw::CDC& dc, OGPRecord* rec) override;
    void Measure(fw::CDC& dc, OGPRecord* rec) override;

protected:
    explicit CTickXLabel(bool logarithmic) : CTickLabel(true, logarithmic) {}
    void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;
};

class CTickYLabel : public CTickLabel {
    FW_DECLARE_SERIAL(CTickYLabel)
public:
    CTickYLabel() : CTickLabel(false, false) { InitY(); }
    CTickYLabel(const OGPRecord& rec, const tLabelFormat& format);

    int SpaceLeft(fw::CDC& dc, OGPRecord* rec) override;
    int SpaceRight(fw::CDC& dc, OGPRecord* rec) override;
    void Measure(fw::CDC& dc, OGPRecord* rec) override;

protected:
    explicit CTickYLabel(bool logarithmic) : CTickLabel(false, logarithmic) { InitY(); }
    void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

private:
    void InitY()
    {
        m_side = 2;
        m_gap = 100;
    }
};

class CLogTickXLabel : public CTickXLabel {
    FW_DECLARE_SERIAL(CLogTickXLabel)
public:
    CLogTickXLabel() : CTickXLabel(true) {}
};

class CLogTickYLabel : public CTickYLabel {
    FW_DECLARE_SERIAL(CLogTickYLabel)
public:
    CLogTickYLabel() : CTickYLabel(true) {}
};
