#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Placement arithmetic of the main window's child windows.
namespace MdiLayout {

// Minimised child windows lined up from the bottom-left corner of the area,
// in rows that wrap upwards when the area is too narrow.
QList<QPoint> IconPositions(const QSize &area, const QList<QSize> &icons);

// The room a child window takes to fill the area while the minimised icons
// stay in sight below it: everything above their rows.
QRect AboveIcons(const QSize &area, const QList<QSize> &icons);

// Child windows tiled over the area: horizontally means one above another,
// each as wide as the area; vertically means side by side.
QList<QRect> TileRects(const QRect &area, int count, bool horizontally);

} // namespace MdiLayout
