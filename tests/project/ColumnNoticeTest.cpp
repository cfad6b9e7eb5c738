// The flags a page's edited columns add to the column-change notice.

#include "tests/project/ProjectFixture.h"

#include "framework/core/Object.h"

#include <gtest/gtest.h>

namespace {

// Stand-ins with the class names of the project pages.
class CPrjChView : public fw::CObject {
    FW_DECLARE_DYNAMIC(CPrjChView)
};
FW_IMPLEMENT_DYNAMIC(CPrjChView, fw::CObject)
class CPrjExChView : public fw::CObject {
    FW_DECLARE_DYNAMIC(CPrjExChView)
};
FW_IMPLEMENT_DYNAMIC(CPrjExChView, fw::CObject)
class CGPSFormView : public fw::CObject {
    FW_DECLARE_DYNAMIC(CGPSFormView)
};
FW_IMPLEMENT_DYNAMIC(CGPSFormView, fw::CObject)
// A page derived from a known one counts as that page.
class CDerivedExChView : public CPrjExChView {
    FW_DECLARE_DYNAMIC(CDerivedExChView)
};
FW_IMPLEMENT_DYNAMIC(CDerivedExChView, CPrjExChView)
class COtherView : public fw::CObject {
    FW_DECLARE_DYNAMIC(COtherView)
};
FW_IMPLEMENT_DYNAMIC(COtherView, fw::CObject)

TEST(ColumnNotice, FlagsByPageAndColumns)
{
    CPrjChView channels;
    CPrjExChView calc;
    CDerivedExChView derived;
    CGPSFormView gps;
    COtherView other;
    struct Row {
        const char* name;
        const fw::CObject* page;
        int first;
        int last;
        int32_t flags;
    };
    const Row rows[] = {
        {"channel name", &channels, 1, 1, 0x10},
        {"channel on/off", &channels, 0, 0, 0x200},
        {"channel limits", &channels, 15, 17, 0x100},
        {"channel range over format and filters", &channels, 9, 14, 0x04 | 0x10 | 0x08},
        {"calculated op data", &calc, 8, 8, 0x100},
        {"calculated unit and format", &calc, 2, 3, 0x18},
        {"calculated function", &calc, 1, 1, 0},
        {"derived page", &derived, 0, 0, 0x10},
        {"GPS form, any column", &gps, 5, 5, 0x18},
        {"unknown page", &other, 0, 20, 0},
        {"no page", nullptr, 0, 20, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CKIV5980Doc::ColumnChangeFlags(row.page, row.first, row.last), row.flags) << row.name;
}

} // namespace
