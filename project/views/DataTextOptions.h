#pragma once

// The text-conversion options the program keeps while it runs (one record,
// shared by the project's data list, the history conversion and the data
// documents' lists), and how the data-list page asks the user for them: the
// data documents' option sheet, installed by the program.

#include "data/model/TextConvParam.h"
#include "grid/model/GridTypes.h"

class CKIV5980Doc;

namespace fw {
class CWnd;
}

// The program's record.
tTextConvParam& AppTextConvParam();

class IDataListTextSheet {
public:
    virtual ~IDataListTextSheet() = default;
    // Edits `options` for the selection of `doc`'s data list, opening on
    // the page of the last used format; false when cancelled.
    virtual bool Run(tTextConvParam& options, const CCellRange& selection, CKIV5980Doc& doc, fw::CWnd* parent) = 0;
};
