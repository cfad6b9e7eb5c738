#pragma once

// The two small questions of the data-list views: how many samples to
// drop between kept ones (thinning), and which samples to select.

#include "framework/ui/Dialog.h"

#include <cstdint>

class CKivDataDoc;

// The thinning count n (1 .. upper bound), or -1 when cancelled.
int AskThinningCount(int upperBound);
// First and last sample (1-based, within the document's count); false when
// cancelled.
bool AskRowRange(CKivDataDoc& doc, int32_t& first, int32_t& last);

class CMabikiDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CMabikiDlg)
public:
    static constexpr unsigned kTemplateId = 331;
    static constexpr int kIdCount = 1181;
    explicit CMabikiDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    int32_t m_nCount = 1;
    int32_t m_nUpper = 1;
};

class CSetSelectDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CSetSelectDlg)
public:
    static constexpr unsigned kTemplateId = 174;
    static constexpr int kIdFirst = 1000;
    static constexpr int kIdLast = 1001;
    explicit CSetSelectDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    int32_t m_nFirst = 1;
    int32_t m_nLast = 1;
    int32_t m_nMax = 1;
};
