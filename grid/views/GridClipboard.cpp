#include "grid/views/GridClipboard.h"

#include "framework/core/Clipboard.h"
#include "framework/core/Cp932.h"

#include <string>

void SetGridClipboardText(const std::vector<uint8_t>& cp932)
{
    fw::IClipboard& clipboard = fw::Clipboard();
    clipboard.Clear();
    const std::string bytes(cp932.begin(), cp932.end());
    clipboard.SetText(fw::CString(fw::cp932::FromCp932(bytes)));
    clipboard.SetData(kGridTextMime, cp932);
}

bool GetGridClipboardText(std::vector<uint8_t>& cp932)
{
    fw::IClipboard& clipboard = fw::Clipboard();
    if (clipboard.HasFormat(kGridTextMime)) {
        if (auto data = clipboard.GetData(kGridTextMime)) {
            cp932 = std::move(*data);
            return true;
        }
    }
    if (!clipboard.HasText())
        return false;
    const std::string bytes = fw::cp932::ToCp932(clipboard.GetText().str());
    cp932.assign(bytes.begin(), bytes.end());
    return true;
}
