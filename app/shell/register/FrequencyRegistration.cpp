#include "app/shell/register/SubsystemRegistration.h"

#include "app/shell/DocumentTypes.h"
#include "app/shell/KIV5980App.h"
#include "app/shell/ShellIds.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Object.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/MultiDocTemplate.h"
#include "frequency/document/HistDoc.h"
#include "frequency/graph/DrawHistObj.h"
#include "frequency/graph/HistGraphDlg.h"
#include "frequency/views/Hist8025OutChooser.h"
#include "frequency/views/HistAmpInView.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistGraphMaker.h"
#include "frequency/views/HistMenus.h"
#include "graphdoc/views/GraphPageMaker.h"
#include "project/model/ProjectHost.h"

#include <exception>

namespace {

// "頻度グラフ...": the settings of a new frequency graph of the document (a
// frequency record or a project), then a new graph page that shows it, made
// while the panel's polling is stopped; a page that fails half-way is
// closed and the user told.
class CHistGraphMaker final : public IHistGraphMaker {
public:
    bool MakeGraph(CKivDocBase& document) override
    {
        CHistGraphPrf profile;
        profile.m_docIdent = document.GetDocIdent();
        profile.m_strTitle = document.GetTitle();
        profile.m_projectSource = 0;
        CHistGraphDlg dlg(profile);
        if (dlg.DoModal() != fw::IDOK)
            return false;
        CKIV5980App* app = GetKivApp();
        fw::CDocTemplate* pages = app ? app->FindDocTemplate(kIdrGraphType) : nullptr;
        CZELGraphViewDoc* page = nullptr;
        try {
            CPollingPause pause;
            page = pages ? dynamic_cast<CZELGraphViewDoc*>(pages->OpenDocumentFile(fw::CString(), true)) : nullptr;
            if (!page)
                return false;
            AddHistGraph(*page, profile, &document);
            page->UpdateAllViews(nullptr);
            return true;
        } catch (const std::exception&) {
            if (page)
                page->OnCloseDocument();
            fw::AfxMessageBox(CGraphPageMaker::kTextCannotCreate);
            return false;
        }
    }
};

} // namespace

void RegisterFrequencyViews()
{
    RegisterHistViewMenus();
    // Graph pages load their frequency graphs by class name.
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawHistObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CHistGraphDraw));
    // The VO-8025 output asks its blocks and analyses with its dialog.
    static CHist8025OutChooser chooser;
    fw::Install<IHistOutChooser>(&chooser);
    static CHistGraphMaker graphs;
    fw::Install<IHistGraphMaker>(&graphs);
    // A ".kivh" opens in the frequency window, its input-channel table first.
    if (!DocumentTypeMaker(kIdrHistType))
        RegisterDocumentType(kIdrHistType, [] {
            return new fw::CMultiDocTemplate(kIdrHistType, FW_RUNTIME_CLASS(CHistDoc), FW_RUNTIME_CLASS(CHistFrame),
                                             FW_RUNTIME_CLASS(CHistAmpInView));
        });
}
