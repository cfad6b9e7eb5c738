#pragma once

// A device context on the display without a window: it measures text and
// answers the screen's pixels per inch (96) for grids, panes and views.
// What is drawn on it goes nowhere that shows.

#include "framework/core/DC.h"

#include <memory>

class CDisplayIC : public fw::CDC {
public:
    CDisplayIC();
    ~CDisplayIC() override;

private:
    struct Parts;
    explicit CDisplayIC(Parts* parts);
    // Made before the base class, which draws through its sink.
    std::unique_ptr<Parts> m_parts;
};
