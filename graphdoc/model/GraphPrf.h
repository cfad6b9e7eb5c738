#pragma once

// The profile of one plotted channel set (source document, X and Y
// channels, plot range, line, symbol and colour settings) as graph
// objects, dialogs and the graph-creation commands pass it around, and an
// owning list of them.

#include "common/base/DocIdent.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGraphParamArray;
class CPlotLabel;

class CGraphPrf {
public:
    CGraphPrf() = default;
    // Every field but the note and the owner flag: a copy never owns the
    // source series.
    CGraphPrf(const CGraphPrf& other);
    CGraphPrf& operator=(const CGraphPrf& other);
    virtual ~CGraphPrf();

    // The twelve 16-bit values of the line block, in their order.
    static constexpr int kLineBlockValues = 12;
    void GetLineBlock(int16_t (&out)[kLineBlockValues]) const;
    void SetLineBlock(const int16_t (&values)[kLineBlockValues]);

    CGraphParamArray* m_pSeries = nullptr;
    int32_t m_xTickLabel = 1;
    int32_t m_yTickLabel = 1;
    std::vector<int32_t> m_xChannels;
    std::vector<int32_t> m_yChannels;
    int32_t m_seriesFlag = 1;
    CDocIdent m_docIdent;
    int32_t m_reserved = 0;
    int32_t m_rangeStart = 1;
    int32_t m_rangeEnd = 1;
    int32_t m_autoRange = 1;
    fw::CString m_strSourceName;
    int32_t m_secondFlag = 0;
    int32_t m_seriesValue = 0;
    int32_t m_plotOrder = 0;
    int16_t m_lineWidth = 1;
    int16_t m_lineWidthCopy = 1;
    int16_t m_fillPattern = 1;
    int16_t m_size = 4;
    int16_t m_symbol = 1;
    int16_t m_spare = 0;
    int16_t m_lineStyle = -1;
    int16_t m_symbolInterval = 1;
    int16_t m_lineColor = 0;
    int16_t m_symbolColor = 0;
    int16_t m_fillColor = 0;
    int16_t m_stepLines = 0;
    CPlotLabel* m_pXTitle = nullptr;
    CPlotLabel* m_pYTitle = nullptr;
    fw::CString m_strNote;
    uint8_t m_bOwner = 0;
    std::vector<int16_t> m_xListKinds;
    std::vector<int16_t> m_yListKinds;
};

// Owns its profiles. In lists built by graph objects entry 0 is a
// placeholder and entry i describes series i - 1.
class CGraphPrfList {
public:
    CGraphPrfList() = default;
    virtual ~CGraphPrfList();
    CGraphPrfList(const CGraphPrfList&) = delete;
    CGraphPrfList& operator=(const CGraphPrfList&) = delete;

    int GetSize() const { return static_cast<int>(m_profiles.size()); }
    // Out of range: the framework's invalid-argument exception.
    CGraphPrf* GetAt(int index) const;
    CGraphPrf* operator[](int index) const { return GetAt(index); }
    // Takes ownership; the index of the new entry.
    int Add(CGraphPrf* profile);
    void InsertAt(int index, CGraphPrf* profile);
    // Deletes the profile at `index`.
    void RemoveAt(int index);
    void RemoveAll();

    uint8_t m_bFlag = 1;

private:
    std::vector<std::unique_ptr<CGraphPrf>> m_profiles;
};
