#pragma once

// "GPSデータ数": how many GPS points the map markers file shall have
// (50 to 5000). When the dialog may not be cancelled its Cancel button is
// disabled.

#include "data/model/GpsMapUpload.h"
#include "framework/ui/Dialog.h"

class CGpsMapDataDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CGpsMapDataDlg)
public:
    static constexpr unsigned IDD = 411;
    static constexpr int IDC_POINTS = 1421;
    static constexpr int kMinPoints = 50;
    static constexpr int kMaxPoints = 5000;

    explicit CGpsMapDataDlg(fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    int m_nPoints = 500;
    bool m_bNoCancel = false;
};

// The data document's question for the point count, through the dialog.
class CGpsMapPointAsker final : public IGpsMapPointDialog {
public:
    bool Ask(int32_t& count, bool noCancel) override;
};
