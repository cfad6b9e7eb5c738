#include "grid/views/CellMenus.h"

#include "common/calc/DataFormat.h"
#include "docbase/naming/NameSetParam.h"
#include "docview/controls/ContextMenus.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "docview/naming/NameSetDlg.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/Menu.h"
#include "grid/views/DocTableView.h"

namespace cellmenu {

int16_t FormatCodeOf(unsigned id) { return MainFormatTable().GetFormatCode(id); }

bool BuildFormatMenu(fw::CMenu& menu)
{
    if (!menu.CreatePopupMenu())
        return false;
    for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
        menu.AppendMenu(fw::MF_STRING, item.command, item.text);
    return true;
}

unsigned TrackUnitMenu(CDocTableView& view, int32_t col, int32_t row)
{
    CKivUnitMenu units;
    units.LoadUnits(CKivUnitMenu::kUnitItemId);
    return view.TrackCellMenu(units, col, row);
}

unsigned TrackFormatMenu(CDocTableView& view, int32_t col, int32_t row)
{
    fw::CMenu formats;
    return BuildFormatMenu(formats) ? view.TrackCellMenu(formats, col, row) : 0;
}

unsigned TrackFormatMenuAt(CDocTableView& view, fw::CPoint screen)
{
    fw::CMenu formats;
    if (!BuildFormatMenu(formats))
        return 0;
    const fw::CPoint at = appctl::ContextMenuPoint(view, screen);
    const unsigned id =
        formats.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, at.x, at.y, &view);
    if (id != 0)
        view.OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr);
    return id;
}

CNameSetParam* AskNamePattern(fw::CWnd* parent, CNameSetParam& local)
{
    CNameSetDlg dlg(parent);
    INameSetRecord* record = fw::Installed<INameSetRecord>();
    if (!record)
        dlg.SetTarget(&local);
    if (dlg.DoModal() != fw::IDOK)
        return nullptr;
    CNameSetParam& pattern = record ? record->GetNameSetParam() : local;
    pattern.ParseStartNumber();
    return &pattern;
}

} // namespace cellmenu
