#include "graphdoc/views/objects/LegendDlg.h"

#include "chart/model/GraphParamArray.h"
#include "chart/model/KivGraphDraw.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/QtText.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawLegObj.h"

#include <QHeaderView>
#include <QTableWidget>

FW_IMPLEMENT_DYNAMIC(CLegendDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CLegendDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CLegendDlg::IDC_RESET, &CLegendDlg::OnReset)
    FW_ON_BN_CLICKED(CLegendDlg::IDC_AUTO, &CLegendDlg::ApplyEnableRule)
FW_END_COMMANDS

namespace {

// The table stands in for the report-view list with editable labels.
class LegendList : public fw::CWnd {
public:
    LegendList()
    {
        auto* table = new QTableWidget(0, 1);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::ExtendedSelection);
        table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        table->verticalHeader()->hide();
        Attach(table);
    }
};

constexpr int kListChrome = 18;

} // namespace

CLegendDlg::CLegendDlg(CDrawLegObj& legend, fw::CWnd* parent) : fw::CDialog(IDD, parent), m_legend(legend)
{
    m_bRotate = legend.IsVertical() ? 1 : 0;
    if (CKivGraphDraw* draw = Draw())
        m_bAuto = draw->m_autoNames ? 1 : 0;
}

CKivGraphDraw* CLegendDlg::Draw() const
{
    auto* page = dynamic_cast<CGraphViewDoc*>(m_legend.GetDocument());
    CDrawGraphObj* graph = page ? page->FindGraphObj() : nullptr;
    return graph ? &graph->Draw() : nullptr;
}

void CLegendDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("凡例の設定");
    b.Custom(IDC_LIST, std::make_unique<LegendList>());
    b.Row();
    b.Button(IDC_RESET, "初期状態");
    b.Check(IDC_ROTATE, "90°回転");
    b.Check(IDC_AUTO, "自動設定");
    b.OkCancel("OK", "キャンセル");
}

QTableWidget* CLegendDlg::Table() const
{
    fw::CWnd* list = GetDlgItem(IDC_LIST);
    return list ? static_cast<QTableWidget*>(list->Widget()) : nullptr;
}

bool CLegendDlg::OnInitDialog()
{
    QTableWidget* table = Table();
    table->setHorizontalHeaderLabels({fw::ToQ(fw::LoadStringText(kIdsColumn))});
    table->setColumnWidth(0, std::max(table->width() - kListChrome, 40));
    if (CKivGraphDraw* draw = Draw()) {
        for (int i = 0; i < draw->GetSeriesCount(); ++i) {
            const CGraphParamArray* series = draw->GetSeries(i);
            table->insertRow(i);
            table->setItem(i, 0, new QTableWidgetItem(fw::ToQ(series ? series->GetName() : fw::CString())));
        }
    }
    QObject::connect(table, &QTableWidget::itemSelectionChanged, table,
                     [this] { Guard([&] { ApplyEnableRule(); }); });
    UpdateData(false);
    ApplyEnableRule();
    return true;
}

void CLegendDlg::ApplyEnableRule()
{
    auto* automatic = GetDlgItemAs<fw::CButton>(IDC_AUTO);
    const bool on = automatic && automatic->GetCheck() != 0;
    QTableWidget* table = Table();
    GetDlgItem(IDC_LIST)->EnableWindow(!on);
    GetDlgItem(IDC_RESET)->EnableWindow(!on && table && !table->selectedItems().isEmpty());
}

void CLegendDlg::OnReset()
{
    CKivGraphDraw* draw = Draw();
    QTableWidget* table = Table();
    if (!draw || !table)
        return;
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem* item = table->item(row, 0);
        CGraphParamArray* series = draw->GetSeries(row);
        if (!item || !item->isSelected() || !series)
            continue;
        // The series' own name by its naming kind, leaving its legend as is.
        const fw::CString kept = series->GetName();
        series->RebuildName();
        item->setText(fw::ToQ(series->GetName()));
        series->SetName(kept);
    }
}

void CLegendDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, IDC_ROTATE, m_bRotate);
    fw::DDX_Check(dx, IDC_AUTO, m_bAuto);
    if (!dx->m_bSaveAndValidate)
        return;
    m_texts.clear();
    QTableWidget* table = Table();
    for (int row = 0; table && row < table->rowCount(); ++row) {
        const QTableWidgetItem* item = table->item(row, 0);
        m_texts.push_back(fw::FromQ(item ? item->text().left(kMaxText) : QString()));
    }
}

void CLegendDlg::StoreLegend()
{
    m_legend.SetVertical(m_bRotate != 0);
    CKivGraphDraw* draw = Draw();
    if (!draw)
        return;
    for (size_t i = 0; i < m_texts.size(); ++i)
        if (CGraphParamArray* series = draw->GetSeries(static_cast<int>(i)))
            series->SetName(m_texts[i]);
    draw->m_autoNames = m_bAuto ? 1 : 0;
}
