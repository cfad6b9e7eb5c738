#pragma once

// What the graph-page documents and their objects ask of the layers above
// them: the graph dialogs (the views install them), and the places that
// learn of a page's commands. Without an installed implementation every
// dialog answers Cancel.

#include "framework/core/CString.h"

#include <cstdint>

class CGraphViewDoc;
class CKivGraphDraw;
class GrFrameRec;
class CDrawObjPrf;
class CDrawGraphObj;

class IGraphDocDialogs {
public:
    virtual ~IGraphDocDialogs() = default;
    // The axis dialog over the drawer's scales; true on OK (values stored).
    virtual bool EditScales(CKivGraphDraw& draw) { return false; }
    // The axis-label dialog over the drawer's titles; true on OK.
    virtual bool EditLabels(CKivGraphDraw& draw) { return false; }
    // The grid dialog over a frame record; true on OK.
    virtual bool EditGrid(GrFrameRec& frame) { return false; }
    // The text dialog; true on OK.
    virtual bool EditText(fw::CString& text, bool& vertical, bool rotationAllowed) { return false; }
    // The line and fill dialog over a frame style; true on OK.
    virtual bool EditLineFill(CDrawObjPrf& style, bool transparencyAllowed) { return false; }
    // The regression dialog of the page; true on OK.
    virtual bool EditRegression(CGraphViewDoc& doc) { return false; }
};

IGraphDocDialogs& GraphDocDialogs();
