#pragma once

// The question a system-wide command sequence asks after a failed step:
// the control unit's error text and "continue?", in a dialog that answers OK
// by itself when its countdown runs out. The dialog belongs to the
// measurement panel; the sequences reach it through this interface, which
// the panel installs at start-up. Until then the prompt service asks.

#include "framework/core/CString.h"

struct IContinueQuestion {
    virtual ~IContinueQuestion() = default;
    // True for OK, also when `seconds` passed without an answer.
    virtual bool Ask(const fw::CString& message, int seconds) = 0;
};

// Returns the previous one; nullptr puts back the prompt-service default.
// Keep the object alive while installed.
IContinueQuestion* InstallContinueQuestion(IContinueQuestion* question);
IContinueQuestion& ContinueQuestion();

// With `logPath` (a measurement's ".tsd" file), first appends the local
// time, a colon and the message (line breaks as blanks) to the error log
// beside it; a failed write is ignored. Then asks the question.
bool ShowTimeLimitMessage(const char* message, const char* logPath, int seconds);

// The error log of a data file: its ".tsd" ending (any case) becomes
// "_err.txt"; any other name gets "_err.txt" appended, so the data file
// itself is never written to.
fw::CString ErrorLogPath(const fw::CString& dataPath);
