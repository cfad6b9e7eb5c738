// The column-change notice: which kinds of data a page's edited columns
// touch, so that graph pages and other pages refresh only what changed.
// Pages are known by their class names, since they live above the document.

#include "project/model/KIV5980Doc.h"

#include "docbase/doc/UpdateHints.h"
#include "project/model/ProjectHost.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr intptr_t kHintColumnsChanged = 12;

struct ColumnRule {
    int first;
    int last;  // -1: every column
    int32_t flag;
};

struct PageRules {
    const char* page;
    std::initializer_list<ColumnRule> rules;
};

const PageRules kChannelPageWithHighPass = {
    "CPrjChView", {{15, 17, 0x100}, {1, 1, 0x10}, {13, 13, 0x10}, {14, 14, 0x08}, {9, 12, 0x04}, {0, 0, 0x200},
                   {2, 4, 0x80}}};
const PageRules kChannelPageWithoutHighPass = {
    "CPrjChView", {{13, 15, 0x100}, {1, 1, 0x10}, {11, 11, 0x10}, {12, 12, 0x08}, {10, 10, 0x04}, {0, 0, 0x200},
                   {2, 4, 0x80}}};
const PageRules kOtherPages[] = {
    {"CPrjExChView", {{7, 9, 0x100}, {0, 0, 0x10}, {2, 2, 0x10}, {3, 3, 0x08}}},
    {"CPrjAmpOutView", {{0, -1, 0x80}}},
    {"CPrjDataTrgView", {{0, -1, 0x80}}},
    {"CPrjHistSetView", {{0, -1, 0x80}}},
    {"CPrjChDataView", {{0, -1, 0x01}}},
    {"CCanSignalView", {{7, 7, 0x10}, {8, 8, 0x08}}},
    {"CGPSFormView", {{0, -1, 0x18}}},
    {"CPrj465View", {{0, 1, 0x04}}},
};

bool IsPage(const fw::CObject* sender, const char* page)
{
    for (const fw::CRuntimeClass* c = sender ? sender->GetRuntimeClass() : nullptr; c; c = c->base)
        if (c->name && std::strcmp(c->name, page) == 0)
            return true;
    return false;
}

int32_t FlagsOf(const PageRules& page, int first, int last)
{
    int32_t flags = 0;
    for (const ColumnRule& r : page.rules) {
        if (r.last < 0 || (first <= r.last && last >= r.first))
            flags |= r.flag;
    }
    return flags;
}

} // namespace

int32_t CKIV5980Doc::ColumnChangeFlags(const fw::CObject* sender, int first, int last)
{
    if (IsPage(sender, kChannelPageWithHighPass.page))
        return FlagsOf(ProjectHost().ShowHighPassColumns() ? kChannelPageWithHighPass : kChannelPageWithoutHighPass,
                       first, last);
    for (const PageRules& page : kOtherPages)
        if (IsPage(sender, page.page))
            return FlagsOf(page, first, last);
    return 0;
}

void CKIV5980Doc::NotifyColumnsChanged(fw::CObject* view, int first, int last, int32_t flags, bool broadcast)
{
    CUpdateKivData hint(this);
    hint.m_pSender = view;
    hint.m_firstColumn = first;
    hint.m_lastColumn = last;
    hint.m_changeFlags = flags | ColumnChangeFlags(view, first, last);
    UpdateAllViews(nullptr, kHintColumnsChanged, &hint);
    if (broadcast)
        ProjectHost().UpdateAllGraphDocs(kHintColumnsChanged, &hint);
}
