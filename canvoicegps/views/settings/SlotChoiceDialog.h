#pragma once

// The input-CH data slot dialog ("入力CH用データ"): a tree of the slot's
// possible sources; OK only on an item that names one.

#include "canvoicegps/views/settings/SlotChoices.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

class CSlotChoiceDialog : public QDialog {
public:
    static constexpr int kTreeId = 1388;

    CSlotChoiceDialog(const std::vector<CSlotChoice>& choices, QWidget* parent = nullptr);
    int Value() const { return m_value; }
    QTreeWidget* Tree() const { return m_tree; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_ok = nullptr;
    int m_value = 0;
};

// The dialog shown modally over the active window.
class CQtSlotChooser : public ISlotChooser {
public:
    int Choose(const std::vector<CSlotChoice>& choices) override;
};
