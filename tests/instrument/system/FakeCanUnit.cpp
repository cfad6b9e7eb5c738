#include "tests/instrument/system/FakeCanUnit.h"

namespace systest {

FW_IMPLEMENT_SERIAL(CKiv463Unit, CKivUnit, 1)

} // namespace systest
