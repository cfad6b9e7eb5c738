// Grid styles as every settings table of a document stores them.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(grid_style_archive_fuzz)
{
    kivfuzz::RegisterEverything();
    kivfuzz::ReadOneOf(data, size, {"CZELGridStyle", "CZELPaneStyle", "CZELGridArray", "CZELGridRealArray",
                                    "CZELGridSameArray", "CGridJob"});
    return 0;
}
