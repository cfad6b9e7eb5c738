#include "instrument/meter/MeterClasses.h"

#include "instrument/meter/KivMeter.h"

void RegisterMeterClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CKivMeter));
}
