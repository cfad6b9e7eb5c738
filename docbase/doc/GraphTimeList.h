#pragma once

// The time list graph of an instrument document as the document sees it:
// rows of plotted channels that the document builds from its channels and
// hands over as a list of row profiles (the head first). The charting
// subsystem supplies the real graph through IGraphTimeListFactory; until
// then CGraphTimeListRows keeps the rows as given.

#include "docbase/doc/DocIdent.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CDataTankObject;

// One row profile of a list graph: which channel of which list is plotted
// over which, and for the head the document it comes from.
struct GraphListProfile {
    std::vector<int16_t> xChannels;
    std::vector<int16_t> yChannels;
    std::vector<int16_t> xLists;
    std::vector<int16_t> yLists;
    CDocIdent docIdent;
    fw::CString docTitle;
    int32_t rowCount = 0;
    // The graph's own settings of the row's series, carried through a
    // rebuild untouched.
    std::shared_ptr<void> seriesSettings;

    // The row's channel: the first Y channel; -1 without one.
    int FirstYChannel() const { return yChannels.empty() ? -1 : yChannels.front(); }
};

using GraphProfilePtr = std::unique_ptr<GraphListProfile>;
// Entry 0 is the head, then one entry per row in row order.
using GraphProfileList = std::vector<GraphProfilePtr>;

class IGraphTimeList {
public:
    virtual ~IGraphTimeList() = default;
    virtual size_t GetRowCount() const = 0;
    // Takes the list as the new set of rows; a list without a head raises
    // fw::CInvalidArgException. The list stays the caller's.
    virtual void EditRows(const GraphProfileList& profiles) = 0;
    // Appends the head, then one profile per row.
    virtual bool GetRows(GraphProfileList& profiles) const = 0;
    // Keeps one reference of a tank that its rows plot, released with the
    // graph.
    virtual void HoldTank(CDataTankObject* tank) = 0;
};

// Rows kept as profiles, without drawing.
class CGraphTimeListRows : public IGraphTimeList {
public:
    CGraphTimeListRows() = default;
    ~CGraphTimeListRows() override;
    CGraphTimeListRows(const CGraphTimeListRows&) = delete;
    CGraphTimeListRows& operator=(const CGraphTimeListRows&) = delete;

    size_t GetRowCount() const override { return m_rows.size(); }
    void EditRows(const GraphProfileList& profiles) override;
    bool GetRows(GraphProfileList& profiles) const override;
    void HoldTank(CDataTankObject* tank) override;

    const GraphListProfile& GetHead() const { return m_head; }
    const std::vector<GraphListProfile>& GetRowProfiles() const { return m_rows; }

private:
    GraphListProfile m_head;
    std::vector<GraphListProfile> m_rows;
    std::vector<CDataTankObject*> m_tanks;
};

// What a document's graph plots: its channels over the sampling time,
// GPS channels (sharing one selection with the GPS views) or CAN signals
// over their own time stamps.
enum GraphListKind : int { kGraphListChannels = 0, kGraphListGps = 1, kGraphListCan = 2 };

// Makes the real time-list graph (fw::Install<IGraphTimeListFactory>).
struct IGraphTimeListFactory {
    virtual ~IGraphTimeListFactory() = default;
    virtual std::unique_ptr<IGraphTimeList> Create() = 0;
    // A factory that knows no kinds makes its one graph for every kind.
    virtual std::unique_ptr<IGraphTimeList> CreateOfKind(int kind) { return Create(); }
};

// The installed factory's graph, else the plain row list.
std::unique_ptr<IGraphTimeList> CreateGraphTimeList(int kind = kGraphListChannels);
