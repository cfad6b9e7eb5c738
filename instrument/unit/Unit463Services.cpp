#include "instrument/unit/Unit463Services.h"

#include "framework/core/ServiceSlot.h"

IUnit463Services& Unit463Services()
{
    static IUnit463Services defaults;
    IUnit463Services* installed = fw::Installed<IUnit463Services>();
    return installed ? *installed : defaults;
}
