#pragma once

// Picks one data channel of a document: its measured channels 0 to 320 as
// CH1, CH2 ... and its calculated channels from 500 on as NO1, NO2 ....
// The caller presets the current channel; after OK the same member holds
// the chosen one.

#include "framework/ui/Dialog.h"

#include <cstdint>

class CKivDocBase;
class CNameListCtrl;

class CNameSelectDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CNameSelectDlg)
public:
    static constexpr unsigned kTemplateId = 152;
    static constexpr int kIdList = 1024;

    explicit CNameSelectDlg(CKivDocBase* document, fw::CWnd* parent = nullptr);
    ~CNameSelectDlg() override;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void OnOK() override;

    CNameListCtrl* List() const { return m_pList; }

    // The current channel before DoModal (-1: none), the chosen one after
    // OK. The row's item data keeps the list number in its high half; the
    // channel is its low half.
    int16_t m_nTankIndex = -1;

private:
    CKivDocBase* m_pDocument;
    CNameListCtrl* m_pList = nullptr;
};
