#include "common/base/HeaderKeyValue.h"

#include <cstring>

void GetHeaderKeyValue(const char* header, const char* key, fw::CString& value)
{
    value.Empty();
    if (!header || !key || !*key)
        return;
    const char* at = std::strstr(header, key);
    if (!at)
        return;
    const char* from = at + std::strlen(key);
    const char* cr = std::strchr(from, '\r');
    // A last line without its CR still gives the value after the key.
    value = cr ? fw::CString(from, static_cast<int>(cr - from)) : fw::CString(from);
    value.Trim();
}
