#include "project/views/DataTextOptions.h"

tTextConvParam& AppTextConvParam()
{
    static tTextConvParam options;
    return options;
}
