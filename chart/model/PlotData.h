#pragma once

// The base of every series plot: line size, fill brush, the pen and brush
// of one drawing pass, and the mapping between data values and device
// units through four stored factors (data minimum to the left and bottom
// edges, maximum to the right and top; device y grows downward).
//
// Mapping problems are recorded in the plot record, never thrown; without
// a stored range the mapping does nothing and records nothing.

#include "chart/model/PlotColorInfo.h"
#include "framework/core/DC.h"

#include <cstdint>
#include <memory>

class OGPRecord;

class CPlotData : public CPlotColorInfo {
public:
    CPlotData();
    ~CPlotData() override;

    // Line size, then fill style.
    void ApplyAttributes(const tSeriesStyle& style) override;
    virtual void SetLineSize(int16_t width, int16_t height);
    virtual void GetLineSize(int16_t& width, int16_t& height) const;
    virtual void SetBrushColor(int index);
    // Style and hatch of the fill number; the colour stays.
    virtual void SetFillStyle(int fill);
    virtual void GetFillBrush(fw::LOGBRUSH& brush) const { brush = m_fillBrush; }
    virtual void SetSecondBrush(const fw::LOGBRUSH& brush) { m_secondBrush = brush; }
    virtual void GetSecondBrush(fw::LOGBRUSH& brush) const { brush = m_secondBrush; }

    // Sets up the forward factors (rectangle as 32-bit values) and maps.
    virtual void DataToDevice(double x, double y, int32_t& outX, int32_t& outY, OGPRecord* rec);
    // Sets up the inverse factors and maps a device point back to data.
    virtual void DeviceToData(int32_t x, int32_t y, double& outX, double& outY, OGPRecord* rec);
    // Computes the factors through mapping (0, 0).
    virtual void PrepareMapping(OGPRecord* rec);
    // Sets up (rectangle as 16-bit values) and maps; returns the error state.
    virtual bool DataToDeviceShort(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec);
    // Maps with the factors as they stand; returns the error state.
    virtual bool MapDataToDevice(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec);
    virtual void ComputeFactors(OGPRecord* rec);
    // May check or change a mapped point before it is rounded.
    virtual void AdjustDevicePoint(double& x, double& y, OGPRecord* rec) {}
    // Maps with the factors as they stand, through AdjustDevicePoint, with
    // no check of its own.
    virtual void MapDataPoint(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec);
    // Throws the program's exception for a value that is not finite.
    virtual void CheckDataPoint(double x, double y);
    // Saves the context, clips to the plot rectangle within the record's
    // clip rectangle and selects the series pen and the fill brush.
    virtual void BeginDraw(fw::CDC& dc, OGPRecord* rec);
    // Restores the context and releases the pen and brush.
    virtual void EndDraw(fw::CDC& dc);

    double XScale() const { return m_xScale; }
    double YScale() const { return m_yScale; }
    double XOffset() const { return m_xOffset; }
    double YOffset() const { return m_yOffset; }

protected:
    // Steps 1-4 of every forward set-up; false when it stopped.
    bool SetUpForward(OGPRecord* rec, bool shortRect);
    // Maps and checks one point with the factors as they stand; false
    // (error 8, index 1) when a coordinate is unusable.
    bool MapChecked(double x, double y, double& outX, double& outY, OGPRecord* rec);

    int16_t m_lineWidth = 1;
    int16_t m_lineHeight = 1;
    fw::LOGBRUSH m_fillBrush;
    std::unique_ptr<fw::CBrush> m_brush;
    std::unique_ptr<fw::CPen> m_pen;
    int m_savedState = 0;
    double m_xScale = 0.0;
    double m_yScale = 0.0;
    double m_xOffset = 0.0;
    double m_yOffset = 0.0;
    fw::LOGBRUSH m_secondBrush;
};
