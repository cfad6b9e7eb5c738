#pragma once

// The page of a graph: its series in order. It answers what concerns all
// series together (a fresh series with a style no other series uses, the
// data range of an axis over all series) and passes updates, document marks
// and selections on to each series. The page owns its series.

#include "chart/model/GraphParamArray.h"
#include "common/base/ZELObArray.h"

#include <memory>

using CGraphParamArrayList = CTypedZELObArray<CZELObArray, CGraphParamArray*>;

// A data range found over series; found is false until a value came in.
struct tDataRange {
    double maximum = 0.0;
    double minimum = 0.0;
    bool found = false;

    void Take(double max, double min);
};

class CGraphPageParam : public fw::CObject {
    FW_DECLARE_SERIAL(CGraphPageParam)
public:
    CGraphPageParam();
    // Deletes every series.
    ~CGraphPageParam() override;
    CGraphPageParam(const CGraphPageParam&) = delete;
    CGraphPageParam& operator=(const CGraphPageParam&) = delete;

    // The series array's form: the count, then every series as an object.
    void Serialize(fw::CArchive& ar) override;

    // Bar styles are picked for these graph types.
    static bool IsBarType(int type) { return type == 6 || type == 8 || type == 33 || type == 34 || type == 60; }

    virtual void AppendSeries(CGraphParamArray* series);
    // A new series of the type with a style no series of the page uses yet
    // (the default style when every one is taken); the caller owns it.
    virtual std::unique_ptr<CGraphParamArray> CreateSeries(int16_t type, bool withLines);
    virtual std::unique_ptr<CGraphParamArray> NewSeries();
    // False when every combination is taken.
    virtual bool PickLineStyle(tSeriesStyle& out, bool withLines) const;
    virtual bool PickBarStyle(tSeriesStyle& out) const;
    // Removes without deleting.
    virtual void RemoveSeries(CGraphParamArray* series);
    virtual int GetSeriesCount() const;
    // nullptr outside the range.
    virtual CGraphParamArray* GetSeries(int index) const;
    virtual void ResetAll();
    virtual void SelectDocumentData(const fw::CDocument* document, int index);
    // Whether any series changed.
    virtual bool ApplyUpdate(int kind, const fw::CObject* info);
    // True when some series has its redraw flag clear.
    virtual bool NeedsFullRedraw() const;
    virtual void MarkDocument(const fw::CDocument* document);
    // The range of an axis ('X' or 'Y') over all series; expandOnly reads
    // only the samples that came since each series was last drawn; mode2
    // answers each tank's own range. Whether any value was found.
    virtual bool GetDataRange(int axis, double origin, double& maximum, double& minimum, int logKind,
                              bool expandOnly, bool mode2);
    // Line series give only their current values.
    virtual bool GetCurrentRange(int axis, double origin, double& maximum, double& minimum, int logKind, bool full);
    // Line series give only their samples within first..last.
    virtual bool GetDataRangeIn(int axis, double origin, double& maximum, double& minimum, int logKind, int first,
                                int last);
    virtual bool GetCursorRange(int kind, int first, int count, CZELDataPoter* accessor, double& maximum,
                                double& minimum, double origin, int logKind) const;

    CGraphParamArrayList* GetArray() const { return m_series.get(); }

private:
    // Adds the range of the accessor's values (all of them) to `range`.
    void TakeAccessor(CZELDataPoter* accessor, double origin, int logKind, tDataRange& range) const;
    // The profiles of a distribution series: positions on one axis, each
    // sample's values (or the computed values) on the other.
    void TakeDistribution(CGraphParamArray& series, int axis, double origin, int logKind, bool computed,
                          tDataRange& range) const;
    // A bar or column page takes in 0 on its value axis.
    void TakeZeroForBars(int axis, tDataRange& range) const;
    bool StyleTaken(const tSeriesStyle& s, bool bars) const;

    std::unique_ptr<CGraphParamArrayList> m_series;
};
