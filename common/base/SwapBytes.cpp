#include "common/base/SwapBytes.h"

#include <utility>

int SwapBytes16(void* buffer, int byteCount)
{
    if (!buffer || byteCount < 2)
        return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (int i = 0; i + 1 < byteCount; i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return 0;
}
