#pragma once

// What a recorded-data transfer needs of the project that receives the
// samples. The project document lives on the same level as this folder's
// users, so it reaches the transfers only through this interface, which it
// implements; tests implement it over a plain measuring system.

#include "framework/core/CString.h"

#include <exception>

class CADSetPrf;
class CBoxArray;
class CMeterInterfacePrf;

struct ITransferHost {
    virtual ~ITransferHost() = default;

    // The measuring system the samples go into: the project's own, or the
    // temporary one that BeginImportBoxArray put in its place.
    virtual CBoxArray& GetActiveBoxArray() = 0;
    // The project's own measuring system, whose control units reach the
    // instruments while a temporary one is active.
    virtual CBoxArray& GetOwnBoxArray() = 0;
    // Builds a temporary measuring system from the profile and A/D setting,
    // with its control units put aside for editing (BeginMeterEdit), and
    // makes it the active one; false when that fails.
    virtual bool BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet) = 0;
    // The project's channel columns follow a changed measuring system.
    virtual void RefreshChannelColumns() = 0;

    // The continue question ("%s\n続行しますか？" with the text), written to
    // the error log beside the data; true for yes.
    virtual bool AskContinue(const fw::CString& text) = 0;
    // A message box with the text.
    virtual void ShowMessage(const fw::CString& text) = 0;
    // The framework's report of an exception (file errors and the like).
    virtual void ReportException(const std::exception& e) = 0;

    // Progress of the current item in percent, with the message id of the
    // transfer's kind.
    virtual void ShowProgress(unsigned messageId, unsigned percent) {}
    // Every box of file set `fileIndex` is stored: the project recalculates,
    // adds its history step and writes the data document; false ends the
    // run.
    virtual bool CompleteFileSet(int fileIndex) { return true; }
};
