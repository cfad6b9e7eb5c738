#include "framework/ui/PreviewView.h"

#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Print.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/View.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace fw {

FW_IMPLEMENT_DYNCREATE(CPreviewView, CObject)

namespace {

void ShowCommandFailed()
{
    Prompt().MessageBox(LoadStringText(kIdpCommandFailure), MB_ICONEXCLAMATION, kIdpCommandFailure);
}

std::unique_ptr<CPreviewView> MakePreview(const CRuntimeClass* previewClass)
{
    const CRuntimeClass* cls = previewClass ? previewClass : FW_RUNTIME_CLASS(CPreviewView);
    if (!cls->IsDerivedFrom(FW_RUNTIME_CLASS(CPreviewView)))
        return nullptr;
    std::unique_ptr<CObject> object(cls->CreateObject());
    if (auto* preview = dynamic_cast<CPreviewView*>(object.get())) {
        object.release();
        return std::unique_ptr<CPreviewView>(preview);
    }
    return nullptr;
}

} // namespace

bool CPreviewView::RenderPages(QPrinter& printer)
{
    if (!m_pPrintView)
        return false;
    // Every request draws all pages anew (the dialog asks again after a
    // change of paper or orientation); the range is the view's whole one.
    CPrintInfo info = m_info;
    info.m_nFromPage = 0;
    info.m_nToPage = 0;
    info.m_bPreview = true;
    const PrintResult result = RunPreparedPrintLoop(*m_pPrintView, printer, printer.resolution(), info);
    // The loop stops on the first page it did not draw.
    m_pagesRendered = result == PrintResult::printed ? info.m_nCurPage - info.GetFromPage() : 0;
    m_info = info;
    if (result != PrintResult::printed)
        m_failed = true;
    return result == PrintResult::printed;
}

bool DoPrintPreview(CView* view, const CRuntimeClass* previewClass, unsigned /*toolBarId*/)
{
    std::unique_ptr<CPreviewView> preview = view ? MakePreview(previewClass) : nullptr;
    if (!preview) {
        ShowCommandFailed();
        return false;
    }
    CPrintInfo info;
    info.m_bPreview = true;
    bool prepared = false;
    view->Guard([&] { prepared = view->OnPreparePrinting(&info); });
    if (!prepared)
        return false;
    preview->SetPrintView(view);
    preview->SetInfo(info);
    QPrintPreviewDialog dialog(&AppPrinter(), view->Widget());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&preview](QPrinter* printer) { preview->RenderPages(*printer); });
    PrintDialogs().Preview(dialog);
    const bool ok = !preview->Failed();
    if (!ok)
        ShowCommandFailed();
    CPrintInfo endInfo = preview->Info();
    view->Guard([&] { view->OnEndPrintPreview(nullptr, &endInfo, CPoint(), preview.get()); });
    return ok;
}

} // namespace fw
