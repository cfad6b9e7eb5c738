#pragma once

// The A/D settings dialog the project opens over its measuring system. It
// lives with the views, which the program installs
// (fw::Install<IProjectAdDialog>); without one the dialog counts as
// cancelled.

#include "instrument/ADSetPrf.h"

class CBoxArray;

class IProjectAdDialog {
public:
    virtual ~IProjectAdDialog() = default;
    // Edits `settings` for `system`; `changed` marks the presets as
    // already changed. The dialog result.
    virtual int Run(CBoxArray& system, CADSetPrf& settings, bool changed) = 0;
};
