#include "framework/ui/Print.h"

#include "framework/core/Cp932.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"
#include "framework/ui/View.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace fw {

namespace {

constexpr int kPdfDpi = 600;
constexpr double kMarginMm = 10.0;

} // namespace

PrintResult RunPrintLoop(CView& view, QPagedPaintDevice& device, int dpi, CPrintInfo& info)
{
    bool prepared = false;
    view.Guard([&] { prepared = view.OnPreparePrinting(&info); });
    if (!prepared)
        return PrintResult::refused;
    QPainter painter;
    if (!painter.begin(&device))
        return PrintResult::failed;
    QPainterSink sink(&painter, dpi, true);
    CDC dc(&sink);
    info.m_rectDraw = CRect(0, 0, device.width(), device.height());
    view.Guard([&] { view.OnBeginPrinting(&dc, &info); });
    bool firstPage = true;
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
        // Every page starts from the DC's initial state, as a new printer page did.
        const int level = dc.SaveDC();
        info.m_bContinuePrinting = true;
        view.Guard([&] { view.OnPrepareDC(&dc, &info); });
        if (!info.m_bContinuePrinting) {
            dc.RestoreDC(level);
            break;
        }
        if (!firstPage)
            device.newPage();
        firstPage = false;
        view.Guard([&] { view.OnPrint(&dc, &info); });
        dc.RestoreDC(level);
        if (info.m_nCurPage == CPrintInfo::kUnknownPages)
            break;
    }
    view.Guard([&] { view.OnEndPrinting(&dc, &info); });
    painter.end();
    return firstPage ? PrintResult::failed : PrintResult::printed;
}

bool PrintViewToPdf(CView& view, const CString& path, CPrintInfo& info)
{
    QPdfWriter writer(ToQ(path));
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    // The job name was a 32-byte field.
    writer.setTitle(ToQ(CString(cp932::Truncate(info.m_strDocName.view(), 31))));
    const PrintResult result = RunPrintLoop(view, writer, kPdfDpi, info);
    if (result != PrintResult::failed)
        return result == PrintResult::printed;
    Prompt().MessageBox(LoadStringText(kIdpFailedToStartPrint), MB_ICONEXCLAMATION, kIdpFailedToStartPrint);
    return false;
}

} // namespace fw
