#include "project/model/ProjectHost.h"

#include "docbase/doc/DataDocHost.h"
#include "framework/core/ServiceSlot.h"

namespace {

class CDefaultProjectHost final : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return m_profile; }
    CADSetPrf& AdDefaults() override { return m_adSet; }

private:
    CMeterInterfacePrf m_profile;
    CADSetPrf m_adSet;
};

} // namespace

void IProjectHost::UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject)
{
    DataDocHost().UpdateAllGraphDocs(hint, hintObject);
}

IProjectHost& ProjectHost()
{
    if (IProjectHost* host = fw::Installed<IProjectHost>())
        return *host;
    static CDefaultProjectHost fallback;
    return fallback;
}
