#pragma once

// What the calculated channels need of the document that owns a data set
// (the project document, a measurement-data document): its channel list,
// its settings list with the formula column, the highest CH number its
// formulas may use, and word when the values changed. The documents
// implement it.

#include <cstdint>

class CDataSPSetTank;
class CDataTankObject;
class CKivSPTankData;

class ICalcDataSetOwner {
public:
    virtual ~ICalcDataSetOwner() = default;

    virtual CKivSPTankData& GetChannelList() = 0;
    virtual CDataSPSetTank& GetSettingsList() = 0;
    // The column of the settings list that holds the formula texts.
    virtual CDataTankObject* GetFormulaColumn() = 0;
    // The highest measured-channel number CH(k) may name.
    virtual int16_t GetChLimit() const = 0;
    // The channel values were calculated again: the views redraw.
    virtual void OnChannelsRecalculated() = 0;
};

// The owner's sequence after loading a data set or changing its formulas:
// the measured and time channels get their orders, every formula row is
// compiled and ordered, and the whole data is calculated again (an exception
// is reported by the calculation). False when there is no formula column.
bool CompileAndRecalculate(ICalcDataSetOwner& owner);
