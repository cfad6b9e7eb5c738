#pragma once

// The plot-data property sheet of the plot-data dialog: the data page
// ("作図データ": source document, X and Y channels) and the method page
// ("作図方法": plot range, plot order, automatic range and scrolling,
// step lines), both showing one profile of a simple graph's profile list,
// and the tabbed sheet that holds them.

#include "framework/ui/Dialog.h"
#include "graphdoc/model/ProfileTanks.h"

#include <functional>
#include <memory>

class CDataTankList;
class CDocIdent;
class CGraphPrf;
class CKivDocBase;
class CNameListCtrl;
class CSheetSelectCombBox;
class CSimpleGraphPrfList;
class QTabWidget;

namespace graphdata {
struct RowBlock;
struct ListRows;
}

// The open project or measurement-data document with that identifier; null
// for none or an unset identifier.
CKivDocBase* FindOpenSource(const CDocIdent* ident);

// What both pages take from the dialog before they are built.
struct GraphSheetValues {
    int index = 0;
    int layoutMode = 0;
    int graphType = 1;
    int monitor = 0;
    int projectOnly = 0;
};

class CGraphSheetPage : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphSheetPage)
public:
    CGraphSheetPage(unsigned templateId, CSimpleGraphPrfList& list);

    // Shows profile `index`; with `validate`, false (nothing changed) when
    // the shown profile cannot be stored.
    virtual bool SetProfileIndex(int index, bool validate) = 0;
    int GetProfileIndex() const { return m_values.index; }
    // A page never ends on its own: Enter and Escape go to the dialog
    // around it.
    void OnOK() override;
    void OnCancel() override;

    GraphSheetValues m_values;
    // The dialog that a failure ends (-1) and whose buttons follow the lists.
    fw::CDialog* m_pOwner = nullptr;
    std::function<void()> m_onChanged;
    // Told when the shown profile took another document (and so its range).
    std::function<void(int index)> m_onProfileTaken;

protected:
    // The profile shown; null beyond the list's end.
    CGraphPrf* Profile() const;
    int CreationKind() const;
    void Changed();
    void Fail();

    CSimpleGraphPrfList& m_list;
};

class CGraphDataPage : public CGraphSheetPage {
    FW_DECLARE_DYNAMIC(CGraphDataPage)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 172;
    static constexpr int IDC_DOCUMENT = 1098;
    static constexpr int IDC_XLIST = 1099;
    static constexpr int IDC_YLIST = 1100;
    static constexpr unsigned kIdsNoSelection = 238;
    static constexpr const char* kTextNoSelection = "データが選択されていません。";

    explicit CGraphDataPage(CSimpleGraphPrfList& list);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    bool SetProfileIndex(int index, bool validate) override;

    void OnDocumentChanged();
    void SelectProfileChannels();
    void UpdateListModes();

    CNameListCtrl* XList() const;
    CNameListCtrl* YList() const;
    CSheetSelectCombBox* Combo() const;
    // Rows selected in a list, in list order.
    static std::vector<int> SelectedRows(const CNameListCtrl& list);
    // The open document of the chosen item; null when the item is not open.
    CKivDocBase* SelectedDocument() const { return m_pDocument; }

    // The document list a block of rows reads (null: none of that kind).
    virtual CDataTankList* SourceList(CKivDocBase& document, const graphdata::RowBlock& block);

private:
    bool FillList(CNameListCtrl& list, const graphdata::ListRows& rows);
    void SelectRows(CNameListCtrl& list, const std::vector<int32_t>& channels, const std::vector<int16_t>& kinds,
                    int16_t defaultKind);
    void StoreSelection(const CNameListCtrl& list, std::vector<int32_t>& channels, std::vector<int16_t>& kinds);
    void TakeDocument(CGraphPrf& profile);

    CKivDocBase* m_pDocument = nullptr;
    bool m_bFilled = false;
    // The lists of the block being filled (a cycle-data list is made for it).
    std::unique_ptr<CProfileTanks> m_pLists;
};

class CGraphMoniPage : public CGraphSheetPage {
    FW_DECLARE_DYNAMIC(CGraphMoniPage)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 173;
    static constexpr int IDC_RANGE_LABEL = 1100;
    static constexpr int IDC_FROM_LABEL = 1101;
    static constexpr int IDC_START = 1102;
    static constexpr int IDC_END = 1103;
    static constexpr int IDC_ORDER_GROUP = 1106;
    static constexpr int IDC_ORDER = 1107;
    static constexpr int IDC_ORDER_NUMBER = 1108;
    static constexpr int IDC_STEP_LABEL = 1246;
    static constexpr int IDC_AUTO_RANGE = 1266;
    static constexpr int IDC_AUTO_SCROLL = 1298;
    static constexpr int IDC_STEP_LINES = 1415;

    explicit CGraphMoniPage(CSimpleGraphPrfList& list);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    bool SetProfileIndex(int index, bool validate) override;
    void EnableRangeControls();

private:
    void ShowByLayout();

    int m_nOrderBox = 0;
};

// The sheet (caption "ﾌﾟﾛﾊﾟﾃｨ ｼｰﾄ"): a tab per page over the same list.
class CGraphDataDialog : public fw::CWnd {
    FW_DECLARE_DYNAMIC(CGraphDataDialog)
public:
    static constexpr unsigned kIdsCaption = 424;

    explicit CGraphDataDialog(CSimpleGraphPrfList& list);
    ~CGraphDataDialog() override;

    // Builds and initialises both pages under the tabs, the method page
    // first so that the data page's document change finds it.
    void AddPages(CGraphDataPage& data, CGraphMoniPage& method);
    void SetActivePage(int index);
    int GetActiveIndex() const;
    QTabWidget* Tabs() const;

private:
    CSimpleGraphPrfList& m_list;
};
