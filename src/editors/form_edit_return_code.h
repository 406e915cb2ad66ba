#pragma once

#include "editors/editor_file.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QPushButton;
class TPrompts;
class TRecordGrid;

// Lists, adds, changes and removes the return-code descriptions of the
// extended protocol. Every accepted change is written at once; Add and
// Modify keep the list in ascending order of the numbers.
class TFormEditReturnCode : public QDialog
{
    Q_OBJECT

public:
    static const QString DuplicateMessage;

    TFormEditReturnCode(const QString &fileName, TPrompts &prompts, QWidget *parent = nullptr);

    void AddRecord();
    void ModifySelectedRecord();
    void RemoveSelectedRecord();
    void ModifyOrAddRecord();

    // A stable ascending sort by the numbers' integer values.
    static void SortRows(QList<QStringList> &rows);
    // The typed number in decimal without leading zeros.
    static QString NormalisedNumber(const QString &typed);

private:
    void LoadList();
    // Whether a row other than except holds the number.
    static bool Duplicate(const QList<QStringList> &rows, const QString &number, int except);
    bool WriteList(const QList<QStringList> &rows);
    void UpdateButtons();

    TPrompts &m_prompts;
    TEditorFile m_file;

    TRecordGrid *m_grid = nullptr;
    QPushButton *m_buttonAdd = nullptr;
    QPushButton *m_buttonModify = nullptr;
    QPushButton *m_buttonRemove = nullptr;
    QPushButton *m_buttonClose = nullptr;
};
