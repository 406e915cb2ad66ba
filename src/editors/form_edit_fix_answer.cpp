#include "editors/form_edit_fix_answer.h"

#include "editors/editor_widgets.h"
#include "editors/form_edit_fix_answer_record.h"
#include "editors/record_grid.h"
#include "terminal_model/color_notation.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/value_list.h"
#include "widgets/prompts.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTabWidget>

namespace {

enum { ColumnPanel, ColumnMask, ColumnResult, ColumnText, ColumnColor, ColumnCount };

QStringList Headers()
{
    QStringList headers;
    for (const char *header : {QT_TRANSLATE_NOOP("TFormEditFixAnswer", "Panel"), QT_TRANSLATE_NOOP("TFormEditFixAnswer", "Mask"),
                               QT_TRANSLATE_NOOP("TFormEditFixAnswer", "Result"),
                               QT_TRANSLATE_NOOP("TFormEditFixAnswer", "Text on true"),
                               QT_TRANSLATE_NOOP("TFormEditFixAnswer", "Text color")})
        headers += QCoreApplication::translate("TFormEditFixAnswer", header);
    return headers;
}

TRecordGrid *NewGrid(const QString &name, int lastWidth, QWidget *parent)
{
    auto *grid = new TRecordGrid(Headers(), parent);
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
    , m_prompts(prompts)
    , m_file(fileName, prompts, this)
{
    setObjectName(QStringLiteral("FormEditFixAnswer"));
    setWindowTitle(tr("Fix answer fields"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_fiscalGrid = NewGrid(QStringLiteral("StringGridFiscal"), 164, this);
    m_printerGrid = NewGrid(QStringLiteral("StringGridPrinter"), 192, this);
    m_pages->addTab(m_fiscalGrid, tr("&Fiscal"));
    m_pages->setTabToolTip(0, tr("Fiscal answer fields definitions"));
    m_pages->addTab(m_printerGrid, tr("&Printer"));
    m_pages->setTabToolTip(1, tr("Printer answer fields definitions"));
    m_pages->setMinimumSize(560, 280);

    const EditorWidgets::TRecordButtons record = EditorWidgets::RecordButtons(
        this, m_pages, tr("Add new answer record"),
        tr("Modify selected answer record "), tr("Remove selected answer record"));
    m_buttonAdd = record.Add;
    m_buttonModify = record.Modify;
    m_buttonRemove = record.Remove;
    m_buttonClose = record.Close;

    connect(m_buttonAdd, &QPushButton::clicked, this, &TFormEditFixAnswer::AddRecord);
    connect(m_buttonModify, &QPushButton::clicked, this, &TFormEditFixAnswer::ModifySelectedRecord);
    connect(m_buttonRemove, &QPushButton::clicked, this, &TFormEditFixAnswer::RemoveSelectedRecord);
    connect(m_buttonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_fiscalGrid, &TRecordGrid::DoubleClicked, this, &TFormEditFixAnswer::ModifyOrAddRecord);
    connect(m_printerGrid, &TRecordGrid::DoubleClicked, this, &TFormEditFixAnswer::ModifyOrAddRecord);

    m_pages->setCurrentIndex(0);
    LoadList();
    connect(m_pages, &QTabWidget::currentChanged, this, &TFormEditFixAnswer::LoadList);
}

TRecordGrid *TFormEditFixAnswer::Grid() const
{
    return m_pages->currentIndex() == 0 ? m_fiscalGrid : m_printerGrid;
}

QString TFormEditFixAnswer::Section() const
{
    return m_pages->currentIndex() == 0 ? FiscalAnswerSection : PrinterAnswerSection;
}

void TFormEditFixAnswer::LoadList()
{
    TExtIniFile ini;
    QList<QStringList> rows;
    if (m_file.ReadToShow(ini)) {
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
    if (!m_file.Read(ini))
        return false;
    // Key by key, so that the section keeps its place and its comments.
    for (const QString &key : ini.ReadSection(Section()))
        ini.DeleteKey(Section(), key);
    for (int row = 0; row < rows.size(); ++row) {
        const QString value = RecordValue(row + 1, rows.at(row));
        if (!m_file.CheckLength(QStringLiteral("Record%1").arg(row + 1), value, TExtIniFile::MaxValueLength))
            return false;
        ini.WriteString(Section(), QStringLiteral("Record%1").arg(row + 1), value);
    }
    if (!m_file.Write(ini))
        return false;
    Grid()->SetRows(rows);
    return true;
}

void TFormEditFixAnswer::UpdateButtons()
{
    const bool records = Grid()->HasRecords();
    m_buttonModify->setEnabled(records);
    m_buttonRemove->setEnabled(records);
}

void TFormEditFixAnswer::AddRecord()
{
    TFormEditFixAnswerRecord dialog(TColorNotation::Black, QString(), QString(), QString(), QStringLiteral("0"),
                                    m_prompts, this);
    if (m_prompts.Exec(&dialog) == QDialog::Accepted) {
        QList<QStringList> rows = Grid()->Rows();
        rows.append({dialog.Panel(), dialog.Mask(), dialog.Result(), dialog.Text(),
                     TColorNotation::ToText(dialog.Color())});
        if (WriteList(rows))
            Grid()->SelectRecord(int(rows.size()) - 1);
    }
    UpdateButtons();
    Grid()->setFocus();
}

void TFormEditFixAnswer::ModifySelectedRecord()
{
    const int index = Grid()->SelectedRecord();
    if (index >= 0) {
        QList<QStringList> rows = Grid()->Rows();
        const QStringList cells = rows.at(index);
        quint32 color = TColorNotation::Black;
        TColorNotation::FromText(cells.at(ColumnColor), &color);
        TFormEditFixAnswerRecord dialog(color, cells.at(ColumnText), cells.at(ColumnResult), cells.at(ColumnMask),
                                        cells.at(ColumnPanel), m_prompts, this);
        if (m_prompts.Exec(&dialog) == QDialog::Accepted) {
            rows[index] = {dialog.Panel(), dialog.Mask(), dialog.Result(), dialog.Text(),
                           TColorNotation::ToText(dialog.Color())};
            WriteList(rows);
        }
    }
    Grid()->setFocus();
}

void TFormEditFixAnswer::RemoveSelectedRecord()
{
    const int index = Grid()->SelectedRecord();
    if (index >= 0
        && m_prompts.Confirm(this, TPrompts::WarningCaption,
                             tr("Do you wish to delete this field number? %1").arg(index + 1))) {
        QList<QStringList> rows = Grid()->Rows();
        rows.removeAt(index);
        WriteList(rows);
    }
    UpdateButtons();
    Grid()->setFocus();
}

void TFormEditFixAnswer::ModifyOrAddRecord()
{
    if (Grid()->HasRecords())
        ModifySelectedRecord();
    else
        AddRecord();
}
