#pragma once

#include <QDialog>

// Asked when a pasted or dropped command's name is taken in the target group.
class TFormOverwriteNewCommand : public QDialog
{
    Q_OBJECT

public:
    // Result codes of the three buttons.
    enum TChoice { Overwrite = 1, Cancel = 2, New = 6 };

    explicit TFormOverwriteNewCommand(QWidget *parent = nullptr);

    // Escape and the close box answer like "&Cancel".
    void reject() override;

    static const QString Text;
};
