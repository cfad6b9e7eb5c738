#include "frequency/views/C8025OutDlg.h"

#include "framework/core/CmdTarget.h"
#include "framework/core/Services.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "frequency/views/HistOutGrid.h"

#include <memory>

FW_IMPLEMENT_DYNAMIC(C8025OutDlg, fw::CDialog)

FW_BEGIN_COMMANDS(C8025OutDlg, fw::CDialog)
    FW_ON_BN_CLICKED(C8025OutDlg::kIdAll, &C8025OutDlg::OnCheck)
    FW_ON_BN_CLICKED(C8025OutDlg::kIdSeparate, &C8025OutDlg::OnCheck)
    FW_ON_BN_CLICKED(C8025OutDlg::kIdInputChannels, &C8025OutDlg::OnCheck)
    FW_ON_BN_CLICKED(C8025OutDlg::kIdConditions, &C8025OutDlg::OnCheck)
    FW_ON_BN_CLICKED(C8025OutDlg::kIdMMData, &C8025OutDlg::OnCheck)
    FW_ON_COMMAND(CHistOutGrid::kIdOutput, &C8025OutDlg::OnOutput)
    FW_ON_COMMAND(CHistOutGrid::kIdNoOutput, &C8025OutDlg::OnNoOutput)
    FW_ON_UPDATE(CHistOutGrid::kIdOutput, &C8025OutDlg::OnUpdateOutput)
    FW_ON_UPDATE(CHistOutGrid::kIdNoOutput, &C8025OutDlg::OnUpdateNoOutput)
FW_END_COMMANDS

C8025OutDlg::C8025OutDlg(CHistOutParam& options, const CHistCountArray* analyses, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_options(options), m_analyses(analyses)
{
}

void C8025OutDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("VO-8025形式出力");
    b.Group("頻度データ");
    b.Check(kIdAll, "一括");
    b.Check(kIdSeparate, "分離");
    auto grid = std::make_unique<CHistOutGrid>(m_options, m_analyses);
    grid->Create(fw::CRect(0, 0, 260, 200), this, kIdGrid);
    m_grid = grid.get();
    b.Custom(kIdGrid, std::move(grid));
    b.EndGroup();
    b.Group("設定情報");
    b.Check(kIdInputChannels, "入力CH");
    b.Check(kIdConditions, "解析条件");
    b.Check(kIdMMData, "M/Mデータ");
    b.EndGroup();
    b.OkCancel();
}

bool C8025OutDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    m_grid->SetOnChange([this] { UpdateOk(); });
    m_grid->Reset();
    UpdateOk();
    return true;
}

void C8025OutDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, kIdAll, m_options.m_all);
    fw::DDX_Check(dx, kIdSeparate, m_options.m_separate);
    fw::DDX_Check(dx, kIdInputChannels, m_options.m_inputChannels);
    fw::DDX_Check(dx, kIdConditions, m_options.m_conditions);
    fw::DDX_Check(dx, kIdMMData, m_options.m_mmData);
}

void C8025OutDlg::OnCheck()
{
    UpdateData(true);
    UpdateOk();
}

void C8025OutDlg::UpdateOk()
{
    if (fw::CWnd* ok = GetDlgItem(fw::IDOK))
        ok->EnableWindow(m_options.CanOutput());
}

void C8025OutDlg::OnOutput() { m_grid->SetSelectedRows(true); }

void C8025OutDlg::OnNoOutput() { m_grid->SetSelectedRows(false); }

void C8025OutDlg::OnUpdateOutput(fw::CCmdUI* ui) { ui->SetCheck(m_grid->SelectedRowsAre(true) ? 1 : 0); }

void C8025OutDlg::OnUpdateNoOutput(fw::CCmdUI* ui) { ui->SetCheck(m_grid->SelectedRowsAre(false) ? 1 : 0); }
