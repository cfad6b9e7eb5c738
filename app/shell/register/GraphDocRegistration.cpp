#include "app/shell/register/SubsystemRegistration.h"

void RegisterGraphDocuments()
{
}
