#pragma once

// The dB plot (graph type 5): a line plot whose Y is 20 lg |y / reference|,
// the reference being the largest value of the series being drawn. Around
// its series drawing the record's Y range becomes (-|Y minimum|, 0): the
// record's Y minimum gives the depth of the scale in dB, the largest value
// sits on the top edge and the Y maximum is not used. Outside a call the
// record's ranges stay as the caller set them.

#include "chart/model/LinearPlot.h"

class CDBPlot : public CLinearPlot {
public:
    CDBPlot() = default;

    // Checked: error 6 without a reference or for a ratio y / reference
    // that is not positive.
    void DataToDevice(double x, double y, int32_t& outX, int32_t& outY, OGPRecord* rec) override;
    void DeviceToData(int32_t x, int32_t y, double& outX, double& outY, OGPRecord* rec) override;
    // Unchecked: a y of 0 maps to minus infinity and the coordinate checks
    // of the mapping deal with it.
    bool MapDataToDevice(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec) override;
    void MapDataPoint(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec) override;
    // Error 11 when the series has no reference (its largest value is
    // almost 0), error 5 at its first negative value; nothing is drawn then.
    void DrawSeries(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec, int restart) override;
    void DrawSymbols(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec) override;
    // The same checks over the arrays' values.
    void DrawLineArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec) override;
    void DrawSymbolArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec) override;

    virtual void SetSpareValue(double value) { m_spare = value; }
    // The largest finite value among the next n values of the cursor.
    virtual void ReferenceFromCursor(int n, CZELDataPtr* cursor, OGPRecord* rec);
    // The largest of the n values; without values there is no reference.
    virtual void ReferenceFromArray(int n, const float* values, OGPRecord* rec);

    double GetSpareValue() const { return m_spare; }
    double GetReference() const { return m_reference; }
    void SetReference(double reference) { m_reference = reference; }
    double Decibels(double y) const;

private:
    // Takes the reference from the series and checks its values; false
    // (with the error set) when nothing may be drawn.
    bool PrepareSeries(CZELDataPoter* ys, OGPRecord* rec);
    bool PrepareArray(int count, const float* ys, OGPRecord* rec);

    double m_spare = 0.0;
    double m_reference = 0.0;
};
