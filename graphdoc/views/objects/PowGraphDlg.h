#pragma once

// The spectrum dialog (dialog 335 "スペクトルグラフ"): the source document
// and channel of a power-spectrum graph and its shift, window, kind and
// data-count rule, edited on a spectrum profile list.

#include "framework/ui/Dialog.h"

#include <vector>

class CKivDocBase;
class CPowGraphPrfList;

class CPowGraphDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CPowGraphDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 335;
    static constexpr int IDC_DOCUMENT = 1098;
    static constexpr int IDC_CHANNELS = 1162;
    static constexpr int IDC_SHIFT = 1283;
    static constexpr int IDC_WINDOW = 1286;
    static constexpr int IDC_KIND = 1289;
    static constexpr int IDC_KIND_DB = 1290;
    static constexpr int IDC_COUNT = 1424;
    static constexpr unsigned kIdsNoSelection = 238;
    static constexpr const char* kTextNoSelection = "データが選択されていません。";
    // Used-tank entries shown as input channels, and where calculated ones start.
    static constexpr int kLastInputEntry = 320;
    static constexpr int kFirstCalcEntry = 500;

    // The list must hold entry 1 (the spectrum series).
    CPowGraphDlg(CPowGraphPrfList& list, std::vector<CKivDocBase*> documents, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    int m_nShift = 0;
    int m_nWindow = 0;
    int m_nKind = 0;
    int m_nCount = 0;

private:
    void OnDocumentChange();
    CKivDocBase* SelectedDocument() const;

    CPowGraphPrfList& m_list;
    std::vector<CKivDocBase*> m_documents;
};

// The open project and measurement-data documents of the program.
std::vector<CKivDocBase*> OpenInstrumentDocuments();
