// The graph page's drawing objects, as the clipboard and the page read
// them.

#include "fuzz/FuzzTarget.h"

#include "docbase/graphpage/DrawObj.h"
#include "docbase/graphpage/GraphPageClipboard.h"

#include <span>

KIV_FUZZ_TARGET(graph_page_archive_fuzz)
{
    kivfuzz::RegisterEverything();
    if (size > 0 && data[0] % 2 == 0) {
        kivfuzz::ReadOneOf(data + 1, size - 1, {"CDrawObj", "CDrawOleObj", "CDrawItem"});
        return 0;
    }
    kivfuzz::RefusedAsDamage([&] {
        const CDrawObjList objects = LoadDrawObjects(std::span<const uint8_t>(data, size).subspan(size > 0 ? 1 : 0),
                                                     nullptr);
        for (CDrawObj* object : objects)
            object->Remove();
    });
    return 0;
}
