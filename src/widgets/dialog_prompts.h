#pragma once

#include "widgets/prompts.h"

// The prompts as message boxes, input and file dialogs.
class TDialogPrompts : public TPrompts
{
public:
    QString InputText(QWidget *parent, const QString &caption) override;
    bool Confirm(QWidget *parent, const QString &caption, const QString &text) override;
    void Error(QWidget *parent, const QString &caption, const QString &text) override;
    void Information(QWidget *parent, const QString &caption, const QString &text) override;
    int Exec(QDialog *dialog) override;
    QString OpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString SaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter, const QString &defaultSuffix) override;

    // The width a window needs to show its whole title in its title bar.
    static int TitleWidth(const QWidget *dialog, const QString &title);
};
