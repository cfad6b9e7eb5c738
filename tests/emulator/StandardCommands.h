#pragma once

#include "tests/emulator/CommandTable.h"

#include <string>
#include <vector>

namespace kivemu {

// Error codes the emulated unit reports on its own.
inline constexpr int kErrParameter = 20;  // "ﾊﾟﾗﾒｰﾀｴﾗｰ"
inline constexpr int kErrCommand = 22;    // unknown command word
inline constexpr int kErrMeasuring = 10;  // "測定中は実行できません"

// The model text of a unit type code ("KIV-417"), seven hyphens for an
// empty port or a code that is no unit.
std::string ModelName(int typeCode);
// The selected channels (1-based) that a unit serves, once each, ascending.
std::vector<int> SelectedUnitChannels(const DeviceState& s);

// The setting words that store a text and answer it to "<word>?".
extern const char* const kSettingWords[];

// Identity, status, channel selection, settings and data blocks: the
// commands every control unit answers. Later groups of commands get a
// registration function of their own next to this one.
void AddStandardCommands(CommandTable& table);

} // namespace kivemu
