#include "app/shell/register/SubsystemRegistration.h"

#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"
#include "frequency/document/HistDoc.h"
#include "frequency/document/HistFileTextParam.h"
#include "frequency/views/HistFileTextDlg.h"
#include "frequency/views/HistOpeView.h"
#include "project/views/DataTextDlg.h"
#include "project/views/DataTextOptions.h"
#include "project/views/pages/HistoryPageServices.h"

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

// The history pages' dialogs and conversions through the frequency and
// data windows.
class CHistoryPageServices final : public IHistoryPageServices {
public:
    bool ChooseDataTextOptions(const fw::CString& dataFolder) override
    {
        CDataTextDlg dlg;
        dlg.m_param = AppTextConvParam();
        if (dlg.DoModal() != fw::IDOK)
            return false;
        AppTextConvParam() = dlg.m_param;
        return true;
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
    // The file is opened in its window, written by its analysis list and
    // closed again unless it was open before.
    bool ConvertHistFile(const fw::CString& path) override
    {
        fw::CWinApp* app = fw::AfxGetApp();
        if (!app)
            return false;
        fw::CDocument* open = nullptr;
        ForEachDocument([&](fw::CDocument* doc) {
            if (doc->GetPathName() == path)
                open = doc;
            return open != nullptr;
        });
        fw::CDocument* doc = open ? open : app->OpenDocumentFile(path);
        if (!doc)
            return false;
        bool written = false;
        fw::POSITION pos = doc->GetFirstViewPosition();
        while (pos)
            if (auto* view = dynamic_cast<CHistOpeView*>(doc->GetNextView(pos))) {
                written = view->ConvertFile(path, m_histText);
                break;
            }
        if (!open)
            doc->OnCloseDocument();
        return written;
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

} // namespace

void RegisterProjectPages()
{
    static CHistoryPageServices services;
    fw::Install<IHistoryPageServices>(&services);
}
