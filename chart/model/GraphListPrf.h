#pragma once

// Row profiles of a list graph: how the documents describe its rows. Entry
// 0 of a profile list is a header with the data document's path and
// identifier; entries 1..n are the rows in order, an entry whose X or Y
// channel is -1 an empty row. The tank lists of an open document come
// through an installed lookup, since the documents live above the engine.

#include "chart/model/PlotText.h"
#include "chart/model/SeriesStyle.h"
#include "common/base/DocIdent.h"
#include "framework/core/CString.h"
#include "framework/core/ServiceSlot.h"

#include <cstdint>
#include <memory>
#include <vector>

class CDataTankList;
class CGraphParamArray;
namespace fw {
class CDocument;
}

struct CGraphListPrf {
    // Tank lists that hold a row's channels.
    static constexpr int16_t kUsedTanks = 2;
    static constexpr int16_t kOperationTanks = 5;

    CGraphListPrf() = default;
    // A copy has titles of its own and does not own the series record.
    CGraphListPrf(const CGraphListPrf& other);
    CGraphListPrf& operator=(const CGraphListPrf&) = delete;
    ~CGraphListPrf();

    bool HasChannels() const;

    // A detached series whose tanks the row uses when the document is not
    // open; null when none.
    CGraphParamArray* seriesRecord = nullptr;
    bool ownsSeriesRecord = false;
    // The entry was made from a series of the list: the row gets its style
    // back even when the series itself was deleted for the rebuild.
    bool styleOfSeries = false;
    int16_t xFormat = 1;
    int16_t yFormat = 1;
    std::vector<int16_t> xChannels;
    std::vector<int16_t> yChannels;
    std::vector<int16_t> xKinds;
    std::vector<int16_t> yKinds;
    uint8_t select = 0;
    uint8_t mark = 0;
    CDocIdent document;
    int32_t firstSample = 0;  // first sample index plus one
    int32_t lastSample = 0;   // last sample index plus one
    fw::CString path;
    int16_t sampleOffset = 0;
    tSeriesStyle style;
    uint8_t redraw = 0;
    int16_t sortKind = 0;  // the series' sort kind minus one
    std::unique_ptr<CXPlotLabel> xTitle;
    std::unique_ptr<CYPlotLabel> yTitle;
    // Empty: the name the series makes from its tanks.
    fw::CString legendName;
};

using CGraphPrfList = std::vector<std::unique_ptr<CGraphListPrf>>;

class IGraphDocumentTanks {
public:
    virtual ~IGraphDocumentTanks() = default;
    // The document's used-tank list (kind 2) or operation-data list (kind
    // 5); null for another kind or a document without one.
    virtual CDataTankList* GetTankList(const fw::CDocument* document, int kind) = 0;
};

// Through the installed lookup; null without one.
inline CDataTankList* FindGraphTankList(const fw::CDocument* document, int kind)
{
    IGraphDocumentTanks* tanks = fw::Installed<IGraphDocumentTanks>();
    return tanks && document ? tanks->GetTankList(document, kind) : nullptr;
}
