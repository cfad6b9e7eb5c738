#include "framework/ui/testing/ScriptedDialogs.h"

#include "framework/core/Services.h"

namespace fw::test {

ScriptedDialogs::ScriptedDialogs() : m_previous(InstallDialogRunner(this))
{
}

ScriptedDialogs::~ScriptedDialogs()
{
    InstallDialogRunner(m_previous);
}

ScriptedDialogs& ScriptedDialogs::On(unsigned templateId, Script script)
{
    m_scripts[templateId].push_back(std::move(script));
    return *this;
}

int ScriptedDialogs::RunModal(CDialog& dialog)
{
    const unsigned id = dialog.GetTemplateId();
    m_shown.push_back(id);
    dialog.EnsureBuilt();
    ModalDialogScope scope(dialog);
    dialog.InitDialog();
    if (dialog.IsEnded())
        return dialog.GetResult();
    auto it = m_scripts.find(id);
    if (it == m_scripts.end() || it->second.empty()) {
        m_problems.push_back("unexpected dialog " + std::to_string(id));
        return IDCANCEL;
    }
    Script script = std::move(it->second.front());
    it->second.erase(it->second.begin());
    int result = IDCANCEL;
    dialog.Guard([&] { result = script(dialog); });
    return dialog.IsEnded() ? dialog.GetResult() : result;
}

std::string ScriptedDialogs::Problems() const
{
    std::string text;
    for (const auto& p : m_problems)
        text += p + "\n";
    for (const auto& [id, scripts] : m_scripts) {
        if (!scripts.empty())
            text += "dialog " + std::to_string(id) + " never shown\n";
    }
    return text;
}

} // namespace fw::test
