#include "usb/backend/LibrarySettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

TEST(LibrarySettings, SettingsFileIsNamedAfterTheLibraryFile)
{
    const struct {
        const char* library;
        const char* settings;
    } rows[] = {
        {"/opt/kiv/libZELUSB.so", "/opt/kiv/libZELUSB.ini"},
        {"/opt/kiv-1.2/libkiv406", "/opt/kiv-1.2/libkiv406.ini"},
        {"libkiv406.so", "libkiv406.ini"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.library);
        EXPECT_EQ(usbio::SettingsFileFor(row.library), row.settings);
    }
}

TEST(LibrarySettings, LibraryFileIsTheFileHoldingTheCode)
{
    const std::string file =
        usbio::LibraryFileOf(reinterpret_cast<const void*>(&usbio::SettingsFileFor));
    EXPECT_EQ(fs::path(file).filename(), "usb_core_tests");
}

TEST(LibrarySettings, ReadsKeysOfTheirOwnSectionOnly)
{
    char pattern[] = "/tmp/kiv-usb-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    const std::string file = (folder / "libZELUSB.ini").string();
    std::ofstream(file) << "[Other]\nUSBID=1111:2222\n"
                           "; comment\n"
                           " [zelusb] \n"
                           "  usbid = \"0d7a:0001, 0x0D7A:0x0002;bad;12345:1\" \n"
                           "GUID={11111111-2222-3333-4444-555555555555}\n";
    EXPECT_EQ(usbio::ReadSetting(file, "ZELUSB", "GUID"), "{11111111-2222-3333-4444-555555555555}");
    const auto ids = usbio::ParseUsbIds(usbio::ReadSetting(file, "ZELUSB", "USBID").value_or(""));
    EXPECT_EQ(ids, (std::vector<usbio::UsbId>{{0x0D7A, 0x0001}, {0x0D7A, 0x0002}}));
    EXPECT_EQ(usbio::ReadSetting(file, "KIV406", "USBID"), std::nullopt);
    EXPECT_EQ(usbio::ReadSetting((folder / "missing.ini").string(), "ZELUSB", "GUID"), std::nullopt);
    fs::remove_all(folder);
}

} // namespace
