#pragma once

// The caption of a measurement mode, as the main frame's trigger status,
// the measurement history and the measurement-data document show how a
// measurement was started. The codes are those the measurement panel
// stores when it starts one.

#include "framework/core/CString.h"

// Sets `name` to the caption of mode `mode` (0..8); any other code gives
// the empty text.
void GetMeasureModeName(unsigned mode, fw::CString& name);
