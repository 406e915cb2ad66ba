#pragma once

#include <QComboBox>
#include <QIcon>
#include <QSize>
#include <QtGlobal>

class TPrompts;

// A colour picker over the colour notation of terminal files: the named
// colours, system colours included, each with its swatch, the current value
// when it has no name, and "Custom..." for any other colour.
class TColorBox : public QComboBox
{
    Q_OBJECT

public:
    static const QString CustomItem;
    static constexpr QSize SwatchSize{16, 12};

    TColorBox(TPrompts &prompts, QWidget *parent = nullptr);

    void SetColor(quint32 color);
    quint32 Color() const;

signals:
    // The user chose a colour.
    void ColorChanged();

private:
    void Activated(int index);
    void ChooseCustom();
    int AddColorItem(quint32 color);
    QIcon Swatch(quint32 color) const;

    TPrompts &m_prompts;
    quint32 m_color = 0;
};
