#pragma once

// Recorded files on a control unit's card, read through the unit: "DAT"
// starts the file's sample stream, which the worker reads chunk by chunk,
// keeps the words of the channels the project holds and writes to the
// temporary file. CGetCFUpdate adapts the project's own control units to
// the recorded headers; CGetCFFileUpdate builds a temporary measuring
// system from them instead, reaching the units through the project's own
// control units' links.

#include "measure/model/CFMeterUpdate.h"

#include <exception>
#include <functional>

class CGetCFUpdate : public CCFMeterUpdate {
public:
    explicit CGetCFUpdate(ITransferHost& host);

    void SetUseFileFormat(bool use) { m_useFileFormat = use; }
    bool GetUseFileFormat() const { return m_useFileFormat; }

    bool Prepare() override;
    bool OpenItem() override;
    bool TransferChunk() override;
    bool HasUnit463() const override;

protected:
    // Runs `step` until it succeeds; a failure is offered through the
    // continue question (when asking on errors) with the unit's text, and
    // yes runs it again. False when a failure is not repeated.
    bool WithRetry(const std::function<void()>& step);
    // The header text of `entry` through `meter`, retried as above.
    bool ReadHeaderThrough(CKivMeter& meter, const CKiv406FileInfo& entry, fw::CString& text);
    // The calculated-channel list and the tanks to the largest count.
    void SizeTanks(CBoxArray& system, int largest);

    bool m_useFileFormat = true;
};

class CGetCFFileUpdate : public CGetCFUpdate {
public:
    explicit CGetCFFileUpdate(ITransferHost& host) : CGetCFUpdate(host) {}

    bool Prepare() override;
};
