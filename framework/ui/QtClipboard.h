#pragma once

// The desktop clipboard through Qt. Setting replaces nothing by itself:
// Clear starts a new copy, each Set adds a form to it.

#include "framework/core/Clipboard.h"

class QMimeData;

namespace fw {

class QtClipboard final : public IClipboard {
public:
    void Clear() override;
    void SetText(const CString& text) override;
    bool HasText() override;
    CString GetText() override;
    void SetData(const std::string& mime, const std::vector<uint8_t>& bytes) override;
    bool HasFormat(const std::string& mime) override;
    std::optional<std::vector<uint8_t>> GetData(const std::string& mime) override;

private:
    // The copy being put together (handed to Qt after each addition).
    QMimeData* Building();
};

} // namespace fw
