#include "graphdoc/views/GraphPageMenus.h"

#include "docbase/resources/ProgramMenus.h"
#include "framework/core/MenuResource.h"

namespace {

using M = fw::MenuResource;

constexpr unsigned kIdrGraphPage = 131;
constexpr unsigned kIdrGraphContext = 319;

M GraphCopyMenu()
{
    return M::Popup("グラフのコピー", {M::Item("ビットマップコピー", 32969), M::Item("ベクターコピー", 33210)});
}

M FileMenu()
{
    return M::Popup("ファイル(&F)", {
        M::Item("新規作成(&N)\tCtrl+N", 57600),
        M::Item("開く(&O)...\tCtrl+O", 57601),
        M::Item("閉じる(&C)", 57602),
        M::Item("上書き保存(&S)\tCtrl+S", 57603),
        M::Item("名前を付けて保存(&A)...", 57604),
        M::Separator(),
        M::Item("絵を保存...", 32911),
        M::Separator(),
        M::Item("印刷(&P)...\tCtrl+P", 57607),
        M::Item("印刷プレビュー(&V)", 57609),
        M::Item("プリンタの設定(&R)...", 57606),
        M::Item("印刷ｵﾌﾟｼｮﾝ...", 32832),
        M::Item("ｸﾞﾗﾌの一括印刷...", 32912),
        M::Separator(),
        M::Item("最近使ったファイル", 57616),
        M::Separator(),
        M::Item("アプリケーションの終了(&X)", 57665),
    });
}

M EditMenu()
{
    return M::Popup("編集(&E)", {
        M::Item("元に戻す(&U)\tCtrl+Z", 57643),
        M::Separator(),
        M::Item("切り取り(&T)\tCtrl+X", 57635),
        M::Item("コピー(&C)\tCtrl+C", 57634),
        M::Item("貼り付け(&P)\tCtrl+V", 57637),
        M::Item("消去(&D)\tCtrl+B", 57632),
        M::Separator(),
        M::Item("すべて選択\tCtrl+A", 57642),
        M::Separator(),
        M::Item("グラフの複製", 32908),
        GraphCopyMenu(),
        M::Separator(),
        M::Item("最前面へ(&T)\tCtrl+T", 32909),
        M::Item("最背面へ(&B)\tCtrl+R", 32910),
        M::Separator(),
        M::Item("編集不可", 32778),
        M::Separator(),
        M::Item("オブジェクトの作成と貼り付け(&N)...", 57856),
        M::Item("リンクの設定(&K)...", 57857),
        M::Item("オブジェクト", 57872),
    });
}

M WindowMenu()
{
    std::vector<M> items = {
        M::Item("新しいウィンドウを開く(&N)", 57648),
        M::Item("重ねて表示(&C)", 57650),
        M::Item("上下に並べて表示(&H)", 57651),
        M::Item("左右に並べて表示(&T)", 57652),
        M::Item("アイコンの整列(&A)", 57649),
        M::Separator(),
    };
    for (M& bar : docmenu::BarItems())
        items.push_back(std::move(bar));
    return M::Popup("ウィンドウ(&W)", std::move(items));
}

M ContextMenu()
{
    return M::Popup("", {
        M::Item("切り取り(&T)\tCtrl+X", 57635),
        M::Item("コピー(&C)\tCtrl+C", 57634),
        M::Item("貼り付け(&P)\tCtrl+V", 57637),
        GraphCopyMenu(),
        M::Separator(),
        M::Item("最前面へ(&T)\tCtrl+T", 32909),
        M::Item("最背面へ(&B)\tCtrl+B", 32910),
        M::Separator(),
        M::Item("数値ﾓﾆﾀの追加...", 32880),
        M::Item("文字の追加...", 32881),
        M::Separator(),
        M::Item("作図線の設定...", 32883),
        M::Item("ｸﾞﾘｯﾄﾞの設定...", 32884),
        M::Item("座標軸...", 32886),
        M::Item("座標軸のリセット", 32823),
        M::Item("ﾗﾍﾞﾙの設定...", 32887),
        M::Separator(),
        M::Item("ﾌｫﾝﾄ...", 32893),
        M::Item("線と色..", 32894),
    });
}

} // namespace

void RegisterGraphPageMenus()
{
    fw::RegisterMenuResource(kIdrGraphPage, M::Popup("", {
        FileMenu(),
        EditMenu(),
        M::Item("グラフ", 32936),
        M::Item("計測", 32938),
        WindowMenu(),
        M::Popup("ヘルプ(&H)", {M::Item("バージョン情報 KIV-5980(&A)...", 33105)}),
    }));
    fw::RegisterMenuResource(kIdrGraphContext, M::Popup("", {ContextMenu()}));
}
