#pragma once

// The device-independent bitmap (DIB) form that the picture files are made
// from: the 40-byte bitmap information header with its colour table, and
// the bits with rows bottom first, each padded to 4 bytes.

#include "framework/core/PixelBuffer.h"

#include <cstdint>
#include <memory>
#include <vector>

struct tDibHeader {
    static constexpr uint32_t kHeaderBytes = 40;

    uint32_t size = kHeaderBytes;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = 0; // 0: none
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
    // clrUsed entries 0x00RRGGBB (stored as the bytes blue, green, red, 0).
    std::vector<uint32_t> colours;

    // Bytes of one row of the bits as this header addresses them.
    uint32_t RowBytes() const { return height > 0 ? sizeImage / static_cast<uint32_t>(height) : 0; }
    // The 40 header bytes followed by the colour table, little-endian.
    void AppendTo(std::vector<uint8_t>& out) const;
};

// The depth used for sizes: the bitmap's bits per pixel raised to the next
// of 1, 4, 8, 16, 24 or 32.
int DibSizeDepth(int planesTimesBits);

// Bytes of the bits of a width x height picture of depth d, rows padded to 4.
uint32_t DibImageSize(int depth, int32_t width, int32_t height);

// The header for the bitmap, with room for its colour table; null when the
// bitmap cannot be read (no pixels, a depth other than 1, 4, 8, 16, 24, 32).
std::unique_ptr<tDibHeader> CreateDibHeader(const fw::PixelBuffer& bitmap);

// Reads every row of the bitmap into DIB bits of the header's image size
// and fills the header's colour table from the bitmap's palette (missing
// entries are 0). 32-bit pixels come with their unused byte 0, as the
// system hands them out of a screen bitmap. False when the bitmap holds
// fewer bytes than its size promises.
bool ReadDibBits(const fw::PixelBuffer& bitmap, tDibHeader& header, std::vector<uint8_t>& bits);

// One pixel of DIB row `row` (bottom first) as 0x00RRGGBB, for 16, 24 and
// 32 bits per pixel; 0 for other depths.
uint32_t GetDibPixel(const tDibHeader& header, int row, int column, const uint8_t* bits);
// Writes one pixel for 24 and 32 bits per pixel; other depths are ignored.
void SetDibPixel(const tDibHeader& header, int row, int column, uint8_t* bits, uint32_t colour);

// A 24-bit copy of a 16- or 32-bit DIB: the new header has no colour table
// and its own image size. False for other source depths or target depths.
bool ConvertDib(const tDibHeader& header, const std::vector<uint8_t>& bits, int targetBits, tDibHeader& newHeader,
                std::vector<uint8_t>& newBits);
