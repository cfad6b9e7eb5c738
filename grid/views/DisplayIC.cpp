#include "grid/views/DisplayIC.h"

#include "framework/ui/QPainterSink.h"
#include "grid/views/GridObject.h"

#include <QImage>
#include <QPainter>

struct CDisplayIC::Parts {
    Parts() : image(1, 1, QImage::Format_RGB32), painter(&image), sink(&painter, ScreenDpi()) {}
    QImage image;
    QPainter painter;
    fw::QPainterSink sink;
};

CDisplayIC::CDisplayIC() : CDisplayIC(new Parts) {}

CDisplayIC::CDisplayIC(Parts* parts) : fw::CDC(&parts->sink), m_parts(parts) {}

CDisplayIC::~CDisplayIC() = default;
