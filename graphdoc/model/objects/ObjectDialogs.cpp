#include "graphdoc/model/objects/ObjectDialogs.h"

IGraphObjectDialogs& GraphObjectDialogs()
{
    static IGraphObjectDialogs cancelling;
    IGraphObjectDialogs* installed = fw::Installed<IGraphObjectDialogs>();
    return installed ? *installed : cancelling;
}
