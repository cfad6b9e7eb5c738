#pragma once

// The two update dialogs of a graph page: "作図範囲の更新" (dialog 191, the
// plotted sample range of one source document) and "参照ファイルの変更"
// (dialog 190, one source document replaced by another), each for this
// page or, by "全て変更", for every page.

#include "common/base/DocIdent.h"
#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

class CGraphViewDoc;
class CSheetSelectCombBox;

class CGraphUpdateDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphUpdateDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 191;
    enum : int { IDC_REFERENCE = 1098, IDC_START = 1102, IDC_END = 1103, IDC_KIND = 1114, IDC_TITLE = 1177,
                 IDC_ALL = 1180 };

    CGraphUpdateDlg(CGraphViewDoc* page, fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnAll();

    int m_kind = 0;
    int32_t m_start = 1;
    int32_t m_end = 1;
    int m_all = 0;
    CDocIdent m_ident;

private:
    CGraphViewDoc* m_page;
    CSheetSelectCombBox* m_reference = nullptr;
};

class CGraphSheetUpdateDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphSheetUpdateDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 190;
    enum : int { IDC_REFERENCE = 1098, IDC_UPDATE = 1099, IDC_TITLE = 1177, IDC_RENAME = 1179, IDC_ALL = 1180 };

    CGraphSheetUpdateDlg(CGraphViewDoc* page, fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnAll();

    int m_rename = 0;
    int m_all = 0;
    CDocIdent m_oldIdent;
    CDocIdent m_newIdent;
    fw::CString m_newName;

private:
    CGraphViewDoc* m_page;
    CSheetSelectCombBox* m_reference = nullptr;
    CSheetSelectCombBox* m_update = nullptr;
};
