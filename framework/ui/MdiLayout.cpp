#include "framework/ui/MdiLayout.h"

#include <algorithm>
#include <cmath>

namespace fw {

QRect NewMdiChildRect(const QSize& area, int index, int step)
{
    const int width = std::max(area.width() * 3 / 4, 1);
    const int height = std::max(area.height() * 3 / 4, 1);
    step = std::max(step, 1);
    // How many steps fit before a window would leave the area.
    const int fit = std::max(1, std::min((area.width() - width) / step, (area.height() - height) / step) + 1);
    const int offset = (std::max(index, 0) % fit) * step;
    return QRect(offset, offset, width, height);
}

std::vector<QRect> TileMdiChildRects(const QSize& area, int count, bool horizontal)
{
    std::vector<QRect> out;
    if (count <= 0)
        return out;
    // Up to three windows share one column (horizontal) or row (vertical);
    // beyond that a grid of about square shape, the later lines taking the
    // windows that do not divide evenly.
    const int lines = count <= 3 ? 1 : static_cast<int>(std::sqrt(static_cast<double>(count)));
    const int across = horizontal ? area.width() : area.height();
    const int along = horizontal ? area.height() : area.width();
    int placed = 0;
    for (int line = 0; line < lines; ++line) {
        const int inLine = count / lines + (line >= lines - count % lines ? 1 : 0);
        const int lineStart = across * line / lines;
        const int lineEnd = across * (line + 1) / lines;
        for (int i = 0; i < inLine; ++i, ++placed) {
            const int start = along * i / inLine;
            const int end = along * (i + 1) / inLine;
            out.push_back(horizontal ? QRect(lineStart, start, lineEnd - lineStart, end - start)
                                     : QRect(start, lineStart, end - start, lineEnd - lineStart));
        }
    }
    return out;
}

} // namespace fw
