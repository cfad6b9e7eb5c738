#include "framework/ui/QtClipboard.h"

#include "framework/ui/QtText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace fw {

namespace {

QClipboard* Board()
{
    return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
}

// A copy of what the clipboard holds, to add a form to (Qt takes
// ownership of the data handed to it).
QMimeData* CopyOf(const QMimeData* source)
{
    auto* copy = new QMimeData;
    if (source) {
        for (const QString& format : source->formats())
            copy->setData(format, source->data(format));
    }
    return copy;
}

} // namespace

void QtClipboard::Clear()
{
    if (QClipboard* b = Board())
        b->clear();
}

QMimeData* QtClipboard::Building()
{
    QClipboard* b = Board();
    return CopyOf(b ? b->mimeData() : nullptr);
}

void QtClipboard::SetText(const CString& text)
{
    QClipboard* b = Board();
    if (!b)
        return;
    QMimeData* data = Building();
    data->setText(ToQ(text));
    b->setMimeData(data);
}

bool QtClipboard::HasText()
{
    QClipboard* b = Board();
    return b && b->mimeData() && b->mimeData()->hasText();
}

CString QtClipboard::GetText()
{
    QClipboard* b = Board();
    return b ? FromQ(b->text()) : CString();
}

void QtClipboard::SetData(const std::string& mime, const std::vector<uint8_t>& bytes)
{
    QClipboard* b = Board();
    if (!b)
        return;
    QMimeData* data = Building();
    data->setData(QString::fromStdString(mime),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    b->setMimeData(data);
}

bool QtClipboard::HasFormat(const std::string& mime)
{
    QClipboard* b = Board();
    return b && b->mimeData() && b->mimeData()->hasFormat(QString::fromStdString(mime));
}

std::optional<std::vector<uint8_t>> QtClipboard::GetData(const std::string& mime)
{
    if (!HasFormat(mime))
        return std::nullopt;
    const QByteArray bytes = Board()->mimeData()->data(QString::fromStdString(mime));
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

} // namespace fw
