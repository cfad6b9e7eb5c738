#include "canvoicegps/model/UpdateSelArea.h"

FW_IMPLEMENT_DYNAMIC(CUpdateSelArea, fw::CObject)
