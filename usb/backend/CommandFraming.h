#pragma once

// What both libraries do alike before a transfer: the time-out conversion and
// the framing of a command line into whole packets.

#include "usb/UsbTransport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace usbio {

// Seconds as milliseconds, held to the 32-bit range the time-outs are kept in.
inline int32_t SecondsToMs(int32_t seconds)
{
    const int64_t ms = static_cast<int64_t>(seconds) * 1000;
    return static_cast<int32_t>(std::clamp<int64_t>(ms, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Bytes of the block that carries a command of textBytes and its CR LF: the
// unit reads whole packets.
inline size_t CommandBlockBytes(size_t textBytes)
{
    constexpr size_t packet = kUsbPacketBytes;
    return (textBytes + 2 + packet - 1) / packet * packet;
}

// Fills block[0, CommandBlockBytes(textBytes)) with the command, CR LF and
// blank padding.
inline void FrameCommand(uint8_t* block, const char* text, size_t textBytes)
{
    std::memset(block, ' ', CommandBlockBytes(textBytes));
    if (textBytes > 0)
        std::memcpy(block, text, textBytes);
    block[textBytes] = '\r';
    block[textBytes + 1] = '\n';
}

} // namespace usbio
