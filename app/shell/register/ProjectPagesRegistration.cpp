#include "app/shell/register/SubsystemRegistration.h"

#include "app/shell/GraphListHooks.h"

#include "common/tank/DataTankList.h"
#include "data/model/DataSheetSource.h"
#include "data/model/DataTextExport.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataListSheetSource.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/DocTextConversion.h"
#include "docbase/doc/KivDocManager.h"
#include "docview/doc/ExportViewMatch.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"
#include "frequency/document/HistDoc.h"
#include "frequency/document/HistFileTextParam.h"
#include "frequency/views/HistFileTextDlg.h"
#include "frequency/views/HistOpeView.h"
#include "project/views/DataTextDlg.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/DataTextOptions.h"
#include "project/views/ProjectAdDialog.h"
#include "project/views/pages/HistoryPageServices.h"
#include "project/views/pages/PrjGraphView.h"

namespace {

template <class Fn> void ForEachDocument(Fn fn)
{
    fw::CWinApp* app = fw::AfxGetApp();
    if (!app || !app->m_pDocManager)
        return;
    fw::POSITION tpos = app->m_pDocManager->GetFirstDocTemplatePosition();
    while (tpos) {
        fw::CDocTemplate* tmpl = app->m_pDocManager->GetNextDocTemplate(tpos);
        fw::POSITION dpos = tmpl->GetFirstDocPosition();
        while (dpos)
            if (fn(tmpl->GetNextDoc(dpos)))
                return;
    }
}

CKivDocManager* DocManager()
{
    fw::CWinApp* app = fw::AfxGetApp();
    return app ? dynamic_cast<CKivDocManager*>(app->m_pDocManager) : nullptr;
}

// The value list writes the whole data file into block files named after
// the document in the options' folder.
bool WriteValueList(fw::IDocumentView& link, const fw::CString& basePath, const tTextConvParam& options)
{
    auto* view = dynamic_cast<CKivDataChDataView*>(link.AsView());
    CKivDataDoc* doc = view ? view->GetDataDoc() : nullptr;
    if (!doc)
        return false;
    fw::CWaitCursor wait;
    if (CKivDataFrame* frame = view->GetDataFrame()) {
        frame->UpdateTitleEdit();
        frame->UpdateBarFields();
    }
    const CDataListSheetSource sheet(*view);
    return CDataTextExport(*doc, sheet).WriteSplitText(basePath, options);
}

// The history pages' dialogs and conversions through the frequency and
// data windows. A file is opened without a window (or the open document is
// taken), written into the chosen folder and closed again unless it was
// open before.
class CHistoryPageServices final : public IHistoryPageServices {
public:
    bool ChooseDataTextOptions(const fw::CString& dataFolder) override
    {
        CDataTextDlg dlg;
        dlg.m_param = AppTextConvParam();
        if (dlg.m_param.text.IsEmpty())
            dlg.m_param.text = dataFolder;
        if (dlg.DoModal() != fw::IDOK)
            return false;
        AppTextConvParam() = dlg.m_param;
        return true;
    }
    bool ConvertDataFile(const fw::CString& path) override
    {
        CKivDocManager* manager = DocManager();
        if (!manager)
            return false;
        const tTextConvParam options = AppTextConvParam();
        return ConvertFileToText(*manager, path, options.text, ViewOfExactClass("CKivDataChDataView"),
                                 [&](fw::IDocumentView& view, const fw::CString& base) {
                                     return WriteValueList(view, base, options);
                                 });
    }
    bool ChooseHistTextOptions(const fw::CString& dataFolder) override
    {
        CHistFileTextParam copy = m_histText;
        if (copy.m_folder.IsEmpty())
            copy.m_folder = dataFolder;
        CHistFileTextDlg dlg(copy);
        if (dlg.DoModal() != fw::IDOK)
            return false;
        m_histText = copy;
        return true;
    }
    bool ConvertHistFile(const fw::CString& path) override
    {
        CKivDocManager* manager = DocManager();
        if (!manager)
            return false;
        return ConvertFileToText(*manager, path, m_histText.m_folder, ViewOfKind(FW_RUNTIME_CLASS(CHistOpeView)),
                                 [&](fw::IDocumentView& view, const fw::CString&) {
                                     fw::CView* histView = view.AsView();
                                     return histView && histView->GetDocument() &&
                                            ConvertHistDocumentToText(*histView->GetDocument(), m_histText);
                                 });
    }
    bool IsFrequencyDataOpen() override
    {
        bool found = false;
        ForEachDocument([&](fw::CDocument* doc) { return found = dynamic_cast<CHistDoc*>(doc) != nullptr; });
        return found;
    }

private:
    CHistFileTextParam m_histText;
};

// The graph-list page draws the charting engine's graph that the project
// keeps behind its time list.
class CProjectListGraph final : public IProjectListGraph {
public:
    CGraphListObj* ListGraph(CKIV5980Doc& doc) override
    {
        auto* chart = dynamic_cast<CChartGraphTimeList*>(&doc.GetGraphTimeList());
        return chart ? &chart->Graph() : nullptr;
    }
};

// A count the control units cannot take is corrected in the A/D dialog of
// the project that owns the measuring system.
class CProjectAdDialogHook final : public IAdDialog {
public:
    bool Run(CBoxArray& system, bool preTrigger, int32_t count) override
    {
        CKIV5980Doc* owner = nullptr;
        ForEachDocument([&](fw::CDocument* doc) {
            auto* project = dynamic_cast<CKIV5980Doc*>(doc);
            if (project && &project->GetBoxArray() == &system)
                owner = project;
            return owner != nullptr;
        });
        if (!owner)
            return false;
        return owner->ShowADSetDialog(0, preTrigger ? 0 : count, 0.0, preTrigger ? count : 0) == fw::IDOK;
    }
};

} // namespace

void RegisterProjectPages()
{
    static CHistoryPageServices services;
    fw::Install<IHistoryPageServices>(&services);
    static CProjectListGraph listGraph;
    fw::Install<IProjectListGraph>(&listGraph);
    static CProjectAdDialog adDialog;
    fw::Install<IProjectAdDialog>(&adDialog);
    static CProjectAdDialogHook adHook;
    fw::Install<IAdDialog>(&adHook);
}
