#pragma once

// What holds controls made by a DialogBuilder: a dialog, a dialog bar, a
// form. It owns the control objects, registers them under their ids in its
// window, and names who hears their notifications.

#include "framework/ui/Wnd.h"

#include <memory>
#include <vector>

namespace fw {

class ControlHost {
public:
    virtual ~ControlHost();

    // Owns `control` and registers it under `id`.
    template <class T> T& Own(int id, std::unique_ptr<T> control)
    {
        T& ref = *control;
        Register(id, std::move(control));
        return ref;
    }
    // The window the controls sit in and are registered with.
    virtual CWnd& HostWindow() = 0;
    // Where control notifications go (the dialog; a bar's frame).
    virtual CCmdTarget* NotifyTarget() { return &HostWindow(); }

protected:
    void Register(int id, std::unique_ptr<CWnd> control);
    // For the host's destructor: the controls' widgets go with the host's
    // widget, so their objects must not delete them again.
    void ReleaseControlWidgets();
    const std::vector<std::unique_ptr<CWnd>>& Controls() const { return m_controls; }

private:
    std::vector<std::unique_ptr<CWnd>> m_controls;
};

} // namespace fw
