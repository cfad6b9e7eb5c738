#pragma once

// The power-spectrum graph of a spectrum page: the power, dB or amplitude
// spectrum of one channel of a data or project document against frequency.
// The spectrum lives in the tanks of the graph's first series, so a saved
// page shows its last spectrum also while its source document is closed.

#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/objects/PowPrf.h"

class CCacheFltDataTank;
class CTimeDataTank;
class CDataTankObject;
class CGraphParamArray;

class CDrawPowObj : public CDrawGraphObj {
    FW_DECLARE_SERIAL(CDrawPowObj)
public:
    // The name of the frequency tank and its unit.
    static constexpr const char* kTextFrequency = "周波数";
    static constexpr const char* kTextHertz = "Hz";
    // Legend texts with and without a peak.
    static constexpr const char* kTextLegendPeak = "%s\n最大値 %g %s\n周波数 %g %s\n";
    static constexpr const char* kTextLegendNoPeak = "%s\n最大値   %s\n周波数   %s\n";

    // Loading: the settings' defaults and no tanks (the record brings them).
    CDrawPowObj();
    // At a position, with empty result tanks in one series.
    explicit CDrawPowObj(const fw::CRect& area);
    ~CDrawPowObj() override;

    // The data-graph record, the peak index, the spectrum settings.
    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    using CDrawGraphObj::Draw;
    void OnEditProperties() override;
    // The plot-line dialog; on OK the profiles' styles go to the series.
    bool EditPlotLines() override;
    CDrawObj* Clone(CZELGraphViewDoc* document) override;
    intptr_t OnUpdate(intptr_t hint, fw::CObject* hintObject) override;
    bool UpdateLegendTexts() override;

    void InitSpectrumGraph();
    // Takes over the settings of entry 1 of a list of at least two entries
    // (fewer: the invalid-argument exception) and computes the spectrum.
    void SetPrfList(CPowGraphPrfList& list);
    // A list describing the graph: the settings and one profile per series
    // (the list does not own the series). False when memory runs out.
    bool GetPrfList(CPowGraphPrfList& list);
    // False only when the source document is not open.
    bool ComputeSpectrum();
    void UpdateUnitText(CDataTankObject& source);
    void BindResultTanks();

    const CPowPrf& GetPowPrf() const { return m_pow; }
    int32_t GetPeak() const { return m_peak; }
    CCacheFltDataTank* GetSpectrumTank() const { return m_pSpectrum; }
    CTimeDataTank* GetFrequencyTank() const { return m_pFrequency; }

private:
    void ReleaseResultTanks();
    // GetPrfList, then SetPrfList; memory shortage is dropped silently.
    void Recompute();
    void ResizeLegend();
    // Hints 13 and 14: whether the channel's document and list are meant.
    bool MoveChannel(intptr_t hint, const fw::CObject* hintObject);
    void OnDataChanged(const fw::CObject* hintObject);

    CPowPrf m_pow;
    CCacheFltDataTank* m_pSpectrum = nullptr;
    CTimeDataTank* m_pFrequency = nullptr;
    int32_t m_peak = -1;
};
