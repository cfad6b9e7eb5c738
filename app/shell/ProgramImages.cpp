#include "app/shell/ProgramImages.h"

#include "app/shell/ShellIds.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <iterator>

namespace {

// The icon's drawing on a 64 x 64 grid: a blue case with a screen that
// shows a red trace, a green lamp and three keys.
void PaintIcon(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawRoundedRect(QRectF(4, 6, 56, 52), 7, 7);
    p.setBrush(QColor(0xee, 0xf4, 0xf8));
    p.drawRoundedRect(QRectF(10, 12, 44, 30), 3, 3);
    p.setPen(QPen(QColor(0xc8, 0xd6, 0xe0), 1));
    p.drawLine(QPointF(10, 27), QPointF(54, 27));
    p.drawLine(QPointF(24.7, 12), QPointF(24.7, 42));
    p.drawLine(QPointF(39.3, 12), QPointF(39.3, 42));
    static constexpr QPointF kTrace[] = {{12, 30}, {17, 22}, {22, 33}, {27, 18}, {32, 36},
                                         {37, 24}, {42, 29}, {47, 16}, {52, 26}};
    p.setPen(QPen(QColor(0xd9, 0x34, 0x2b), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(kTrace, static_cast<int>(std::size(kTrace)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7f, 0xd1, 0x4b));
    p.drawEllipse(QPointF(16, 50), 3, 3);
    p.setBrush(QColor(0x8f, 0xb3, 0xd1));
    p.drawRoundedRect(QRectF(24, 48, 8, 4), 1, 1);
    p.drawRoundedRect(QRectF(36, 48, 8, 4), 1, 1);
    p.drawRoundedRect(QRectF(48, 48, 6, 4), 1, 1);
}

QIcon StyleIcon(QStyle::StandardPixmap which)
{
    return QApplication::style() ? QApplication::style()->standardIcon(which) : QIcon();
}

// The main tool bar: new, open, save, print, the measurement panel, about.
QIcon MainImage(int index)
{
    switch (index) {
    case 0: return StyleIcon(QStyle::SP_FileIcon);
    case 1: return StyleIcon(QStyle::SP_DialogOpenButton);
    case 2: return StyleIcon(QStyle::SP_DialogSaveButton);
    case 3: return StyleIcon(QStyle::SP_FileDialogDetailedView);
    case 4: return ProgramIcon();
    case 5: return StyleIcon(QStyle::SP_MessageBoxInformation);
    default: return {};
    }
}

// A closed padlock in the lower right corner of `icon`: the document is
// locked against editing.
QIcon WithLock(const QIcon& icon)
{
    constexpr int kSize = 22;
    QPixmap pixmap = icon.pixmap(kSize, kSize);
    if (pixmap.isNull()) {
        pixmap = QPixmap(kSize, kSize);
        pixmap.fill(Qt::transparent);
    }
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = pixmap.width() / pixmap.devicePixelRatio();
    const qreal h = pixmap.height() / pixmap.devicePixelRatio();
    const QRectF body(w - 10, h - 8, 9, 7);
    p.setPen(QPen(QColor(0x80, 0x10, 0x10), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(body.left() + 1.5, body.top() - 5, body.width() - 3, 9), 0, 180 * 16);
    p.setPen(QPen(QColor(0x80, 0x10, 0x10), 1));
    p.setBrush(QColor(0xd0, 0x30, 0x20));
    p.drawRect(body);
    return QIcon(pixmap);
}

// The page buttons: 0 channels, 1 automatic measurement, 2 measured data,
// 3 history, 4 instruments, 5 A/D, 6 CAN/voice/GPS, 8 markers being
// selected, 10 markers.
QIcon PageImage(int index, bool hot)
{
    static constexpr QStyle::StandardPixmap kImages[] = {
        QStyle::SP_FileDialogListView, QStyle::SP_BrowserReload,   QStyle::SP_FileDialogContentsView,
        QStyle::SP_FileDialogInfoView, QStyle::SP_ComputerIcon,    QStyle::SP_DriveHDIcon,
        QStyle::SP_DriveNetIcon,       QStyle::SP_ArrowRight,      QStyle::SP_DialogApplyButton,
        QStyle::SP_ArrowLeft,          QStyle::SP_FileDialogStart,
    };
    if (index < 0 || index >= static_cast<int>(std::size(kImages)))
        return {};
    const QIcon icon = StyleIcon(kImages[index]);
    if (!hot)
        return icon;
    // The hot image: the picture under a light frame while the pointer is on it.
    QPixmap pixmap = icon.pixmap(22, 20);
    QPainter p(&pixmap);
    p.setPen(QColor(0x33, 0x99, 0xff));
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

QPixmap ProgramIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.scale(size / 64.0, size / 64.0);
    PaintIcon(p);
    return pixmap;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64})
        icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}

QIcon ToolbarImage(unsigned bitmapId, int index)
{
    switch (bitmapId) {
    case kIdrMainFrame: return MainImage(index);
    // The save button carries the lock while the document may not be edited.
    case kIdrEditLockedToolbar: return index == 2 ? WithLock(MainImage(index)) : MainImage(index);
    case kIdrPageButtons: return PageImage(index, false);
    case kIdrPageButtonsHot: return PageImage(index, true);
    default: return {};
    }
}
