#include "tests/usb/TcpPeer.h"
#include "tests/usb/library/TransportLibrary.h"
#include "usb/backend/UsbBackend.h"

#include <gtest/gtest.h>

#include <elf.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using usbtest::TransportLibrary;

const char* const kFunctions[] = {
    "Close",      "CloseDevice",     "CountDevices",    "GetConfigDescriptor", "GetDeviceCounts",
    "GetDeviceDescriptor", "GetReadTimeout", "GetWriteTimeout", "ReadA", "ReadA0", "ReadAs",
    "ReadB",      "ResetDevice",     "ResetPipe",       "SetReadTimeout", "SetWriteTimeout",
    "Status",     "StopControl",     "StopRead",        "StopWrite",      "WriteA", "WriteB"};

const char* const kZelPrefixes[] = {"Zel",    "Kiv406", "Zeln",    "Yb093p", "Yb716r", "Lob62a",
                                    "Vo285a", "Gus841", "Jx57k",   "Nuk926", "Nuk671a", "Nuk782"};

// The names a shared library defines in its dynamic symbol table.
std::set<std::string> DefinedDynamicSymbols(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    if (bytes.size() < sizeof(Elf64_Ehdr))
        return names;
    Elf64_Ehdr header;
    std::memcpy(&header, bytes.data(), sizeof header);
    const auto section = [&](size_t index) {
        Elf64_Shdr s;
        std::memcpy(&s, bytes.data() + header.e_shoff + index * header.e_shentsize, sizeof s);
        return s;
    };
    for (size_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        const Elf64_Shdr strings = section(symbols.sh_link);
        for (size_t at = 0; at + sizeof(Elf64_Sym) <= symbols.sh_size; at += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            std::memcpy(&sym, bytes.data() + symbols.sh_offset + at, sizeof sym);
            if (sym.st_shndx == SHN_UNDEF || ELF64_ST_BIND(sym.st_info) == STB_LOCAL)
                continue;
            names.insert(bytes.data() + strings.sh_offset + sym.st_name);
        }
    }
    return names;
}

std::set<std::string> Kiv406Set()
{
    std::set<std::string> names;
    for (const char* f : kFunctions) {
        if (std::strcmp(f, "GetConfigDescriptor") != 0 && std::strcmp(f, "GetDeviceCounts") != 0)
            names.insert(std::string("Kiv406") + f);
    }
    return names;
}

std::set<std::string> ZelSet()
{
    std::set<std::string> names{"ZelReadAd"};
    for (const char* prefix : kZelPrefixes) {
        for (const char* f : kFunctions)
            names.insert(std::string(prefix) + f);
    }
    return names;
}

struct LibraryRow {
    const char* name;
    const char* file;
    std::set<std::string> (*expected)();
    size_t count;
};

const LibraryRow kLibraries[] = {
    {"kiv406", KIV_KIV406_FILE, Kiv406Set, 20},
    {"ZELUSB", KIV_ZELUSB_FILE, ZelSet, 265},
};

TEST(ExportedSymbols, EachLibraryExportsExactlyItsInterface)
{
    for (const LibraryRow& row : kLibraries) {
        SCOPED_TRACE(row.name);
        const std::set<std::string> expected = row.expected();
        EXPECT_EQ(expected.size(), row.count);
        EXPECT_EQ(DefinedDynamicSymbols(row.file), expected);
        TransportLibrary lib(row.file);
        ASSERT_TRUE(lib.Loaded());
        for (const std::string& name : expected)
            EXPECT_NE(lib.Symbol(name.c_str()), nullptr) << name;
        EXPECT_EQ(lib.Symbol("Kiv406GetConfigDescriptor") != nullptr, row.count == 265);
    }
}

// Unloading a library with its device list still open releases the
// devices, and the next load starts afresh with the list closed.
TEST(ExportedSymbols, UnloadReleasesTheDevicesAndReloadStartsClosed)
{
    for (const LibraryRow& row : kLibraries) {
        SCOPED_TRACE(row.name);
        usbtest::TcpPeer peer;
        setenv(usbio::kLoopbackVariable, peer.Endpoint().c_str(), 1);
        {
            TransportLibrary lib(row.file);
            ASSERT_TRUE(lib.Loaded());
            EXPECT_EQ(lib.CountDevices(), 1);
            EXPECT_EQ(lib.Status(), 1);
        }
        EXPECT_FALSE(usbtest::IsMapped(row.file));
        EXPECT_TRUE(peer.WaitClosedByPeer());
        TransportLibrary again(row.file);
        ASSERT_TRUE(again.Loaded());
        EXPECT_EQ(again.Status(), 0);
        unsetenv(usbio::kLoopbackVariable);
    }
}

} // namespace
