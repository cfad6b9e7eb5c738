#pragma once

// The monitor settings a project keeps for the measurement panel: the
// display settings and the channels shown.

#include "docbase/settings/MoniterPrf.h"

#include <cstdint>
#include <vector>

class CPanelMoniterPrf : public CMoniterPrf {
public:
    // The display settings, then the channel count and numbers.
    void Serialize(fw::CArchive& ar) override;
    // From last to first, every channel n with first <= n < 500 goes;
    // calculated channels stay.
    void RemoveChannelsFrom(int first);

    std::vector<int32_t> m_channels;
};
