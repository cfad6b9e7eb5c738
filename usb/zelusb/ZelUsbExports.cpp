// The exported functions of libZELUSB.so: the same interface under twelve
// name prefixes, which differ only in how a text line is read.

#define KIV_USB_BUILDING_LIBRARY 1
#include "usb/UsbTransport.h"
#include "usb/zelusb/ZelUsbLibrary.h"

#define ZEL_API extern "C" __attribute__((visibility("default")))

namespace {

using zelusb::LineOptions;
using zelusb::ReplyOptions;
using zelusb::TheZelUsbLibrary;

constexpr LineOptions kKeepLine{false, true};
constexpr LineOptions kCutLine{false, false};
constexpr LineOptions kLengthLine{true, true};
constexpr ReplyOptions kPlainReply{false, false};
constexpr ReplyOptions kLengthReply{true, true};

} // namespace

// The functions that every prefix has in the same form.
#define ZEL_COMMON_EXPORTS(P)                                                                        \
    ZEL_API int32_t P##Close(void) { return TheZelUsbLibrary().Close(); }                            \
    ZEL_API int32_t P##CloseDevice(int32_t device) { return TheZelUsbLibrary().CloseDevice(device); } \
    ZEL_API int32_t P##CountDevices(void) { return TheZelUsbLibrary().CountDevices(); }              \
    ZEL_API int32_t P##GetDeviceCounts(void) { return TheZelUsbLibrary().GetDeviceCounts(); }        \
    ZEL_API int32_t P##GetReadTimeout(void) { return TheZelUsbLibrary().GetReadTimeout(); }          \
    ZEL_API int32_t P##GetWriteTimeout(void) { return TheZelUsbLibrary().GetWriteTimeout(); }        \
    ZEL_API int32_t P##ReadB(int32_t device, void* buffer, int32_t length)                           \
    {                                                                                                \
        return TheZelUsbLibrary().ReadB(device, buffer, length);                                     \
    }                                                                                                \
    ZEL_API void P##ResetDevice(int32_t) {}                                                          \
    ZEL_API int32_t P##ResetPipe(int32_t device, int32_t pipe)                                       \
    {                                                                                                \
        return TheZelUsbLibrary().ResetPipe(device, pipe);                                           \
    }                                                                                                \
    ZEL_API int32_t P##SetReadTimeout(int32_t seconds) { return TheZelUsbLibrary().SetReadTimeout(seconds); } \
    ZEL_API int32_t P##SetWriteTimeout(int32_t seconds)                                              \
    {                                                                                                \
        return TheZelUsbLibrary().SetWriteTimeout(seconds);                                          \
    }                                                                                                \
    ZEL_API int32_t P##Status(void) { return TheZelUsbLibrary().Status(); }                          \
    ZEL_API void P##StopControl(int32_t) {}                                                          \
    ZEL_API void P##StopRead(int32_t) {}                                                             \
    ZEL_API void P##StopWrite(int32_t) {}                                                            \
    ZEL_API int32_t P##WriteA(int32_t device, const char* text, int32_t length)                      \
    {                                                                                                \
        return TheZelUsbLibrary().WriteA(device, text, length);                                      \
    }                                                                                                \
    ZEL_API int32_t P##WriteB(int32_t device, const void* buffer, int32_t length)                    \
    {                                                                                                \
        return TheZelUsbLibrary().WriteB(device, buffer, length);                                    \
    }

// Two-argument text reads; `LINE` chooses whether CR LF stays in the line.
#define ZEL_TWO_ARGUMENT_EXPORTS(P, LINE)                                                            \
    ZEL_COMMON_EXPORTS(P)                                                                            \
    ZEL_API int32_t P##GetConfigDescriptor(int32_t device, unsigned char* buffer)                   \
    {                                                                                                \
        return TheZelUsbLibrary().GetConfigDescriptor(device, buffer);                               \
    }                                                                                                \
    ZEL_API int32_t P##GetDeviceDescriptor(int32_t device, unsigned char* buffer)                   \
    {                                                                                                \
        return TheZelUsbLibrary().GetDeviceDescriptor(device, buffer);                               \
    }                                                                                                \
    ZEL_API int32_t P##ReadA(int32_t device, char* buffer)                                           \
    {                                                                                                \
        return TheZelUsbLibrary().ZelReadLine(device, buffer, nullptr, LINE);                        \
    }                                                                                                \
    ZEL_API int32_t P##ReadA0(int32_t device, char* buffer)                                          \
    {                                                                                                \
        return TheZelUsbLibrary().ZelReadPacket(device, buffer, nullptr, false);                     \
    }                                                                                                \
    ZEL_API int32_t P##ReadAs(int32_t device, char* buffer)                                          \
    {                                                                                                \
        return TheZelUsbLibrary().ZelReadReply(device, buffer, nullptr, kPlainReply);                \
    }

// Three-argument text reads: the length is bounded in and reported out.
#define ZEL_THREE_ARGUMENT_EXPORTS(P)                                                                \
    ZEL_COMMON_EXPORTS(P)                                                                            \
    ZEL_API int32_t P##GetConfigDescriptor(int32_t device, unsigned char* buffer, int32_t)          \
    {                                                                                                \
        return TheZelUsbLibrary().GetConfigDescriptor(device, buffer);                               \
    }                                                                                                \
    ZEL_API int32_t P##GetDeviceDescriptor(int32_t device, unsigned char* buffer, int32_t)          \
    {                                                                                                \
        return TheZelUsbLibrary().GetDeviceDescriptor(device, buffer);                               \
    }                                                                                                \
    ZEL_API int32_t P##ReadA(int32_t device, char* buffer, int32_t* length)                          \
    {                                                                                                \
        return TheZelUsbLibrary().ZelReadLine(device, buffer, length, kLengthLine);                  \
    }                                                                                                \
    ZEL_API int32_t P##ReadA0(int32_t device, char* buffer, int32_t* length)                         \
    {                                                                                                \
        return TheZelUsbLibrary().ZelReadPacket(device, buffer, length, true);                       \
    }                                                                                                \
    ZEL_API int32_t P##ReadAs(int32_t device, char* buffer, int32_t* length)                         \
    {                                                                                                \
        return TheZelUsbLibrary().ZelReadReply(device, buffer, length, kLengthReply);                \
    }

ZEL_TWO_ARGUMENT_EXPORTS(Zel, kKeepLine)
ZEL_TWO_ARGUMENT_EXPORTS(Kiv406, kKeepLine)
ZEL_TWO_ARGUMENT_EXPORTS(Lob62a, kKeepLine)
ZEL_TWO_ARGUMENT_EXPORTS(Vo285a, kKeepLine)
ZEL_TWO_ARGUMENT_EXPORTS(Nuk671a, kKeepLine)
ZEL_TWO_ARGUMENT_EXPORTS(Nuk782, kKeepLine)
ZEL_TWO_ARGUMENT_EXPORTS(Yb093p, kCutLine)
ZEL_TWO_ARGUMENT_EXPORTS(Yb716r, kCutLine)
ZEL_TWO_ARGUMENT_EXPORTS(Gus841, kCutLine)
ZEL_THREE_ARGUMENT_EXPORTS(Jx57k)
ZEL_THREE_ARGUMENT_EXPORTS(Nuk926)
ZEL_THREE_ARGUMENT_EXPORTS(Zeln)

ZEL_API int32_t ZelReadAd(int32_t device, char* buffer)
{
    return TheZelUsbLibrary().ZelReadLine(device, buffer, nullptr, kCutLine);
}
