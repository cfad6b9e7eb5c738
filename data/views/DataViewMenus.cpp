#include "data/views/DataViewMenus.h"

#include "docbase/resources/ProgramMenus.h"
#include "framework/core/MenuResource.h"
#include "framework/core/StandardCommands.h"

#include <vector>

namespace datamenu {
namespace {

using M = fw::MenuResource;

constexpr unsigned kUndo = 57643;
constexpr unsigned kFillDown = 32835;
constexpr unsigned kInsert = 32833;
constexpr unsigned kDelete = 32834;
constexpr unsigned kDeleteOutside = 32864;
constexpr unsigned kSetSelect = 32814;
constexpr unsigned kThinning = 32824;
constexpr unsigned kColumnWidth = 32836;
constexpr unsigned kTextSave = 32831;
constexpr unsigned kRecalculate = 32863;
constexpr unsigned kNames = 32845;
constexpr unsigned kFunctionPaste = 32846;

std::vector<M> EditItems()
{
    return {M::Item("元に戻す(&U)\tCtrl+Z", kUndo), M::Separator(),
            M::Item("切り取り(&T)\tCtrl+X", fw::ID_EDIT_CUT), M::Item("コピー(&C)\tCtrl+C", fw::ID_EDIT_COPY),
            M::Item("貼り付け(&P)\tCtrl+V", fw::ID_EDIT_PASTE), M::Item("消去(&D)\tCtrl+B", fw::ID_EDIT_CLEAR)};
}

M TimeUnitPopup()
{
    return M::Popup("時間単位", {M::Item("ミリ秒間", 32964), M::Item("秒間", 32965), M::Item("分間", 32966),
                                 M::Item("時間", 32967)});
}

void RegisterPlain(unsigned id, std::vector<M> items)
{
    if (!fw::FindMenuResource(id))
        fw::RegisterMenuResource(id, M::Popup("", {M::Popup("", std::move(items))}));
}

// A context menu ends with the text save.
void Register(unsigned id, std::vector<M> items)
{
    items.push_back(M::Separator());
    items.push_back(M::Item("テキストで保存...", kTextSave));
    RegisterPlain(id, std::move(items));
}

std::vector<M> ValueListItems()
{
    std::vector<M> items = EditItems();
    for (M item : {M::Separator(), M::Item("挿入", kInsert), M::Item("削除", kDelete),
                   M::Item("前後削除", kDeleteOutside), M::Separator(), M::Item("範囲選択...", kSetSelect),
                   M::Item("間引き...", kThinning), M::Separator(), TimeUnitPopup(),
                   M::Item("列の幅...", kColumnWidth)})
        items.push_back(item);
    return items;
}

std::vector<M> ChannelTableItems()
{
    std::vector<M> items = EditItems();
    for (M item : {M::Separator(), M::Item("名前...", kNames), M::Item("単位", kUnitItem),
                   M::Item("ﾌｫｰﾏｯﾄ", kFormatItem), M::Separator(), M::Item("列の幅...", kColumnWidth)})
        items.push_back(item);
    return items;
}

std::vector<M> CalcChannelItems()
{
    std::vector<M> items = EditItems();
    for (M item : {M::Item("下方向にｺﾋﾟｰ(&F)\tCtrl+D", kFillDown), M::Separator(), M::Item("挿入", kInsert),
                   M::Item("削除", kDelete), M::Separator(), M::Item("名前...", kNames),
                   M::Item("関数ペースト...", kFunctionPaste), M::Item("単位", kUnitItem),
                   M::Item("ﾌｫｰﾏｯﾄ", kFormatItem), M::Separator(), M::Item("再計算\tF5", kRecalculate),
                   M::Item("列の幅...", kColumnWidth)})
        items.push_back(item);
    return items;
}

std::vector<M> GraphListItems()
{
    return {M::Item("座標軸...", 32886), M::Item("ラベルの設定...", 32887), M::Item("作図線の設定...", 32883),
            M::Item("ｸﾞﾘｯﾄﾞの設定...", 32884), M::Item("作図方法の設定...", 33330), M::Separator(),
            M::Item("グラフ列の幅...", 32825), M::Item("凡例列の幅...", 32826), M::Item("行の高さ..", 32827),
            M::Item("カーソル情報表示", 32963), M::Separator(), M::Item("削除", kDelete),
            M::Item("前後削除", kDeleteOutside), M::Separator(), M::Item("カーソル1に作成", 33532),
            M::Item("カーソル2に作成", 33533), M::Item("両方に作成", 33534), M::Item("マーカーの削除", 33536),
            M::Separator(), TimeUnitPopup()};
}

void RegisterPopup(unsigned id, std::vector<M> items)
{
    if (!fw::FindMenuResource(id))
        fw::RegisterMenuResource(id, M::Popup("", {M::Popup("", std::move(items))}));
}

// The data window's families and its marker button. The data pages share
// the project window's menu of them.
void RegisterPageMenus()
{
    RegisterPopup(314, {M::Item("入力CH", 32866), M::Item("拡張CH", 32867)});
    RegisterPopup(396, {M::Item("GPSデータ", 33300), M::Item("GPS生データ", 33302), M::Item("GPSマップ", 33368),
                        M::Item("CANデータ", 33301), M::Item("CANグラフリスト", 33326),
                        M::Item("音声履歴", 33298)});
    RegisterPopup(141, {M::Item("データリスト", 32795), M::Item("グラフリスト", 32796)});
    RegisterPopup(415, {M::Item("マーカーの表示", 33531), M::Separator(), M::Item("カーソル1に作成", 33532),
                        M::Item("カーソル2に作成", 33533), M::Item("両方に作成", 33534), M::Separator(),
                        M::Item("マーカーの選択", 33535), M::Item("マーカーの削除", 33536)});
}

} // namespace

void EnsureDataViewMenus()
{
    RegisterPageMenus();
    Register(kValueList, ValueListItems());
    Register(kChannelTable, ChannelTableItems());
    Register(kCalcChannels, CalcChannelItems());
    Register(kGraphList, GraphListItems());
}

namespace {

M Choice(const char* caption, unsigned placeholder)
{
    return M::Popup(caption, {M::Item(caption, placeholder)});
}

M WindowEditMenu()
{
    std::vector<M> items = EditItems();
    for (M item : {M::Item("下方向にｺﾋﾟｰ(&F)\tCtrl+D", kFillDown), M::Separator(),
                   M::Item("すべて選択\tCtrl+A", 57642), M::Separator(), M::Item("挿入", kInsert),
                   M::Item("削除", kDelete), M::Item("前後削除", kDeleteOutside), M::Separator(),
                   M::Item("範囲選択...", kSetSelect), M::Item("間引き...", kThinning), M::Separator(),
                   M::Item("名前...", kNames), M::Item("関数ペースト...", kFunctionPaste), M::Item("単位", kUnitItem),
                   M::Item("ﾌｫｰﾏｯﾄ", kFormatItem), M::Separator(), M::Item("再計算\tF5", kRecalculate),
                   M::Separator(), M::Item("列の幅...", kColumnWidth), M::Separator(),
                   M::Item("編集不可", 32778)})
        items.push_back(std::move(item));
    return M::Popup("編集(&E)", std::move(items));
}

// Each family's sub-menu holds its placeholder; the main frame shows the
// family's pages when it opens.
M WindowViewMenu()
{
    std::vector<M> items = docmenu::BarItems();
    for (M family : {M::Separator(), Choice("チャンネル設定", 32828), Choice("計測データ", 33369),
                     Choice("CAN･音声･GPS", 33299), Choice("マーカー", 33537)})
        items.push_back(std::move(family));
    return M::Popup("表示(&V)", std::move(items));
}

} // namespace

void RegisterDataWindowMenu()
{
    fw::RegisterMenuResource(kWindowMenu, M::Popup("", {
        docmenu::FileMenu({M::Item("テキストで保存...", kTextSave)}),
        WindowEditMenu(),
        WindowViewMenu(),
        docmenu::GraphPlaceholder(),
        docmenu::MeasurePlaceholder(),
        docmenu::WindowMenu(),
        docmenu::HelpMenu(),
    }));
}

} // namespace datamenu
