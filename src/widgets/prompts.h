#pragma once

#include <QString>

class QDialog;
class QWidget;

// Every modal question the program asks goes through this interface, so the
// windows stay testable: tests substitute TScriptedPrompts, which records the
// questions and returns canned answers without a modal loop.
class TPrompts
{
public:
    virtual ~TPrompts();

    // One-line text input with the prompt "Input text:" and an empty default;
    // Cancel gives the empty text.
    virtual QString InputText(QWidget *parent, const QString &caption) = 0;
    // Warning with OK and Cancel; true for OK.
    virtual bool Confirm(QWidget *parent, const QString &caption, const QString &text) = 0;
    // Error with one OK button.
    virtual void Error(QWidget *parent, const QString &caption, const QString &text) = 0;
    virtual void Information(QWidget *parent, const QString &caption, const QString &text) = 0;
    // Runs a dialog the caller made (for example the overwrite/new/cancel
    // question) modally and returns its result code.
    virtual int Exec(QDialog *dialog) = 0;
    // File dialogs; an empty result means cancelled. Open requires an
    // existing file; Save appends defaultSuffix to a name typed without one
    // and does not ask about an existing file: its caller does.
    virtual QString OpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString SaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter, const QString &defaultSuffix) = 0;

    static const QString InputPrompt;
    static const QString ErrorCaption;
    static const QString WarningCaption;
    // One of the texts above in the language shown; any other text as it is.
    static QString Shown(const QString &text);
};
