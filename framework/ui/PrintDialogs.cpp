#include "framework/ui/PrintDialogs.h"

#include "framework/core/Message.h"
#include "framework/ui/Wnd.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace fw {

namespace {

class QtPrintDialogs final : public IPrintDialogs {
public:
    bool PageSetup(QPrinter& printer, QWidget* parent) override
    {
        QPageSetupDialog dialog(&printer, parent);
        ModalScope modal;
        return dialog.exec() == QDialog::Accepted;
    }

    bool Print(QPrinter& printer, CPrintInfo& info, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, parent);
        const bool known = info.GetMaxPage() != CPrintInfo::kUnknownPages;
        if (known) {
            dialog.setMinMax(static_cast<int>(info.GetMinPage()), static_cast<int>(info.GetMaxPage()));
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        } else {
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        }
        ModalScope modal;
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (known && printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
            info.m_nFromPage = static_cast<unsigned>(printer.fromPage());
            info.m_nToPage = static_cast<unsigned>(printer.toPage());
        }
        return true;
    }

    void Preview(QPrintPreviewDialog& dialog) override
    {
        ModalScope modal;
        dialog.exec();
    }
};

QtPrintDialogs& QtDialogs()
{
    static QtPrintDialogs dialogs;
    return dialogs;
}

IPrintDialogs* g_printDialogs = nullptr;

std::unique_ptr<QPrinter>& PrinterHolder()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

// The printer is a Qt object: it goes before the application object does.
void DropPrinter()
{
    PrinterHolder().reset();
}

} // namespace

IPrintDialogs& PrintDialogs()
{
    return g_printDialogs ? *g_printDialogs : QtDialogs();
}

IPrintDialogs* InstallPrintDialogs(IPrintDialogs* service)
{
    IPrintDialogs* previous = g_printDialogs;
    g_printDialogs = service;
    return previous;
}

QPrinter& AppPrinter()
{
    std::unique_ptr<QPrinter>& printer = PrinterHolder();
    if (!printer) {
        static bool routineAdded = false;
        if (!routineAdded) {
            qAddPostRoutine(&DropPrinter);
            routineAdded = true;
        }
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer;
}

void ResetAppPrinter()
{
    DropPrinter();
}

bool RunPrintSetup(CWnd* parent)
{
    return PrintDialogs().PageSetup(AppPrinter(), parent ? parent->Widget() : nullptr);
}

} // namespace fw
