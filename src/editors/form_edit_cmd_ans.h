#pragma once

#include "editors/editor_file.h"
#include "terminal_model/answer_field.h"
#include "terminal_model/command_field.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTabWidget;
class QWidget;
class TExtIniFile;
class TPrompts;
class TRecordGrid;

// Defines the command fields and answer fields of one command section.
// Every accepted change is written to the terminal file at once; closing
// only closes. The owner reloads the file and rebuilds the command's
// inputs afterwards.
class TFormEditCmdAns : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxFields = 70;
    static const QString MaxFieldsMessage;

    TFormEditCmdAns(const QString &fileName, const QString &section, TPrompts &prompts,
                    QWidget *parent = nullptr);

    void LoadCommandsPage();
    void LoadAnswersPage();
    void AddField();
    void ModifySelectedField();
    void RemoveSelectedField();
    void Finish();
    void ModifyOrAddCommandField();
    void ModifyOrAddAnswerField();

private:
    void FitScreen();
    bool CommandsPage() const;
    TRecordGrid *Grid() const;
    void PageChanged();
    void LoadCommands();
    void LoadAnswers();
    void ShowCommands();
    void ShowAnswers();
    void UpdateButtons();
    void AddCommand();
    void AddAnswer();
    void ModifyCommand(int index);
    void ModifyAnswer(int index);
    void RemoveCommand(int index);
    void RemoveAnswer(int index);
    bool FieldLimitReached(int count);
    bool WriteCommandsTo(TExtIniFile &ini, const QList<TCommandField> &fields);
    bool WriteAnswersTo(TExtIniFile &ini, const QList<TAnswerField> &fields);
    bool WriteLinesTo(TExtIniFile &ini, const QString &key, const QStringList &lines, bool removeWhenEmpty);
    bool ConfirmRemove(int index);

    TPrompts &m_prompts;
    TEditorFile m_file;
    QString m_section;
    QList<TCommandField> m_commands;
    QList<TAnswerField> m_answers;

    QTabWidget *m_pages = nullptr;
    TRecordGrid *m_commandGrid = nullptr;
    TRecordGrid *m_answerGrid = nullptr;
    QPushButton *m_buttonAdd = nullptr;
    QPushButton *m_buttonModify = nullptr;
    QPushButton *m_buttonRemove = nullptr;
    QPushButton *m_buttonClose = nullptr;
};
