#pragma once

// The two small dialogs of the history steps' data: the numbered rename
// pattern and the test-title pattern. Each works on its own copy of the
// setting; OK keeps the dialog open until the entries pass their checks.

#include "framework/ui/Dialog.h"
#include "project/views/ReNamePrf.h"

class CRenameDatafileDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CRenameDatafileDlg)
public:
    static constexpr unsigned kTemplateId = 337;
    static constexpr int kIdPrefix = 1025;
    static constexpr int kIdNumber = 1027;
    static constexpr int kIdSuffix = 1029;
    static constexpr int kMaxPart = 24;
    static constexpr int kMaxNumber = 8;

    explicit CRenameDatafileDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    CReNamePrf m_prf;
};

class CRenameTitleDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CRenameTitleDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 340;
    static constexpr int kIdAppend = 1292;
    static constexpr int kIdPrefix = 1025;
    static constexpr int kIdNumbering = 1026;
    static constexpr int kIdNumber = 1027;
    static constexpr int kIdSuffix = 1029;
    static constexpr int kMaxPart = 256;
    static constexpr int kMaxNumber = 8;

    explicit CRenameTitleDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    CReNameTitlePrf m_prf;

private:
    void OnNumberingChange();
};

// The checks both dialogs make of a name part: at most `maxChars`
// characters and none that a file name may not hold (message 513).
void CheckNamePartEntry(fw::CDataExchange* dx, int id, const fw::CString& text, int maxChars);
