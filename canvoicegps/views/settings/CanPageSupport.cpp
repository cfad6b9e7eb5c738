#include "canvoicegps/views/settings/CanPageSupport.h"

#include "framework/core/MenuResource.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/StringTable.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"
#include "grid/views/SpredView.h"
#include "project/views/ProjectMenus.h"

namespace canpage {

fw::CString Text(const Caption& caption)
{
    fw::CString text = fw::LoadStringText(caption.id);
    return text.IsEmpty() ? fw::CString(caption.text) : text;
}

void Tell(unsigned id, const char* fallback, std::initializer_list<std::string_view> args)
{
    const fw::CString pattern = Text({id, fallback});
    fw::Prompt().MessageBox(fw::FormatMessageText(pattern.view(), args), fw::MB_OK | fw::MB_ICONEXCLAMATION, id);
}

void RedText(CellFormat& format)
{
    format.nFlags |= kCellUseTextColor;
    format.bSysTextColor = 0;
    format.crText = fw::RGB(255, 0, 0);
}

void GreyText(CellFormat& format)
{
    format.nFlags |= kCellUseTextColor;
    format.bSysTextColor = 0;
    format.crText = fw::RGB(192, 192, 192);
}

void RedBack(CellFormat& format)
{
    format.nFlags |= kCellFillBack;
    format.crBack = fw::RGB(255, 0, 0);
}

void SetRowCount(CZELSpredView* view, int32_t rows)
{
    CZELViewGrid* grid = view->GetGrid();
    CZELGridStyle* style = grid ? grid->GetStyle() : nullptr;
    if (style && style->GetPane(kPaneSheet).m_nRows != rows)
        style->SetRowCount(rows);
}

void ShowRows(CZELSpredView* view, int32_t rows, int32_t current)
{
    SetRowCount(view, rows);
    CZELViewGrid* grid = view->GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    const CCellRange sel = grid->GetSelection();
    const int32_t col = std::max(grid->GetSheetPane()->GetCurrentCell().col, 0);
    if (current < sel.top || current > sel.bottom || sel.top < 0)
        grid->SetSelection({current, col, current, col}, {current, col}, {current, col}, false);
    else
        grid->SetSelection(sel, {current, col}, {current, col}, false);
    grid->RedrawPanes();
}

namespace {

using M = fw::MenuResource;

void Register(unsigned id, std::vector<M> items)
{
    if (!fw::FindMenuResource(id))
        fw::RegisterMenuResource(id, M::Popup("", {M::Popup("", std::move(items))}));
}

} // namespace

void EnsureCanMenus()
{
    Register(397, {M::Item("展開", 33306), M::Item("折りたたみ", 33306), M::Separator(), M::Item("メッセージ削除", 32834)});
    Register(400, {M::Item("標準", 33307), M::Item("拡張", 33308)});
    std::vector<M> lengths;
    for (int n = 1; n <= 8; ++n)
        lengths.push_back(M::Item(std::to_string(n).c_str(), 33308 + static_cast<unsigned>(n)));
    Register(401, std::move(lengths));
    // The OFF/ON menu is the project pages' own.
    EnsureProjectPageMenus();
    Register(402, {M::Item("符号なし", 33317), M::Item("符号あり", 33318)});
    Register(403, {M::Item("Motorola", 33319), M::Item("Intel", 33320)});
    Register(404, {M::Item("コピー(&C)", fw::ID_EDIT_COPY), M::Item("貼り付け(&P)", fw::ID_EDIT_PASTE), M::Separator(),
                   M::Item("メッセージ削除", 32834), M::Separator(), M::Popup("IDタイプ", {M::Item("", 33323)}),
                   M::Popup("バイト長", {M::Item("", 33321)})});
    Register(405, {M::Item("コピー(&C)", fw::ID_EDIT_COPY), M::Item("貼り付け(&P)", fw::ID_EDIT_PASTE), M::Separator(),
                   M::Item("メッセージ削除", 32834), M::Separator(), M::Popup("符号属性", {M::Item("", 33324)}),
                   M::Popup("データ形式", {M::Item("", 33325)})});
}

} // namespace canpage
