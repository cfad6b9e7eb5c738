#pragma once

// The choices of the input-CH data slot dialog: no source, the plain and
// the corrected GPS items the unit's settings and the slot's place allow,
// and the signals of the unit's receive messages. Each choice carries the
// value the dialog returns (0 for an item that cannot be confirmed).

#include "framework/core/CString.h"

#include <vector>

class CKiv463Unit;

struct CSlotChoice {
    fw::CString text;
    int value = 0;
    std::vector<CSlotChoice> children;
};

struct CSlotChoiceInputs {
    bool speedCorrection = false;
    bool lastSlot = false;
    bool receiver = false;
};

// Shows the slot dialog over the choices and answers the chosen value; 0
// when cancelled (fw::Install<ISlotChooser>).
struct ISlotChooser {
    virtual ~ISlotChooser() = default;
    virtual int Choose(const std::vector<CSlotChoice>& choices) = 0;
};

namespace slotchoice {

inline constexpr int kNoSource = 1;

std::vector<CSlotChoice> Build(const CKiv463Unit& unit, const CSlotChoiceInputs& inputs);
// The slot code a confirmed value stands for.
int SlotCodeOf(int value);
// OK is possible only on an item with a value.
inline bool CanConfirm(int value) { return value != 0; }

} // namespace slotchoice
