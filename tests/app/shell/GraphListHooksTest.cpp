// The program's documents carry the charting engine's time list graph: a
// new project writes its graph section last and reads it back, so that a
// save after reopening gives the same bytes.

#include "tests/app/shell/ShellFixture.h"

#include "app/shell/GraphListHooks.h"
#include "app/shell/MainFrame.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ProjectFrame.h"
#include "tests/support/ArchiveBytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace shelltest {
namespace {

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CKIV5980Doc* ActiveProject(CKIV5980App& app)
{
    auto* main = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    auto* frame = main ? dynamic_cast<CProjectFrame*>(main->MDIGetActive()) : nullptr;
    fw::CView* view = frame ? frame->GetActiveView() : nullptr;
    return view ? dynamic_cast<CKIV5980Doc*>(view->GetDocument()) : nullptr;
}

TEST_F(ShellTest, NewProjectSavesItsTimeListGraphAndReopensByteForByte)
{
    UnregisterProjectType();
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    app.OnFileNew();
    CKIV5980Doc* doc = ActiveProject(app);
    ASSERT_NE(doc, nullptr);
    auto* graph = dynamic_cast<CChartGraphTimeList*>(&doc->GetGraphTimeList());
    ASSERT_NE(graph, nullptr) << "the program makes the engine's graph";
    CGraphTimeListObj& list = graph->Graph();
    int drawn = 0;
    for (int r = 0; r < list.GetRowCount(); ++r) {
        CListGraphDraw* row = list.GetRow(r);
        if (!row)
            continue;
        ++drawn;
        ASSERT_EQ(row->GetSeriesCount(), 1) << r;
        const int channel = row->GetSeries(0)->GetTanks()->GetAt(1).second;
        EXPECT_EQ(row->GetSeries(0)->GetItemTank(1), doc->GetChannelTank(channel, CKivDocBase::kChannelList))
            << "row " << r << " plots its channel's tank";
    }
    ASSERT_GT(drawn, 0) << "the new project's channels have rows";
    // The list's own part: style, frame, fonts and the row count.
    const kivtest::Bytes stored = kivtest::StoreBody(list);
    const size_t headSize = 20 + 28 + 5 * (28 + 1 + 15) + 2;
    const std::string head(stored.begin(), stored.begin() + static_cast<long>(headSize));

    std::filesystem::create_directories(dir / "work");
    const std::string path = (dir / "work" / "graph.kivp").string();
    ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
    const std::string bytes = ReadBytes(path);
    const size_t at = bytes.rfind(head);
    ASSERT_NE(at, std::string::npos) << "the graph section is in the file";
    int tagged = 0;
    for (size_t pos = bytes.find("<LISTGRAPHEX>", at); pos != std::string::npos;
         pos = bytes.find("<LISTGRAPHEX>", pos + 1))
        ++tagged;
    EXPECT_EQ(tagged, drawn) << "one tagged drawer per row with a channel";
    // The list goes with its document.
    const int rows = list.GetRowCount();
    app.CloseAllDocuments(false);

    auto* again = dynamic_cast<CKIV5980Doc*>(app.OpenDocumentFile(fw::CString(path)));
    ASSERT_NE(again, nullptr);
    auto* reread = dynamic_cast<CChartGraphTimeList*>(&again->GetGraphTimeList());
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->Graph().GetRowCount(), rows);
    ASSERT_TRUE(again->DoSave(fw::CString(path), true));
    const std::string second = ReadBytes(path);
    EXPECT_EQ(bytes.size(), second.size());
    EXPECT_TRUE(bytes == second) << "the reopened project saves the same bytes";
}

} // namespace
} // namespace shelltest
