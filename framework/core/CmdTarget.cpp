#include "framework/core/CmdTarget.h"

namespace fw {

FW_IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

void CCmdUI::Enable(bool on)
{
    m_bEnabled = on;
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check)
{
    m_nCheck = check;
    m_bCheckChanged = true;
}

void CCmdUI::SetRadio(bool on)
{
    m_bRadio = true;
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(const CString& text)
{
    m_strText = text;
    m_bTextChanged = true;
}

void CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler)
{
    m_bEnableChanged = false;
    m_bHandled = target && target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!m_bHandled && disableIfNoHandler && !m_bEnableChanged)
        Enable(target && target->HasCommandHandler(m_nID));
}

const detail::CmdMap* CCmdTarget::GetThisCommandMap()
{
    static const detail::CmdMap map{nullptr, nullptr, 0};
    return &map;
}

const detail::CmdMap* CCmdTarget::GetCommandMap() const
{
    return GetThisCommandMap();
}

namespace {

bool RowMatches(const detail::CmdEntry& e, unsigned id, int code)
{
    return id >= e.first && id <= e.last && e.code == code;
}

} // namespace

bool CCmdTarget::DispatchOwn(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info)
{
    if (code == CN_UPDATE_COMMAND_UI && !ui && !info)
        return false;
    for (const detail::CmdMap* map = GetCommandMap(); map; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const detail::CmdEntry& e = map->entries[i];
            if (!RowMatches(e, id, code))
                continue;
            if (info) {
                info->target = this;
                return true;
            }
            if (code == CN_UPDATE_COMMAND_UI) {
                ui->m_bContinueRouting = false;
                e.call(this, id, ui);
                // A handler that asked for more routing leaves the item to the next target.
                return !ui->m_bContinueRouting;
            }
            return e.call(this, id, ui);
        }
    }
    return false;
}

bool CCmdTarget::OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info)
{
    return DispatchOwn(id, code, ui, info);
}

bool CCmdTarget::HasCommandHandler(unsigned id)
{
    CmdHandlerInfo info;
    return OnCmdMsg(id, CN_COMMAND, nullptr, &info);
}

} // namespace fw
