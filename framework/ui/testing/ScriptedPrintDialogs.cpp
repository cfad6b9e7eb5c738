#include "framework/ui/testing/ScriptedPrintDialogs.h"

namespace fw::test {

ScriptedPrintDialogs::ScriptedPrintDialogs() : m_previous(InstallPrintDialogs(this))
{
    ResetAppPrinter();
}

ScriptedPrintDialogs::~ScriptedPrintDialogs()
{
    InstallPrintDialogs(m_previous);
    ResetAppPrinter();
}

bool ScriptedPrintDialogs::PageSetup(QPrinter& printer, QWidget*)
{
    ++pageSetupCalls;
    return onPageSetup && onPageSetup(printer);
}

bool ScriptedPrintDialogs::Print(QPrinter& printer, CPrintInfo& info, QWidget*)
{
    ++printCalls;
    return onPrint && onPrint(printer, info);
}

void ScriptedPrintDialogs::Preview(QPrintPreviewDialog& dialog)
{
    ++previewCalls;
    if (onPreview)
        onPreview(dialog);
}

} // namespace fw::test
