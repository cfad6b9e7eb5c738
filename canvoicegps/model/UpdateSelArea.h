#pragma once

// The selected sample range of the GPS views, sent to the document's views
// with update hint 45 so that the data list, the graph list and the track
// show one range. Never stored.

#include "framework/core/Object.h"

#include <cstdint>

inline constexpr intptr_t kHintSelArea = 45;

class CUpdateSelArea : public fw::CObject {
    FW_DECLARE_DYNAMIC(CUpdateSelArea)
public:
    // Who sent it: the lists ignore what a list sent.
    static constexpr int16_t kFromGraph = 0;
    static constexpr int16_t kFromList = 1;
    // Change mask bits; 0 after a change made by a command or a clear.
    static constexpr int16_t kFirstChanged = 1;
    static constexpr int16_t kLastChanged = 2;

    CUpdateSelArea() = default;
    CUpdateSelArea(int16_t source, int16_t mask, int32_t first, int32_t last)
        : m_source(source), m_mask(mask), m_first(first), m_last(last)
    {
    }

    int16_t m_source = kFromGraph;
    int16_t m_mask = 0;
    // -1 when nothing is selected.
    int32_t m_first = -1;
    int32_t m_last = -1;
};
