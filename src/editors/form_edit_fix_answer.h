#pragma once

#include "editors/editor_file.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QPushButton;
class QTabWidget;
class TPrompts;
class TRecordGrid;

// Lists, adds, changes and removes the fixed-answer records of the fiscal
// and printer status words. Every accepted change is written at once, the
// records of the list renumbered from 1.
class TFormEditFixAnswer : public QDialog
{
    Q_OBJECT

public:
    TFormEditFixAnswer(const QString &fileName, TPrompts &prompts, QWidget *parent = nullptr);

    void ButtonAddClick();
    void ButtonModifyClick();
    void ButtonRemoveClick();
    void StringGridDblClick();

private:
    TRecordGrid *Grid() const;
    QString Section() const;
    void LoadList();
    bool WriteList(const QList<QStringList> &rows);
    void UpdateButtons();

    TPrompts &FPrompts;
    TEditorFile FFile;

    QTabWidget *PageControl = nullptr;
    TRecordGrid *StringGridFiscal = nullptr;
    TRecordGrid *StringGridPrinter = nullptr;
    QPushButton *ButtonAdd = nullptr;
    QPushButton *ButtonModify = nullptr;
    QPushButton *ButtonRemove = nullptr;
    QPushButton *ButtonClose = nullptr;
};
