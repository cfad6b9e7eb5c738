// The measurement-data file (".kivd"), read into a data document.

#include "fuzz/FuzzTarget.h"

#include "data/model/DataClasses.h"
#include "data/model/KivDataDoc.h"

KIV_FUZZ_TARGET(data_file_fuzz)
{
    kivfuzz::RegisterEverything();
    static const bool registered = [] {
        RegisterDataClasses();
        return true;
    }();
    (void)registered;
    // A document takes a second to make (its identifier follows the clock),
    // so one document reads every input, emptied before each.
    static CKivDataDoc* doc = new CKivDataDoc;
    doc->DeleteContents();
    kivfuzz::ReadBodyOf(*doc, data, size);
    return 0;
}
