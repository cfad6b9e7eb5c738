// String tables (id TAB text lines) and the message patterns they hold.

#include "fuzz/FuzzTarget.h"

#include "framework/core/StringTable.h"

KIV_FUZZ_TARGET(string_table_fuzz)
{
    const std::string_view text = kivfuzz::AsText(data, size);
    fw::CStringTable table(text);
    for (const auto& entry : table.Entries()) {
        if (table.Find(entry.id) == nullptr)
            __builtin_trap();
        fw::FormatMessageText(entry.text.view(), {"one", "two"});
    }
    fw::FormatMessageText(text, {"a", "b", "c"});
    return 0;
}
