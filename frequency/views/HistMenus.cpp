#include "frequency/views/HistMenus.h"

#include "common/calc/DataFormat.h"
#include "docbase/resources/ProgramMenus.h"
#include "framework/core/MenuResource.h"
#include "frequency/views/HistViewIds.h"

using namespace histview;

namespace {

using M = fw::MenuResource;

// Where the application splices its shared graph and measurement popups.
constexpr unsigned kGraphPlaceholder = 32936;
constexpr unsigned kMeasurePlaceholder = 32938;
constexpr unsigned kFormatMenu = 371;

M FormatPopup()
{
    std::vector<M> items;
    for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
        items.push_back(M::Item(item.text, item.command));
    return M::Popup("ﾌｫｰﾏｯﾄ", std::move(items));
}

M DocumentMenu()
{
    return M::Popup("", {
        M::Popup("ファイル(&F)", {
            M::Item("新規作成(&N)\tCtrl+N", 57600),
            M::Item("開く(&O)...\tCtrl+O", 57601),
            M::Item("閉じる(&C)", 57602),
            M::Item("上書き保存(&S)\tCtrl+S", 57603),
            M::Item("名前を付けて保存(&A)...", 57604),
            M::Separator(),
            M::Item("テキストで保存...", kIdTextSave),
            M::Item("VO8025CSV形式出力...", kIdOutput8025Csv),
            M::Separator(),
            M::Item("印刷(&P)...\tCtrl+P", 57607),
            M::Item("印刷プレビュー(&V)", 57609),
            M::Item("プリンタの設定(&R)...", 57606),
            M::Separator(),
            M::Item("アプリケーションの終了(&X)", 57665),
        }),
        M::Popup("編集(&E)", {
            M::Item("元に戻す(&U)\tCtrl+Z", kIdUndoCommand),
            M::Separator(),
            M::Item("切り取り(&T)\tCtrl+X", 57635),
            M::Item("コピー(&C)\tCtrl+C", 57634),
            M::Item("貼り付け(&P)\tCtrl+V", 57637),
            M::Item("消去(&D)\tDel", 57632),
            M::Item("すべて選択", 57642),
            M::Separator(),
            M::Item("編集不可", kIdEditLock),
        }),
        M::Popup("表示(&V)", {
            M::Item("入力CH", kIdShowInput),
            M::Item("頻度データ", kIdShowFrequency),
        }),
        M::Item("グラフ", kGraphPlaceholder),
        M::Item("計測", kMeasurePlaceholder),
        docmenu::WindowMenu(),
        docmenu::HelpMenu(),
    });
}

} // namespace

void RegisterHistViewMenus()
{
    fw::RegisterMenuResource(kDocumentMenu, DocumentMenu());
    fw::RegisterMenuResource(kInputContextMenu, M::Popup("", {M::Popup("", {
        M::Item("元に戻す(&U)", kIdUndoCommand),
        M::Separator(),
        M::Item("切り取り(&T)", 57635),
        M::Item("コピー(&C)", 57634),
        M::Item("貼り付け(&P)", 57637),
        M::Item("消去(&D)", 57632),
        M::Item("下方向にｺﾋﾟｰ(&F)", kIdFillDown),
        M::Separator(),
        FormatPopup(),
        M::Separator(),
        M::Item("テキストで保存...", kIdTextSave),
    })}));
    fw::RegisterMenuResource(kCountContextMenu, M::Popup("", {M::Popup("", {
        M::Item("テキストで保存...", kIdTextSave),
        M::Item("VO8025CSV形式出力...", kIdOutput8025Csv),
    })}));
    fw::RegisterMenuResource(kFormatMenu, M::Popup("", {FormatPopup()}));
}
