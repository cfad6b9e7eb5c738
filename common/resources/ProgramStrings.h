#pragma once

// The program's texts (common/resources/strings.tsv), embedded at build
// time. The program and the tests install them once at start-up, so every
// layer finds them through fw::LoadString.

#include "framework/core/StringTable.h"

const fw::CStringTable& ProgramStrings();

// Installs ProgramStrings() as the program's table.
void InstallProgramStrings();
