#include "common/cache/CacheFileReport.h"

namespace {

// Per thread: the storing of samples may run beside the interface thread.
struct PendingReport {
    int depth = 0;
    int32_t errors = 0;
    bool kept = false;
    bool hasText = false;
    fw::CString text;
    unsigned help = 0;
};

PendingReport& Pending()
{
    thread_local PendingReport pending;
    return pending;
}

void Tell(bool hasText, const fw::CString& text, unsigned help)
{
    if (hasText)
        fw::Prompt().MessageBox(text, fw::MB_OK, help, help);
    else
        fw::AfxMessageBox(fw::kIdpNoErrorMessage, fw::MB_OK);
}

} // namespace

void ReportCacheFileError(const fw::CException& e)
{
    PendingReport& pending = Pending();
    ++pending.errors;
    fw::CString text;
    unsigned help = 0;
    const bool hasText = e.GetErrorMessage(text, &help);
    if (pending.depth == 0) {
        Tell(hasText, text, help);
        return;
    }
    if (pending.kept)
        return;
    pending.kept = true;
    pending.hasText = hasText;
    pending.text = text;
    pending.help = help;
}

CCacheReportScope::CCacheReportScope()
    : m_errorsBefore(Pending().errors)
{
    ++Pending().depth;
}

CCacheReportScope::~CCacheReportScope()
{
    PendingReport& pending = Pending();
    if (--pending.depth > 0 || !pending.kept)
        return;
    pending.kept = false;
    try {
        Tell(pending.hasText, pending.text, pending.help);
    } catch (...) {
        // A report that failed must not escape a destructor.
    }
}

int32_t CCacheReportScope::GetErrorCount() const { return Pending().errors - m_errorsBefore; }
