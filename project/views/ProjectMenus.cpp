#include "project/views/ProjectMenus.h"

#include "framework/core/MenuResource.h"
#include "framework/core/StandardCommands.h"

#include <initializer_list>
#include <iterator>
#include <vector>

namespace {

using M = fw::MenuResource;

struct Item {
    const char* caption;
    unsigned id;
};

std::vector<M> Items(std::initializer_list<Item> items)
{
    std::vector<M> out;
    for (const Item& i : items)
        out.push_back(M::Item(i.caption, i.id));
    return out;
}

void Register(unsigned id, std::vector<M> items)
{
    if (fw::FindMenuResource(id))
        return;
    fw::RegisterMenuResource(id, M::Popup("", {M::Popup("", std::move(items))}));
}

std::vector<M> OnOffItems() { return Items({{"OFF", prjmenu::kIdOff}, {"ON", prjmenu::kIdOn}}); }
std::vector<M> TriggerItems() { return Items({{"相対", 33102}, {"アッパー", 33103}, {"ロワー", 33104}}); }
std::vector<M> ControlItems() { return Items({{"無限回", 32842}, {"繰り返し", 32843}, {"GOTO", 32844}}); }

// The edit commands every context menu starts with.
std::vector<M> EditHead()
{
    return {M::Item("元に戻す(&U)", 57643), M::Separator(), M::Item("切り取り(&T)", fw::ID_EDIT_CUT),
            M::Item("コピー(&C)", fw::ID_EDIT_COPY), M::Item("貼り付け(&P)", fw::ID_EDIT_PASTE),
            M::Item("消去(&D)", fw::ID_EDIT_CLEAR), M::Separator(), M::Item("下方向にｺﾋﾟｰ(&F)", 32835)};
}

std::vector<M> WithTail(std::vector<M> items)
{
    items.push_back(M::Separator());
    items.push_back(M::Item("テキストで保存...", 32831));
    return items;
}

} // namespace

void EnsureProjectPageMenus()
{
    using namespace prjmenu;
    Register(kSet, Items({{"SET", 32855}, {"OFF", 32854}}));
    Register(kOnOff, OnOffItems());
    Register(kControl, ControlItems());
    Register(kInputMode, Items({{"4G 0.5V", 33095}, {"4G 2.0V", 33096}, {"電圧", 33097}, {"熱電対　K", 33098},
                                {"熱電対　J", 33099}, {"熱電対　T", 33100}}));
    Register(kRange, Items({{"250", 33543}, {"600", 32986}, {"1000", 32987}, {"1300", 32988}, {"2500", 33336},
                            {"5000", 32989}, {"10000", 32990}, {"20000", 32991}}));
    Register(kLowPass, Items({{"PASS", 32992}, {"30", 32993}, {"100", 32994}, {"300", 32995}, {"1000", 32996}}));
    Register(kTriggerMode, TriggerItems());
    Register(kJunction, Items({{"RJC OFF", 33152}, {"RJC ON", 33153}}));
    Register(kFilterKind, Items({{"ベッセル2次", 33165}, {"バタワース2次", 33166}, {"ベッセル8次", 33167},
                                 {"バタワース8次", 33168}}));
    Register(kHighPass, Items({{"PASS", 33549}, {"0.2", 33550}, {"1.0", 33551}}));
    Register(kBalance, Items({{"無効", 33554}, {"有効", 33555}}));
    Register(k465Input, Items({{"FREQ.", 33339}, {"COUNT(Unsigned)", 33340}, {"COUNT(Singed)", 33341},
                               {"NONE", 33342}, {"MARK", 33343}, {"TRIG", 33344}, {"SCLK", 33345}, {"BAL", 33346},
                               {"RUN", 33347}, {"HLT", 33348}, {"PAUSE", 33349}, {"CAL+", 33350}, {"CAL-", 33351},
                               {"CAL0", 33352}}));
    Register(k465Range, Items({{"100", 33354}, {"500", 33355}, {"1000", 33356}, {"5000", 33357}, {"10000", 33358},
                               {"50000", 33359}, {"100000", 33360}}));
    Register(k465Level, Items({{"任意", 33361}, {"低", 33362}, {"中", 33363}, {"高", 33364}, {"TTL", 33365},
                               {"CMOS", 33366}}));

    // Context menus: the choice submenus carry their items directly.
    Register(kDataListContext, WithTail({M::Item("元に戻す(&U)", 57643), M::Separator(),
                                         M::Item("切り取り(&T)", fw::ID_EDIT_CUT),
                                         M::Item("コピー(&C)", fw::ID_EDIT_COPY),
                                         M::Item("貼り付け(&P)", fw::ID_EDIT_PASTE),
                                         M::Item("消去(&D)", fw::ID_EDIT_CLEAR)}));
    {
        std::vector<M> items = EditHead();
        items.push_back(M::Separator());
        items.push_back(M::Popup("ON/OFF", OnOffItems()));
        items.push_back(M::Popup("ﾄﾘｶﾞﾓｰﾄﾞ", TriggerItems()));
        Register(kDataTriggerContext, WithTail(std::move(items)));
    }
    {
        std::vector<M> items = EditHead();
        items.push_back(M::Separator());
        items.push_back(M::Popup("ｺﾝﾄﾛｰﾙ", ControlItems()));
        Register(kCycleContext, WithTail(items));
        items.back() = M::Item("ﾃﾞｰﾀの選択...", kIdDataSelect);
        items.push_back(M::Popup("ｺﾝﾄﾛｰﾙ", ControlItems()));
        Register(kComparatorContext, WithTail(std::move(items)));
    }
    Register(k465Context, WithTail(EditHead()));
    {
        std::vector<M> items = EditHead();
        items.push_back(M::Separator());
        items.push_back(M::Popup("SET", Items({{"SET", 32855}, {"OFF", 32854}})));
        items.push_back(M::Item("名前...", 32845));
        const unsigned choices[] = {kInputMode, kRange, kLowPass, kFilterKind, kHighPass, kBalance};
        const char* captions[] = {"入力ﾓｰﾄﾞ", "入力ﾚﾝｼﾞ", "ﾛｰﾊﾟｽﾌｨﾙﾀ", "フィルタ特性", "ﾊｲﾊﾟｽﾌｨﾙﾀ", "ﾊﾞﾗﾝｽ"};
        for (size_t i = 0; i < std::size(choices); ++i)
            items.push_back(M::Popup(captions[i], fw::FindMenuResource(choices[i])->children.front().children));
        items.push_back(M::Item("単位", 33108));
        items.push_back(M::Item("ﾌｫｰﾏｯﾄ", 32840));
        items.push_back(M::Popup("ON/OFF", OnOffItems()));
        Register(kChannelContext, WithTail(std::move(items)));
    }
}
