#include "usb/backend/LibrarySettings.h"

#include <dlfcn.h>

#include <cctype>
#include <fstream>

namespace usbio {

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::optional<uint16_t> ParseHexWord(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                        ? c - '0'
                                                        : std::tolower(c) - 'a' + 10);
    }
    return static_cast<uint16_t>(value);
}

} // namespace

std::string LibraryFileOf(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr)
        return {};
    return info.dli_fname;
}

std::string SettingsFileFor(const std::string& libraryFile)
{
    const size_t slash = libraryFile.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = libraryFile.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return libraryFile + ".ini";
    return libraryFile.substr(0, dot) + ".ini";
}

std::optional<std::string> ReadSetting(const std::string& file, std::string_view section,
                                       std::string_view key)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        std::string_view text = Trim(line);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            const size_t close = text.find(']');
            inSection = close != std::string_view::npos &&
                        SameName(Trim(text.substr(1, close - 1)), section);
            continue;
        }
        const size_t equals = text.find('=');
        if (!inSection || equals == std::string_view::npos ||
            !SameName(Trim(text.substr(0, equals)), key))
            continue;
        std::string_view value = Trim(text.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

std::vector<UsbId> ParseUsbIds(std::string_view text)
{
    std::vector<UsbId> ids;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(", \t;", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view entry = text.substr(start, end - start);
        start = end + 1;
        const size_t colon = entry.find(':');
        if (colon == std::string_view::npos)
            continue;
        const auto vendor = ParseHexWord(entry.substr(0, colon));
        const auto product = ParseHexWord(entry.substr(colon + 1));
        if (vendor && product)
            ids.push_back({*vendor, *product});
    }
    return ids;
}

} // namespace usbio
