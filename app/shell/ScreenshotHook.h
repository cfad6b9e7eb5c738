#pragma once

// The picture of the main window with the start page for the
// documentation (tools/screenshot.sh): taken once the page shows, then the
// page is closed; the caller then ends the program.

#include "framework/core/CString.h"

namespace fw {
class CDialog;
}

void ScheduleStartUpScreenshot(const fw::CString& pngPath, fw::CDialog& page);
