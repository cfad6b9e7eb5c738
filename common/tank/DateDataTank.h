#pragma once

#include "common/tank/DataTank.h"

// OLE dates. The empty marker is 0.0, so 30 December 1899 00:00:00 shows as
// the empty text. Texts are read and written by the tank's own date format,
// also when the caller asks for no format.
class CDateDataTank : public CDataTank<double> {
    FW_DECLARE_SERIAL(CDateDataTank)
public:
    CDateDataTank();

    CZELDataPoter* CreatePoter(int start, int count) override;

protected:
    bool ParseValueText(const fw::CString& text, double& out) const override;
    void FormatValueText(double value, fw::CString& out, bool useFormat) const override;
};
