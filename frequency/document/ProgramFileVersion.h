#pragma once

// The program's file version text ("1,7,3,0" or "1.7.3.0"), which the
// VO-8025 output names in its first line. The program installs the answer
// (fw::Install<IProgramFileVersion>).

#include "framework/core/CString.h"

struct IProgramFileVersion {
    virtual ~IProgramFileVersion() = default;
    virtual fw::CString FileVersion() const = 0;
};

// The installed answer; empty when none is installed.
fw::CString ProgramFileVersionText();
