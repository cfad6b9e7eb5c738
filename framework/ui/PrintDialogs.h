#pragma once

// The printer of the session and the dialogs that edit it. One QPrinter per
// application keeps the chosen printer, paper and orientation until the
// program ends, as the application's printer settings did. The dialogs run
// through a small service so that tests answer them without a modal loop.

#include "framework/core/PrintInfo.h"

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace fw {

class CWnd;

struct IPrintDialogs {
    virtual ~IPrintDialogs() = default;
    // Page setup (printer, paper, orientation, margins); false: cancelled.
    virtual bool PageSetup(QPrinter& printer, QWidget* parent) = 0;
    // The print dialog: printer and page range. On OK the chosen range is
    // written back into `info` (from/to page); false: cancelled.
    virtual bool Print(QPrinter& printer, CPrintInfo& info, QWidget* parent) = 0;
    // Shows the preview until the user closes it; the dialog asks for its
    // pages through paintRequested.
    virtual void Preview(QPrintPreviewDialog& dialog) = 0;
};

IPrintDialogs& PrintDialogs();
// Installs `service` (nullptr: the Qt dialogs again); returns the previous one.
IPrintDialogs* InstallPrintDialogs(IPrintDialogs* service);

// The application's printer, made on first use at printer resolution.
QPrinter& AppPrinter();
// Forgets the session's printer settings (a new session; tests).
void ResetAppPrinter();

// The print-setup command: page setup on the application's printer.
bool RunPrintSetup(CWnd* parent);

} // namespace fw
