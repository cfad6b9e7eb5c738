#pragma once

// What changed among the panes of the CAN page, passed with hint 46 (and
// with hint 43 after the measuring system's settings were replaced). It
// lives on the sender's stack for the update call only.

#include "framework/core/Object.h"

#include <cstdint>

class CCanNodeUpdate : public fw::CObject {
    FW_DECLARE_DYNAMIC(CCanNodeUpdate)
public:
    enum Kind : int32_t { kAdded = 0, kRenamed = 1, kSelected = 2, kDeleted = 3, kAttribute = 4, kLength = 5 };
    static constexpr intptr_t kHintCan = 46;
    static constexpr intptr_t kHintUnitSettings = 43;

    CCanNodeUpdate() = default;
    CCanNodeUpdate(int32_t kind, fw::CObject* object, bool send) : m_kind(kind), m_pObject(object), m_direction(send) {}

    int32_t m_kind = kAdded;
    // The message or signal; for a deletion the list of deleted items.
    fw::CObject* m_pObject = nullptr;
    uint8_t m_direction = 0;
    int32_t m_unitIndex = 0;
    int32_t m_itemKind = 0;
};
