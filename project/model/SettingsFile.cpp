// Settings files (".set") that control units read to measure on their own.

#include "project/model/KIV5980Doc.h"
