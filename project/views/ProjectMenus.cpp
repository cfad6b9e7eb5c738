#include "project/views/ProjectMenus.h"

#include "docbase/resources/ProgramMenus.h"
#include "framework/core/MenuResource.h"
#include "framework/core/StandardCommands.h"

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace {

using M = fw::MenuResource;
using namespace prjmenu;

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

// "OFF", then per unit slot a submenu of its eight channel numbers whose
// commands run from `firstId`.
std::vector<M> UnitSlots(unsigned firstId)
{
    static const char* const kDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９", "１０"};
    std::vector<M> unitSlots;
    for (int u = 0; u < 10; ++u) {
        std::vector<M> channels;
        for (int c = 0; c < 8; ++c)
            channels.push_back(M::Item(std::to_string(8 * u + c + 1).c_str(), firstId + static_cast<unsigned>(8 * u + c)));
        unitSlots.push_back(M::Popup((std::string("ユニット") + kDigits[u]).c_str(), std::move(channels)));
    }
    return unitSlots;
}

std::vector<M> EditItems()
{
    return {M::Item("元に戻す(&U)", 57643), M::Separator(), M::Item("切り取り(&T)", fw::ID_EDIT_CUT),
            M::Item("コピー(&C)", fw::ID_EDIT_COPY), M::Item("貼り付け(&P)", fw::ID_EDIT_PASTE),
            M::Item("消去(&D)", fw::ID_EDIT_CLEAR)};
}

// The history pages share one menu; each page handles the commands it
// offers under these ids.
std::vector<M> HistoryItems()
{
    return {M::Item("ｺﾋﾟｰ(&C)", fw::ID_EDIT_COPY), M::Separator(), M::Item("データファイルを表示", 32829),
            M::Item("データファイル名の変更...", 32952), M::Item("データファイルのテキスト変換...", 32820),
            M::Item("頻度ファイルのテキスト変換...", 33196), M::Item("試験タイトルの変更...", 32959),
            M::Item("計測履歴の更新...", 32830), M::Separator(), M::Item("テキストで保存...", 32831)};
}

// No page sets the output range: its items only ever show disabled.
std::vector<M> OutputRangeItems()
{
    std::vector<M> ranges;
    unsigned id = kIdOutputRangeFirst;
    for (const char* range : {"10", "20", "50", "100", "200", "500", "1000", "2000", "5000"})
        ranges.push_back(M::Item(range, id++));
    return ranges;
}

std::vector<M> OutputItems()
{
    std::vector<M> items = EditHead();
    items.push_back(M::Separator());
    items.push_back(M::Popup("出力電圧", Items({{"±5V", 33007}, {"±10V", 33008}, {"0 - +5V", 33009}})));
    items.push_back(M::Popup("出力ﾚﾝｼﾞ", OutputRangeItems()));
    return WithTail(std::move(items));
}

std::vector<M> HistOperationItems()
{
    return Items({{"PEAK/V", 33179}, {"MAX/MIN", 33180}, {"AMP", 33181}, {"TIME", 33182}, {"LEVEL", 33183},
                  {"RAIN", 33184}});
}

std::vector<M> HistClockItems() { return Items({{"1000msec", 33174}, {"100msec", 33175}, {"10msec", 33177}}); }

// The page menus of the project window's groups, in the order of the pages.
void RegisterPageMenus()
{
    Register(kChannelPages, Items({{"入力CH", 32786}, {"出力CH", 32787}, {"拡張CH", 32789}, {"頻度NO", 32788},
                                   {"デジタル入出力", 33338}}));
    Register(kSettingPages, Items({{"データトリガ計測", 32790}, {"インターバル計測", 32792},
                                   {"データコンパレータ計測", 32793}, {"サイクルトリガ計測", 32794},
                                   {"プログラム計測", 32791}}));
    Register(kDataPages, Items({{"データリスト", 32795}, {"グラフリスト", 32796}}));
    Register(kHistoryPages, Items({{"計測履歴", 32917}, {"最大最小平均値", 32918}, {"頻度履歴", 32919},
                                   {"チェック結果", 32920}, {"音声履歴", 33298}}));
    Register(kCanPages, Items({{"基本設定", 33295}, {"CANデータ", 33296}}));
}

std::vector<M> GraphListItems()
{
    return {M::Item("作図線の設定...", 32883), M::Item("ｸﾞﾘｯﾄﾞの設定...", 32884), M::Item("座標軸...", 32886),
            M::Item("ラベルの設定...", 32887), M::Item("作図方法の設定...", 33330), M::Separator(),
            M::Popup("時間単位", Items({{"ミリ秒間", 32964}, {"秒間", 32965}, {"分間", 32966}, {"時間", 32967}})),
            M::Separator(), M::Item("グラフ列の幅...", 32825), M::Item("凡例列の幅...", 32826),
            M::Item("行の高さ..", 32827), M::Separator(), M::Item("範囲選択...", 32814),
            M::Popup("マーカー", Items({{"カーソル1に作成", 33532}, {"カーソル2に作成", 33533},
                                       {"両方に作成", 33534}, {"マーカーの削除", 33536}})),
            M::Separator(), M::Item("テキストで保存...", 32831), M::Separator(), M::Item("元に戻す(&U)", 57643),
            M::Item("削除", 32834), M::Item("前後削除", 32864)};
}

} // namespace

void EnsureProjectPageMenus()
{
    using namespace prjmenu;
    RegisterPageMenus();
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

    Register(kOutputVoltage, Items({{"±5V", 33007}, {"±10V", 33008}, {"0 - +5V", 33009}}));
    Register(kOutputRange, OutputRangeItems());
    Register(kHistOperation, HistOperationItems());
    Register(kHistClock, HistClockItems());
    {
        std::vector<M> items = {M::Item("OFF", 33011)};
        for (M& slot : UnitSlots(33012))
            items.push_back(std::move(slot));
        Register(kUnitChannels, std::move(items));
        Register(kSignedChannels, {M::Item("OFF", 33011), M::Popup(" +", UnitSlots(33370)),
                                   M::Popup(" -", UnitSlots(33450))});
    }

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
    Register(kHistoryContext, HistoryItems());
    {
        std::vector<M> items = EditHead();
        items.push_back(M::Separator());
        items.push_back(M::Popup("ｺﾝﾄﾛｰﾙ", ControlItems()));
        Register(kIntervalContext, WithTail(std::move(items)));
    }
    {
        std::vector<M> items = EditHead();
        items.push_back(M::Separator());
        items.push_back(M::Item("名前...", 32845));
        items.push_back(M::Item("関数ペースト...", 32846));
        items.push_back(M::Item("単位", 33108));
        items.push_back(M::Item("ﾌｫｰﾏｯﾄ", 32840));
        items.push_back(M::Popup("ON/OFF", OnOffItems()));
        Register(kCalcContext, WithTail(std::move(items)));
    }
    Register(kOutputContext, OutputItems());
    {
        std::vector<M> items = EditHead();
        items.push_back(M::Separator());
        items.push_back(M::Popup("解析方法", HistOperationItems()));
        items.push_back(M::Popup("サンプリング", HistClockItems()));
        Register(kFreqSettingsContext, WithTail(std::move(items)));
    }
    Register(kProgramContext, WithTail(EditItems()));
    Register(kGraphListContext, GraphListItems());
}

namespace {

// A sub-menu that holds only a placeholder: the main frame shows the items
// of the placeholder's menu resource when it opens.
M Choice(const char* caption, unsigned placeholder)
{
    return M::Popup(caption, {M::Item(caption, placeholder)});
}

M ProjectEditMenu()
{
    return M::Popup("編集(&E)", {
        M::Item("元に戻す(&U)\tCtrl+Z", 57643), M::Separator(),
        M::Item("切り取り(&T)\tCtrl+X", fw::ID_EDIT_CUT), M::Item("コピー(&C)\tCtrl+C", fw::ID_EDIT_COPY),
        M::Item("貼り付け(&P)\tCtrl+V", fw::ID_EDIT_PASTE), M::Item("消去(&D)\tCtrl+B", fw::ID_EDIT_CLEAR),
        M::Item("下方向にｺﾋﾟｰ(&F)\tCtrl+D", 32835), M::Separator(),
        M::Item("すべて選択\tCtrl+A", 57642), M::Separator(),
        M::Item("挿入", 32833), M::Item("削除", 32834), M::Separator(),
        M::Item("列の幅...", 32836), M::Separator(),
        M::Item("編集不可", 32778),
    });
}

M ProjectViewMenu()
{
    std::vector<M> items = docmenu::BarItems();
    for (M page : {M::Separator(), Choice("チャンネル設定", 32782), Choice("CAN･音声･GPS", 33290),
                   Choice("自動計測設定", 32783), Choice("計測データ", 32784), Choice("履歴", 32785)})
        items.push_back(std::move(page));
    return M::Popup("表示(&V)", std::move(items));
}

// The settings of the project; the choice sub-menus set the selected cells
// of the page that has such a column.
M ProjectMenu()
{
    return M::Popup("計測プロジェクト(&P)", {
        M::Item("測定器設定...", 32780), M::Item("A/D設定...", 32781), M::Separator(),
        M::Item("名前...", 32845), M::Item("単位", 33108), M::Item("ﾌｫｰﾏｯﾄ", 32840),
        Choice("入力ﾓｰﾄﾞ", 32856), Choice("入力ﾚﾝｼﾞ", 32861), Choice("ﾛｰﾊﾟｽﾌｨﾙﾀ", 32860),
        Choice("フィルタ特性", 33164), Choice("ﾊｲﾊﾟｽﾌｨﾙﾀ", 32858), Choice("ﾊﾞﾗﾝｽ", 33557), Choice("RJC", 33151),
        Choice("ON/OFF", 32862), Choice("ﾄﾘｶﾞﾓｰﾄﾞ", 32849), Choice("ｺﾝﾄﾛｰﾙ", 32841), Choice("出力電圧", 33010),
        Choice("出力ﾚﾝｼﾞ", 32852), Choice("解析方法", 33171), Choice("サンプリング", 33172), M::Separator(),
        M::Item("履歴の更新...", 32830), M::Item("データファイルを表示", 32829),
        M::Item("データファイル名の変更...", 32952), M::Item("試験タイトルの変更...", 32959),
    });
}

} // namespace

void RegisterProjectWindowMenu()
{
    fw::RegisterMenuResource(kIdrProjectWindowMenu, M::Popup("", {
        docmenu::FileMenu({M::Item("テキストで保存...", 32831), M::Item("KIV-406データ読み込み...", 33106),
                           M::Item("KIV-406設定ファイル作成...", 33553)}),
        ProjectEditMenu(),
        ProjectViewMenu(),
        ProjectMenu(),
        docmenu::GraphPlaceholder(),
        docmenu::MeasurePlaceholder(),
        docmenu::WindowMenu(),
        docmenu::HelpMenu(),
    }));
}
