#pragma once

// Asks the VO-8025 output's blocks and analyses with its dialog.

#include "frequency/document/HistOutChooser.h"

class CHist8025OutChooser final : public IHistOutChooser {
public:
    bool Choose(const CHistCountArray* analyses, CHistOutParam& options) override;
};
