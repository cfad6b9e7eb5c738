// The measurement project file (".kivp"), read into a project document.

#include "fuzz/FuzzTarget.h"

#include "project/model/KIV5980Doc.h"

KIV_FUZZ_TARGET(project_file_fuzz)
{
    kivfuzz::RegisterEverything();
    // A document takes a second to make (its identifier follows the clock),
    // so one document reads every input, emptied before each.
    static CKIV5980Doc* doc = new CKIV5980Doc;
    doc->DeleteContents();
    kivfuzz::ReadBodyOf(*doc, data, size);
    return 0;
}
