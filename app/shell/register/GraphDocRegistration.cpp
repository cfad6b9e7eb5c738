#include "app/shell/register/SubsystemRegistration.h"

#include "app/shell/DocumentTypes.h"
#include "app/shell/KIV5980App.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/MultiDocTemplate.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "graphdoc/views/GraphDocDialogs.h"
#include "graphdoc/views/GraphPageMenus.h"
#include "graphdoc/views/GraphView.h"
#include "graphdoc/views/GraphViewFrame.h"
#include "graphdoc/views/objects/GraphObjectDialogs.h"

namespace {

// Graph pages ask the application for its print options, its batch list,
// the frame style of new objects and its open pages.
class CAppGraphPageHost final : public IGraphPageHost {
public:
    bool PrintAtPaperSize() override
    {
        CKIV5980App* app = GetKivApp();
        return app ? app->m_printOptions.paperSize != 0 : m_paperSize;
    }
    void SetPrintAtPaperSize(bool on) override
    {
        if (CKIV5980App* app = GetKivApp())
            app->m_printOptions.paperSize = on ? 1 : 0;
        else
            m_paperSize = on;
    }
    CPrintJobList& PrintJobs() override { return m_jobs; }
    CDrawObjPrf& DefaultFrameStyle() override { return m_frameStyle; }
    std::vector<CGraphViewDoc*> OpenGraphPages() override
    {
        std::vector<CGraphViewDoc*> pages;
        CKIV5980App* app = GetKivApp();
        fw::CDocTemplate* tmpl = app ? app->FindDocTemplate(CGraphViewDoc::kTemplateId) : nullptr;
        if (!tmpl)
            return pages;
        fw::POSITION pos = tmpl->GetFirstDocPosition();
        while (pos) {
            if (auto* page = dynamic_cast<CGraphViewDoc*>(tmpl->GetNextDoc(pos)))
                pages.push_back(page);
        }
        return pages;
    }
    CGraphViewDoc* OpenNewGraphPage() override
    {
        CKIV5980App* app = GetKivApp();
        if (!app)
            return nullptr;
        return dynamic_cast<CGraphViewDoc*>(app->OpenDocumentByTemplate(CGraphViewDoc::kTemplateId, "", true));
    }
    void EnableMainWindow(bool enable) override
    {
        CKIV5980App* app = GetKivApp();
        if (app && app->m_pMainWnd)
            app->m_pMainWnd->EnableWindow(enable);
    }

    bool DocumentsOfTemplate(unsigned templateId, std::vector<CKivDocBase*>& out) override
    {
        out.clear();
        CKIV5980App* app = GetKivApp();
        fw::CDocTemplate* tmpl = app ? app->FindDocTemplate(templateId) : nullptr;
        if (!tmpl)
            return false;
        fw::POSITION pos = tmpl->GetFirstDocPosition();
        while (pos) {
            if (auto* doc = dynamic_cast<CKivDocBase*>(tmpl->GetNextDoc(pos)))
                out.push_back(doc);
        }
        return true;
    }

private:
    bool m_paperSize = true;
    CPrintJobList m_jobs;
    CDrawObjPrf m_frameStyle;
};

} // namespace

void RegisterGraphDocuments()
{
    RegisterGraphDocClasses();
    RegisterGraphObjectClasses();
    fw::RegisterClass(FW_RUNTIME_CLASS(CGraphView));
    fw::RegisterClass(FW_RUNTIME_CLASS(CGraphViewFrame));
    RegisterGraphPageMenus();
    static CAppGraphPageHost host;
    fw::Install<IGraphPageHost>(&host);
    InstallGraphDocDialogs();
    InstallGraphObjectDialogs();
    RegisterDocumentType(CGraphViewDoc::kTemplateId, [] {
        return new fw::CMultiDocTemplate(CGraphViewDoc::kTemplateId, FW_RUNTIME_CLASS(CGraphViewDoc),
                                         FW_RUNTIME_CLASS(CGraphViewFrame), FW_RUNTIME_CLASS(CGraphView));
    });
}
