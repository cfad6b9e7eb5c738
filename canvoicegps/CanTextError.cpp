#include "canvoicegps/CanTextError.h"

#include "canvoicegps/CanVoiceGpsStrings.h"
#include "common/base/ZelException.h"
#include "framework/core/StringTable.h"

#include <algorithm>
#include <string>

namespace cantext {

namespace {
constexpr int32_t kRefusedCode = 1;
} // namespace

void ThrowTextError(int line, unsigned reasonId, std::string_view detail)
{
    const fw::CString reason = fw::FormatString(reasonId, detail);
    const fw::CString message = fw::FormatString(cvgstr::kTextRefused, std::to_string(line), reason);
    throw CZelException(kRefusedCode, message.c_str());
}

int LineNumberAt(std::string_view text, size_t position)
{
    position = std::min(position, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(position), '\n'));
}

bool NextLine(std::string_view text, size_t& position, std::string_view& line)
{
    if (position >= text.size())
        return false;
    const size_t lf = text.find('\n', position);
    const size_t end = lf == std::string_view::npos ? text.size() : lf;
    line = text.substr(position, end - position);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    position = lf == std::string_view::npos ? text.size() : lf + 1;
    return true;
}

} // namespace cantext
