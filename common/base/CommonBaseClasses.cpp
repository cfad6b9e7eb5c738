#include "common/base/CommonBaseClasses.h"

#include "common/base/ZELObArray.h"
#include "common/base/ZELPtrArray.h"
#include "common/base/ZelException.h"

void RegisterCommonBaseClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CZelException));
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELObArray));
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELPtrArray));
}
