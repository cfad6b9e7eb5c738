#pragma once

#include "tests/emulator/CommandTable.h"

namespace kivemu {

// Error codes the emulated unit reports on its own.
inline constexpr int kErrParameter = 20;  // "ﾊﾟﾗﾒｰﾀｴﾗｰ"
inline constexpr int kErrCommand = 22;    // unknown command word

// The setting words that store a text and answer it to "<word>?".
extern const char* const kSettingWords[];

// Identity, status, channel selection, settings and data blocks: the
// commands every control unit answers. Later groups of commands get a
// registration function of their own next to this one.
void AddStandardCommands(CommandTable& table);

} // namespace kivemu
