#pragma once

// The comparison-channel column of the project's data-comparator table:
// channel numbers (measuring channels 0 to 319, calculated channels 500 to
// 1499) shown and typed as the channel's name followed by "(CHn)" or
// "(NOn)".

#include "common/tank/ShortDataTank.h"

// What the column needs of the project document: the tank of a channel
// number in one of its lists. The document lies above this layer; the
// table builder hands it in as this interface.
class ICompNoOwner {
public:
    virtual ~ICompNoOwner() = default;
    // Null when the list holds no tank for the channel.
    virtual CDataTankObject* GetChannelTank(int channel, int list) = 0;
};

class CCompNoTank : public CShortDataTank {
    FW_DECLARE_SERIAL(CCompNoTank)
public:
    static constexpr int kMeasuringChannels = 320;
    static constexpr int kFirstCalculated = 500;
    static constexpr int kLastCalculated = 1499;
    // The document's list of channel tanks.
    static constexpr int kChannelList = 2;

    CCompNoTank();

    // The empty marker, a measuring or a calculated channel.
    bool CheckValue(double x) const override;
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    // Accepts the empty text (the cell is emptied) and exactly the text the
    // column shows for a channel; anything else is refused.
    bool SetValueText(int index, const fw::CString& text) override;

    void SetOwner(ICompNoOwner* owner) { m_owner = owner; }
    ICompNoOwner* GetOwner() const { return m_owner; }

    // The shown text of a channel with the given name.
    static fw::CString ChannelText(const fw::CString& name, int channel);

private:
    // The name of the channel's tank; false when there is no tank.
    bool ChannelName(int channel, fw::CString& name) const;

    ICompNoOwner* m_owner = nullptr; // not owned
};
