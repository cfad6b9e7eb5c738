#pragma once

// A bitmap compatible with a device: a picture in memory that a memory
// device context draws into, that is copied to a window in one step, and
// whose pixels go to the picture writers. How the pixels are kept is the
// business of the maker installed for the program (images of the window
// system; a recording one in tests).

#include "framework/core/DC.h"
#include "framework/core/PixelBuffer.h"

#include <functional>
#include <memory>

class CZELBitmap;

// Makes the window system's bitmaps; installed by the program at start-up.
struct IBitmapMaker {
    virtual ~IBitmapMaker() = default;
    // Null when the bitmap cannot be made.
    virtual std::unique_ptr<CZELBitmap> Make(int width, int height) = 0;
};

class CZELBitmap {
public:
    using Factory = std::function<std::unique_ptr<CZELBitmap>(const fw::CDC* reference, int width, int height)>;

    virtual ~CZELBitmap() = default;

    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // A device context that draws into the bitmap (device units = pixels).
    virtual std::unique_ptr<fw::CDC> CreateMemoryDC() = 0;
    // The pixels as 32-bit rows, top first.
    virtual fw::PixelBuffer GetPixels() const = 0;
    // Copies the whole bitmap to `target` with its top-left corner at the
    // logical point; false when that device cannot take pictures.
    virtual bool CopyTo(fw::CDC& target, fw::CPoint at) const = 0;

    // A bitmap of that size compatible with `reference` (the screen when
    // null); null when it cannot be made.
    static std::unique_ptr<CZELBitmap> CreateCompatible(const fw::CDC* reference, int width, int height);
    // Returns the previous maker; an empty one restores the default, which
    // asks the installed IBitmapMaker (no bitmaps when none is installed).
    static Factory InstallFactory(Factory factory);
};
