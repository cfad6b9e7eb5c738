#pragma once

// A menu of a control unit's ten unit slots, each a submenu of the slot's
// eight channels, whose captions the project fills with channel names.
// The views adapt their menus to it.

#include "framework/core/CString.h"

class IChannelMenu {
public:
    virtual ~IChannelMenu() = default;
    // Item `item` (0-7) of the submenu at `position`.
    virtual void SetChannelCaption(int position, int item, const fw::CString& caption) = 0;
    virtual void RemoveSlot(int position) = 0;
};
