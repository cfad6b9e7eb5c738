#pragma once

// File errors of cache tanks, told to the user.
//
// One operation over many tanks (a recalculation, a block of recorded
// samples, building the channels of a data set) must not show one message
// per tank: inside a report scope only the first error is kept, and it is
// told once when the outermost scope ends. Outside any scope an error is
// told at once.

#include "framework/core/Exceptions.h"

#include <cstdint>

// Tells the error now, or keeps it for the scope that is running.
void ReportCacheFileError(const fw::CException& e);

class CCacheReportScope {
public:
    CCacheReportScope();
    // The outermost scope tells the first error kept.
    ~CCacheReportScope();
    CCacheReportScope(const CCacheReportScope&) = delete;
    CCacheReportScope& operator=(const CCacheReportScope&) = delete;

    // Errors met since this scope began (by any scope of this thread).
    int32_t GetErrorCount() const;
    bool Failed() const { return GetErrorCount() > 0; }

private:
    int32_t m_errorsBefore;
};
