#include "app/shell/register/SubsystemRegistration.h"

void RegisterMeasureSubsystem()
{
}
