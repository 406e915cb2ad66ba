#include "editors/color_box.h"

#include "terminal_model/color_notation.h"
#include "widgets/prompts.h"

#include <QColorDialog>
#include <QPixmap>

namespace {

QIcon Swatch(quint32 color)
{
    QPixmap pixmap(16, 12);
    if (color == TColorNotation::None || TColorNotation::IsSystemColor(color))
        pixmap.fill(Qt::transparent);
    else
        pixmap.fill(QColor(TColorNotation::Red(color), TColorNotation::Green(color), TColorNotation::Blue(color)));
    return QIcon(pixmap);
}

} // namespace

const QString TColorBox::CustomItem = QStringLiteral("Custom...");

TColorBox::TColorBox(TPrompts &prompts, QWidget *parent)
    : QComboBox(parent)
    , FPrompts(prompts)
{
    for (const QString &name : TColorNotation::Names()) {
        quint32 color = 0;
        TColorNotation::FromText(name, &color);
        addItem(Swatch(color), name, color);
    }
    addItem(CustomItem);
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
    FColor = color;
    setCurrentIndex(AddColorItem(color));
}

quint32 TColorBox::Color() const
{
    return FColor;
}

void TColorBox::Activated(int index)
{
    if (itemText(index) == CustomItem) {
        ChooseCustom();
        return;
    }
    FColor = itemData(index).toUInt();
    emit ColorChanged();
}

void TColorBox::ChooseCustom()
{
    const bool plain = FColor != TColorNotation::None && !TColorNotation::IsSystemColor(FColor);
    QColorDialog dialog(plain ? QColor(TColorNotation::Red(FColor), TColorNotation::Green(FColor),
                                       TColorNotation::Blue(FColor))
                              : QColor(Qt::black),
                        this);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    if (FPrompts.Exec(&dialog) != QDialog::Accepted) {
        SetColor(FColor);
        return;
    }
    const QColor chosen = dialog.selectedColor().isValid() ? dialog.selectedColor() : dialog.currentColor();
    SetColor(TColorNotation::FromRgb(chosen.red(), chosen.green(), chosen.blue()));
    emit ColorChanged();
}
