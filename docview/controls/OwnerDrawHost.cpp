#include "docview/controls/OwnerDrawHost.h"

#include "framework/core/DC.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace appctl {

namespace {

class PaintFilter final : public QObject {
public:
    PaintFilter(QWidget* widget, PaintFunction paint)
        : QObject(widget), m_paint(std::move(paint))
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        QPainter painter(widget);
        fw::QPainterSink sink(&painter);
        fw::CDC dc(&sink);
        try {
            m_paint(dc, painter, widget);
        } catch (...) {
            // A paint handler must not throw into Qt; nothing more is drawn.
        }
        return true;
    }

private:
    PaintFunction m_paint;
};

} // namespace

void PaintWith(QWidget* widget, PaintFunction paint)
{
    if (widget)
        widget->installEventFilter(new PaintFilter(widget, std::move(paint)));
}

OwnerDrawDelegate::OwnerDrawDelegate(DrawFunction draw, MeasureFunction measure, QObject* parent)
    : QStyledItemDelegate(parent), m_draw(std::move(draw)), m_measure(std::move(measure))
{
}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    DrawItemInfo info;
    info.itemID = index.row();
    info.itemAction = ODA_DRAWENTIRE;
    if (option.state & QStyle::State_Selected)
        info.itemState |= ODS_SELECTED;
    if (option.state & QStyle::State_HasFocus)
        info.itemState |= ODS_FOCUS;
    if (!(option.state & QStyle::State_Enabled))
        info.itemState |= ODS_DISABLED;
    info.rcItem = fw::FromQ(option.rect);
    painter->save();
    fw::QPainterSink sink(painter);
    fw::CDC dc(&sink);
    m_draw(dc, info);
    painter->restore();
}

QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    MeasureItemInfo info;
    info.itemID = index.row();
    info.itemWidth = static_cast<unsigned>(option.rect.width());
    m_measure(info);
    return QSize(static_cast<int>(info.itemWidth), static_cast<int>(info.itemHeight));
}

} // namespace appctl
