#pragma once

#include <QAccessibleWidget>

// What a screen reader learns of a combo box (the typed input box and the
// plain lists): its name is its caption
// (the accessible name or the buddy label) and its value the typed text. Qt's
// own combo box interface gives the typed text as the name on Linux, so the
// reader would announce the value twice and the caption never.
class TFieldTypeComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit TFieldTypeComboBoxAccessible(QWidget *box);

    QString text(QAccessible::Text t) const override;

    // Makes every combo box use this interface; idempotent.
    static void Install();
};
