#pragma once

// The plot-data dialog (dialog 174 "作図ﾃﾞｰﾀの設定"): the plot lines of a
// simple graph on the left ("新規ライン", the selection template, then the
// lines), the plot-data property sheet on the right. It serves both a new
// graph made from a data document and the properties of a simple graph.

#include "framework/ui/Dialog.h"

#include <memory>

class CGraphDataDialog;
class CGraphDataPage;
class CGraphMoniPage;
class CLineListBox;
class CSimpleGraphPrfList;

class CGraphPropaty : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGraphPropaty)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 174;
    static constexpr int IDC_LINES = 1109;
    static constexpr int IDC_CREATE = 1110;
    static constexpr int IDC_DELETE = 1111;
    static constexpr int IDC_SHEET = 1112;

    // The fourth value of the original interface is not used.
    CGraphPropaty(CSimpleGraphPrfList& list, int layoutMode, int graphType, int unused = 0,
                  fw::CWnd* parent = nullptr);
    ~CGraphPropaty() override;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    void OnCreate();
    void OnDelete();
    void OnSelectLine();
    void RefreshButtons();

    CGraphDataPage* DataPage() const { return m_pDataPage.get(); }
    CGraphMoniPage* MethodPage() const { return m_pMethodPage.get(); }
    CGraphDataDialog* Sheet() const { return m_pSheet; }
    int GetCurrentIndex() const { return m_nIndex; }
    CSimpleGraphPrfList& GetPrfList() const { return m_list; }

    // Set by the caller before DoModal: 1 monitor graph, 2 distribution or
    // bar graph; 1 when only project documents may be sources.
    int m_nMonitor = 0;
    int m_nProjectOnly = 0;

private:
    CLineListBox* Lines() const;
    std::vector<int> SelectedLines() const;
    void AddLineRow();
    void SelectOnly(int row);

    CSimpleGraphPrfList& m_list;
    int m_nLayoutMode;
    int m_nGraphType;
    int m_nIndex = 0;
    CGraphDataDialog* m_pSheet = nullptr;
    std::unique_ptr<CGraphDataPage> m_pDataPage;
    std::unique_ptr<CGraphMoniPage> m_pMethodPage;
};
