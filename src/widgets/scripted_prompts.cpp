#include "widgets/scripted_prompts.h"

#include <QDialog>

QString TScriptedPrompts::InputText(QWidget *, const QString &caption)
{
    Questions.append({KindInput, caption, InputPrompt});
    return Inputs.isEmpty() ? QString() : Inputs.dequeue();
}

bool TScriptedPrompts::Confirm(QWidget *, const QString &caption, const QString &text)
{
    Questions.append({KindConfirm, caption, text});
    return !Confirms.isEmpty() && Confirms.dequeue();
}

void TScriptedPrompts::Error(QWidget *, const QString &caption, const QString &text)
{
    Questions.append({KindError, caption, text});
}

void TScriptedPrompts::Information(QWidget *, const QString &caption, const QString &text)
{
    Questions.append({KindInformation, caption, text});
}

int TScriptedPrompts::Exec(QDialog *dialog)
{
    Questions.append({KindDialog, dialog->windowTitle(), dialog->objectName()});
    return DialogResults.isEmpty() ? int(QDialog::Rejected) : DialogResults.dequeue();
}

QString TScriptedPrompts::OpenFileName(QWidget *, const QString &caption, const QString &,
                                       const QString &filter)
{
    Questions.append({KindOpen, caption, filter});
    return FileNames.isEmpty() ? QString() : FileNames.dequeue();
}

QString TScriptedPrompts::SaveFileName(QWidget *, const QString &caption, const QString &,
                                       const QString &filter, const QString &)
{
    Questions.append({KindSave, caption, filter});
    return FileNames.isEmpty() ? QString() : FileNames.dequeue();
}

QStringList TScriptedPrompts::Texts(TKind kind) const
{
    QStringList texts;
    for (const TQuestion &question : Questions)
        if (question.Kind == kind)
            texts.append(question.Text);
    return texts;
}

QStringList TScriptedPrompts::Captions(TKind kind) const
{
    QStringList captions;
    for (const TQuestion &question : Questions)
        if (question.Kind == kind)
            captions.append(question.Caption);
    return captions;
}

int TScriptedPrompts::Count(TKind kind) const
{
    return Texts(kind).size();
}

void TScriptedPrompts::Clear()
{
    Questions.clear();
    Inputs.clear();
    Confirms.clear();
    DialogResults.clear();
    FileNames.clear();
}
