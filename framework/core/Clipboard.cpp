#include "framework/core/Clipboard.h"

#include "framework/core/ServiceSlot.h"

namespace fw {

namespace {

MemoryClipboard& DefaultClipboard()
{
    static MemoryClipboard clipboard;
    return clipboard;
}

} // namespace

CString MemoryClipboard::GetText()
{
    const auto it = m_data.find("text/plain");
    return it == m_data.end() ? CString() : CString(std::string(it->second.begin(), it->second.end()));
}

std::optional<std::vector<uint8_t>> MemoryClipboard::GetData(const std::string& mime)
{
    const auto it = m_data.find(mime);
    if (it == m_data.end())
        return std::nullopt;
    return it->second;
}

IClipboard& Clipboard()
{
    IClipboard* c = Installed<IClipboard>();
    return c ? *c : DefaultClipboard();
}

IClipboard* InstallClipboard(IClipboard* clipboard)
{
    return Install<IClipboard>(clipboard);
}

} // namespace fw
