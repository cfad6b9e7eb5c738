#pragma once

// Texts cross into Qt only at widget boundaries, as UTF-8.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

#include <QRect>
#include <QString>

namespace fw {

inline QString ToQ(const CString& s) { return QString::fromUtf8(s.c_str(), s.GetLength()); }
inline CString FromQ(const QString& s) { return CString(s.toUtf8().toStdString()); }
inline QRect ToQ(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline CRect FromQ(const QRect& r) { return CRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height()); }

// A menu or button caption: the original marks accelerators with '&' as
// Qt does; a "\t" part names the shortcut and is not shown in the caption.
QString CaptionText(const CString& caption);
// The shortcut part after "\t", empty when there is none.
QString ShortcutText(const CString& caption);

} // namespace fw
