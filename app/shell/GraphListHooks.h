#pragma once

// The documents' time list graph made of the charting engine's list: the
// documents see it through IGraphTimeList, and the project file stores it
// through IGraphListArchive. Both interfaces live above the charting
// engine, so the joining pieces live here and are installed at start-up.

#include "chart/model/GraphTimeListObj.h"
#include "docbase/doc/GraphTimeList.h"
#include "project/model/DataHeaderReader.h"

#include <memory>

// The rows as the document hands them over, kept beside the graph that
// is built from them: a row with channels plots its channel over the time
// channel from the document's tanks, a row without them stays empty.
class CChartGraphTimeList final : public IGraphTimeList {
public:
    CChartGraphTimeList() : m_graph(std::make_unique<CGraphTimeListObj>()) {}
    explicit CChartGraphTimeList(std::unique_ptr<CGraphTimeListObj> graph) : m_graph(std::move(graph)) {}

    size_t GetRowCount() const override { return m_profiles.GetRowCount(); }
    void EditRows(const GraphProfileList& profiles) override;
    bool GetRows(GraphProfileList& profiles) const override { return m_profiles.GetRows(profiles); }
    void HoldTank(CDataTankObject* tank) override { m_profiles.HoldTank(tank); }

    CGraphTimeListObj& Graph() { return *m_graph; }

private:
    CGraphTimeListRows m_profiles;
    std::unique_ptr<CGraphTimeListObj> m_graph;
};

class CChartGraphTimeListFactory final : public IGraphTimeListFactory {
public:
    std::unique_ptr<IGraphTimeList> Create() override { return std::make_unique<CChartGraphTimeList>(); }
    // The GPS and CAN graphs of the data documents.
    std::unique_ptr<IGraphTimeList> CreateOfKind(int kind) override;
};

// The graph's own archive form; a document whose graph was made without
// the engine writes a new list's form and skips what it reads.
class CGraphListArchive final : public IGraphListArchive {
public:
    void Serialize(fw::CArchive& ar, IGraphTimeList& list) override;
};

// The tank lists of the program's documents for the rows of list graphs.
class CDocumentGraphTanks final : public IGraphDocumentTanks {
public:
    CDataTankList* GetTankList(const fw::CDocument* document, int kind) override;
};

// Registers the list graph classes and installs both pieces.
void InstallGraphListHooks();
