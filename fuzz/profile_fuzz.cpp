// The settings profile (INI text) and the USB libraries' settings files.

#include "fuzz/FuzzTarget.h"

#include "framework/core/Profile.h"
#include "usb/backend/LibrarySettings.h"

#include <fstream>
#include <vector>

KIV_FUZZ_TARGET(profile_fuzz)
{
    const std::string file = kivfuzz::ScratchFolder() + "/profile.ini";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
    {
        fw::CProfile profile{std::filesystem::path(file)};
        for (const std::string& section : profile.Sections())
            for (const std::string& key : profile.Keys(section.c_str())) {
                profile.GetProfileInt(section.c_str(), key.c_str(), 0);
                std::vector<uint8_t> bytes;
                profile.GetProfileBinary(section.c_str(), key.c_str(), bytes);
            }
        // A rewrite must read back as what was read; a write is a synced
        // file, so only some inputs take that way.
        if (size > 0 && data[0] % 16 == 0) {
            profile.WriteProfileString("FUZZ", "KEY", "value\r");
            fw::CProfile again{std::filesystem::path(file)};
            if (again.Sections() != profile.Sections())
                __builtin_trap();
        }
    }
    if (const auto ids = usbio::ReadSetting(file, "USB", usbio::kUsbIdKey))
        usbio::ParseUsbIds(*ids);
    usbio::ParseUsbIds(kivfuzz::AsText(data, size));
    return 0;
}
