#include "project/views/pages/HistoryPageServices.h"

#include "framework/core/ServiceSlot.h"

IHistoryPageServices& HistoryPageServices()
{
    if (IHistoryPageServices* services = fw::Installed<IHistoryPageServices>())
        return *services;
    static IHistoryPageServices fallback;
    return fallback;
}
