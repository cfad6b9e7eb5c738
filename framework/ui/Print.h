#pragma once

// The print loop of a view: prepare, begin, then per page OnPrepareDC and
// OnPrint, then end; into any paged device (PDF now; printers and the
// preview use the same loop).

#include "framework/core/CString.h"
#include "framework/core/PrintInfo.h"

class QPagedPaintDevice;

namespace fw {

class CView;

inline constexpr unsigned kIdpFailedToStartPrint = 61702;

enum class PrintResult { printed, refused, failed };

// Runs the loop on `device` (resolution `dpi`). Refused: the view's
// OnPreparePrinting said no (the user cancelled). `info` carries the range
// and flags.
PrintResult RunPrintLoop(CView& view, QPagedPaintDevice& device, int dpi, CPrintInfo& info);
// The same loop after the view's OnPreparePrinting has said yes (the print
// dialog and the preview ask it once, before their own steps).
PrintResult RunPreparedPrintLoop(CView& view, QPagedPaintDevice& device, int dpi, CPrintInfo& info);

// The print command: OnPreparePrinting, the print dialog unless
// `info.m_bDirect`, then the loop on the application's printer at its
// resolution. A failure shows the could-not-start prompt; false also when
// refused or cancelled.
bool PrintView(CView& view, CPrintInfo& info);

// Prints `view` to a PDF file (A4 portrait, 10-mm margins, 600 DPI). A
// failure shows the could-not-start prompt; false also when refused.
bool PrintViewToPdf(CView& view, const CString& path, CPrintInfo& info);

} // namespace fw
