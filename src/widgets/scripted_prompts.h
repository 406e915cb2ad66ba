#pragma once

#include "widgets/prompts.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Prompts for tests: every question is recorded, answers come from queues
// filled beforehand. An empty queue answers like a user who cancels.
class TScriptedPrompts : public TPrompts
{
public:
    enum TKind { KindInput, KindConfirm, KindError, KindInformation, KindDialog, KindOpen, KindSave };

    struct TQuestion
    {
        TKind Kind;
        QString Caption;
        QString Text;   // message text, dialog object name, or file filter
    };

    QString InputText(QWidget *parent, const QString &caption) override;
    bool Confirm(QWidget *parent, const QString &caption, const QString &text) override;
    void Error(QWidget *parent, const QString &caption, const QString &text) override;
    void Information(QWidget *parent, const QString &caption, const QString &text) override;
    int Exec(QDialog *dialog) override;
    QString OpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString SaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter, const QString &defaultSuffix) override;

    // Texts of the recorded questions of one kind, in order.
    QStringList Texts(TKind kind) const;
    QStringList Captions(TKind kind) const;
    int Count(TKind kind) const;
    void Clear();

    QQueue<QString> Inputs;
    QQueue<bool> Confirms;
    QQueue<int> DialogResults;
    QQueue<QString> FileNames;
    QList<TQuestion> Questions;
};
