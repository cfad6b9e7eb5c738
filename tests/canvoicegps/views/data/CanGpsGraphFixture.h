#pragma once

// A measurement-data document whose GPS and CAN graphs are the charting
// engine's, made through an installed factory the way the program makes
// them, with a helper for the commands' update state.

#include "canvoicegps/model/CanGraphTimeListObj.h"
#include "canvoicegps/model/GpsGraphTimeListObj.h"
#include "chart/model/ChartClasses.h"
#include "chart/model/GraphTimeListObj.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataGraphAccess.h"
#include "docbase/doc/GraphTimeList.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ServiceScope.h"
#include "grid/model/GridClasses.h"
#include "instrument/system/SystemClasses.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace cangpstest {

class KindGraph final : public IGraphTimeList {
public:
    explicit KindGraph(std::unique_ptr<CGraphTimeListObj> graph) : m_graph(std::move(graph)) {}
    size_t GetRowCount() const override { return m_rows.GetRowCount(); }
    void EditRows(const GraphProfileList& profiles) override { m_rows.EditRows(profiles); }
    bool GetRows(GraphProfileList& profiles) const override { return m_rows.GetRows(profiles); }
    void HoldTank(CDataTankObject* tank) override { m_rows.HoldTank(tank); }
    CGraphTimeListObj* Graph() const { return m_graph.get(); }

private:
    CGraphTimeListRows m_rows;
    std::unique_ptr<CGraphTimeListObj> m_graph;
};

class KindFactory final : public IGraphTimeListFactory, public IDataGraphAccess {
public:
    std::unique_ptr<IGraphTimeList> Create() override
    {
        return std::make_unique<KindGraph>(std::make_unique<CGraphTimeListObj>());
    }
    std::unique_ptr<IGraphTimeList> CreateOfKind(int kind) override
    {
        if (kind == kGraphListGps)
            return std::make_unique<KindGraph>(std::make_unique<CGpsGraphTimeListObj>());
        if (kind == kGraphListCan)
            return std::make_unique<KindGraph>(std::make_unique<CCanGraphTimeListObj>());
        return Create();
    }
    CGraphTimeListObj* TimeListGraph(IGraphTimeList& list) override
    {
        auto* graph = dynamic_cast<KindGraph*>(&list);
        return graph ? graph->Graph() : nullptr;
    }
};

class CanGpsDocFixture : public ::testing::Test {
protected:
    CanGpsDocFixture()
    {
        kivtest::RegisterAllClasses();
        RegisterGridClasses();
        RegisterDataClasses();
        RegisterChartClasses();
        RegisterSystemClasses();
        doc = std::make_unique<CKivDataDoc>();
        EXPECT_TRUE(doc->CreateNewContents());
    }

    static bool IsEnabled(fw::CCmdTarget& target, unsigned id)
    {
        fw::CCmdUI ui;
        ui.m_nID = id;
        target.OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_bEnabled;
    }

    fw::test::ServiceScope services;
    KindFactory factory;
    fw::ScopedInstall<IGraphTimeListFactory> installFactory{factory};
    fw::ScopedInstall<IDataGraphAccess> installAccess{factory};
    std::unique_ptr<CKivDataDoc> doc;
};

} // namespace cangpstest
