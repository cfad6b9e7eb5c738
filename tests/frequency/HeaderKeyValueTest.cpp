#include "common/base/HeaderKeyValue.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderKeyValue, FindsTheFirstOccurrenceOfTheKeyText)
{
    struct Row {
        const char* name;
        const char* header;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"trimmed up to the CR", "A  x y \r\nB 2\r\n", "A", "x y"},
        {"inside a longer key that comes first", "NUM_SERIES 2\r\nSERIES DN_1\r\n", "SERIES", "2"},
        {"not bound to a line start", "XRATE 5\r\nRATE 7\r\n", "RATE", "5"},
        {"last line without CR", "A 1\r\nB  22 ", "B", "22"},
        {"LF alone does not end the value", "A 1\nB 2\r\n", "A", "1\nB 2"},
        {"absent", "A 1\r\n", "C", ""},
        {"empty key", "A 1\r\n", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString value = "old";
        GetHeaderKeyValue(row.header, row.key, value);
        EXPECT_EQ(value, row.value);
    }
    fw::CString value = "old";
    GetHeaderKeyValue(nullptr, "A", value);
    EXPECT_EQ(value, "");
}

} // namespace
