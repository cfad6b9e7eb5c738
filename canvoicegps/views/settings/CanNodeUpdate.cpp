#include "canvoicegps/views/settings/CanNodeUpdate.h"

FW_IMPLEMENT_DYNAMIC(CCanNodeUpdate, fw::CObject)
