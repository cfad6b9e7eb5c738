#pragma once

#include "framework/ui/Dialog.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fw::test {

// Runs modal dialogs without showing them: the dialog is built and
// initialised, then the script for its template id sets its controls
// through their wrappers and ends it (OnOK, OnCancel or EndDialog). The
// result is the EndDialog value, else what the script returned. A dialog
// without a script is cancelled and recorded as a problem. Installs itself
// for its lifetime.
class ScriptedDialogs final : public IDialogRunner {
public:
    using Script = std::function<int(CDialog&)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Scripts are used once each, in the order given for their id.
    ScriptedDialogs& On(unsigned templateId, Script script);
    int RunModal(CDialog& dialog) override;

    const std::vector<unsigned>& Shown() const { return m_shown; }
    std::string Problems() const;

private:
    std::map<unsigned, std::vector<Script>> m_scripts;
    std::vector<unsigned> m_shown;
    std::vector<std::string> m_problems;
    IDialogRunner* m_previous;
};

} // namespace fw::test
