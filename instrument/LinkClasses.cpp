#include "instrument/LinkClasses.h"

#include "instrument/Kiv406UsbInterface.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/MeterInterface.h"
#include "instrument/MeterSocket.h"
#include "instrument/ZELMeter.h"

void RegisterLinkClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CMeterInterface));
    fw::RegisterClass(FW_RUNTIME_CLASS(CMeterSocket));
    fw::RegisterClass(FW_RUNTIME_CLASS(CKiv406UsbInterface));
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELMeter));
    fw::RegisterClass(FW_RUNTIME_CLASS(CKivUnitTypes));
}
