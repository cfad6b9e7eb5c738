// The plot-data dialog of a cycle graph lists the project's measurement
// history: its per-channel values (maximum, minimum, average) as Y rows and
// the cycle column of the history steps as the X row; its range counts the
// history's steps.

#include "docview/naming/NameListCtrl.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "graphdoc/views/GraphDataPages.h"
#include "graphdoc/views/GraphPropaty.h"
#include "project/model/KIV5980Doc.h"
#include "tests/support/ui/DialogFixture.h"

#include <QTableWidget>

namespace {

struct Row {
    std::string name;
    uint32_t itemData;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(CNameListCtrl& control)
{
    std::vector<Row> rows;
    for (int row = 0; row < control.GetItemCount(); ++row)
        rows.push_back({control.GetItemText(row, 0).str(), control.GetItemData(row)});
    return rows;
}

class HistoryRowsTest : public appuitest::DialogFixture {
protected:
    HistoryRowsTest() : scope(host)
    {
        project.SetTitle("bench.kivp");
        project.SetDocIdent(CDocIdent(9, 99));
        CMMAObject& history = project.GetHistory();
        history.InitColumns();
        history.Grow(2);
        history.SetLastIndex(2);
        for (int step = 0; step < 3; ++step) {
            history.SetCycleCount(step, 10.0 * (step + 1));
            history.MergeChannelValues(step, {8, 0, "CH1", 0}, {5.0 + step, -1.0, 2.0, "V"}, 0);
        }
        host.m_documents[129] = {&project};
        host.m_documents[130] = {};
        auto* head = new CGraphPrf;
        head->m_docIdent = project.GetDocIdent();
        list.Add(head);
    }

    CKIV5980Doc project;
    CGraphPageHost host;
    fw::ScopedInstall<IGraphPageHost> scope;
    CSimpleGraphPrfList list;
};

TEST_F(HistoryRowsTest, CycleAndHistoryGraphsListTheProjectsHistory)
{
    struct Case {
        const char* name;
        int creationKind;
        int layoutMode;
        int graphType;
        uint32_t xRow; // cycle-list entry
    };
    const Case cases[] = {{"cycle graph", 7, 0, 1, (3u << 16) | 6u}, {"history graph", 8, 2, 10, (3u << 16) | 1u}};
    for (const Case& c : cases) {
        CSimpleGraphPrfList edited;
        edited.m_creationKind = c.creationKind;
        auto* head = new CGraphPrf;
        head->m_docIdent = project.GetDocIdent();
        edited.Add(head);
        std::vector<Row> x, y;
        dialogs.On(CGraphPropaty::IDD, [&](fw::CDialog& base) -> int {
            CGraphDataPage& page = *static_cast<CGraphPropaty&>(base).DataPage();
            x = Rows(*page.XList());
            y = Rows(*page.YList());
            return fw::IDCANCEL;
        });
        CGraphPropaty dlg(edited, c.layoutMode, c.graphType);
        dlg.DoModal();
        ASSERT_EQ(x.size(), 1u) << c.name;
        EXPECT_EQ(x[0].itemData, c.xRow) << c.name;
        EXPECT_EQ(x[0].name, project.GetHistory().GetStepColumns().GetObjectAt(int(c.xRow & 0xFFFF))->GetName().str())
            << c.name;
        ASSERT_EQ(y.size(), 3u) << c.name;
        for (uint32_t k = 0; k < 3; ++k) {
            EXPECT_EQ(y[k].itemData, (2u << 16) | k) << c.name;
            EXPECT_EQ(y[k].name.substr(0, 4), "CH1 ") << c.name;
        }
        // The range counts the history's three steps.
        EXPECT_EQ(edited.GetAt(0)->m_rangeEnd, 3) << c.name;
    }
}

} // namespace
