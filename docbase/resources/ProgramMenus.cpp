#include "docbase/resources/ProgramMenus.h"

#include "framework/core/AcceleratorResource.h"
#include "framework/core/MenuResource.h"

namespace {

using M = fw::MenuResource;

M FileMenu()
{
    return M::Popup("ファイル(&F)", {
        M::Item("新規作成(&N)\tCtrl+N", 57600),
        M::Item("開く(&O)...\tCtrl+O", 57601),
        M::Separator(),
        M::Item("プリンタの設定(&R)...", 57606),
        M::Item("印刷ｵﾌﾟｼｮﾝ...", 32832),
        M::Separator(),
        M::Item("最近使ったファイル", 57616),
        M::Separator(),
        M::Item("アプリケーションの終了(&X)", 57665),
    });
}

M ViewMenu()
{
    return M::Popup("表示(&V)", docmenu::BarItems());
}

// What the popup pass shows for the panel's automatic-measurement button.
M AutoMeasureMenu()
{
    return M::Popup("自動計測", {
        M::Item("フリーラン...", 33155),
        M::Item("ﾃﾞｰﾀﾄﾘｶﾞ...", 32904),
        M::Item("プログラム計測", 33197),
        M::Item("ｲﾝﾀｰﾊﾞﾙ", 32905),
        M::Item("ﾃﾞｰﾀｺﾝﾊﾟﾚｰﾀ...", 32906),
        M::Item("ｻｲｸﾙﾄﾘｶﾞ...", 32907),
    });
}

// The graph commands of the data windows.
M GraphMenu()
{
    return M::Popup("グラフ(&G)", {
        M::Popup("データグラフ", {
            M::Item("ライン...", 32870),
            M::Item("散布...", 32871),
            M::Item("経過図...", 32872),
        }),
        M::Popup("モニタグラフ", {
            M::Item("ラインモニタ...", 32821),
            M::Item("経過モニタ...", 32822),
            M::Item("X分布モニタ...", 32876),
            M::Item("Y分布モニタ...", 32877),
            M::Item("縦棒モニタ...", 32874),
            M::Item("横棒モニタ...", 32875),
        }),
        M::Popup("履歴グラフ", {
            M::Item("サイクルグラフ...", 32873),
            M::Item("履歴グラフ...", 32815),
        }),
        M::Item("スペクトルグラフ...", 32940),
        M::Item("頻度グラフ...", 33191),
        M::Separator(),
        M::Item("白紙フォーム", 32878),
        M::Separator(),
    });
}

// The measurement commands, all handled by the main frame.
M MeasureMenu()
{
    return M::Popup("計測(&M)", {
        M::Item("計測パネル表示...\tF9", 32779),
        M::Item("モニタリング\tF11", 32901),
        M::Item("ﾓﾆﾀ設定...", 32902),
        M::Item("計測プロジェクト表示", 32897),
        M::Separator(),
        M::Item("計測開始\tF1", 32900),
        M::Item("ｲﾝﾀｰﾊﾞﾙ", 32905),
        M::Item("ﾃﾞｰﾀﾄﾘｶﾞ...", 32904),
        M::Item("ﾃﾞｰﾀｺﾝﾊﾟﾚｰﾀ...", 32906),
        M::Item("ｻｲｸﾙﾄﾘｶﾞ...", 32907),
        M::Item("フリーラン...", 33155),
        M::Item("プログラム計測", 33197),
        M::Separator(),
        M::Item("バランス...\tF10", 32899),
        M::Item("測定器チェック...", 32898),
        M::Separator(),
        M::Item("CFデータの読込...", 32913),
        M::Item("KIV-406データ読み込み...", 33106),
        M::Item("CFデータ選択削除...", 33157),
        M::Item("記録データの設定...", 33190),
        M::Item("キャル出力...", 32818),
        M::Item("ピークリセット", 32934),
        M::Separator(),
        M::Item("アラーム設定...", 32816),
        M::Item("アラーム表示", 32817),
        M::Item("データ自動保存...", 32955),
        M::Item("CFデータ自動削除...", 33156),
        M::Item("KIV-406バージョンアップ...", 33107),
    });
}

// Each item's string holds the model name and the description.
M UnitTypeMenu()
{
    return M::Popup("ユニット", {
        M::Item("未接続", 32971),
        M::Item("4ゲージユニット", 32972),
        M::Item("電圧・熱電対ユニット", 32973),
        M::Item("電圧出力ユニット", 32974),
        M::Item("1,2,4ゲージユニット", 33198),
        M::Item("テレメータI/Fユニット", 32975),
        M::Item("CAN・音声・GPSユニット", 32976),
        M::Item("KIV-489-S1", 33334),
        M::Item("デジタル入出力ユニット", 33337),
        M::Item("チャージアンプユニット", 33542),
        M::Item("搬送波ひずみユニット", 33565),
    });
}

// The second keys of the edit commands and the key that edits the current
// cell, in every document window.
void RegisterDocumentAccelerators()
{
    const std::vector<fw::Accelerator> keys = {
        {"Ctrl+Ins", 57634}, {"Shift+Del", 57635}, {"Shift+Ins", 57637}, {"Alt+Backspace", 57643}, {"F2", 32838},
    };
    for (unsigned type : {129u, 130u, 131u, 132u})
        fw::RegisterAccelerators(type, keys);
}

} // namespace

void RegisterProgramMenus()
{
    RegisterDocumentAccelerators();
    fw::RegisterMenuResource(kIdrMainMenu, M::Popup("", {FileMenu(), ViewMenu(), docmenu::HelpMenu()}));
    fw::RegisterMenuResource(kIdrHelpMenu, M::Popup("", {docmenu::HelpMenu()}));
    fw::RegisterMenuResource(kIdrAutoMeasureMenu, M::Popup("", {AutoMeasureMenu()}));
    fw::RegisterMenuResource(kIdrGraphMenu, M::Popup("", {GraphMenu()}));
    fw::RegisterMenuResource(kIdrMeasureMenu, M::Popup("", {MeasureMenu()}));
    fw::RegisterMenuResource(kIdrUnitTypeMenu, M::Popup("", {UnitTypeMenu()}));
}

namespace docmenu {

M FileMenu(std::vector<M> extra)
{
    std::vector<M> items = {
        M::Item("新規作成(&N)\tCtrl+N", 57600),
        M::Item("開く(&O)...\tCtrl+O", 57601),
        M::Item("閉じる(&C)", 57602),
        M::Item("上書き保存(&S)\tCtrl+S", 57603),
        M::Item("名前を付けて保存(&A)...", 57604),
        M::Separator(),
    };
    if (!extra.empty()) {
        for (M& item : extra)
            items.push_back(std::move(item));
        items.push_back(M::Separator());
    }
    for (M item : {M::Item("印刷(&P)...\tCtrl+P", 57607), M::Item("印刷プレビュー(&V)", 57609),
                   M::Item("プリンタの設定(&R)...", 57606), M::Item("印刷ｵﾌﾟｼｮﾝ...", 32832), M::Separator(),
                   M::Item("最近使ったファイル", 57616), M::Separator(),
                   M::Item("アプリケーションの終了(&X)", 57665)})
        items.push_back(std::move(item));
    return M::Popup("ファイル(&F)", std::move(items));
}

std::vector<M> BarItems()
{
    return {
        M::Item("ツール バー(&T)", 59392),
        M::Item("ステータス バー(&S)", 59393),
        M::Item("トリガステータス バー(&G)", 32930),
        M::Item("CFステータス(&F)", 1306),
    };
}

M WindowMenu()
{
    return M::Popup("ウィンドウ(&W)", {
        M::Item("新しいウィンドウを開く(&N)", 57648),
        M::Item("重ねて表示(&C)", 57650),
        M::Item("並べて表示(&T)", 57651),
        M::Item("アイコンの整列(&A)", 57649),
    });
}

M HelpMenu()
{
    return M::Popup("ヘルプ(&H)", {M::Item("バージョン情報 KIV-5400(&A)...", 57664)});
}

M GraphPlaceholder() { return M::Item("グラフ", 32936); }
M MeasurePlaceholder() { return M::Item("計測", 32938); }

} // namespace docmenu
