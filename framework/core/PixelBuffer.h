#pragma once

// A picture in memory as the drawing layer hands it to the picture writers
// (the off-screen bitmap of a graph page copies its image into one). Rows run
// top first. Within a row the pixels have the layout of a device-independent
// bitmap row:
//   32 bits: the bytes blue, green, red and one unused byte (the layout of
//            QImage::Format_RGB32 on a little-endian machine);
//   24 bits: the bytes blue, green, red;
//   16 bits: 5-5-5 little-endian words (blue in bits 0-4, green 5-9, red 10-14);
//   1, 4, 8: palette indices packed most significant bits first.
// Palette entries are 0x00RRGGBB.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

struct PixelBuffer {
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;       // bytes from one row to the next
    int bitsPerPixel = 32;
    std::vector<uint8_t> bits; // height x stride bytes, top row first
    std::vector<uint32_t> palette;

    // Bytes a row's pixels take without padding.
    size_t PackedRowBytes() const
    {
        return (static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 7) / 8;
    }

    // A zeroed picture of that depth with rows padded to 4 bytes.
    static PixelBuffer Make(int32_t width, int32_t height, int bitsPerPixel = 32)
    {
        PixelBuffer p;
        p.width = width;
        p.height = height;
        p.bitsPerPixel = bitsPerPixel;
        p.stride = static_cast<int32_t>((p.PackedRowBytes() + 3) / 4 * 4);
        p.bits.assign(static_cast<size_t>(p.stride) * static_cast<size_t>(height > 0 ? height : 0), 0);
        return p;
    }

    uint8_t* Row(int y) { return bits.data() + static_cast<size_t>(y) * static_cast<size_t>(stride); }
    const uint8_t* Row(int y) const { return bits.data() + static_cast<size_t>(y) * static_cast<size_t>(stride); }

    // A 32-bit pixel from 0x00RRGGBB; the unused byte becomes 0xFF as a
    // drawing surface leaves it.
    void SetRgb32(int x, int y, uint32_t rgb)
    {
        uint8_t* p = Row(y) + static_cast<size_t>(x) * 4;
        p[0] = static_cast<uint8_t>(rgb);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[2] = static_cast<uint8_t>(rgb >> 16);
        p[3] = 0xFF;
    }
};

} // namespace fw
