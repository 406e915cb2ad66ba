#include "widgets/dialog_buttons.h"

#include <QDialog>
#include <QPushButton>

void TDialogButtons::SetDefault(QDialog *dialog, QPushButton *defaultButton)
{
    // An auto-default button becomes the default while it has the focus,
    // so Enter presses the focused button and otherwise the default one.
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->window() == dialog)
            button->setAutoDefault(true);
    defaultButton->setDefault(true);
}
