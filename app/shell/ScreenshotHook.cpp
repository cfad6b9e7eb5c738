#include "app/shell/ScreenshotHook.h"

#include "framework/ui/Dialog.h"
#include "framework/ui/WinApp.h"
#include "framework/ui/Wnd.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QColor>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int kSettleMs = 1500;
constexpr int kPictureWidth = 1280;
constexpr int kPictureHeight = 800;

// Draws the main window and the page over it as a desktop would show
// them; no window system is needed (the offscreen platform has none).
QImage Compose(QWidget* main, QDialog* page)
{
    QImage image(main->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    main->render(&painter);
    if (page) {
        // The page with a plain caption strip, as a window manager frames it.
        constexpr int kCaption = 24;
        const QPoint at((main->width() - page->width()) / 2, (main->height() - page->height()) / 3);
        const QRect caption(at.x(), at.y() - kCaption, page->width(), kCaption);
        painter.fillRect(caption.united(QRect(at, page->size())).adjusted(-1, -1, 1, 1), Qt::darkGray);
        painter.fillRect(caption, QColor(0x3A, 0x5F, 0x9E));
        painter.setPen(Qt::white);
        painter.drawText(caption.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, page->windowTitle());
        page->render(&painter, at);
    }
    return image;
}

} // namespace

void ScheduleStartUpScreenshot(const fw::CString& pngPath, fw::CDialog& page)
{
    fw::CWnd* mainWnd = fw::AfxGetMainWnd();
    if (mainWnd && mainWnd->Widget()) {
        mainWnd->Widget()->showNormal();
        mainWnd->Widget()->resize(kPictureWidth, kPictureHeight);
    }
    const QString path = QString::fromStdString(pngPath.str());
    QTimer::singleShot(kSettleMs, [path, &page, mainWnd] {
        QWidget* main = mainWnd ? mainWnd->Widget() : nullptr;
        if (main)
            Compose(main, page.Dialog()).save(path, "PNG");
        page.EndDialog(fw::IDCANCEL);
        if (QDialog* dialog = page.Dialog())
            dialog->reject();
    });
}
