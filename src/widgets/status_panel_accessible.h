#pragma once

#include <QAccessibleWidget>

class QLabel;

// What a screen reader learns of a status bar panel: what the panel is for,
// then what it shows now ("Host port: COM1 9600,N,8,1"), so an empty panel is
// still named and a full one is read with its meaning. The label keeps no
// accessible name of its own, so each new text is announced as a change of
// name.
class TStatusPanelAccessible : public QAccessibleWidget
{
public:
    explicit TStatusPanelAccessible(QLabel *panel);

    QString text(QAccessible::Text t) const override;

    // Makes panel a status panel for what: read as "what: its text".
    static void Describe(QLabel *panel, const QString &what);
};
