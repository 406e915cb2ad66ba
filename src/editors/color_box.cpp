#include "editors/color_box.h"

#include "terminal_model/color_notation.h"
#include "widgets/prompts.h"
#include "widgets/system_colors.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

const QString TColorBox::CustomItem = QStringLiteral(QT_TRANSLATE_NOOP("TColorBox", "Custom..."));

QIcon TColorBox::Swatch(quint32 color) const
{
    // A system colour shows as this desktop draws it; "no colour" as an
    // empty frame. The frame keeps pale colours apart from the list's
    // background.
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(SwatchSize * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor shown = TSystemColors::Resolve(color, palette());
    const QRectF box(0.5, 0.5, SwatchSize.width() - 1, SwatchSize.height() - 1);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.setBrush(shown.isValid() ? QBrush(shown) : QBrush(Qt::NoBrush));
    painter.drawRect(box);
    return QIcon(pixmap);
}

TColorBox::TColorBox(TPrompts &prompts, QWidget *parent)
    : QComboBox(parent)
    , m_prompts(prompts)
{
    setIconSize(SwatchSize);
    for (const QString &name : TColorNotation::Names()) {
        quint32 color = 0;
        TColorNotation::FromText(name, &color);
        addItem(Swatch(color), name, color);
    }
    addItem(tr(CustomItem.toUtf8().constData()));
    SetColor(TColorNotation::Black);
    connect(this, &QComboBox::activated, this, &TColorBox::Activated);
}

int TColorBox::AddColorItem(quint32 color)
{
    const int found = findData(color);
    if (found >= 0)
        return found;
    const int index = count() - 1;
    insertItem(index, Swatch(color), TColorNotation::ToText(color), color);
    return index;
}

void TColorBox::SetColor(quint32 color)
{
    m_color = color;
    setCurrentIndex(AddColorItem(color));
}

quint32 TColorBox::Color() const
{
    return m_color;
}

void TColorBox::Activated(int index)
{
    if (itemText(index) == tr(CustomItem.toUtf8().constData())) {
        ChooseCustom();
        return;
    }
    m_color = itemData(index).toUInt();
    emit ColorChanged();
}

void TColorBox::ChooseCustom()
{
    const bool plain = m_color != TColorNotation::None && !TColorNotation::IsSystemColor(m_color);
    QColorDialog dialog(plain ? QColor(TColorNotation::Red(m_color), TColorNotation::Green(m_color),
                                       TColorNotation::Blue(m_color))
                              : QColor(Qt::black),
                        this);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    if (m_prompts.Exec(&dialog) != QDialog::Accepted) {
        SetColor(m_color);
        return;
    }
    const QColor chosen = dialog.selectedColor().isValid() ? dialog.selectedColor() : dialog.currentColor();
    SetColor(TColorNotation::FromRgb(chosen.red(), chosen.green(), chosen.blue()));
    emit ColorChanged();
}
