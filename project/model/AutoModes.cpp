// The programs of the interval, data-comparator and cycle-trigger modes.

#include "project/model/KIV5980Doc.h"

struct CKIV5980Doc::ProgramRow {
};
