#pragma once

// The GPS and CAN files of a CAN/voice/GPS unit come through the unit the
// same way: one file per unit port, streamed with "DAT" into the temporary
// file chunk by chunk up to the file's end. What each kind reads from its
// header and how it stores what arrived is its own.

#include "measure/model/CFMeterUpdate.h"

class CUnitPortStreamUpdate : public CCFMeterUpdate {
public:
    explicit CUnitPortStreamUpdate(ITransferHost& host) : CCFMeterUpdate(host) {}

    bool TransferChunk() override;
    unsigned GetEnd() const override { return m_end; }

protected:
    CKivMeter& UnitMeter() const { return MeterOf(m_meterBox); }

    int m_meterBox = 0;
    unsigned m_end = 0;
    unsigned m_chunk = 0;
    fw::CString m_baseName;
};
