#pragma once

// Bit positions inside a CAN frame. Bit b of a frame is bit (b mod 8) of data
// byte (b div 8). An Intel (little-endian) signal counts upward from its
// least significant bit; a Motorola (big-endian) signal starts at its most
// significant bit and runs downward inside a byte, then on to bit 7 of the
// next byte. Positions may be negative while a layout is being edited, so
// every division here rounds toward minus infinity.

#include <cstdint>

namespace canbits {

inline constexpr int kMaxFrameBits = 64;
inline constexpr int kMaxFrameBytes = 8;

enum ByteOrder : int16_t { kMotorola = 0, kIntel = 1 };

constexpr int FloorDiv8(int b)
{
    return b >= 0 ? b / 8 : -((-b + 7) / 8);
}

constexpr int Mod8(int b)
{
    return b - 8 * FloorDiv8(b);
}

// The position of a bit when the bits of every byte are numbered from the
// top (7 becomes 0): the order in which a Motorola signal is laid out.
constexpr int Mirror(int b)
{
    return 8 * FloorDiv8(b) + 7 - Mod8(b);
}

// The least significant bit of a Motorola signal.
constexpr int MotorolaLsb(int startBit, int length)
{
    return Mirror(Mirror(startBit) + length - 1);
}

// The start bit (most significant bit) of a Motorola signal whose least
// significant bit lies at `lsb`; negative when too few bits precede it.
constexpr int MotorolaStartFromLsb(int lsb, int length)
{
    return Mirror(Mirror(lsb) - length + 1);
}

// The bit a Motorola signal occupies after `b`.
constexpr int MotorolaNext(int b)
{
    return Mod8(b) == 0 ? b + 15 : b - 1;
}

// Bits first..last of a 64-bit word (clipped to the word); 0 when empty.
constexpr uint64_t BitRange(int first, int last)
{
    if (first < 0)
        first = 0;
    if (last > 63)
        last = 63;
    if (first > last)
        return 0;
    const uint64_t upper = last == 63 ? ~uint64_t{0} : (uint64_t{1} << (last + 1)) - 1;
    return upper & ~((uint64_t{1} << first) - 1);
}

// The two words a recorded frame is decoded from: `intel` holds byte i at
// bits 8i, `motorola` is the frame read as a big-endian number of its byte
// count. `count` beyond 8 bytes is cut to 8.
struct FrameWords {
    uint64_t intel = 0;
    uint64_t motorola = 0;
};
FrameWords MakeFrameWords(const uint8_t* bytes, int count);

} // namespace canbits
