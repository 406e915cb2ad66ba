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

    void TabSheetCommandsShow();
    void TabSheetAnswersShow();
    void ButtonAddClick();
    void ButtonModifyClick();
    void ButtonRemoveClick();
    void ButtonCloseClick();
    void StringGridCommandsDblClick();
    void StringGridAnswersDblClick();

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

    TPrompts &FPrompts;
    TEditorFile FFile;
    QString FSection;
    QList<TCommandField> FCommands;
    QList<TAnswerField> FAnswers;

    QTabWidget *PageControl = nullptr;
    TRecordGrid *StringGridCommands = nullptr;
    TRecordGrid *StringGridAnswers = nullptr;
    QPushButton *ButtonAdd = nullptr;
    QPushButton *ButtonModify = nullptr;
    QPushButton *ButtonRemove = nullptr;
    QPushButton *ButtonClose = nullptr;
};
