#pragma once

// The column tanks of the calculated-channel table (row r stands for
// calculated channel 500 + r). Setting a cell also creates the row's
// channel in the owning channel list when it does not exist yet and passes
// the name, unit, display format or formula on to it. The owner is not
// owned; the table builder sets it.

#include "common/tank/BoolDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/StringDataTank.h"

class CCalcuDataTank;
class CDataSPTankData;

// Shared by the columns: the owner and the channel of a row.
class CCalcColumnOwner {
public:
    void SetOwner(CDataSPTankData* owner) { m_owner = owner; }
    CDataSPTankData* GetOwner() const { return m_owner; }

protected:
    // The channel of `row`, created when missing; null without an owner or
    // when it cannot be created (out of memory: the message is shown).
    CCalcuDataTank* ChannelOfRow(int row, bool create) const;

    CDataSPTankData* m_owner = nullptr;
};

// Formula texts.
class CFuncTank : public CStringDataTank, public CCalcColumnOwner {
    FW_DECLARE_SERIAL(CFuncTank)
public:
    CFuncTank();

    // A "name:" prefix (a colon after the first character) is cut up to and
    // including the last colon.
    bool SetValueText(int index, const fw::CString& text) override;
    double GetValue(int index) override;
    // Empties the rows, then has the owner compile them again (so their
    // formulas go), with the two integers as the reference limits.
    void ClearRange(int start, int count) override;

    void SetChannelInfo(int32_t first, int32_t second);
    int32_t GetChannelInfoFirst() const { return m_infoFirst; }
    int32_t GetChannelInfoSecond() const { return m_infoSecond; }

private:
    int32_t m_infoFirst = -1;
    int32_t m_infoSecond = -1;
};

// Channel names.
class CNameTank : public CStringDataTank, public CCalcColumnOwner {
    FW_DECLARE_SERIAL(CNameTank)
public:
    CNameTank();
    bool SetValueText(int index, const fw::CString& text) override;
    double GetValue(int index) override;
    void ClearRange(int start, int count) override;
};

// Unit texts.
class CUnitTank : public CStringDataTank, public CCalcColumnOwner {
    FW_DECLARE_SERIAL(CUnitTank)
public:
    CUnitTank();
    bool SetValueText(int index, const fw::CString& text) override;
    double GetValue(int index) override;
    void ClearRange(int start, int count) override;
};

// Display format codes, shown as the texts of the main format table.
class CFormatTank : public CShortDataTank, public CCalcColumnOwner {
    FW_DECLARE_SERIAL(CFormatTank)
public:
    CFormatTank();
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    bool SetValueText(int index, const fw::CString& text) override;
    bool SetValue(int index, double value) override;
    void ClearRange(int start, int count) override;
};

// "ON" / "OFF".
class COnOffTank : public CBoolDataTank {
    FW_DECLARE_SERIAL(COnOffTank)
public:
    COnOffTank();
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    bool SetValueText(int index, const fw::CString& text) override;
    int GetLastFilledIndex() override;
};
