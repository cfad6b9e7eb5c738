#include "frequency/document/FrequencyDocClasses.h"

#include "frequency/document/HistDataBoxArray.h"
#include "frequency/document/HistDoc.h"

void RegisterFrequencyDocClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CHistDataBoxArray));
    fw::RegisterClass(FW_RUNTIME_CLASS(CHistDoc));
}
