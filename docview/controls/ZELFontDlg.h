#pragma once

// The font dialog reduced to face, style and size, with a sample text of
// its own. The program keeps font heights in tenths of a point; the dialog
// converts them to screen units on the way in and back on the way out.

#include "framework/core/Gdi.h"
#include "framework/ui/Dialog.h"

namespace fw {
class CDC;
}

class CZELFontDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CZELFontDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 1543;
    static constexpr int kIdFace = 1136;
    static constexpr int kIdStyle = 1137;
    static constexpr int kIdSize = 1138;
    static constexpr int kIdFaceLabel = 1088;
    static constexpr int kIdSample = 1073;
    static constexpr int kIdEffects = 1072;
    static constexpr int kIdStrikeOut = 1040;
    static constexpr int kIdUnderline = 1041;
    static constexpr int kIdColorLabel = 1091;
    static constexpr int kIdColor = 1139;
    static constexpr int kIdScriptLabel = 1094;
    static constexpr int kIdScript = 1140;

    // `logFont` (may be null) with its height in tenths of a point. The
    // fonts offered are the system's for any device, so `printer` is not
    // consulted.
    CZELFontDlg(const fw::LOGFONT* logFont = nullptr, unsigned flags = 0, fw::CDC* printer = nullptr,
                fw::CWnd* parent = nullptr);

    // On OK m_lf holds the choice, its height again in tenths of a point.
    int DoModal() override;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    // Tenths of a point to the dialog's device height and back.
    static int32_t ToDeviceHeight(int32_t tenths, int dpi);
    static int32_t ToTenths(int32_t deviceHeight, int dpi);

    fw::LOGFONT m_lf;
    unsigned m_flags = 0;
    fw::CString m_strSample = "AaBbCcDd";

private:
    void ShowSample();
    void OnChoiceChanged();

    int m_dpi = fw::kDisplayDpi;
};
