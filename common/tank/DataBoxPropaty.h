#pragma once

// One box (control unit) of a data set: its name, unit types, row count and
// column tanks. Cells are read and written through the column's tank; the
// subclasses create the columns and fill them.

#include "common/tank/BoxChannel.h"
#include "common/tank/DataTankList.h"
#include "framework/core/Collections.h"

#include <array>

class CDataBoxPropaty : public fw::CObject {
    FW_DECLARE_SERIAL(CDataBoxPropaty)
public:
    static constexpr int kUnitPorts = 10;

    CDataBoxPropaty();
    ~CDataBoxPropaty() override;
    CDataBoxPropaty(const CDataBoxPropaty&) = delete;
    CDataBoxPropaty& operator=(const CDataBoxPropaty&) = delete;

    // Name, row count, the column list, the channel map, the unit types.
    void Serialize(fw::CArchive& ar) override;

    // A column outside the list (or without a tank) raises
    // fw::CInvalidArgException.
    virtual double GetCellValue(int row, int column);
    // The column tank's text of the row, with the tank's display format.
    virtual fw::CString GetCellText(int row, int column, fw::CString& text);
    // Always true, also when the tank keeps its old text.
    virtual bool SetCellText(int row, int column, const fw::CString& text);
    // The tank's answer.
    virtual bool SetCellValue(int row, int column, double value);
    // Creates the column tanks of a subclass; nothing here.
    virtual void CreateColumns();

    // Column building for every settings table: names the tank with string
    // `stringId`, sets its kind (cut to 16 bits), grows it to `size` values
    // with its fill marker and hands it to the list (which takes over the
    // creator's reference). Returns the tank.
    static CDataTankObject* AddColumnTank(CDataTankList& list, unsigned stringId, CDataTankObject* tank, int size,
                                          int32_t kind);
    static CDataTankObject* InsertColumnTank(int position, CDataTankList& list, unsigned stringId,
                                             CDataTankObject* tank, int size, int32_t kind);

    const fw::CString& GetName() const { return m_name; }
    void SetName(const fw::CString& name) { m_name = name; }
    int GetRowCount() const { return m_rowCount; }
    void SetRowCount(int rows) { m_rowCount = rows; }
    CDataTankList& Columns() { return m_columns; }
    const CDataTankList& Columns() const { return m_columns; }
    fw::CArray<tagBOXCH, tagBOXCH&>& ChannelMap() { return m_channelMap; }

    // The unit type codes of the box's control unit, port 0 first. This
    // library lies below the unit model, so the box carries the bare codes
    // (the unit model's CKivUnitTypes holds the same ten codes with their
    // rules) and stores them in the same form: ten 16-bit codes, no count.
    int GetUnitType(int port) const;
    void SetUnitType(int port, int code);

private:
    CDataTankObject* ColumnTank(int column) const;

    fw::CArray<tagBOXCH, tagBOXCH&> m_channelMap;
    std::array<int16_t, kUnitPorts> m_unitTypes{1, 3}; // a new control unit: KIV-417, KIV-437
    fw::CString m_name;
    int32_t m_rowCount = 0;
    CDataTankList m_columns;
};
