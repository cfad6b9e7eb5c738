// The frequency-data file (".kivh"), read into a frequency document.

#include "fuzz/FuzzTarget.h"

#include "frequency/document/FrequencyDocClasses.h"
#include "frequency/document/HistDoc.h"

KIV_FUZZ_TARGET(hist_file_fuzz)
{
    kivfuzz::RegisterEverything();
    static const bool registered = [] {
        RegisterFrequencyDocClasses();
        return true;
    }();
    (void)registered;
    // A document takes a second to make (its identifier follows the clock),
    // so one document reads every input, emptied before each.
    static CHistDoc* doc = new CHistDoc;
    doc->DeleteContents();
    kivfuzz::ReadBodyOf(*doc, data, size);
    return 0;
}
