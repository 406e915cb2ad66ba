#include "shell/mdi_layout.h"

namespace MdiLayout {

QList<QPoint> IconPositions(const QSize &area, const QList<QSize> &icons)
{
    QList<QPoint> positions;
    int x = 0;
    int rowBottom = area.height();
    int rowHeight = 0;
    for (const QSize &icon : icons) {
        if (x > 0 && x + icon.width() > area.width()) {
            x = 0;
            rowBottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = qMax(rowHeight, icon.height());
        positions.append(QPoint(x, rowBottom - icon.height()));
        x += icon.width();
    }
    return positions;
}

QRect AboveIcons(const QSize &area, const QList<QSize> &icons)
{
    int top = area.height();
    for (const QPoint &icon : IconPositions(area, icons))
        top = qMin(top, icon.y());
    return QRect(0, 0, area.width(), qMax(0, top));
}

QList<QRect> TileRects(const QRect &area, int count, bool horizontally)
{
    QList<QRect> rects;
    if (count <= 0)
        return rects;
    const int total = horizontally ? area.height() : area.width();
    int start = 0;
    for (int i = 0; i < count; ++i) {
        // Spread the remainder so the tiles cover the area exactly.
        const int end = total * (i + 1) / count;
        if (horizontally)
            rects.append(QRect(area.left(), area.top() + start, area.width(), end - start));
        else
            rects.append(QRect(area.left() + start, area.top(), end - start, area.height()));
        start = end;
    }
    return rects;
}

} // namespace MdiLayout
