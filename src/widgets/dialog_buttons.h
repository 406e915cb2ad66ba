#pragma once

class QDialog;
class QPushButton;

// The keys of the program's dialogs: Enter presses the default button,
// Escape cancels (the dialog's own handling), and a push button that has
// the focus answers Enter as it answers Space.
class TDialogButtons
{
public:
    // Makes defaultButton the dialog's default button and lets every push
    // button of the dialog take Enter while it has the focus. Call it once
    // the dialog's buttons exist.
    static void SetDefault(QDialog *dialog, QPushButton *defaultButton);
};
