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

const QString TFormEditCmdAns::MaxFieldsMessage = QStringLiteral("Maximum number of dynamic controls reached!!!");

TFormEditCmdAns::TFormEditCmdAns(const QString &fileName, const QString &section, TPrompts &prompts,
                                 QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
    , FFile(fileName, prompts, this)
    , FSection(section)
{
    setObjectName(QStringLiteral("FormEditCmdAns"));
    setWindowTitle(QStringLiteral("Edit %1 commands and answers").arg(section));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    StringGridCommands = new TRecordGrid({QStringLiteral("Field number"), QStringLiteral("Mode"),
                                          QStringLiteral("Caption"), QStringLiteral("Hint"),
                                          QStringLiteral("Text type"), QStringLiteral("Default text"),
                                          QStringLiteral("Control type"), QStringLiteral("Max length"),
                                          QStringLiteral("Required"), QStringLiteral("Read only"),
                                          QStringLiteral("Min length"), QStringLiteral("Decimal digits"),
                                          QStringLiteral("AutoIncrement")},
                                         this);
    StringGridCommands->setObjectName(QStringLiteral("StringGridCommands"));
    StringGridCommands->setToolTip(QStringLiteral("Commands fields"));
    StringGridCommands->SetFixedFirstColumn(true);
    StringGridCommands->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    StringGridCommands->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGridCommands->SetColumnsFitContents(true);
    StringGridAnswers = new TRecordGrid({QStringLiteral("Field number"), QStringLiteral("Caption"),
                                         QStringLiteral("Text type"), QStringLiteral("Format")},
                                        this);
    StringGridAnswers->setObjectName(QStringLiteral("StringGridAnswers"));
    StringGridAnswers->setToolTip(QStringLiteral("Answer Fields"));
    StringGridAnswers->SetFixedFirstColumn(true);
    StringGridAnswers->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    StringGridAnswers->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGridAnswers->SetColumnsFitContents(true);
    PageControl->addTab(StringGridCommands, QStringLiteral("C&ommands"));
    PageControl->addTab(StringGridAnswers, QStringLiteral("A&nswers"));
    PageControl->setMinimumSize(MinimumGridWidth, GridHeight);

    const EditorWidgets::TRecordButtons record = EditorWidgets::RecordButtons(
        this, PageControl, QStringLiteral("Add record"),
        QStringLiteral("Modify record"), QStringLiteral("Remove record"));
    ButtonAdd = record.Add;
    ButtonModify = record.Modify;
    ButtonRemove = record.Remove;
    ButtonClose = record.Close;

    connect(ButtonAdd, &QPushButton::clicked, this, &TFormEditCmdAns::ButtonAddClick);
    connect(ButtonModify, &QPushButton::clicked, this, &TFormEditCmdAns::ButtonModifyClick);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFormEditCmdAns::ButtonRemoveClick);
    connect(ButtonClose, &QPushButton::clicked, this, &TFormEditCmdAns::ButtonCloseClick);
    connect(StringGridCommands, &TRecordGrid::DoubleClicked, this, &TFormEditCmdAns::StringGridCommandsDblClick);
    connect(StringGridAnswers, &TRecordGrid::DoubleClicked, this, &TFormEditCmdAns::StringGridAnswersDblClick);

    LoadCommands();
    LoadAnswers();
    PageControl->setCurrentIndex(0);
    UpdateButtons();
    connect(PageControl, &QTabWidget::currentChanged, this, &TFormEditCmdAns::PageChanged);
    FitScreen();
}

void TFormEditCmdAns::FitScreen()
{
    // Wide enough for every column, but never wider than the screen: the
    // grid scrolls instead.
    const QMargins margins = layout()->contentsMargins();
    const int around = PageControl->sizeHint().width() - StringGridCommands->sizeHint().width() + margins.left()
                       + margins.right();
    const int wanted = qMax(StringGridCommands->FullWidth(), StringGridAnswers->FullWidth()) + around;
    const QRect available = (parentWidget() ? parentWidget()->screen() : screen())->availableGeometry();
    resize(qMin(qMax(wanted, minimumSizeHint().width()), available.width() * 9 / 10),
           qMin(qMax(sizeHint().height(), DesignedHeight), available.height() * 9 / 10));
}

bool TFormEditCmdAns::CommandsPage() const
{
    return PageControl->currentIndex() == 0;
}

TRecordGrid *TFormEditCmdAns::Grid() const
{
    return CommandsPage() ? StringGridCommands : StringGridAnswers;
}

void TFormEditCmdAns::PageChanged()
{
    if (CommandsPage())
        TabSheetCommandsShow();
    else
        TabSheetAnswersShow();
}

void TFormEditCmdAns::TabSheetCommandsShow()
{
    LoadCommands();
    UpdateButtons();
}

void TFormEditCmdAns::TabSheetAnswersShow()
{
    LoadAnswers();
    UpdateButtons();
}

void TFormEditCmdAns::LoadCommands()
{
    TExtIniFile ini;
    FCommands.clear();
    if (FFile.ReadToShow(ini))
        for (const TCommandField &field : ReadCommandFields(ini, FSection, TFieldReading::Lenient))
            FCommands.append(Shown(field));
    ShowCommands();
}

void TFormEditCmdAns::LoadAnswers()
{
    TExtIniFile ini;
    FAnswers.clear();
    if (FFile.ReadToShow(ini))
        for (const TAnswerField &field : ReadAnswerFields(ini, FSection, TFieldReading::Lenient))
            FAnswers.append(Shown(field));
    ShowAnswers();
}

void TFormEditCmdAns::ShowCommands()
{
    QList<QStringList> rows;
    for (int i = 0; i < FCommands.size(); ++i)
        rows.append(Cells(i + 1, FCommands.at(i)));
    StringGridCommands->SetRows(rows);
}

void TFormEditCmdAns::ShowAnswers()
{
    QList<QStringList> rows;
    for (int i = 0; i < FAnswers.size(); ++i)
        rows.append(Cells(i + 1, FAnswers.at(i)));
    StringGridAnswers->SetRows(rows);
}

void TFormEditCmdAns::UpdateButtons()
{
    const bool records = Grid()->HasRecords();
    ButtonModify->setEnabled(records);
    ButtonRemove->setEnabled(records);
}

void TFormEditCmdAns::ButtonAddClick()
{
    if (CommandsPage())
        AddCommand();
    else
        AddAnswer();
    UpdateButtons();
    Grid()->setFocus();
}

void TFormEditCmdAns::ButtonModifyClick()
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

void TFormEditCmdAns::ButtonRemoveClick()
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

void TFormEditCmdAns::ButtonCloseClick()
{
    accept();
}

void TFormEditCmdAns::StringGridCommandsDblClick()
{
    if (StringGridCommands->HasRecords())
        ButtonModifyClick();
    else
        ButtonAddClick();
}

void TFormEditCmdAns::StringGridAnswersDblClick()
{
    if (StringGridAnswers->HasRecords())
        ButtonModifyClick();
    else
        ButtonAddClick();
}

bool TFormEditCmdAns::FieldLimitReached(int count)
{
    if (count < MaxFields)
        return false;
    FPrompts.Error(this, TPrompts::ErrorCaption, MaxFieldsMessage);
    return true;
}

bool TFormEditCmdAns::WriteCommandsTo(TExtIniFile &ini, const QList<TCommandField> &fields)
{
    const QString value = TCommandField::Format(fields);
    if (!FFile.CheckLength(CommandsKey, value, TExtIniFile::MaxListValueLength))
        return false;
    ini.WriteString(FSection, CommandsKey, value);
    return true;
}

bool TFormEditCmdAns::WriteAnswersTo(TExtIniFile &ini, const QList<TAnswerField> &fields)
{
    const QString value = TAnswerField::Format(fields);
    if (!FFile.CheckLength(AnswersKey, value, TExtIniFile::MaxListValueLength))
        return false;
    ini.WriteString(FSection, AnswersKey, value);
    return true;
}

bool TFormEditCmdAns::WriteLinesTo(TExtIniFile &ini, const QString &key, const QStringList &lines,
                                   bool removeWhenEmpty)
{
    if (lines.isEmpty() && removeWhenEmpty) {
        ini.DeleteKey(FSection, key);
        return true;
    }
    if (!FFile.CheckLength(key, TValueList::StoredFromLines(lines), TExtIniFile::MaxValueLength))
        return false;
    TValueList::WriteLines(ini, FSection, key, lines);
    return true;
}

void TFormEditCmdAns::AddCommand()
{
    // Refused before anything is typed, so nothing typed is lost.
    if (FieldLimitReached(int(FCommands.size())))
        return;
    const bool hadFields = !FCommands.isEmpty();
    TExtIniFile ini;
    if (!FFile.Read(ini))
        return;
    TFormEditCommandRecord dialog(!hadFields, FPrompts, this);
    if (hadFields)
        dialog.SetMode(FCommands.first().Mode);
    else
        dialog.SetNotes(TValueList::ReadNotes(ini, FSection));
    if (FPrompts.Exec(&dialog) != QDialog::Accepted)
        return;

    if (!FFile.Read(ini))
        return;
    QList<TCommandField> fields = FCommands;
    fields.append(dialog.Field());
    const int number = int(fields.size());
    // A new field starts with the lines typed for it, never with a key
    // left behind in the file.
    if (!WriteLinesTo(ini, TValueList::ComboKey(number), dialog.ComboLines(), true))
        return;
    // Notes the user cleared are stored as an empty list, like Modify does.
    const bool notes = !dialog.Notes().isEmpty() || ini.ValueExists(FSection, NotesKey);
    if (number == 1 && notes && !WriteLinesTo(ini, NotesKey, dialog.Notes(), false))
        return;
    if (!WriteCommandsTo(ini, fields) || !FFile.Write(ini))
        return;
    FCommands = fields;
    ShowCommands();
    StringGridCommands->SelectRecord(number - 1);
}

void TFormEditCmdAns::AddAnswer()
{
    if (FieldLimitReached(int(FAnswers.size())))
        return;
    TFormEditAnswerRecord dialog(FPrompts, this);
    if (FPrompts.Exec(&dialog) != QDialog::Accepted)
        return;

    TExtIniFile ini;
    if (!FFile.Read(ini))
        return;
    QList<TAnswerField> fields = FAnswers;
    fields.append(dialog.Field());
    if (!WriteAnswersTo(ini, fields) || !FFile.Write(ini))
        return;
    FAnswers = Written(fields);
    ShowAnswers();
    StringGridAnswers->SelectRecord(int(fields.size()) - 1);
}

void TFormEditCmdAns::ModifyCommand(int index)
{
    const int number = index + 1;
    TExtIniFile ini;
    if (!FFile.Read(ini))
        return;
    const QStringList notes = number == 1 ? TValueList::ReadNotes(ini, FSection) : QStringList();
    TFormEditCommandRecord dialog(number, FCommands.at(index), TValueList::ReadComboLines(ini, FSection, number),
                                  notes, FPrompts, this);
    if (FPrompts.Exec(&dialog) != QDialog::Accepted)
        return;

    if (!FFile.Read(ini))
        return;
    QList<TCommandField> fields = FCommands;
    fields[index] = dialog.Field();
    if (!WriteLinesTo(ini, TValueList::ComboKey(number), dialog.ComboLines(), true))
        return;
    if (number == 1 && !WriteLinesTo(ini, NotesKey, dialog.Notes(), false))
        return;
    if (!WriteCommandsTo(ini, fields) || !FFile.Write(ini))
        return;
    FCommands = fields;
    ShowCommands();
}

void TFormEditCmdAns::ModifyAnswer(int index)
{
    TFormEditAnswerRecord dialog(index + 1, FAnswers.at(index), FPrompts, this);
    if (FPrompts.Exec(&dialog) != QDialog::Accepted)
        return;
    TExtIniFile ini;
    if (!FFile.Read(ini))
        return;
    QList<TAnswerField> fields = FAnswers;
    fields[index] = dialog.Field();
    if (!WriteAnswersTo(ini, fields) || !FFile.Write(ini))
        return;
    FAnswers = Written(fields);
    ShowAnswers();
}

bool TFormEditCmdAns::ConfirmRemove(int index)
{
    return FPrompts.Confirm(this, TPrompts::WarningCaption,
                            QStringLiteral("Do you wish to delete this field number? %1").arg(index + 1));
}

void TFormEditCmdAns::RemoveCommand(int index)
{
    if (!ConfirmRemove(index))
        return;
    TExtIniFile ini;
    if (!FFile.Read(ini))
        return;
    const int count = int(FCommands.size());
    // The combo-box lines follow their fields; the notes belong to the
    // command and stay.
    for (int number = index + 1; number < count; ++number) {
        const QStringList lines = TValueList::ReadComboLines(ini, FSection, number + 1);
        if (!WriteLinesTo(ini, TValueList::ComboKey(number), lines, true))
            return;
    }
    ini.DeleteKey(FSection, TValueList::ComboKey(count));
    QList<TCommandField> fields = FCommands;
    fields.removeAt(index);
    if (!WriteCommandsTo(ini, fields) || !FFile.Write(ini))
        return;
    FCommands = fields;
    ShowCommands();
}

void TFormEditCmdAns::RemoveAnswer(int index)
{
    if (!ConfirmRemove(index))
        return;
    TExtIniFile ini;
    if (!FFile.Read(ini))
        return;
    QList<TAnswerField> fields = FAnswers;
    fields.removeAt(index);
    if (!WriteAnswersTo(ini, fields) || !FFile.Write(ini))
        return;
    FAnswers = Written(fields);
    ShowAnswers();
}
