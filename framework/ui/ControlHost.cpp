#include "framework/ui/ControlHost.h"

#include "framework/ui/Controls.h"

namespace fw {

ControlHost::~ControlHost() = default;

void ControlHost::Register(int id, std::unique_ptr<CWnd> control)
{
    if (auto* c = dynamic_cast<CControl*>(control.get()))
        c->SetNotifyTarget(NotifyTarget());
    HostWindow().AddChild(id, control.get());
    m_controls.push_back(std::move(control));
}

void ControlHost::ReleaseControlWidgets()
{
    for (auto& c : m_controls)
        c->Detach();
}

} // namespace fw
