#pragma once

// Hooks the owner-draw operations of the program's controls into Qt: a
// widget painted by a CDC function instead of its style, and an item
// delegate whose items are drawn and measured by the control.

#include "docbase/controls/OwnerDraw.h"

#include <QStyledItemDelegate>

#include <functional>

namespace fw {
class CDC;
}

namespace appctl {

using DrawFunction = std::function<void(fw::CDC& dc, const DrawItemInfo& info)>;
using MeasureFunction = std::function<void(MeasureItemInfo& info)>;

// `widget` is painted by `paint`, through `dc` or the painter under it.
using PaintFunction = std::function<void(fw::CDC& dc, QPainter& painter, QWidget* widget)>;
void PaintWith(QWidget* widget, PaintFunction paint);

// Items of a list or of a combo box's drop-down list, drawn by the control.
class OwnerDrawDelegate final : public QStyledItemDelegate {
public:
    OwnerDrawDelegate(DrawFunction draw, MeasureFunction measure, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    DrawFunction m_draw;
    MeasureFunction m_measure;
};

} // namespace appctl
