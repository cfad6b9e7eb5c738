#include "project/model/UpdateShowChannel.h"

FW_IMPLEMENT_DYNAMIC(CUpdateShowChannel, CUpdateDataDoc)
