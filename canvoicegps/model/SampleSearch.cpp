#include "canvoicegps/model/SampleSearch.h"

#include "common/tank/DataTankObject.h"

int FindSampleAtOrBefore(CDataTankObject* tank, double time)
{
    if (!tank)
        return -1;
    const int last = tank->GetDataCount() - 1;
    if (last < 0)
        return -1;
    if (time <= tank->GetValue(0))
        return 0;
    if (time >= tank->GetValue(last))
        return last;
    // value(lower) < time < value(upper) holds on every step.
    int lower = 0;
    int upper = last;
    while (upper - lower > 1) {
        const int middle = lower + (upper - lower) / 2;
        const double value = tank->GetValue(middle);
        if (value == time)
            return middle;
        if (value < time)
            lower = middle;
        else
            upper = middle;
    }
    return lower;
}
