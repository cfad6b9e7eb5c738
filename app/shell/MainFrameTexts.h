#pragma once

// The texts of the measurement bar: durations and trigger times.

#include "framework/core/CString.h"

// A span in days as "H:MM:SS", the seconds rounded to the nearest second.
fw::CString FormatDuration(double spanDays);
// A date-time (OLE date) with the trigger-time pattern ("%m/%d %H:%M:%S").
fw::CString FormatTriggerTime(double date);
