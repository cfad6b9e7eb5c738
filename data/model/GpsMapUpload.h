#pragma once

// The map service's side of the GPS map: the point-count question and the
// FTP transfer of "GPSMAP.XML". The server comes from the profile section
// "GPSMAP" (HOST, PORT, USER, FOLDER, PASSIVE); an empty host turns the
// upload off.

#include "framework/core/CString.h"

#include <cstdint>

namespace fw {
class CProfile;
}

// Asks for the number of map points (50..5000); false when cancelled
// (fw::Install<IGpsMapPointDialog>).
struct IGpsMapPointDialog {
    virtual ~IGpsMapPointDialog() = default;
    virtual bool Ask(int32_t& count, bool flag) = 0;
};

class CGpsMapUploader {
public:
    explicit CGpsMapUploader(fw::CProfile& profile) : m_profile(profile) {}

    // Transfers `localPath` as <folder>/<remoteName> in binary mode, trying
    // the other passive mode once after a failed transfer; a mode that
    // worked after the other failed is kept in the profile. `error` tells
    // why the last attempt failed.
    bool Upload(const fw::CString& localPath, const fw::CString& remoteName, fw::CString& error);
    bool IsEnabled() const;

    // The remote name of an upload made now: the instance identifier and
    // the local time "%y%m%d%H%M%S", then ".xml".
    static fw::CString MakeMapName(const fw::CString& instanceId, double localTime);

private:
    bool Attempt(const fw::CString& localPath, const fw::CString& remoteName, bool passive, fw::CString& error);

    fw::CProfile& m_profile;
};
