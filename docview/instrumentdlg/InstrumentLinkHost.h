#pragma once

// What the instrument dialogs need of the application: the connection
// profile of the project in the active window and the application's one
// link to the instruments. The application installs it at start-up
// (fw::Install<IInstrumentLinkHost>) and removes it at shut-down.

class CMeterInterface;
class CMeterInterfacePrf;

struct IInstrumentLinkHost {
    virtual ~IInstrumentLinkHost() = default;
    // Null when the active document is no project.
    virtual const CMeterInterfacePrf* ActiveProjectProfile() = 0;
    // The application's link for a profile (not owned; null when none can
    // be made).
    virtual CMeterInterface* CreateLink(const CMeterInterfacePrf& prf) = 0;
    virtual void ReleaseLink() = 0;
};
