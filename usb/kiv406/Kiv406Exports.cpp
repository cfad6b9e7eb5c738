// The exported functions of libkiv406.so.

#define KIV_USB_BUILDING_LIBRARY 1
#include "usb/UsbTransport.h"
#include "usb/kiv406/Kiv406Library.h"

using kiv406::TheKiv406Library;

extern "C" {

int32_t Kiv406Close(void)
{
    return TheKiv406Library().Close();
}

int32_t Kiv406CloseDevice(int32_t device)
{
    return TheKiv406Library().CloseDevice(device);
}

int32_t Kiv406CountDevices(void)
{
    return TheKiv406Library().CountDevices();
}

int32_t Kiv406GetDeviceDescriptor(int32_t, unsigned char*)
{
    return 0;
}

int32_t Kiv406GetReadTimeout(void)
{
    return TheKiv406Library().GetReadTimeout();
}

int32_t Kiv406GetWriteTimeout(void)
{
    return TheKiv406Library().GetWriteTimeout();
}

int32_t Kiv406ReadA(int32_t device, char* buffer)
{
    return TheKiv406Library().ReadA(device, buffer);
}

int32_t Kiv406ReadA0(int32_t device, char* buffer)
{
    return TheKiv406Library().ReadA0(device, buffer);
}

int32_t Kiv406ReadAs(int32_t device, char* buffer)
{
    return TheKiv406Library().ReadAs(device, buffer);
}

int32_t Kiv406ReadB(int32_t device, void* buffer, int32_t length)
{
    return TheKiv406Library().ReadB(device, buffer, length);
}

void Kiv406ResetDevice(int32_t) {}

int32_t Kiv406ResetPipe(int32_t device, int32_t pipe)
{
    return TheKiv406Library().ResetPipe(device, pipe);
}

int32_t Kiv406SetReadTimeout(int32_t seconds)
{
    return TheKiv406Library().SetReadTimeout(seconds);
}

int32_t Kiv406SetWriteTimeout(int32_t seconds)
{
    return TheKiv406Library().SetWriteTimeout(seconds);
}

int32_t Kiv406Status(void)
{
    return TheKiv406Library().Status();
}

void Kiv406StopControl(int32_t) {}
void Kiv406StopRead(int32_t) {}
void Kiv406StopWrite(int32_t) {}

int32_t Kiv406WriteA(int32_t device, const char* text, int32_t length)
{
    return TheKiv406Library().WriteA(device, text, length);
}

int32_t Kiv406WriteB(int32_t device, const void* buffer, int32_t length)
{
    return TheKiv406Library().WriteB(device, buffer, length);
}

} // extern "C"
