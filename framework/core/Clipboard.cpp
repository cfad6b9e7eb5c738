#include "framework/core/Clipboard.h"

#include <atomic>

namespace fw {

namespace {

MemoryClipboard& DefaultClipboard()
{
    static MemoryClipboard clipboard;
    return clipboard;
}

std::atomic<IClipboard*> g_installed{nullptr};

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
    IClipboard* c = g_installed.load();
    return c ? *c : DefaultClipboard();
}

IClipboard* InstallClipboard(IClipboard* clipboard)
{
    return g_installed.exchange(clipboard);
}

} // namespace fw
