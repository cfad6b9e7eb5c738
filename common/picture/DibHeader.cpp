#include "common/picture/DibHeader.h"

#include <algorithm>
#include <cstring>

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

bool IsReadableDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Where a pixel of the given byte width starts, or null outside the picture.
const uint8_t* PixelAt(const tDibHeader& header, int row, int column, const uint8_t* bits, int bytes)
{
    if (!bits || row < 0 || row >= header.height || column < 0 || column >= header.width)
        return nullptr;
    return bits + static_cast<size_t>(row) * header.RowBytes() + static_cast<size_t>(column) * size_t(bytes);
}

} // namespace

void tDibHeader::AppendTo(std::vector<uint8_t>& out) const
{
    Put32(out, size);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, planes);
    Put16(out, bitCount);
    Put32(out, compression);
    Put32(out, sizeImage);
    Put32(out, static_cast<uint32_t>(xPelsPerMeter));
    Put32(out, static_cast<uint32_t>(yPelsPerMeter));
    Put32(out, clrUsed);
    Put32(out, clrImportant);
    for (uint32_t c : colours)
        Put32(out, c & 0x00FFFFFFu);
}

int DibSizeDepth(int planesTimesBits)
{
    if (planesTimesBits <= 1)
        return 1;
    if (planesTimesBits <= 4)
        return 4;
    if (planesTimesBits <= 8)
        return 8;
    if (planesTimesBits <= 16)
        return 16;
    if (planesTimesBits <= 24)
        return 24;
    return 32;
}

uint32_t DibImageSize(int depth, int32_t width, int32_t height)
{
    const uint64_t row = (uint64_t(depth) * uint64_t(width) + 31) / 32 * 4;
    return static_cast<uint32_t>(row * uint64_t(height));
}

std::unique_ptr<tDibHeader> CreateDibHeader(const fw::PixelBuffer& bitmap)
{
    if (bitmap.width <= 0 || bitmap.height <= 0 || !IsReadableDepth(bitmap.bitsPerPixel))
        return nullptr;
    // A row length or image size beyond 32 bits cannot be described.
    const int depth = DibSizeDepth(bitmap.bitsPerPixel);
    if ((uint64_t(depth) * uint64_t(bitmap.width) + 31) / 32 * 4 * uint64_t(bitmap.height) > 0xFFFFFFFFu)
        return nullptr;
    auto header = std::make_unique<tDibHeader>();
    header->width = bitmap.width;
    header->height = bitmap.height;
    header->planes = 1;
    header->bitCount = static_cast<uint16_t>(bitmap.bitsPerPixel);
    header->clrUsed = depth <= 16 ? (1u << depth) : 0u;
    header->sizeImage = DibImageSize(depth, bitmap.width, bitmap.height);
    header->colours.assign(header->clrUsed, 0u);
    return header;
}

bool ReadDibBits(const fw::PixelBuffer& bitmap, tDibHeader& header, std::vector<uint8_t>& bits)
{
    const size_t packed = bitmap.PackedRowBytes();
    if (bitmap.width != header.width || bitmap.height != header.height || bitmap.bitsPerPixel != header.bitCount
        || bitmap.stride < 0 || size_t(bitmap.stride) < packed
        || bitmap.bits.size() < size_t(bitmap.stride) * size_t(bitmap.height))
        return false;
    const uint32_t rowBytes = header.RowBytes();
    bits.assign(header.sizeImage, 0);
    for (int32_t r = 0; r < header.height; ++r) {
        uint8_t* dst = bits.data() + size_t(r) * rowBytes;
        std::memcpy(dst, bitmap.Row(header.height - 1 - r), packed);
        if (header.bitCount == 32)
            for (size_t x = 3; x < packed; x += 4)
                dst[x] = 0;
    }
    if (header.bitCount <= 8) {
        const size_t n = std::min(bitmap.palette.size(), header.colours.size());
        std::copy_n(bitmap.palette.begin(), n, header.colours.begin());
    }
    return true;
}

uint32_t GetDibPixel(const tDibHeader& header, int row, int column, const uint8_t* bits)
{
    switch (header.bitCount) {
    case 16: {
        const uint8_t* p = PixelAt(header, row, column, bits, 2);
        if (!p)
            return 0;
        const uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8);
        const uint32_t blue = (v & 0x1F) << 3;
        const uint32_t green = ((v >> 5) & 0x1F) << 3;
        const uint32_t red = ((v >> 10) & 0x1F) << 3;
        return (red << 16) | (green << 8) | blue;
    }
    case 24:
    case 32: {
        const uint8_t* p = PixelAt(header, row, column, bits, header.bitCount / 8);
        if (!p)
            return 0;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
    default:
        return 0;
    }
}

void SetDibPixel(const tDibHeader& header, int row, int column, uint8_t* bits, uint32_t colour)
{
    if (header.bitCount != 24 && header.bitCount != 32)
        return;
    auto* p = const_cast<uint8_t*>(PixelAt(header, row, column, bits, header.bitCount / 8));
    if (!p)
        return;
    p[0] = static_cast<uint8_t>(colour);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour >> 16);
    if (header.bitCount == 32)
        p[3] = 0;
}

bool ConvertDib(const tDibHeader& header, const std::vector<uint8_t>& bits, int targetBits, tDibHeader& newHeader,
                std::vector<uint8_t>& newBits)
{
    if (targetBits != 24 || (header.bitCount != 16 && header.bitCount != 32 && header.bitCount != 24)
        || header.height <= 0 || bits.size() < header.sizeImage)
        return false;
    newHeader = header;
    newHeader.colours.clear();
    newHeader.bitCount = 24;
    newHeader.clrUsed = 0;
    newHeader.sizeImage = DibImageSize(24, header.width, header.height);
    newBits.assign(newHeader.sizeImage, 0);
    for (int row = 0; row < header.height; ++row)
        for (int column = 0; column < header.width; ++column)
            SetDibPixel(newHeader, row, column, newBits.data(), GetDibPixel(header, row, column, bits.data()));
    return true;
}
