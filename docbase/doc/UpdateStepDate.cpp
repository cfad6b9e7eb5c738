#include "docbase/doc/UpdateStepDate.h"

FW_IMPLEMENT_DYNAMIC(CUpdateStepDate, CUpdateDataDoc)
