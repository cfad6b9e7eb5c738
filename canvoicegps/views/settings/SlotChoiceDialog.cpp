#include "canvoicegps/views/settings/SlotChoiceDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kValueRole = Qt::UserRole;

void AddChoices(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<CSlotChoice>& choices)
{
    for (const CSlotChoice& choice : choices) {
        const QStringList text(QString::fromUtf8(choice.text.c_str()));
        auto* item = parent ? new QTreeWidgetItem(parent, text) : new QTreeWidgetItem(tree, text);
        item->setData(0, kValueRole, choice.value);
        AddChoices(item, tree, choice.children);
    }
}

} // namespace

CSlotChoiceDialog::CSlotChoiceDialog(const std::vector<CSlotChoice>& choices, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("入力CH用データ");
    auto* layout = new QVBoxLayout(this);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QString::number(kTreeId));
    m_tree->setHeaderHidden(true);
    AddChoices(nullptr, m_tree, choices);
    layout->addWidget(m_tree);
    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("1");
    m_ok->setEnabled(false);
    auto* cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("2");
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        m_value = item ? item->data(0, kValueRole).toInt() : 0;
        m_ok->setEnabled(slotchoice::CanConfirm(m_value));
    });
}

int CQtSlotChooser::Choose(const std::vector<CSlotChoice>& choices)
{
    CSlotChoiceDialog dialog(choices, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted ? dialog.Value() : 0;
}
