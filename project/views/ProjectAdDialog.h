#pragma once

// The project's A/D settings dialog: the instrument dialog over the
// measuring system, filled from and read back into an A/D record.

#include "project/model/ProjectAdDialog.h"

class CProjectAdDialog final : public IProjectAdDialog {
public:
    int Run(CBoxArray& system, CADSetPrf& settings, bool changed) override;
};
