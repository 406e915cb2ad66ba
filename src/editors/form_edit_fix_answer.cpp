#include "editors/form_edit_fix_answer.h"

#include "editors/editor_widgets.h"
#include "editors/form_edit_fix_answer_record.h"
#include "editors/record_grid.h"
#include "terminal_model/color_notation.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/value_list.h"
#include "widgets/prompts.h"

#include <QPushButton>
#include <QTabWidget>

namespace {

enum { ColumnPanel, ColumnMask, ColumnResult, ColumnText, ColumnColor, ColumnCount };

const QStringList Headers = {QStringLiteral("Panel"), QStringLiteral("Mask"), QStringLiteral("Result"),
                             QStringLiteral("Text on true"), QStringLiteral("Text color")};

TRecordGrid *NewGrid(const QString &name, int lastWidth, QWidget *parent)
{
    auto *grid = new TRecordGrid(Headers, parent);
    grid->setObjectName(name);
    grid->SetColumnWidths({64, 52, 47, 179, lastWidth});
    grid->SetFixedFirstColumn(true);
    return grid;
}

// Records are written with the items as read, so a record this editor
// cannot interpret (written by hand) is kept rather than dropped.
QString RecordValue(int number, const QStringList &cells)
{
    return QStringList{QString::number(number), TValueList::Item(cells.value(ColumnPanel)),
                       TValueList::Item(cells.value(ColumnMask)), TValueList::Item(cells.value(ColumnResult)),
                       TValueList::Quoted(cells.value(ColumnText)), TValueList::Item(cells.value(ColumnColor))}
        .join(QLatin1Char(','));
}

} // namespace

TFormEditFixAnswer::TFormEditFixAnswer(const QString &fileName, TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
    , FFile(fileName, prompts, this)
{
    setObjectName(QStringLiteral("FormEditFixAnswer"));
    setWindowTitle(QStringLiteral("Fix answer fields"));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    StringGridFiscal = NewGrid(QStringLiteral("StringGridFiscal"), 164, this);
    StringGridPrinter = NewGrid(QStringLiteral("StringGridPrinter"), 192, this);
    PageControl->addTab(StringGridFiscal, QStringLiteral("&Fiscal"));
    PageControl->setTabToolTip(0, QStringLiteral("Fiscal answer fields definitions"));
    PageControl->addTab(StringGridPrinter, QStringLiteral("&Printer"));
    PageControl->setTabToolTip(1, QStringLiteral("Printer answer fields definitions"));
    PageControl->setMinimumSize(560, 280);

    const EditorWidgets::TRecordButtons record = EditorWidgets::RecordButtons(
        this, PageControl, QStringLiteral("Add new answer record"),
        QStringLiteral("Modify selected answer record "), QStringLiteral("Remove selected answer record"));
    ButtonAdd = record.Add;
    ButtonModify = record.Modify;
    ButtonRemove = record.Remove;
    ButtonClose = record.Close;

    connect(ButtonAdd, &QPushButton::clicked, this, &TFormEditFixAnswer::ButtonAddClick);
    connect(ButtonModify, &QPushButton::clicked, this, &TFormEditFixAnswer::ButtonModifyClick);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFormEditFixAnswer::ButtonRemoveClick);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(StringGridFiscal, &TRecordGrid::DoubleClicked, this, &TFormEditFixAnswer::StringGridDblClick);
    connect(StringGridPrinter, &TRecordGrid::DoubleClicked, this, &TFormEditFixAnswer::StringGridDblClick);

    PageControl->setCurrentIndex(0);
    LoadList();
    connect(PageControl, &QTabWidget::currentChanged, this, &TFormEditFixAnswer::LoadList);
}

TRecordGrid *TFormEditFixAnswer::Grid() const
{
    return PageControl->currentIndex() == 0 ? StringGridFiscal : StringGridPrinter;
}

QString TFormEditFixAnswer::Section() const
{
    return PageControl->currentIndex() == 0 ? FiscalAnswerSection : PrinterAnswerSection;
}

void TFormEditFixAnswer::LoadList()
{
    TExtIniFile ini;
    QList<QStringList> rows;
    if (FFile.ReadToShow(ini)) {
        for (const QString &key : ini.ReadSection(Section())) {
            // The first item is the record number; the file order counts.
            QStringList cells = TValueList::Split(ini.ReadString(Section(), key)).mid(1, ColumnCount);
            while (cells.size() < ColumnCount)
                cells.append(QString());
            rows.append(cells);
        }
    }
    Grid()->SetRows(rows);
    UpdateButtons();
}

bool TFormEditFixAnswer::WriteList(const QList<QStringList> &rows)
{
    TExtIniFile ini;
    if (!FFile.Read(ini))
        return false;
    // Key by key, so that the section keeps its place and its comments.
    for (const QString &key : ini.ReadSection(Section()))
        ini.DeleteKey(Section(), key);
    for (int row = 0; row < rows.size(); ++row) {
        const QString value = RecordValue(row + 1, rows.at(row));
        if (!FFile.CheckLength(QStringLiteral("Record%1").arg(row + 1), value, TExtIniFile::MaxValueLength))
            return false;
        ini.WriteString(Section(), QStringLiteral("Record%1").arg(row + 1), value);
    }
    if (!FFile.Write(ini))
        return false;
    Grid()->SetRows(rows);
    return true;
}

void TFormEditFixAnswer::UpdateButtons()
{
    const bool records = Grid()->HasRecords();
    ButtonModify->setEnabled(records);
    ButtonRemove->setEnabled(records);
}

void TFormEditFixAnswer::ButtonAddClick()
{
    TFormEditFixAnswerRecord dialog(TColorNotation::Black, QString(), QString(), QString(), QStringLiteral("0"),
                                    FPrompts, this);
    if (FPrompts.Exec(&dialog) == QDialog::Accepted) {
        QList<QStringList> rows = Grid()->Rows();
        rows.append({dialog.Panel(), dialog.Mask(), dialog.Result(), dialog.Text(),
                     TColorNotation::ToText(dialog.Color())});
        if (WriteList(rows))
            Grid()->SelectRecord(int(rows.size()) - 1);
    }
    UpdateButtons();
    Grid()->setFocus();
}

void TFormEditFixAnswer::ButtonModifyClick()
{
    const int index = Grid()->SelectedRecord();
    if (index >= 0) {
        QList<QStringList> rows = Grid()->Rows();
        const QStringList cells = rows.at(index);
        quint32 color = TColorNotation::Black;
        TColorNotation::FromText(cells.at(ColumnColor), &color);
        TFormEditFixAnswerRecord dialog(color, cells.at(ColumnText), cells.at(ColumnResult), cells.at(ColumnMask),
                                        cells.at(ColumnPanel), FPrompts, this);
        if (FPrompts.Exec(&dialog) == QDialog::Accepted) {
            rows[index] = {dialog.Panel(), dialog.Mask(), dialog.Result(), dialog.Text(),
                           TColorNotation::ToText(dialog.Color())};
            WriteList(rows);
        }
    }
    Grid()->setFocus();
}

void TFormEditFixAnswer::ButtonRemoveClick()
{
    const int index = Grid()->SelectedRecord();
    if (index >= 0
        && FPrompts.Confirm(this, TPrompts::WarningCaption,
                            QStringLiteral("Do you wish to delete this field number? %1").arg(index + 1))) {
        QList<QStringList> rows = Grid()->Rows();
        rows.removeAt(index);
        WriteList(rows);
    }
    UpdateButtons();
    Grid()->setFocus();
}

void TFormEditFixAnswer::StringGridDblClick()
{
    if (Grid()->HasRecords())
        ButtonModifyClick();
    else
        ButtonAddClick();
}
