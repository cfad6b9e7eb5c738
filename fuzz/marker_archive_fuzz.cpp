// Time marks, drawn markers and the GPS and CAN graph records as data
// documents and graph lists store them.

#include "canvoicegps/model/CanGpsGraphClasses.h"
#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(marker_archive_fuzz)
{
    static const bool registered = [] {
        kivfuzz::RegisterEverything();
        RegisterCanGpsGraphClasses();
        return true;
    }();
    (void)registered;
    kivfuzz::ReadOneOf(data, size, {"CMarkerObj", "CVoiceMarkerObj", "CDrawGPSMarker", "CDrawGraphMarker",
                                    "CGpsGraphDraw", "CCanGraphTimeListObj"});
    return 0;
}
