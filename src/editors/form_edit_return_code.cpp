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

const QString TFormEditReturnCode::DuplicateMessage = QStringLiteral(QT_TRANSLATE_NOOP("TPrompts", "The return codes already exits !!!"));

TFormEditReturnCode::TFormEditReturnCode(const QString &fileName, TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
    , m_file(fileName, prompts, this)
{
    setObjectName(QStringLiteral("FormEditReturnCode"));
    setWindowTitle(tr("Edit return codes"));

    m_grid = new TRecordGrid({tr("R.C. number"), tr("Description text")}, this);
    m_grid->setObjectName(QStringLiteral("StringGrid"));
    m_grid->setToolTip(tr("Return code text descriptions"));
    m_grid->SetColumnWidths({90, 326});
    m_grid->setMinimumSize(440, 260);

    const EditorWidgets::TRecordButtons record = EditorWidgets::RecordButtons(
        this, m_grid, tr("Add new return code"),
        tr("Modify return code"), tr("Remove return code"));
    m_buttonAdd = record.Add;
    m_buttonModify = record.Modify;
    m_buttonRemove = record.Remove;
    m_buttonClose = record.Close;

    connect(m_buttonAdd, &QPushButton::clicked, this, &TFormEditReturnCode::AddRecord);
    connect(m_buttonModify, &QPushButton::clicked, this, &TFormEditReturnCode::ModifySelectedRecord);
    connect(m_buttonRemove, &QPushButton::clicked, this, &TFormEditReturnCode::RemoveSelectedRecord);
    connect(m_buttonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_grid, &TRecordGrid::DoubleClicked, this, &TFormEditReturnCode::ModifyOrAddRecord);

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
    if (m_file.ReadToShow(ini))
        for (const QString &key : ini.ReadSection(ReturnCodesSection))
            rows.append({key.mid(KeyPrefix.size()), ini.ReadString(ReturnCodesSection, key)});
    m_grid->SetRows(rows);
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
    if (!m_file.Read(ini))
        return false;
    // Key by key, so that the section keeps its place and its comments.
    for (const QString &key : ini.ReadSection(ReturnCodesSection))
        ini.DeleteKey(ReturnCodesSection, key);
    for (const QStringList &row : rows) {
        const QString key = KeyPrefix + row.at(ColumnNumber);
        if (!m_file.CheckLength(key, row.at(ColumnDescription), TExtIniFile::MaxValueLength))
            return false;
        ini.WriteString(ReturnCodesSection, key, row.at(ColumnDescription));
    }
    if (!m_file.Write(ini))
        return false;
    m_grid->SetRows(rows);
    return true;
}

void TFormEditReturnCode::UpdateButtons()
{
    const bool records = m_grid->HasRecords();
    m_buttonModify->setEnabled(records);
    m_buttonRemove->setEnabled(records);
}

void TFormEditReturnCode::AddRecord()
{
    TFormRcRecord dialog(m_prompts, this);
    QList<QStringList> rows = m_grid->Rows();
    dialog.SetNumberCheck([&rows](const QString &typed) {
        return Duplicate(rows, NormalisedNumber(typed), -1) ? DuplicateMessage : QString();
    });
    if (m_prompts.Exec(&dialog) == QDialog::Accepted) {
        const QString number = NormalisedNumber(dialog.Number());
        rows.append({number, dialog.Description()});
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        SortRows(rows);
        QGuiApplication::restoreOverrideCursor();
        if (WriteList(rows))
            m_grid->SelectRecord(int(std::find(rows.begin(), rows.end(), QStringList{number, dialog.Description()})
                                     - rows.begin()));
    }
    UpdateButtons();
    m_grid->setFocus();
}

void TFormEditReturnCode::ModifySelectedRecord()
{
    const int index = m_grid->SelectedRecord();
    if (index >= 0) {
        QList<QStringList> rows = m_grid->Rows();
        const QString old = rows.at(index).at(ColumnNumber);
        TFormRcRecord dialog(old, rows.at(index).at(ColumnDescription), m_prompts, this);
        // The pair's own number, typed again with zeros or not, stays its own.
        dialog.SetNumberCheck([&rows, &old, index](const QString &typed) {
            const QString number = NormalisedNumber(typed);
            const bool changed = number.toInt() != old.toInt();
            return changed && Duplicate(rows, number, index) ? DuplicateMessage : QString();
        });
        if (m_prompts.Exec(&dialog) == QDialog::Accepted) {
            rows[index] = {NormalisedNumber(dialog.Number()), dialog.Description()};
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            SortRows(rows);
            QGuiApplication::restoreOverrideCursor();
            WriteList(rows);
        }
    }
    m_grid->setFocus();
}

void TFormEditReturnCode::RemoveSelectedRecord()
{
    const int index = m_grid->SelectedRecord();
    if (index >= 0) {
        QList<QStringList> rows = m_grid->Rows();
        if (m_prompts.Confirm(this, TPrompts::WarningCaption,
                              tr("Do you wish to delete return code %1").arg(rows.at(index).at(ColumnNumber)))) {
            rows.removeAt(index);
            WriteList(rows);
        }
    }
    UpdateButtons();
    m_grid->setFocus();
}

void TFormEditReturnCode::ModifyOrAddRecord()
{
    if (m_grid->HasRecords())
        ModifySelectedRecord();
    else
        AddRecord();
}
