#include "widgets/dialog_prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

QString TDialogPrompts::InputText(QWidget *parent, const QString &caption)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, InputPrompt, QLineEdit::Normal,
                                               QString(), &ok);
    return ok ? text : QString();
}

bool TDialogPrompts::Confirm(QWidget *parent, const QString &caption, const QString &text)
{
    return QMessageBox::warning(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel)
        == QMessageBox::Ok;
}

void TDialogPrompts::Error(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::critical(parent, caption, text, QMessageBox::Ok);
}

void TDialogPrompts::Information(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::information(parent, caption, text, QMessageBox::Ok);
}

int TDialogPrompts::Exec(QDialog *dialog)
{
    return dialog->exec();
}

QString TDialogPrompts::OpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString TDialogPrompts::SaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // The caller asks before it replaces a file, once the default extension
    // is on the name: asked here as well, the question would come twice.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
