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

    void AddRecord();
    void ModifySelectedRecord();
    void RemoveSelectedRecord();
    void ModifyOrAddRecord();

private:
    TRecordGrid *Grid() const;
    QString Section() const;
    void LoadList();
    bool WriteList(const QList<QStringList> &rows);
    void UpdateButtons();

    TPrompts &m_prompts;
    TEditorFile m_file;

    QTabWidget *m_pages = nullptr;
    TRecordGrid *m_fiscalGrid = nullptr;
    TRecordGrid *m_printerGrid = nullptr;
    QPushButton *m_buttonAdd = nullptr;
    QPushButton *m_buttonModify = nullptr;
    QPushButton *m_buttonRemove = nullptr;
    QPushButton *m_buttonClose = nullptr;
};
