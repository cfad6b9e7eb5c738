#pragma once

#include "framework/ui/PrintDialogs.h"

#include <functional>

namespace fw::test {

// Answers the print dialogs without showing them. Each answer is a
// function (none: the dialog is cancelled; the preview is closed at once).
// Installs itself for its lifetime and starts from a fresh session printer.
class ScriptedPrintDialogs final : public IPrintDialogs {
public:
    ScriptedPrintDialogs();
    ~ScriptedPrintDialogs() override;
    ScriptedPrintDialogs(const ScriptedPrintDialogs&) = delete;
    ScriptedPrintDialogs& operator=(const ScriptedPrintDialogs&) = delete;

    bool PageSetup(QPrinter& printer, QWidget* parent) override;
    bool Print(QPrinter& printer, CPrintInfo& info, QWidget* parent) override;
    void Preview(QPrintPreviewDialog& dialog) override;

    std::function<bool(QPrinter&)> onPageSetup;
    std::function<bool(QPrinter&, CPrintInfo&)> onPrint;
    std::function<void(QPrintPreviewDialog&)> onPreview;
    int pageSetupCalls = 0;
    int printCalls = 0;
    int previewCalls = 0;

private:
    IPrintDialogs* m_previous;
};

} // namespace fw::test
