#include "project/model/PanelMoniterPrf.h"

#include "framework/core/Archive.h"

namespace {
constexpr int kFirstCalcChannel = 500;
}

void CPanelMoniterPrf::Serialize(fw::CArchive& ar)
{
    CMoniterPrf::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_channels.size());
        for (int32_t n : m_channels)
            ar << n;
        return;
    }
    std::vector<int32_t> channels(ar.ReadCount(sizeof(int32_t)));
    for (int32_t& n : channels)
        ar >> n;
    m_channels = std::move(channels);
}

void CPanelMoniterPrf::RemoveChannelsFrom(int first)
{
    for (size_t i = m_channels.size(); i-- > 0;)
        if (m_channels[i] >= first && m_channels[i] < kFirstCalcChannel)
            m_channels.erase(m_channels.begin() + static_cast<long>(i));
}
