#pragma once

// What a transfer session needs of the project beyond what the transfers
// ask (ITransferHost): the end of each file set as a history step and a
// measurement-data document, the history's room, the GPS and CAN tank
// lists emptied before a file set, and where progress is shown.

#include "framework/core/CString.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "measure/model/TransferHost.h"

struct ITransferTarget : ITransferHost {
    // Every box of the file set whose first box's entry is `entry` is
    // stored: recalculates the calculated channels, closes the control-unit
    // edit of the active measuring system when asked, and makes the step
    // (1; 2 when no data document could be made; any other result of the
    // project, passed on).
    virtual int SaveStep(const CKiv406FileInfo& entry, bool force, bool endMeterEdit) = 0;
    // The measurement history still has room for a step.
    virtual bool CanAddStep() = 0;
    // The history's highest index + 1.
    virtual int StepCount() = 0;
    // The GPS and CAN tank lists of the active measuring system emptied.
    virtual void ClearCompanionTanks() = 0;
    // The project's own measuring system active again, the temporary one of
    // an import gone.
    virtual void EndImportBoxArray() = 0;
    // The item being transferred, and the file set (0-based).
    virtual void ShowItem(const fw::CString& caption) {}
    virtual void ShowFileSet(int index) {}
    // Deleting on the cards: the continue question with the unit's text.
    virtual bool AskDeleteContinue(const fw::CString& text) { return AskContinue(text); }
};
