#pragma once

// Turns a drawn picture (usually a graph page drawn into the off-screen
// bitmap) into a picture file: a Windows bitmap file written directly, or a
// PNG file written through libpng.
//
// Both writers build the whole file in memory first and then replace the
// target through a temporary file in the same folder, so a failed save
// leaves neither a partial file nor a damaged earlier picture.

#include "framework/core/CString.h"
#include "framework/core/PixelBuffer.h"

#include <cstdint>
#include <vector>

class CBitmapLib {
public:
    static constexpr uint16_t kBmpType = 0x4D42; // "BM"
    static constexpr uint32_t kBmpFileHeaderBytes = 14;

    virtual ~CBitmapLib() = default;

    // Out of memory or an unreadable picture: std::bad_alloc. File errors:
    // fw::CFileException with the path.
    void SaveBmp(const fw::CString& path, const fw::PixelBuffer& bitmap);
    // As SaveBmp; libpng refusing the picture: fw::CNotSupportedException.
    void SavePng(const fw::CString& path, const fw::PixelBuffer& bitmap);

    // The bytes of the files, with the same exceptions.
    static std::vector<uint8_t> EncodeBmp(const fw::PixelBuffer& bitmap);
    static std::vector<uint8_t> EncodePng(const fw::PixelBuffer& bitmap);
};
