#pragma once

// Sets the width of the selected columns, or the height of the selected
// rows, of a grid pane in millimetres.

#include "framework/ui/Dialog.h"

class CZELGridPane;

class CWHsetDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CWHsetDlg)
public:
    static constexpr unsigned kTemplateId = 166;
    static constexpr int kIdValue = 4002;

    explicit CWHsetDlg(fw::CWnd* pane, fw::CWnd* parent = nullptr);

    // true: column widths (the default); false: row heights.
    void SetColumnMode(bool columns) { m_bColumns = columns; }
    float GetValue() const { return m_fValue; }

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    // Runs the dialog and, after OK, applies the size to the pane's selection.
    int DoModal() override;

    // Screen pixels and hundredths of a millimetre.
    static int PixelsToHundredthsMm(int pixels);
    static int HundredthsMmToPixels(int units);

private:
    void Apply();

    fw::CWnd* m_pWnd;
    bool m_bColumns = true;
    float m_fValue = 0.0f;
};
