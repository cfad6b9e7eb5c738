#pragma once

// Where the monitor shows: inside the measurement panel, nowhere, or in
// the separate monitor panel. The application keeps the one record that
// counts, in its profile (section "PANEL", key "TYPE").

#include <cstdint>

namespace fw {
class CProfile;
}

class CPanelPrf {
public:
    static constexpr const char* kSection = "PANEL";
    static constexpr const char* kKeyType = "TYPE";
    enum Type : int32_t { kInPanel = 0, kNone = 1, kMonitorPanel = 2 };

    virtual ~CPanelPrf() = default;
    virtual void WriteProfile(fw::CProfile& profile) const;
    // A missing key keeps the current type.
    virtual void ReadProfile(fw::CProfile& profile);

    int32_t m_nType = kInPanel;
};
