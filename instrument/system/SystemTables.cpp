#include "instrument/system/SystemTables.h"

#include "common/calc/DataFormat.h"

#include <array>

namespace systables {
namespace {

constexpr std::array<const char*, 4> kFilterCaptions = {
    "ベッセル2次", "バタワース2次", "ベッセル8次", "バタワース8次",
};

} // namespace

fw::CString FormatCodeText(int code)
{
    if (code < INT16_MIN || code > INT16_MAX)
        return {};
    return CDataFormat().GetFormatText(static_cast<int16_t>(code));
}

int FindFormatCode(const fw::CString& text) { return CDataFormat().FindFormatCode(text); }

fw::CString FilterCaption(int position)
{
    if (position >= 0 && position < static_cast<int>(kFilterCaptions.size()))
        return kFilterCaptions[static_cast<size_t>(position)];
    return {};
}

int FindFilterCaption(const fw::CString& text)
{
    for (size_t i = 0; i < kFilterCaptions.size(); ++i) {
        if (text == kFilterCaptions[i])
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace systables
