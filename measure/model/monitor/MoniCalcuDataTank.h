#pragma once

// A tank of the monitor trend: its values are its own (a small window in
// memory, the history in its cache file), but it presents the name, unit
// and format of the project's channel tank of the same number and shares
// that tank's watch count, so that a display watching the trend makes
// the panel poll the channel. It holds one reference on that tank.

#include "common/calc/CashCalcuDataTank.h"

class CMoniCalcuDataTank : public CCashCalcuDataTank {
    FW_DECLARE_SERIAL(CMoniCalcuDataTank)
public:
    CMoniCalcuDataTank() = default;
    ~CMoniCalcuDataTank() override;
    CMoniCalcuDataTank(const CMoniCalcuDataTank&) = delete;
    CMoniCalcuDataTank& operator=(const CMoniCalcuDataTank&) = delete;

    // The channel tank this one follows (null: none). The watchers counted
    // so far move along to the new tank; the old one is given up, and
    // deleted when that was its last reference.
    void SetSourceTank(CDataTankObject* source);
    CDataTankObject* GetSourceTank() const { return m_source; }

    int16_t GetFormat() const override;
    fw::CString GetName() const override;
    fw::CString GetUnit() const override;
    int AddUse() override;
    int RemoveUse() override;
    int GetUseCount() const override;

private:
    CCalcuDataTank* SourceCalc() const;

    CDataTankObject* m_source = nullptr;
};
