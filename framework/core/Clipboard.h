#pragma once

// The clipboard as a service: texts (UTF-8, tabs and CR LF kept) and byte
// data under MIME types ("application/x-zelapp" for drawing objects). The
// interface layer installs the desktop clipboard; until then, and in tests,
// an in-memory clipboard serves.

#include "framework/core/CString.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fw {

inline constexpr const char* kZelAppMime = "application/x-zelapp";

struct IClipboard {
    virtual ~IClipboard() = default;
    // Replaces everything on the clipboard.
    virtual void Clear() = 0;
    // Adds a text to what the clipboard holds (after Clear, for a new copy).
    virtual void SetText(const CString& text) = 0;
    virtual bool HasText() = 0;
    virtual CString GetText() = 0;
    virtual void SetData(const std::string& mime, const std::vector<uint8_t>& bytes) = 0;
    virtual bool HasFormat(const std::string& mime) = 0;
    virtual std::optional<std::vector<uint8_t>> GetData(const std::string& mime) = 0;
};

// Holds everything in memory, as one process's clipboard.
class MemoryClipboard final : public IClipboard {
public:
    void Clear() override { m_data.clear(); }
    void SetText(const CString& text) override { m_data["text/plain"].assign(text.str().begin(), text.str().end()); }
    bool HasText() override { return m_data.count("text/plain") != 0; }
    CString GetText() override;
    void SetData(const std::string& mime, const std::vector<uint8_t>& bytes) override { m_data[mime] = bytes; }
    bool HasFormat(const std::string& mime) override { return m_data.count(mime) != 0; }
    std::optional<std::vector<uint8_t>> GetData(const std::string& mime) override;

private:
    std::map<std::string, std::vector<uint8_t>> m_data;
};

IClipboard& Clipboard();
// Returns the previous service; nullptr restores the in-memory default.
IClipboard* InstallClipboard(IClipboard* clipboard);

} // namespace fw
