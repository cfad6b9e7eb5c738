#pragma once

// The font dialog of the graph view's font command, behind an interface so
// that the command runs headless in tests. Sizes travel in tenths of a
// point, so half points survive the round trip.

#include "framework/core/Gdi.h"

class CDrawObj;

struct GraphFontChoice {
    // An empty face means the user left the face unset.
    fw::LOGFONT font;
    int32_t pointTenths = 90;
    fw::COLORREF color = 0;
    // Started from the font of the one selected object.
    bool fromObject = false;
};

class IGraphFontChooser {
public:
    virtual ~IGraphFontChooser() = default;
    // False when cancelled.
    virtual bool Choose(GraphFontChoice& choice) = 0;
};

// The installed chooser, else the font dialog of the window system.
IGraphFontChooser& GraphFontChooser();

// Objects hand out their own font record; the view's font command
// replaces it in place.
void ApplyObjectFont(CDrawObj& object, const fw::LOGFONT& font);
