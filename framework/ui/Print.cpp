#include "framework/ui/Print.h"

#include "framework/core/Cp932.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"
#include "framework/ui/View.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace fw {

namespace {

constexpr int kPdfDpi = 600;
constexpr double kMarginMm = 10.0;

// The job name was a 32-byte field.
QString JobName(const CPrintInfo& info)
{
    return ToQ(CString(cp932::Truncate(info.m_strDocName.view(), 31)));
}

void ShowCouldNotStart()
{
    Prompt().MessageBox(LoadStringText(kIdpFailedToStartPrint), MB_ICONEXCLAMATION, kIdpFailedToStartPrint);
}

} // namespace

PrintResult RunPrintLoop(CView& view, QPagedPaintDevice& device, int dpi, CPrintInfo& info)
{
    bool prepared = false;
    view.Guard([&] { prepared = view.OnPreparePrinting(&info); });
    if (!prepared)
        return PrintResult::refused;
    return RunPreparedPrintLoop(view, device, dpi, info);
}

PrintResult RunPreparedPrintLoop(CView& view, QPagedPaintDevice& device, int dpi, CPrintInfo& info)
{
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
    writer.setTitle(JobName(info));
    const PrintResult result = RunPrintLoop(view, writer, kPdfDpi, info);
    if (result != PrintResult::failed)
        return result == PrintResult::printed;
    ShowCouldNotStart();
    return false;
}

bool PrintView(CView& view, CPrintInfo& info)
{
    bool prepared = false;
    view.Guard([&] { prepared = view.OnPreparePrinting(&info); });
    if (!prepared)
        return false;
    QPrinter& printer = AppPrinter();
    if (!info.m_bDirect && !PrintDialogs().Print(printer, info, view.Widget()))
        return false;
    printer.setDocName(JobName(info));
    if (RunPreparedPrintLoop(view, printer, printer.resolution(), info) == PrintResult::printed)
        return true;
    ShowCouldNotStart();
    return false;
}

} // namespace fw
