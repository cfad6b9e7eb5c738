#include "canvoicegps/CanBitLayout.h"

namespace canbits {

FrameWords MakeFrameWords(const uint8_t* bytes, int count)
{
    FrameWords words;
    if (!bytes || count <= 0)
        return words;
    if (count > kMaxFrameBytes)
        count = kMaxFrameBytes;
    for (int i = 0; i < count; ++i) {
        words.intel |= uint64_t{bytes[i]} << (8 * i);
        words.motorola = (words.motorola << 8) | bytes[i];
    }
    return words;
}

} // namespace canbits
