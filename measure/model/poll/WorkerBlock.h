#pragma once

// The record a poll worker reads, and the two poll procedures. One poll
// runs per signal of `go`; `idle` is clear while it runs; the result goes
// to `window` as a posted message; `stop` followed by `go` ends the loop,
// which then sets `done`. Every way out of the loop sets `done`, so the
// owner's wait for it always ends.

#include "framework/core/Message.h"
#include "framework/core/Thread.h"

class CKeisokuPanel;

struct tagWORKERBLOCK {
    CKeisokuPanel* object = nullptr;
    fw::HWND window = 0;
    fw::CEvent* go = nullptr;
    fw::CEvent* idle = nullptr;
    fw::CEvent* stop = nullptr;
    fw::CEvent* done = nullptr;
};

inline constexpr uint32_t WM_MONITOR_POLL_DONE = fw::WM_APP + 2;
inline constexpr uint32_t WM_JOIN_MEASUREMENT = fw::WM_APP + 3;
inline constexpr uint32_t WM_RECORDING_POLL_DONE = fw::WM_APP + 4;
inline constexpr uint32_t WM_FREE_RUN_SEEN = fw::WM_APP + 7;
inline constexpr uint32_t WM_PROGRAM_RUNS = fw::WM_APP + 8;
inline constexpr uint32_t WM_PROGRAM_ENDED = fw::WM_APP + 9;

void MonitorPollProc(const tagWORKERBLOCK& block);
void RecordingPollProc(const tagWORKERBLOCK& block);
