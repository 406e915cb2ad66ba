#include "editors/form_edit_cmd_ans.h"

#include "editors/editor_widgets.h"
#include "editors/form_edit_answer_record.h"
#include "editors/form_edit_command_record.h"
#include "editors/record_grid.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/field_types.h"
#include "terminal_model/value_list.h"
#include "widgets/prompts.h"

#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

namespace {

const QString CommandsKey = QStringLiteral("Commands");
const QString AnswersKey = QStringLiteral("Answers");
const QString NotesKey = QStringLiteral("Notes");
constexpr int ColumnWidth = 90;
// The grid scrolls within a window that keeps room for its buttons on
// small screens.
constexpr int MinimumGridWidth = 400;
constexpr int GridHeight = 300;
constexpr int DesignedHeight = 400;

// What the grid can show: unknown codes fall back to the first name, so
// they are written back as that name's code.
TCommandField Shown(TCommandField field)
{
    if (field.TextType < 0 || field.TextType >= TFieldTypes::TextTypeCount)
        field.TextType = ttAlphaNumeric;
    if (field.ControlType < 0 || field.ControlType >= TFieldTypes::ControlTypeCount)
        field.ControlType = ctSimple;
    field.Mode = field.Mode == 0 ? 0 : 1;
    return field;
}

// "Format" shows the decimal digits the file holds, whatever the text type.
TAnswerField Shown(TAnswerField field)
{
    if (field.TextType < 0 || field.TextType >= TFieldTypes::TextTypeCount)
        field.TextType = ttAlphaNumeric;
    return field;
}

// The fields as a write stores them: decimal digits for Currency only.
QList<TAnswerField> Written(QList<TAnswerField> fields)
{
    for (TAnswerField &field : fields)
        if (field.TextType != TAnswerField::CurrencyTextType)
            field.DecimalDigits = 0;
    return fields;
}

QStringList Cells(int number, const TCommandField &field)
{
    return {QString::number(number),
            TFieldTypes::ModeName(field.Mode),
            field.Caption,
            field.Hint,
            TFieldTypes::TextTypeGridName(field.TextType),
            field.DefaultText,
            TFieldTypes::ControlTypeName(field.ControlType),
            QString::number(field.MaxLength),
            TFieldTypes::YesNoName(field.Required ? 1 : 0),
            TFieldTypes::YesNoName(field.ReadOnly ? 1 : 0),
            QString::number(field.MinLength),
            QString::number(field.DecimalDigits),
            TFieldTypes::YesNoName(field.AutoIncrement ? 1 : 0)};
}

QStringList Cells(int number, const TAnswerField &field)
{
    return {QString::number(number), field.Caption, TFieldTypes::TextTypeGridName(field.TextType),
            QString::number(field.DecimalDigits)};
}

} // namespace

const QString TFormEditCmdAns::MaxFieldsMessage = QStringLiteral(QT_TRANSLATE_NOOP("TPrompts", "Maximum number of dynamic controls reached!!!"));

TFormEditCmdAns::TFormEditCmdAns(const QString &fileName, const QString &section, TPrompts &prompts,
                                 QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
    , m_file(fileName, prompts, this)
    , m_section(section)
{
    setObjectName(QStringLiteral("FormEditCmdAns"));
    setWindowTitle(tr("Edit %1 commands and answers").arg(section));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_commandGrid = new TRecordGrid({tr("Field number"), tr("Mode"),
                                     tr("Caption"), tr("Hint"),
                                     tr("Text type"), tr("Default text"),
                                     tr("Control type"), tr("Max length"),
                                     tr("Required"), tr("Read only"),
                                     tr("Min length"), tr("Decimal digits"),
                                     tr("AutoIncrement")},
                                    this);
    m_commandGrid->setObjectName(QStringLiteral("StringGridCommands"));
    m_commandGrid->setToolTip(tr("Commands fields"));
    m_commandGrid->SetFixedFirstColumn(true);
    m_commandGrid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    m_commandGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_commandGrid->SetColumnsFitContents(true);
    m_answerGrid = new TRecordGrid({tr("Field number"), tr("Caption"),
                                    tr("Text type"), tr("Format")},
                                   this);
    m_answerGrid->setObjectName(QStringLiteral("StringGridAnswers"));
    m_answerGrid->setToolTip(tr("Answer Fields"));
    m_answerGrid->SetFixedFirstColumn(true);
    m_answerGrid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    m_answerGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_answerGrid->SetColumnsFitContents(true);
    m_pages->addTab(m_commandGrid, tr("C&ommands"));
    m_pages->addTab(m_answerGrid, tr("A&nswers"));
    m_pages->setMinimumSize(MinimumGridWidth, GridHeight);

    const EditorWidgets::TRecordButtons record = EditorWidgets::RecordButtons(
        this, m_pages, tr("Add record"),
        tr("Modify record"), tr("Remove record"));
    m_buttonAdd = record.Add;
    m_buttonModify = record.Modify;
    m_buttonRemove = record.Remove;
    m_buttonClose = record.Close;

    connect(m_buttonAdd, &QPushButton::clicked, this, &TFormEditCmdAns::AddField);
    connect(m_buttonModify, &QPushButton::clicked, this, &TFormEditCmdAns::ModifySelectedField);
    connect(m_buttonRemove, &QPushButton::clicked, this, &TFormEditCmdAns::RemoveSelectedField);
    connect(m_buttonClose, &QPushButton::clicked, this, &TFormEditCmdAns::Finish);
    connect(m_commandGrid, &TRecordGrid::DoubleClicked, this, &TFormEditCmdAns::ModifyOrAddCommandField);
    connect(m_answerGrid, &TRecordGrid::DoubleClicked, this, &TFormEditCmdAns::ModifyOrAddAnswerField);

    LoadCommands();
    LoadAnswers();
    m_pages->setCurrentIndex(0);
    UpdateButtons();
    connect(m_pages, &QTabWidget::currentChanged, this, &TFormEditCmdAns::PageChanged);
    FitScreen();
}

void TFormEditCmdAns::FitScreen()
{
    // Wide enough for every column, but never wider than the screen: the
    // grid scrolls instead.
    const QMargins margins = layout()->contentsMargins();
    const int around = m_pages->sizeHint().width() - m_commandGrid->sizeHint().width() + margins.left()
                       + margins.right();
    const int wanted = qMax(m_commandGrid->FullWidth(), m_answerGrid->FullWidth()) + around;
    const QRect available = (parentWidget() ? parentWidget()->screen() : screen())->availableGeometry();
    resize(qMin(qMax(wanted, minimumSizeHint().width()), available.width() * 9 / 10),
           qMin(qMax(sizeHint().height(), DesignedHeight), available.height() * 9 / 10));
}

bool TFormEditCmdAns::CommandsPage() const
{
    return m_pages->currentIndex() == 0;
}

TRecordGrid *TFormEditCmdAns::Grid() const
{
    return CommandsPage() ? m_commandGrid : m_answerGrid;
}

void TFormEditCmdAns::PageChanged()
{
    if (CommandsPage())
        LoadCommandsPage();
    else
        LoadAnswersPage();
}

void TFormEditCmdAns::LoadCommandsPage()
{
    LoadCommands();
    UpdateButtons();
}

void TFormEditCmdAns::LoadAnswersPage()
{
    LoadAnswers();
    UpdateButtons();
}

void TFormEditCmdAns::LoadCommands()
{
    TExtIniFile ini;
    m_commands.clear();
    if (m_file.ReadToShow(ini))
        for (const TCommandField &field : ReadCommandFields(ini, m_section, TFieldReading::Lenient))
            m_commands.append(Shown(field));
    ShowCommands();
}

void TFormEditCmdAns::LoadAnswers()
{
    TExtIniFile ini;
    m_answers.clear();
    if (m_file.ReadToShow(ini))
        for (const TAnswerField &field : ReadAnswerFields(ini, m_section, TFieldReading::Lenient))
            m_answers.append(Shown(field));
    ShowAnswers();
}

void TFormEditCmdAns::ShowCommands()
{
    QList<QStringList> rows;
    for (int i = 0; i < m_commands.size(); ++i)
        rows.append(Cells(i + 1, m_commands.at(i)));
    m_commandGrid->SetRows(rows);
}

void TFormEditCmdAns::ShowAnswers()
{
    QList<QStringList> rows;
    for (int i = 0; i < m_answers.size(); ++i)
        rows.append(Cells(i + 1, m_answers.at(i)));
    m_answerGrid->SetRows(rows);
}

void TFormEditCmdAns::UpdateButtons()
{
    const bool records = Grid()->HasRecords();
    m_buttonModify->setEnabled(records);
    m_buttonRemove->setEnabled(records);
}

void TFormEditCmdAns::AddField()
{
    if (CommandsPage())
        AddCommand();
    else
        AddAnswer();
    UpdateButtons();
    Grid()->setFocus();
}

void TFormEditCmdAns::ModifySelectedField()
{
    const int index = Grid()->SelectedRecord();
    if (index >= 0) {
        if (CommandsPage())
            ModifyCommand(index);
        else
            ModifyAnswer(index);
    }
    Grid()->setFocus();
}

void TFormEditCmdAns::RemoveSelectedField()
{
    const int index = Grid()->SelectedRecord();
    if (index >= 0) {
        if (CommandsPage())
            RemoveCommand(index);
        else
            RemoveAnswer(index);
    }
    UpdateButtons();
    Grid()->setFocus();
}

void TFormEditCmdAns::Finish()
{
    accept();
}

void TFormEditCmdAns::ModifyOrAddCommandField()
{
    if (m_commandGrid->HasRecords())
        ModifySelectedField();
    else
        AddField();
}

void TFormEditCmdAns::ModifyOrAddAnswerField()
{
    if (m_answerGrid->HasRecords())
        ModifySelectedField();
    else
        AddField();
}

bool TFormEditCmdAns::FieldLimitReached(int count)
{
    if (count < MaxFields)
        return false;
    m_prompts.Error(this, TPrompts::ErrorCaption, MaxFieldsMessage);
    return true;
}

bool TFormEditCmdAns::WriteCommandsTo(TExtIniFile &ini, const QList<TCommandField> &fields)
{
    const QString value = TCommandField::Format(fields);
    if (!m_file.CheckLength(CommandsKey, value, TExtIniFile::MaxListValueLength))
        return false;
    ini.WriteString(m_section, CommandsKey, value);
    return true;
}

bool TFormEditCmdAns::WriteAnswersTo(TExtIniFile &ini, const QList<TAnswerField> &fields)
{
    const QString value = TAnswerField::Format(fields);
    if (!m_file.CheckLength(AnswersKey, value, TExtIniFile::MaxListValueLength))
        return false;
    ini.WriteString(m_section, AnswersKey, value);
    return true;
}

bool TFormEditCmdAns::WriteLinesTo(TExtIniFile &ini, const QString &key, const QStringList &lines,
                                   bool removeWhenEmpty)
{
    if (lines.isEmpty() && removeWhenEmpty) {
        ini.DeleteKey(m_section, key);
        return true;
    }
    if (!m_file.CheckLength(key, TValueList::StoredFromLines(lines), TExtIniFile::MaxValueLength))
        return false;
    TValueList::WriteLines(ini, m_section, key, lines);
    return true;
}

void TFormEditCmdAns::AddCommand()
{
    // Refused before anything is typed, so nothing typed is lost.
    if (FieldLimitReached(int(m_commands.size())))
        return;
    const bool hadFields = !m_commands.isEmpty();
    TExtIniFile ini;
    if (!m_file.Read(ini))
        return;
    TFormEditCommandRecord dialog(!hadFields, m_prompts, this);
    if (hadFields)
        dialog.SetMode(m_commands.first().Mode);
    else
        dialog.SetNotes(TValueList::ReadNotes(ini, m_section));
    if (m_prompts.Exec(&dialog) != QDialog::Accepted)
        return;

    if (!m_file.Read(ini))
        return;
    QList<TCommandField> fields = m_commands;
    fields.append(dialog.Field());
    const int number = int(fields.size());
    // A new field starts with the lines typed for it, never with a key
    // left behind in the file.
    if (!WriteLinesTo(ini, TValueList::ComboKey(number), dialog.ComboLines(), true))
        return;
    // Notes the user cleared are stored as an empty list, like Modify does.
    const bool notes = !dialog.Notes().isEmpty() || ini.ValueExists(m_section, NotesKey);
    if (number == 1 && notes && !WriteLinesTo(ini, NotesKey, dialog.Notes(), false))
        return;
    if (!WriteCommandsTo(ini, fields) || !m_file.Write(ini))
        return;
    m_commands = fields;
    ShowCommands();
    m_commandGrid->SelectRecord(number - 1);
}

void TFormEditCmdAns::AddAnswer()
{
    if (FieldLimitReached(int(m_answers.size())))
        return;
    TFormEditAnswerRecord dialog(m_prompts, this);
    if (m_prompts.Exec(&dialog) != QDialog::Accepted)
        return;

    TExtIniFile ini;
    if (!m_file.Read(ini))
        return;
    QList<TAnswerField> fields = m_answers;
    fields.append(dialog.Field());
    if (!WriteAnswersTo(ini, fields) || !m_file.Write(ini))
        return;
    m_answers = Written(fields);
    ShowAnswers();
    m_answerGrid->SelectRecord(int(fields.size()) - 1);
}

void TFormEditCmdAns::ModifyCommand(int index)
{
    const int number = index + 1;
    TExtIniFile ini;
    if (!m_file.Read(ini))
        return;
    const QStringList notes = number == 1 ? TValueList::ReadNotes(ini, m_section) : QStringList();
    TFormEditCommandRecord dialog(number, m_commands.at(index), TValueList::ReadComboLines(ini, m_section, number),
                                  notes, m_prompts, this);
    if (m_prompts.Exec(&dialog) != QDialog::Accepted)
        return;

    if (!m_file.Read(ini))
        return;
    QList<TCommandField> fields = m_commands;
    fields[index] = dialog.Field();
    if (!WriteLinesTo(ini, TValueList::ComboKey(number), dialog.ComboLines(), true))
        return;
    if (number == 1 && !WriteLinesTo(ini, NotesKey, dialog.Notes(), false))
        return;
    if (!WriteCommandsTo(ini, fields) || !m_file.Write(ini))
        return;
    m_commands = fields;
    ShowCommands();
}

void TFormEditCmdAns::ModifyAnswer(int index)
{
    TFormEditAnswerRecord dialog(index + 1, m_answers.at(index), m_prompts, this);
    if (m_prompts.Exec(&dialog) != QDialog::Accepted)
        return;
    TExtIniFile ini;
    if (!m_file.Read(ini))
        return;
    QList<TAnswerField> fields = m_answers;
    fields[index] = dialog.Field();
    if (!WriteAnswersTo(ini, fields) || !m_file.Write(ini))
        return;
    m_answers = Written(fields);
    ShowAnswers();
}

bool TFormEditCmdAns::ConfirmRemove(int index)
{
    return m_prompts.Confirm(this, TPrompts::WarningCaption,
                             tr("Do you wish to delete this field number? %1").arg(index + 1));
}

void TFormEditCmdAns::RemoveCommand(int index)
{
    if (!ConfirmRemove(index))
        return;
    TExtIniFile ini;
    if (!m_file.Read(ini))
        return;
    const int count = int(m_commands.size());
    // The combo-box lines follow their fields; the notes belong to the
    // command and stay.
    for (int number = index + 1; number < count; ++number) {
        const QStringList lines = TValueList::ReadComboLines(ini, m_section, number + 1);
        if (!WriteLinesTo(ini, TValueList::ComboKey(number), lines, true))
            return;
    }
    ini.DeleteKey(m_section, TValueList::ComboKey(count));
    QList<TCommandField> fields = m_commands;
    fields.removeAt(index);
    if (!WriteCommandsTo(ini, fields) || !m_file.Write(ini))
        return;
    m_commands = fields;
    ShowCommands();
}

void TFormEditCmdAns::RemoveAnswer(int index)
{
    if (!ConfirmRemove(index))
        return;
    TExtIniFile ini;
    if (!m_file.Read(ini))
        return;
    QList<TAnswerField> fields = m_answers;
    fields.removeAt(index);
    if (!WriteAnswersTo(ini, fields) || !m_file.Write(ini))
        return;
    m_answers = Written(fields);
    ShowAnswers();
}
