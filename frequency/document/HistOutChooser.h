#pragma once

// The choice of blocks and analyses of a VO-8025 output, asked by the
// frequency document; the window layer installs the dialog that asks
// (fw::Install<IHistOutChooser>).

class CHistCountArray;
struct CHistOutParam;

struct IHistOutChooser {
    virtual ~IHistOutChooser() = default;
    // False when the user cancelled.
    virtual bool Choose(const CHistCountArray* analyses, CHistOutParam& options) = 0;
};
