#pragma once

#include "usb/backend/UsbBackend.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings file of a transport library: a text file named after the
// library's own file with ".ini" in place of its extension, beside it.
namespace usbio {

// Key of the settings section that lists the devices libusb may claim:
// "vvvv:pppp" in hexadecimal, several separated by commas or blanks.
inline constexpr const char* kUsbIdKey = "USBID";

// The file of the shared library that holds `address` (found with
// dladdr); empty when it cannot be told.
std::string LibraryFileOf(const void* address);

// "/opt/kiv/libZELUSB.so" -> "/opt/kiv/libZELUSB.ini". Only the file name's
// last dot counts, so dots in folder names do not cut the path.
std::string SettingsFileFor(const std::string& libraryFile);

// Reads `key` of `section` as the profile functions do: names without
// regard to case, blanks around names and values dropped, one pair of
// enclosing quotes removed. nullopt when the file, section or key is missing.
std::optional<std::string> ReadSetting(const std::string& file, std::string_view section,
                                       std::string_view key);

// Parses a USBID value; entries that are not two hexadecimal words are skipped.
std::vector<UsbId> ParseUsbIds(std::string_view text);

} // namespace usbio
