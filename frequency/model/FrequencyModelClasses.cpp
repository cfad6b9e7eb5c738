#include "frequency/model/FrequencyModelClasses.h"

#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistCountObj.h"

void RegisterFrequencyModelClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CHistCountObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CHistCountArray));
}
