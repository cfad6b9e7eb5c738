#include "docview/controls/ZELFontDlg.h"

#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"

#include <QFontDatabase>
#include <QImage>
#include <QLabel>

#include <cstdlib>

FW_IMPLEMENT_DYNAMIC(CZELFontDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CZELFontDlg, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CZELFontDlg::kIdFace, &CZELFontDlg::OnChoiceChanged)
    FW_ON_CBN_SELCHANGE(CZELFontDlg::kIdStyle, &CZELFontDlg::OnChoiceChanged)
    FW_ON_CBN_SELCHANGE(CZELFontDlg::kIdSize, &CZELFontDlg::OnChoiceChanged)
FW_END_COMMANDS

namespace {

const char* const kStyles[] = {"標準", "斜体", "太字", "太字 斜体"};
const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

} // namespace

CZELFontDlg::CZELFontDlg(const fw::LOGFONT* logFont, unsigned flags, fw::CDC* printer, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_flags(flags)
{
    if (logFont)
        m_lf = *logFont;
}

int32_t CZELFontDlg::ToDeviceHeight(int32_t tenths, int dpi)
{
    return -fw::MulDiv(tenths / 10, dpi, 72);
}

int32_t CZELFontDlg::ToTenths(int32_t deviceHeight, int dpi)
{
    return fw::MulDiv(deviceHeight, 72, dpi) * -10;
}

int CZELFontDlg::DoModal()
{
    // The screen's resolution, as the main window's context answers it.
    QImage screen(1, 1, QImage::Format_RGB32);
    fw::CImageDC dc(screen);
    m_dpi = dc.GetDeviceCaps(fw::LOGPIXELSY);
    m_lf.lfHeight = ToDeviceHeight(m_lf.lfHeight, m_dpi);
    const int result = fw::CDialog::DoModal();
    if (result == fw::IDOK)
        m_lf.lfHeight = ToTenths(m_lf.lfHeight, m_dpi);
    return result;
}

void CZELFontDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("フォント");
    b.Static(kIdFaceLabel, "フォント名(&F):");
    b.Static(static_cast<int>(fw::IDC_STATIC), "スタイル(&Y):");
    b.Static(static_cast<int>(fw::IDC_STATIC), "サイズ(&S):");
    b.Row();
    fw::CComboBox& face = b.Combo(kIdFace, fw::CComboBox::Kind::dropDown);
    for (const QString& family : QFontDatabase::families())
        face.AddString(fw::FromQ(family));
    fw::CComboBox& style = b.Combo(kIdStyle);
    for (const char* s : kStyles)
        style.AddString(s);
    fw::CComboBox& size = b.Combo(kIdSize, fw::CComboBox::Kind::dropDown);
    for (int s : kSizes)
        size.AddString(fw::Format("%d", s));
    b.Row();
    b.Group("文字飾り");
    b.Static(kIdEffects, "");
    b.Check(kIdStrikeOut, "取り消し線(&K)");
    b.Check(kIdUnderline, "下線(&U)");
    b.Static(kIdColorLabel, "色(&C):");
    b.Combo(kIdColor);
    b.EndGroup();
    b.Group("サンプル");
    fw::CStatic& sample = b.Static(kIdSample, "");
    sample.Label()->setAlignment(Qt::AlignCenter);
    sample.Label()->setMinimumHeight(48);
    b.EndGroup();
    b.Static(kIdScriptLabel, "文字セット(&R):");
    b.Combo(kIdScript);
    b.OkCancel("OK", "キャンセル");
}

bool CZELFontDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    for (int id : {kIdEffects, kIdStrikeOut, kIdUnderline, kIdColorLabel, kIdColor, kIdScriptLabel, kIdScript}) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->ShowWindow(fw::SW_HIDE);
    }
    ShowSample();
    return true;
}

void CZELFontDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::CString face = m_lf.GetFaceName();
    fw::DDX_CBString(dx, kIdFace, face);
    int style = (m_lf.lfItalic ? 1 : 0) + (m_lf.lfWeight >= fw::FW_BOLD ? 2 : 0);
    fw::DDX_CBIndex(dx, kIdStyle, style);
    int32_t points = fw::MulDiv(std::abs(m_lf.lfHeight), 72, m_dpi);
    fw::DDX_Text(dx, kIdSize, points);
    fw::DDV_MinMaxInt(dx, points, 1, 1638);
    if (dx->m_bSaveAndValidate) {
        m_lf.SetFaceName(face);
        m_lf.lfItalic = (style & 1) ? 1 : 0;
        m_lf.lfWeight = (style & 2) ? fw::FW_BOLD : fw::FW_NORMAL;
        m_lf.lfHeight = -fw::MulDiv(points, m_dpi, 72);
    }
}

void CZELFontDlg::OnChoiceChanged()
{
    ShowSample();
}

// The sample in the font now chosen, centred on one line.
void CZELFontDlg::ShowSample()
{
    auto* sample = GetDlgItemAs<fw::CStatic>(kIdSample);
    if (!sample)
        return;
    fw::LOGFONT chosen = m_lf;
    chosen.SetFaceName(GetDlgItemText(kIdFace));
    if (auto* style = GetDlgItemAs<fw::CComboBox>(kIdStyle)) {
        const int s = style->GetCurSel();
        chosen.lfItalic = (s >= 0 && (s & 1)) ? 1 : 0;
        chosen.lfWeight = (s >= 0 && (s & 2)) ? fw::FW_BOLD : fw::FW_NORMAL;
    }
    const int points = std::atoi(GetDlgItemText(kIdSize).c_str());
    if (points > 0)
        chosen.lfHeight = -fw::MulDiv(points, m_dpi, 72);
    sample->Label()->setFont(fw::QPainterSink::FontOf(chosen));
    sample->SetWindowText(m_strSample);
}
