#include "editors/form_edit_return_code.h"

#include "editors/editor_widgets.h"
#include "editors/form_rc_record.h"
#include "editors/record_grid.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/return_codes.h"
#include "widgets/prompts.h"

#include <QGuiApplication>
#include <QPushButton>

#include <algorithm>

namespace {

enum { ColumnNumber, ColumnDescription };

const QString KeyPrefix = QStringLiteral("RC");

// Numbers written by hand that are no numbers sort as 0.
int Value(const QString &number)
{
    return number.toInt();
}

} // namespace

const QString TFormEditReturnCode::DuplicateMessage = QStringLiteral("The return codes already exits !!!");

TFormEditReturnCode::TFormEditReturnCode(const QString &fileName, TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
    , FFile(fileName, prompts, this)
{
    setObjectName(QStringLiteral("FormEditReturnCode"));
    setWindowTitle(QStringLiteral("Edit return codes"));

    StringGrid = new TRecordGrid({QStringLiteral("R.C. number"), QStringLiteral("Description text")}, this);
    StringGrid->setObjectName(QStringLiteral("StringGrid"));
    StringGrid->setToolTip(QStringLiteral("Return code text descriptions"));
    StringGrid->SetColumnWidths({90, 326});
    StringGrid->setMinimumSize(440, 260);

    const EditorWidgets::TRecordButtons record = EditorWidgets::RecordButtons(
        this, StringGrid, QStringLiteral("Add new return code"),
        QStringLiteral("Modify return code"), QStringLiteral("Remove return code"));
    ButtonAdd = record.Add;
    ButtonModify = record.Modify;
    ButtonRemove = record.Remove;
    ButtonClose = record.Close;

    connect(ButtonAdd, &QPushButton::clicked, this, &TFormEditReturnCode::ButtonAddClick);
    connect(ButtonModify, &QPushButton::clicked, this, &TFormEditReturnCode::ButtonModifyClick);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFormEditReturnCode::ButtonRemoveClick);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(StringGrid, &TRecordGrid::DoubleClicked, this, &TFormEditReturnCode::StringGridDblClick);

    LoadList();
}

QString TFormEditReturnCode::NormalisedNumber(const QString &typed)
{
    return QString::number(typed.trimmed().toInt());
}

void TFormEditReturnCode::SortRows(QList<QStringList> &rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const QStringList &a, const QStringList &b) {
        return Value(a.at(ColumnNumber)) < Value(b.at(ColumnNumber));
    });
}

void TFormEditReturnCode::LoadList()
{
    TExtIniFile ini;
    QList<QStringList> rows;
    if (FFile.ReadToShow(ini))
        for (const QString &key : ini.ReadSection(ReturnCodesSection))
            rows.append({key.mid(KeyPrefix.size()), ini.ReadString(ReturnCodesSection, key)});
    StringGrid->SetRows(rows);
    UpdateButtons();
}

bool TFormEditReturnCode::Duplicate(const QList<QStringList> &rows, const QString &number, int except)
{
    for (int row = 0; row < rows.size(); ++row) {
        bool ok = false;
        const int value = rows.at(row).at(ColumnNumber).toInt(&ok);
        if (row != except && ok && value == number.toInt())
            return true;
    }
    return false;
}

bool TFormEditReturnCode::WriteList(const QList<QStringList> &rows)
{
    TExtIniFile ini;
    if (!FFile.Read(ini))
        return false;
    // Key by key, so that the section keeps its place and its comments.
    for (const QString &key : ini.ReadSection(ReturnCodesSection))
        ini.DeleteKey(ReturnCodesSection, key);
    for (const QStringList &row : rows) {
        const QString key = KeyPrefix + row.at(ColumnNumber);
        if (!FFile.CheckLength(key, row.at(ColumnDescription), TExtIniFile::MaxValueLength))
            return false;
        ini.WriteString(ReturnCodesSection, key, row.at(ColumnDescription));
    }
    if (!FFile.Write(ini))
        return false;
    StringGrid->SetRows(rows);
    return true;
}

void TFormEditReturnCode::UpdateButtons()
{
    const bool records = StringGrid->HasRecords();
    ButtonModify->setEnabled(records);
    ButtonRemove->setEnabled(records);
}

void TFormEditReturnCode::ButtonAddClick()
{
    TFormRcRecord dialog(FPrompts, this);
    QList<QStringList> rows = StringGrid->Rows();
    dialog.SetNumberCheck([&rows](const QString &typed) {
        return Duplicate(rows, NormalisedNumber(typed), -1) ? DuplicateMessage : QString();
    });
    if (FPrompts.Exec(&dialog) == QDialog::Accepted) {
        const QString number = NormalisedNumber(dialog.Number());
        rows.append({number, dialog.Description()});
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        SortRows(rows);
        QGuiApplication::restoreOverrideCursor();
        if (WriteList(rows))
            StringGrid->SelectRecord(int(std::find(rows.begin(), rows.end(), QStringList{number, dialog.Description()})
                                         - rows.begin()));
    }
    UpdateButtons();
    StringGrid->setFocus();
}

void TFormEditReturnCode::ButtonModifyClick()
{
    const int index = StringGrid->SelectedRecord();
    if (index >= 0) {
        QList<QStringList> rows = StringGrid->Rows();
        const QString old = rows.at(index).at(ColumnNumber);
        TFormRcRecord dialog(old, rows.at(index).at(ColumnDescription), FPrompts, this);
        // The pair's own number, typed again with zeros or not, stays its own.
        dialog.SetNumberCheck([&rows, &old, index](const QString &typed) {
            const QString number = NormalisedNumber(typed);
            const bool changed = number.toInt() != old.toInt();
            return changed && Duplicate(rows, number, index) ? DuplicateMessage : QString();
        });
        if (FPrompts.Exec(&dialog) == QDialog::Accepted) {
            rows[index] = {NormalisedNumber(dialog.Number()), dialog.Description()};
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            SortRows(rows);
            QGuiApplication::restoreOverrideCursor();
            WriteList(rows);
        }
    }
    StringGrid->setFocus();
}

void TFormEditReturnCode::ButtonRemoveClick()
{
    const int index = StringGrid->SelectedRecord();
    if (index >= 0) {
        QList<QStringList> rows = StringGrid->Rows();
        if (FPrompts.Confirm(this, TPrompts::WarningCaption,
                             QStringLiteral("Do you wish to delete return code %1").arg(rows.at(index).at(ColumnNumber)))) {
            rows.removeAt(index);
            WriteList(rows);
        }
    }
    UpdateButtons();
    StringGrid->setFocus();
}

void TFormEditReturnCode::StringGridDblClick()
{
    if (StringGrid->HasRecords())
        ButtonModifyClick();
    else
        ButtonAddClick();
}
