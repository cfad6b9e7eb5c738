#include "measure/model/monitor/PanelPrf.h"

#include "framework/core/Profile.h"

void CPanelPrf::WriteProfile(fw::CProfile& profile) const
{
    profile.WriteProfileInt(kSection, kKeyType, m_nType);
}

void CPanelPrf::ReadProfile(fw::CProfile& profile)
{
    m_nType = profile.GetProfileInt(kSection, kKeyType, m_nType);
}
