#include "measure/model/poll/PanelRetrieval.h"

#include "framework/core/Services.h"
#include "measure/model/CFMeterUpdate.h"
#include "measure/model/GetCFUpdate.h"
#include "measure/model/TransferRun.h"

#include <memory>

int RunPanelRetrieval(ITransferHost& host, CBoxArray::FileVectors& lists, int mode)
{
    std::unique_ptr<CCFUpdate> transfer;
    if (mode == 0)
        transfer = std::make_unique<CCFMeterUpdate>(host);
    else if (mode == 3)
        transfer = std::make_unique<CGetCFFileUpdate>(host);
    else
        transfer = std::make_unique<CGetCFUpdate>(host);
    transfer->SetFileLists(&lists);
    if (!transfer->Prepare())
        return fw::IDCANCEL;
    CTransferRun run(host);
    return run.RunThroughUnits(*transfer) == CTransferRun::kCompleted ? fw::IDOK : fw::IDCANCEL;
}
