#include "graphdoc/views/PrintJobsDlg.h"

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/QtText.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"

#include <QDialog>
#include <QListWidget>

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CPrintJobsDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CPrintJobsDlg, fw::CDialog)
FW_ON_BN_CLICKED(CPrintJobsDlg::IDC_REGISTER, &CPrintJobsDlg::OnRegister)
FW_ON_BN_CLICKED(CPrintJobsDlg::IDC_INSERT, &CPrintJobsDlg::OnInsert)
FW_ON_BN_CLICKED(CPrintJobsDlg::IDC_REMOVE, &CPrintJobsDlg::OnRemove)
FW_ON_BN_CLICKED(CPrintJobsDlg::IDC_REMOVE_ALL, &CPrintJobsDlg::OnRemoveAll)
FW_ON_BN_CLICKED(CPrintJobsDlg::IDC_STORE, &CPrintJobsDlg::OnStore)
FW_END_COMMANDS

namespace {

constexpr int kMaxCells = CPrintJobList::kMaxCells;

} // namespace

CPrintJobsDlg::CPrintJobsDlg(fw::CWnd* parent) : fw::CDialog(IDD, parent)
{
}

void CPrintJobsDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Group("対象グラフ");
    b.List(IDC_CANDIDATES);
    b.EndGroup();
    b.Button(IDC_REGISTER, "登録>>");
    b.Button(IDC_INSERT, "挿入>>");
    b.Button(IDC_REMOVE, "解除");
    b.Button(IDC_REMOVE_ALL, "全て解除");
    b.Group("印刷グラフ");
    b.List(IDC_PRINT_LIST);
    b.EndGroup();
    b.Row();
    b.Group("ページ印刷レイアウト");
    b.Radio(IDC_LAYOUT, "レイアウト印刷", true);
    b.Radio(IDC_PAPER, "用紙サイズ印刷");
    b.Edit(IDC_COLUMNS);
    b.Static(static_cast<int>(fw::IDC_STATIC), "×");
    b.Edit(IDC_ROWS);
    b.EndGroup();
    b.Row();
    b.Button(IDC_STORE, "設定");
    b.OkCancel("印刷");
}

QListWidget* CPrintJobsDlg::ListWidget(int id) const
{
    auto* list = GetDlgItemAs<fw::CListBox>(id);
    return list ? list->List() : nullptr;
}

std::vector<int> CPrintJobsDlg::Selected(int id) const
{
    std::vector<int> rows;
    if (QListWidget* list = ListWidget(id)) {
        for (QListWidgetItem* item : list->selectedItems())
            rows.push_back(list->row(item));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CPrintJobsDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("グラフの一括印刷"));
    std::vector<CPrintJobsEditor::Entry> open;
    for (CGraphViewDoc* page : m_pages)
        open.push_back({page->GetTitle(), page});
    m_editor.Start(m_jobs, open);
    for (int id : {IDC_CANDIDATES, IDC_PRINT_LIST}) {
        if (QListWidget* list = ListWidget(id)) {
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
            QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this] { UpdateButtons(); });
        }
    }
    const bool result = fw::CDialog::OnInitDialog();
    Refill();
    return result;
}

void CPrintJobsDlg::Refill()
{
    auto fill = [this](int id, const std::vector<CPrintJobsEditor::Entry>& entries) {
        auto* box = GetDlgItemAs<fw::CListBox>(id);
        if (!box)
            return;
        box->ResetContent();
        for (const CPrintJobsEditor::Entry& entry : entries) {
            const int index = box->AddString(entry.title);
            box->SetItemData(index, reinterpret_cast<uintptr_t>(entry.page));
        }
    };
    fill(IDC_CANDIDATES, m_editor.Candidates());
    fill(IDC_PRINT_LIST, m_editor.PrintList());
    UpdateButtons();
}

void CPrintJobsDlg::UpdateButtons()
{
    const bool candidates = !Selected(IDC_CANDIDATES).empty();
    auto enable = [this](int id, bool on) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(on);
    };
    enable(IDC_REGISTER, candidates);
    enable(IDC_INSERT, candidates);
    enable(IDC_REMOVE, !Selected(IDC_PRINT_LIST).empty());
    enable(IDC_REMOVE_ALL, !m_editor.PrintList().empty());
}

void CPrintJobsDlg::OnRegister()
{
    m_editor.Register(Selected(IDC_CANDIDATES));
    Refill();
}

void CPrintJobsDlg::OnInsert()
{
    m_editor.Insert(Selected(IDC_CANDIDATES), Selected(IDC_PRINT_LIST));
    Refill();
}

void CPrintJobsDlg::OnRemove()
{
    m_editor.Remove(Selected(IDC_PRINT_LIST));
    Refill();
}

void CPrintJobsDlg::OnRemoveAll()
{
    m_editor.RemoveAll();
    Refill();
}

void CPrintJobsDlg::DoDataExchange(fw::CDataExchange* dx)
{
    int layout = m_jobs.m_layoutMode;
    fw::DDX_Radio(dx, IDC_LAYOUT, layout);
    fw::DDX_Text(dx, IDC_COLUMNS, m_jobs.m_columns);
    fw::DDV_MinMaxInt(dx, m_jobs.m_columns, 1, kMaxCells);
    fw::DDX_Text(dx, IDC_ROWS, m_jobs.m_rows);
    fw::DDV_MinMaxInt(dx, m_jobs.m_rows, 1, kMaxCells);
    m_jobs.m_layoutMode = layout;
}

void CPrintJobsDlg::OnOK()
{
    const CPrintJobList before = m_jobs;
    if (!UpdateData(true)) {
        m_jobs = before;
        return;
    }
    m_jobs.m_titles = m_editor.Titles();
    EndDialog(fw::IDOK);
}

void CPrintJobsDlg::OnStore()
{
    const CPrintJobList before = m_jobs;
    if (!UpdateData(true)) {
        m_jobs = before;
        return;
    }
    m_jobs.m_titles = m_editor.Titles();
    GraphPageHost().PrintJobs() = m_jobs;
}
