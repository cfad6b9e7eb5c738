// "頻度グラフ..." in the project window (through the main window, as the menu
// sends it) asks for the settings of a frequency
// graph of the project's own analyses and makes a graph page that shows it.

#include "tests/app/shell/ShellFixture.h"

#include "app/shell/MainFrame.h"
#include "app/shell/ShellIds.h"
#include "framework/core/DocTemplate.h"
#include "frequency/graph/DrawHistObj.h"
#include "frequency/graph/HistGraphDlg.h"
#include "frequency/model/HistCountArray.h"
#include "framework/ui/Controls.h"
#include "frequency/views/HistViewIds.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "graphdoc/views/SheetSelectCombBox.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ProjectFrame.h"

namespace shelltest {
namespace {

class ProjectFrequencyGraphTest : public ShellTest {
protected:
    void OpenProject()
    {
        UnregisterProjectType();
        ASSERT_TRUE(Start());
        app.CloseAllDocuments(false);
        app.OnFileNew();
        main = dynamic_cast<CMainFrame*>(app.GetMainWnd());
        ASSERT_NE(main, nullptr);
        frame = dynamic_cast<CProjectFrame*>(main->MDIGetActive());
        ASSERT_NE(frame, nullptr);
        project = dynamic_cast<CKIV5980Doc*>(frame->GetActiveDocument());
        ASSERT_NE(project, nullptr);
    }

    std::vector<CZELGraphViewDoc*> GraphPages()
    {
        std::vector<CZELGraphViewDoc*> pages;
        fw::CDocTemplate* templ = app.FindDocTemplate(kIdrGraphType);
        if (!templ)
            return pages;
        for (fw::POSITION pos = templ->GetFirstDocPosition(); pos;)
            if (auto* page = dynamic_cast<CZELGraphViewDoc*>(templ->GetNextDoc(pos)))
                pages.push_back(page);
        return pages;
    }

    CMainFrame* main = nullptr;
    CProjectFrame* frame = nullptr;
    CKIV5980Doc* project = nullptr;
};

TEST_F(ProjectFrequencyGraphTest, TheCommandMakesAPageWithAFrequencyGraphOfTheProject)
{
    OpenProject();
    CHistCountArray* analyses = project->GetHistCountArray();
    ASSERT_NE(analyses, nullptr);
    bool asked = false;
    dialogs.On(CHistGraphDlg::kTemplateId, [&](fw::CDialog& d) {
        asked = true;
        auto* combo = d.GetDlgItemAs<CSheetSelectCombBox>(CHistGraphDlg::kIdDocument);
        const CDocIdent* chosen = combo ? combo->GetSelectedIdent() : nullptr;
        EXPECT_TRUE(chosen && *chosen == project->GetDocIdent()) << "the project is the graph's source";
        auto* list = d.GetDlgItemAs<fw::CListBox>(CHistGraphDlg::kIdAnalyses);
        EXPECT_EQ(list ? list->GetCount() : 0, analyses->GetSize()) << "one row per analysis slot";
        if (list)
            list->UserSelect(0);
        d.OnOK();
        return 0;
    });
    main->ExecuteCommand(histview::kIdFrequencyGraph);
    ASSERT_TRUE(asked);
    const std::vector<CZELGraphViewDoc*> pages = GraphPages();
    ASSERT_EQ(pages.size(), 1u);
    const CDrawHistObj* graph = nullptr;
    for (CDrawObj* object : pages.front()->GetObjects())
        if (auto* hist = dynamic_cast<CDrawHistObj*>(object))
            graph = hist;
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(const_cast<CDrawHistObj*>(graph)->GetGraphPrf()->m_docIdent == project->GetDocIdent());
    EXPECT_EQ(const_cast<CDrawHistObj*>(graph)->GetGraphPrf()->m_projectSource, 1);
}

// A graph of no analysis cannot be made: the user is told and no page stays.
TEST_F(ProjectFrequencyGraphTest, NoAnalysisChosenLeavesNoPage)
{
    OpenProject();
    dialogs.On(CHistGraphDlg::kTemplateId, [](fw::CDialog& d) {
        d.OnOK();
        return 0;
    });
    services.prompt.ExpectText("グラフを作成できませんでした。", fw::IDOK);
    main->ExecuteCommand(histview::kIdFrequencyGraph);
    EXPECT_TRUE(GraphPages().empty());
}

TEST_F(ProjectFrequencyGraphTest, CancellingMakesNoPage)
{
    OpenProject();
    dialogs.On(CHistGraphDlg::kTemplateId, [](fw::CDialog& d) {
        d.OnCancel();
        return 0;
    });
    main->ExecuteCommand(histview::kIdFrequencyGraph);
    EXPECT_TRUE(GraphPages().empty());
}

} // namespace
} // namespace shelltest
