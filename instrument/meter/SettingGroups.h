#pragma once

// Channels (or analyses) that share one setting text are set with one
// command after selecting them all together.

#include "framework/core/CString.h"

#include <vector>

struct SettingGroup {
    fw::CString text;
    std::vector<bool> member;  // one flag per entry of the texts
};

// The groups of equal texts, in the order of their first entries; an empty
// text (an entry left out) belongs to no group.
std::vector<SettingGroup> GroupSettingTexts(const std::vector<fw::CString>& texts);
