#include "widgets/action_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <functional>

namespace {

const QColor Ink(0x33, 0x3d, 0x4a);
const QColor Paper(0xfb, 0xfb, 0xf8);
const QColor Accent(0x2f, 0x7d, 0xc4);
const QColor Warm(0xe0, 0x9a, 0x2b);
const QColor Good(0x3a, 0x9a, 0x4a);
const QColor Bad(0xc8, 0x3a, 0x32);

void Page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    const qreal fold = r.width() * 0.3;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void Window(QPainter &p, const QRectF &r, const QColor &title)
{
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(Paper);
    p.drawRect(r);
    p.setBrush(title);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), qMin(5.0, r.height() / 3)));
}

void Panels(QPainter &p)
{
    const QColor colours[] = {Good, Warm, Bad, Accent};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(Ink, 1));
        p.setBrush(colours[i]);
        p.drawRect(QRectF(3 + (i % 2) * 12, 4 + (i / 2) * 10, 10, 8));
    }
}

void Pencil(QPainter &p)
{
    p.save();
    p.translate(22, 22);
    p.rotate(-45);
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Warm);
    p.drawRect(QRectF(-3, -12, 6, 16));
    QPainterPath tip;
    tip.moveTo(-3, 4);
    tip.lineTo(3, 4);
    tip.lineTo(0, 9);
    tip.closeSubpath();
    p.setBrush(Paper);
    p.drawPath(tip);
    p.restore();
}

void Draw(QPainter &p, TActionIcons::TKind kind)
{
    switch (kind) {
    case TActionIcons::New:
        Page(p, QRectF(6, 3, 20, 26));
        p.setPen(QPen(Accent, 2.5));
        p.drawLine(QPointF(12, 19), QPointF(20, 19));
        p.drawLine(QPointF(16, 15), QPointF(16, 23));
        break;
    case TActionIcons::Open: {
        p.setPen(QPen(Ink, 1.5));
        p.setBrush(Warm.darker(115));
        p.drawRect(QRectF(3, 7, 24, 19));
        p.drawRect(QRectF(3, 5, 10, 3));
        QPainterPath front;
        front.moveTo(7, 13);
        front.lineTo(30, 13);
        front.lineTo(27, 26);
        front.lineTo(3, 26);
        front.closeSubpath();
        p.setBrush(Warm);
        p.drawPath(front);
        break;
    }
    case TActionIcons::SaveAs:
        p.setPen(QPen(Ink, 1.5));
        p.setBrush(Accent);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Paper);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.drawRect(QRectF(8, 18, 16, 10));
        p.setBrush(Ink);
        p.drawRect(QRectF(18, 6, 3, 5));
        break;
    case TActionIcons::Cut:
        p.setPen(QPen(Ink, 2));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(9, 3), QPointF(20, 21));
        p.drawLine(QPointF(23, 3), QPointF(12, 21));
        p.setPen(QPen(Bad, 2.2));
        p.drawEllipse(QPointF(10, 25), 4.5, 4.5);
        p.drawEllipse(QPointF(22, 25), 4.5, 4.5);
        break;
    case TActionIcons::Copy:
        Page(p, QRectF(4, 3, 16, 20));
        Page(p, QRectF(12, 9, 16, 20));
        break;
    case TActionIcons::Paste:
        p.setPen(QPen(Ink, 1.5));
        p.setBrush(Warm.darker(110));
        p.drawRoundedRect(QRectF(5, 5, 20, 24), 2, 2);
        p.setBrush(Ink);
        p.drawRoundedRect(QRectF(10, 2, 10, 6), 1.5, 1.5);
        Page(p, QRectF(13, 12, 15, 18));
        break;
    case TActionIcons::Cascade:
        Window(p, QRectF(3, 3, 16, 13), Accent.lighter(140));
        Window(p, QRectF(8, 9, 16, 13), Accent.lighter(120));
        Window(p, QRectF(13, 15, 16, 13), Accent);
        break;
    case TActionIcons::TileHorizontal:
        Window(p, QRectF(3, 4, 26, 11), Accent);
        Window(p, QRectF(3, 17, 26, 11), Accent);
        break;
    case TActionIcons::TileVertical:
        Window(p, QRectF(3, 4, 12, 24), Accent);
        Window(p, QRectF(17, 4, 12, 24), Accent);
        break;
    case TActionIcons::EditFixedAnswer:
        Panels(p);
        Pencil(p);
        break;
    case TActionIcons::TestFixedAnswer:
        Panels(p);
        p.setPen(QPen(Good.darker(130), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(14, 22), QPointF(19, 27), QPointF(29, 15)}));
        break;
    case TActionIcons::EditReturnCode: {
        Page(p, QRectF(4, 3, 20, 26));
        QFont font;
        font.setPixelSize(9);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Accent.darker(120));
        p.drawText(QRectF(5, 7, 16, 10), Qt::AlignCenter, QStringLiteral("RC"));
        Pencil(p);
        break;
    }
    case TActionIcons::EditFields:
        // A grid of fields with its title row.
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(Paper);
        p.drawRect(QRectF(3, 4, 24, 20));
        p.setBrush(Accent);
        p.drawRect(QRectF(3, 4, 24, 5));
        for (const qreal y : {14.0, 19.0})
            p.drawLine(QPointF(3, y), QPointF(27, y));
        p.drawLine(QPointF(11, 4), QPointF(11, 24));
        Pencil(p);
        break;
    case TActionIcons::FiscalEnabled:
    case TActionIcons::FiscalDisabled: {
        p.setPen(QPen(Ink, 1.5));
        p.setBrush(Paper.darker(110));
        QPainterPath port;
        port.moveTo(4, 8);
        port.lineTo(28, 8);
        port.lineTo(25, 22);
        port.lineTo(7, 22);
        port.closeSubpath();
        p.drawPath(port);
        p.setBrush(Ink);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QPointF(9 + i * 3.5, 13), 1, 1);
        for (int i = 0; i < 4; ++i)
            p.drawEllipse(QPointF(10.75 + i * 3.5, 17), 1, 1);
        const bool enabled = kind == TActionIcons::FiscalEnabled;
        p.setBrush(enabled ? Good : Bad);
        p.setPen(QPen(Paper, 1));
        p.drawEllipse(QPointF(24, 25), 6, 6);
        p.setPen(QPen(Paper, 2));
        if (enabled) {
            p.drawPolyline(QPolygonF({QPointF(21, 25), QPointF(23.5, 27.5), QPointF(27, 22.5)}));
        } else {
            p.drawLine(QPointF(21.5, 22.5), QPointF(26.5, 27.5));
            p.drawLine(QPointF(26.5, 22.5), QPointF(21.5, 27.5));
        }
        break;
    }
    }
}

QPixmap Picture(int size, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    return pixmap;
}

QString ThemeName(TActionIcons::TKind kind)
{
    switch (kind) {
    case TActionIcons::New:
        return QStringLiteral("document-new");
    case TActionIcons::Open:
        return QStringLiteral("document-open");
    case TActionIcons::SaveAs:
        return QStringLiteral("document-save-as");
    case TActionIcons::Cut:
        return QStringLiteral("edit-cut");
    case TActionIcons::Copy:
        return QStringLiteral("edit-copy");
    case TActionIcons::Paste:
        return QStringLiteral("edit-paste");
    default:
        return QString();
    }
}

} // namespace

QIcon TActionIcons::Icon(TKind kind)
{
    QIcon drawn;
    for (const int size : {16, 24, 32})
        drawn.addPixmap(Picture(size, [kind](QPainter &p) { Draw(p, kind); }));
    const QString theme = ThemeName(kind);
    return theme.isEmpty() ? drawn : QIcon::fromTheme(theme, drawn);
}

QIcon TActionIcons::ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) {
        icon.addPixmap(Picture(size, [](QPainter &p) {
            p.setPen(QPen(Ink, 1.2));
            p.setBrush(Paper);
            p.drawRect(QRectF(9, 2, 14, 14));
            p.setPen(QPen(Ink.lighter(160), 1));
            for (int y = 6; y < 15; y += 3)
                p.drawLine(QPointF(11, y), QPointF(21, y));
            p.setPen(QPen(Ink, 1.2));
            p.setBrush(Accent);
            p.drawRoundedRect(QRectF(2, 13, 28, 13), 3, 3);
            p.setBrush(Ink);
            p.drawRect(QRectF(8, 16, 16, 2.5));
            p.setBrush(Good);
            p.drawEllipse(QPointF(25, 22), 1.8, 1.8);
            p.setBrush(Paper);
            p.drawRect(QRectF(9, 26, 14, 4));
        }));
    }
    return icon;
}

QBrush TActionIcons::Background()
{
    QPixmap tile(48, 48);
    tile.fill(QColor(0x5d, 0x6d, 0x7e));
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x66, 0x77, 0x88));
    painter.drawEllipse(QPointF(12, 12), 2, 2);
    painter.drawEllipse(QPointF(36, 36), 2, 2);
    return QBrush(tile);
}
