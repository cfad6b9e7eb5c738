#include "app/shell/MainFrameMenus.h"

#include "app/shell/MenuEditing.h"
#include "framework/core/Document.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/RecentFileList.h"
#include "framework/ui/Menu.h"

namespace {

using fw::CMenu;

struct Placeholder {
    unsigned firstItem;
    unsigned menuResource;
};

// A popup whose first item is one of these shows the resource's items.
constexpr Placeholder kPlaceholders[] = {
    {32782, 139}, {32783, 140}, {32784, 141}, {33369, 141}, {32785, 313}, {32828, 314}, {32841, 150},
    {32849, 356}, {32852, 352}, {32856, 348}, {32858, 418}, {32860, 351}, {32861, 350}, {32862, 165},
    {32915, 306}, {32936, 333}, {33010, 353}, {33105, 109}, {33151, 365}, {33164, 372}, {33171, 375},
    {33172, 374}, {33557, 419},
};
constexpr Placeholder kLatePlaceholders[] = {
    {33290, 395}, {33299, 396}, {33321, 401}, {33323, 400}, {33324, 402}, {33325, 403},
};
constexpr Placeholder kLastPlaceholder = {33537, 415};

enum class Extra {
    none,
    // After the deletion: when a separator now stands there, the item
    // before it goes too.
    itemBeforeSeparator,
    // The item before the found one goes with it.
    itemBefore,
};

struct Removal {
    unsigned id;          // 0: by caption
    const char* caption;  // null: by id
    int count;
    Extra extra;
};

// Commands this program keeps out of every popup.
constexpr Removal kRemovals[] = {
    {0, "ｺﾝﾄﾛｰﾙ", 1, Extra::none},
    {32846, nullptr, 1, Extra::none},
    {32850, nullptr, 1, Extra::none},
    {32920, nullptr, 1, Extra::none},
    {32898, nullptr, 1, Extra::none},
    {32912, nullptr, 1, Extra::none},
    {0, "データグラフ", 1, Extra::none},
    {0, "履歴グラフ", 1, Extra::none},
    {32880, nullptr, 1, Extra::none},
    {32881, nullptr, 1, Extra::itemBeforeSeparator},
    {32940, nullptr, 1, Extra::none},
    {32878, nullptr, 2, Extra::none},
    {33101, nullptr, 2, Extra::none},
    {32891, nullptr, 1, Extra::none},
    {57856, nullptr, 1, Extra::itemBefore},
    {57857, nullptr, 1, Extra::none},
    {57872, nullptr, 1, Extra::none},
    {32911, nullptr, 2, Extra::none},
    {32905, nullptr, 1, Extra::none},
    {32906, nullptr, 1, Extra::none},
    {32907, nullptr, 1, Extra::none},
    {32955, nullptr, 1, Extra::none},
    {33156, nullptr, 1, Extra::none},
    {0, "アラーム", 1, Extra::none},
    {32789, nullptr, 1, Extra::none},
    {32792, nullptr, 1, Extra::none},
    {32793, nullptr, 1, Extra::none},
    {32794, nullptr, 1, Extra::none},
    {32863, nullptr, 2, Extra::none},
    {32867, nullptr, 1, Extra::none},
    {0, "最大最小表示", 1, Extra::none},
    {0, "グラフのコピー", 1, Extra::none},
    {0, "測定器", 1, Extra::itemBefore},
    {1306, nullptr, 1, Extra::none},
    {33202, nullptr, 1, Extra::none},
};

constexpr Removal kLateRemovals[] = {
    {33368, nullptr, 1, Extra::none},
    {33334, nullptr, 1, Extra::none},
    {0, "出力ﾚﾝｼﾞ", 1, Extra::none},
    {33530, nullptr, 1, Extra::none},
};

unsigned FirstItemOf(CMenu* popup)
{
    return popup->GetMenuItemCount() > 0 ? popup->GetMenuItemID(0) : 0;
}

void FillPlaceholder(CMenu* popup, const Placeholder* first, const Placeholder* last)
{
    const unsigned item = FirstItemOf(popup);
    for (const Placeholder* p = first; p != last; ++p) {
        if (p->firstItem == item) {
            CopyMenuFromResource(p->menuResource, popup, true);
            return;
        }
    }
}

void Remove(CMenu* popup, const Removal& r)
{
    if (r.extra == Extra::itemBefore) {
        const int pos = r.caption ? DeleteMenuItemByText(popup, r.caption, r.count)
                                  : DeleteMenuItemById(popup, r.id, r.count);
        if (pos > 0)
            popup->DeleteMenu(static_cast<unsigned>(pos - 1), fw::MF_BYPOSITION);
        return;
    }
    const int pos = r.caption ? DeleteMenuItemByText(popup, r.caption, r.count)
                              : DeleteMenuItemById(popup, r.id, r.count);
    if (r.extra == Extra::itemBeforeSeparator && pos > 0 && pos < popup->GetMenuItemCount() &&
        popup->GetMenuItemID(pos) == 0)
        popup->DeleteMenu(static_cast<unsigned>(pos - 1), fw::MF_BYPOSITION);
}

template <size_t N> void RemoveAll(CMenu* popup, const Removal (&table)[N])
{
    for (const Removal& r : table)
        Remove(popup, r);
}

} // namespace

void EditFramePopup(CMenu* popup)
{
    if (!popup)
        return;
    FillPlaceholder(popup, std::begin(kPlaceholders), std::end(kPlaceholders));
    RemoveAll(popup, kRemovals);
    FillPlaceholder(popup, std::begin(kLatePlaceholders), std::end(kLatePlaceholders));
    RemoveAll(popup, kLateRemovals);
    FillPlaceholder(popup, &kLastPlaceholder, &kLastPlaceholder + 1);
    DeleteMenuItemById(popup, 33558, 1);
}

void ExpandRecentFileItems(CMenu* popup, const fw::CRecentFileList& files)
{
    int pos = -1;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        const unsigned id = popup->GetMenuItemID(i);
        if (id >= fw::ID_FILE_MRU_FILE1 && id <= fw::ID_FILE_MRU_LAST) {
            pos = i;
            break;
        }
    }
    if (pos < 0)
        return;
    const fw::CString emptyCaption = "最近使ったファイル";
    while (pos < popup->GetMenuItemCount()) {
        const unsigned id = popup->GetMenuItemID(pos);
        if (id < fw::ID_FILE_MRU_FILE1 || id > fw::ID_FILE_MRU_LAST)
            break;
        popup->DeleteMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION);
    }
    if (files.GetCount() == 0) {
        popup->InsertMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION | fw::MF_GRAYED, fw::ID_FILE_MRU_FILE1,
                          emptyCaption);
        return;
    }
    for (int i = 0; i < files.GetCount(); ++i) {
        // '&' in a file name is text, not a mnemonic.
        fw::CString name = fw::fs::FileNameOf(files[i]);
        name.Replace("&", "&&");
        popup->InsertMenu(static_cast<unsigned>(pos + i), fw::MF_BYPOSITION,
                          fw::ID_FILE_MRU_FILE1 + static_cast<unsigned>(i), fw::Format("&%d %s", i + 1, name));
    }
}
