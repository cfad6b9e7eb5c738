#pragma once

// The flat interface of the USB transport libraries (libkiv406.so and
// libZELUSB.so). The program loads a library at run time and looks these
// functions up by name, so nothing here is linked; the libraries include it
// to keep their exports and this list in step.
//
// Every argument and result is a 32-bit integer or a byte buffer. Devices
// are numbered from 1 to the count that Kiv406CountDevices returned.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(KIV_USB_BUILDING_LIBRARY)
#define KIV_USB_API __attribute__((visibility("default")))
#else
#define KIV_USB_API
#endif

// Negative results of the interface.
enum {
    kUsbErrNoDevice = -1001,       // no device found, or a bad device number
    kUsbErrBadPipeDevice = -1003,  // bad device number for ResetPipe
    kUsbErrShortPacket = -1005,    // a packet was short or did not arrive in time
    kUsbErrShortRead = -1006,      // a raw read was short or did not arrive in time
    kUsbErrShortTextWrite = -1007,
    kUsbErrShortRawWrite = -1008,
    kUsbErrBadLength = -1009,
    kUsbErrAlreadyOpen = -1011,
    kUsbErrNotOpen = -1012,
    kUsbErrReplyTimeout = -1013,   // kiv406: a reply did not complete in time
    kUsbErrCannotOpen = -1015      // the device or its pipe cannot be opened
};

// The control unit moves everything in packets of this size.
enum { kUsbPacketBytes = 64 };

// A line or reply read without a length argument never writes more than
// this many bytes (text and NUL) into the caller's buffer; a longer text is
// reported as a failed read. Callers that cannot rule out long replies pass
// a buffer of this size.
enum { kUsbTextReadLimit = 1048576 };

KIV_USB_API int32_t Kiv406Close(void);
KIV_USB_API int32_t Kiv406CloseDevice(int32_t device);
KIV_USB_API int32_t Kiv406CountDevices(void);
KIV_USB_API int32_t Kiv406GetConfigDescriptor(int32_t device, unsigned char* buffer);
KIV_USB_API int32_t Kiv406GetDeviceCounts(void);
KIV_USB_API int32_t Kiv406GetDeviceDescriptor(int32_t device, unsigned char* buffer);
KIV_USB_API int32_t Kiv406GetReadTimeout(void);
KIV_USB_API int32_t Kiv406GetWriteTimeout(void);
KIV_USB_API int32_t Kiv406ReadA(int32_t device, char* buffer);
KIV_USB_API int32_t Kiv406ReadA0(int32_t device, char* buffer);
KIV_USB_API int32_t Kiv406ReadAs(int32_t device, char* buffer);
KIV_USB_API int32_t Kiv406ReadB(int32_t device, void* buffer, int32_t length);
KIV_USB_API void Kiv406ResetDevice(int32_t device);
KIV_USB_API int32_t Kiv406ResetPipe(int32_t device, int32_t pipe);
KIV_USB_API int32_t Kiv406SetReadTimeout(int32_t seconds);
KIV_USB_API int32_t Kiv406SetWriteTimeout(int32_t seconds);
KIV_USB_API int32_t Kiv406Status(void);
KIV_USB_API void Kiv406StopControl(int32_t device);
KIV_USB_API void Kiv406StopRead(int32_t device);
KIV_USB_API void Kiv406StopWrite(int32_t device);
KIV_USB_API int32_t Kiv406WriteA(int32_t device, const char* text, int32_t length);
KIV_USB_API int32_t Kiv406WriteB(int32_t device, const void* buffer, int32_t length);

// The nine functions the program resolves, in the order it looks them up.
typedef int32_t (*Kiv406CountDevicesFn)(void);
typedef int32_t (*Kiv406CloseFn)(void);
typedef int32_t (*Kiv406ReadAFn)(int32_t device, char* buffer);
typedef int32_t (*Kiv406ReadAsFn)(int32_t device, char* buffer);
typedef int32_t (*Kiv406ReadBFn)(int32_t device, void* buffer, int32_t length);
typedef int32_t (*Kiv406WriteAFn)(int32_t device, const char* text, int32_t length);
typedef int32_t (*Kiv406WriteBFn)(int32_t device, const void* buffer, int32_t length);
typedef int32_t (*Kiv406SetReadTimeoutFn)(int32_t seconds);
typedef int32_t (*Kiv406StatusFn)(void);

#ifdef __cplusplus
}
#endif
