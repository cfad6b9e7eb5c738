#pragma once

// Fetches the recorded files of a finished measurement without a window:
// the transfer objects of the mode, run to their end on the retrieval
// engine. The panel uses it until a dialog shows the transfer.

#include "instrument/system/BoxArray.h"

struct ITransferHost;

// Modes as the panel names them: 0 unit memory, 1 card through the unit,
// 3 chosen card files. IDOK when every item went in, else IDCANCEL.
int RunPanelRetrieval(ITransferHost& host, CBoxArray::FileVectors& lists, int mode);
