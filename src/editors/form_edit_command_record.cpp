#include "editors/form_edit_command_record.h"

#include "editors/check_list.h"
#include "editors/editor_widgets.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/field_types.h"
#include "widgets/dialog_buttons.h"
#include "widgets/field_type_combo_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace {

TFieldTypeComboBox *Box(const QString &name, const QString &hint, TFieldTypeComboBox::TComboStyle style,
                        QWidget *parent)
{
    auto *box = new TFieldTypeComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->SetStyle(style);
    return box;
}

TFieldTypeComboBox *List(const QString &name, const QString &hint, const QStringList &items, QWidget *parent)
{
    TFieldTypeComboBox *box = Box(name, hint, TFieldTypeComboBox::csDropDownList, parent);
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

TFieldTypeComboBox *Number(const QString &name, const QString &hint, QWidget *parent)
{
    TFieldTypeComboBox *box = Box(name, hint, TFieldTypeComboBox::csSimple, parent);
    box->SetFieldType(ftdNumerical);
    box->SetText(QStringLiteral("0"));
    return box;
}

bool IsDateControl(int controlType)
{
    return controlType == ctDate || controlType == ctTime;
}

int DateTextTypeOf(int controlType)
{
    return controlType == ctDate ? ttDate : ttTime;
}

const QString Zero = QStringLiteral("0");

// What a text type with a control type leaves free, and the presets of the
// boxes: the one table both for a type the user chooses and for an existing
// field being opened. Min length is the width of the Currency, Decimal and
// Binary conversions, so it is free for those three.
struct TBoxRule
{
    QString MaxPreset = Zero;
    bool MaxFree = true;
    bool MinFree = false;
    bool DecimalsFree = false;
    int DefaultLimit = 0;   // 0: no limit
};

TBoxRule RuleFor(int textType, int controlType)
{
    TBoxRule rule;
    switch (textType) {
    case ttCurrency:
        rule.MinFree = rule.DecimalsFree = true;
        break;
    case ttDecimal:
    case ttBinary:
        rule.MinFree = true;
        break;
    case ttHexa:
        rule.MinFree = controlType == ctSimple;
        break;
    case ttBoolean:
        rule.DefaultLimit = 1;
        rule.MaxPreset = QStringLiteral("1");
        rule.MaxFree = false;
        break;
    case ttDate:
    case ttTime:
        rule.DefaultLimit = IsDateControl(controlType) ? 0 : 10;
        rule.MaxPreset = QStringLiteral("10");
        rule.MaxFree = false;
        break;
    default:
        break;
    }
    return rule;
}

} // namespace

TFormEditCommandRecord::TFormEditCommandRecord(bool free, TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
{
    Build();
    setWindowTitle(QStringLiteral("Add new field"));
    ValidateComboData();
    FieldTypeComboBoxMode->setEnabled(free);
    MemoNotes->setEnabled(free);
    FieldTypeComboBoxControlTypeChange();
}

TFormEditCommandRecord::TFormEditCommandRecord(int fieldNumber, const TCommandField &field,
                                               const QStringList &comboLines, const QStringList &notes,
                                               TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
{
    Build();
    setWindowTitle(QStringLiteral("Edit field number %1").arg(fieldNumber));
    ValidateComboData();
    FieldTypeComboBoxCaption->SetText(field.Caption);
    FieldTypeComboBoxHint->SetText(field.Hint);
    CheckListBoxOther->SetChecked(0, field.Required);
    CheckListBoxOther->SetChecked(1, field.ReadOnly);
    CheckListBoxOther->SetChecked(2, field.AutoIncrement);
    SetMode(field.Mode);
    EditorWidgets::SetLines(MemoNotes, notes);
    ButtonOk->setEnabled(true);
    const bool first = fieldNumber < 2;
    FieldTypeComboBoxMode->setEnabled(first);
    MemoNotes->setEnabled(first);
    ApplyExistingField(field, comboLines);
}

void TFormEditCommandRecord::Build()
{
    setObjectName(QStringLiteral("FormEditCommandRecord"));

    FieldTypeComboBoxMode = List(QStringLiteral("FieldTypeComboBoxMode"), QStringLiteral("Select mode"),
                                 {QStringLiteral("Host"), QStringLiteral("Fiscal")}, this);
    FieldTypeComboBoxCaption = Box(QStringLiteral("FieldTypeComboBoxCaption"), QStringLiteral("Enter caption text"),
                                   TFieldTypeComboBox::csSimple, this);
    FieldTypeComboBoxCaption->SetMaxLength(MaxCaptionLength);
    FieldTypeComboBoxHint = Box(QStringLiteral("FieldTypeComboBoxHint"), QStringLiteral("Enter hint text"),
                                TFieldTypeComboBox::csSimple, this);
    FieldTypeComboBoxHint->SetMaxLength(MaxCaptionLength);
    FieldTypeComboBoxTextType = List(QStringLiteral("FieldTypeComboBoxTextType"), QStringLiteral("Select text type"),
                                     TFieldTypes::TextTypeDialogNames(), this);
    FieldTypeComboBoxDefaultText = Box(QStringLiteral("FieldTypeComboBoxDefaultText"),
                                       QStringLiteral("Enter default text"), TFieldTypeComboBox::csSimple, this);
    FieldTypeComboBoxControlType = List(QStringLiteral("FieldTypeComboBoxControlType"),
                                        QStringLiteral("Select type of control"), TFieldTypes::ControlTypeNames(),
                                        this);
    FieldTypeComboBoxMinLength = Number(QStringLiteral("FieldTypeComboBoxMinLength"),
                                        QStringLiteral("Enter minimum length "), this);
    FieldTypeComboBoxMaxLength = Number(QStringLiteral("FieldTypeComboBoxMaxLength"),
                                        QStringLiteral("Enter maximum user text"), this);
    FieldTypeComboBoxDecimalDigits = Number(QStringLiteral("FieldTypeComboBoxDecimalDigits"),
                                            QStringLiteral("Enter decimal digits"), this);

    CheckListBoxOther = new TCheckList(
        {QStringLiteral("Required"), QStringLiteral("Read Only"), QStringLiteral("Autoincrement")}, this);
    CheckListBoxOther->setObjectName(QStringLiteral("CheckListBoxOther"));
    CheckListBoxOther->setToolTip(QStringLiteral("Select other parameter"));

    MemoComboLines = EditorWidgets::Memo(QStringLiteral("MemoComboLines"), QStringLiteral("Enter combo box lines"), this);
    MemoComboLines->setEnabled(false);
    MemoNotes = EditorWidgets::Memo(QStringLiteral("MemoNotes"), QStringLiteral("Enter command notes"), this);

    ButtonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), QStringLiteral("&Ok"), QStringLiteral("Accept"), this);
    ButtonOk->setEnabled(false);
    ButtonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), QStringLiteral("&Cancel"),
                                         QStringLiteral("Cancel"), this);
    TDialogButtons::SetDefault(this, ButtonOk);

    auto *grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *input) {
        grid->addWidget(EditorWidgets::Label(caption, input, this), row, 0);
        grid->addWidget(input, row, 1);
        ++row;
    };
    addRow(QStringLiteral("&Mode"), FieldTypeComboBoxMode);
    addRow(QStringLiteral("C&aption"), FieldTypeComboBoxCaption);
    addRow(QStringLiteral("&Hint"), FieldTypeComboBoxHint);
    addRow(QStringLiteral("&Text type"), FieldTypeComboBoxTextType);
    addRow(QStringLiteral("&Default Text"), FieldTypeComboBoxDefaultText);
    addRow(QStringLiteral("Co&ntrol type"), FieldTypeComboBoxControlType);
    addRow(QStringLiteral("M&in length"), FieldTypeComboBoxMinLength);
    addRow(QStringLiteral("Ma&x length"), FieldTypeComboBoxMaxLength);
    addRow(QStringLiteral("D&ecimal digits"), FieldTypeComboBoxDecimalDigits);
    addRow(QStringLiteral("Othe&r"), CheckListBoxOther);

    auto *memos = new QGridLayout;
    memos->addWidget(EditorWidgets::Label(QStringLiteral("Com&bo box lines"), MemoComboLines, this), 0, 0);
    memos->addWidget(MemoComboLines, 1, 0);
    memos->addWidget(EditorWidgets::Label(QStringLiteral("Note&s"), MemoNotes, this), 2, 0);
    memos->addWidget(MemoNotes, 3, 0);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);

    auto *top = new QHBoxLayout;
    top->addLayout(grid);
    top->addLayout(memos);
    auto *layout = new QGridLayout(this);
    layout->addLayout(top, 0, 0);
    layout->addLayout(buttons, 1, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *order[] = {FieldTypeComboBoxMode, FieldTypeComboBoxCaption, FieldTypeComboBoxHint,
                        FieldTypeComboBoxTextType, FieldTypeComboBoxDefaultText, FieldTypeComboBoxControlType,
                        FieldTypeComboBoxMinLength, FieldTypeComboBoxMaxLength, FieldTypeComboBoxDecimalDigits,
                        CheckListBoxOther, MemoComboLines, MemoNotes, ButtonOk, ButtonCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(FieldTypeComboBoxTextType, &TFieldTypeComboBox::Changed, this,
            &TFormEditCommandRecord::FieldTypeComboBoxTextTypeChange);
    connect(FieldTypeComboBoxControlType, &TFieldTypeComboBox::Changed, this,
            &TFormEditCommandRecord::FieldTypeComboBoxControlTypeChange);
    for (TFieldTypeComboBox *box : {FieldTypeComboBoxCaption, FieldTypeComboBoxMaxLength, FieldTypeComboBoxMinLength,
                                    FieldTypeComboBoxDecimalDigits})
        connect(box, &TFieldTypeComboBox::Changed, this, &TFormEditCommandRecord::ValidateComboData);
    connect(ButtonOk, &QPushButton::clicked, this, &TFormEditCommandRecord::ButtonOkClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormEditCommandRecord::SetMode(int mode)
{
    FieldTypeComboBoxMode->setCurrentIndex(mode == 0 ? 0 : 1);
}

void TFormEditCommandRecord::SetNotes(const QStringList &notes)
{
    EditorWidgets::SetLines(MemoNotes, notes);
}

TCommandField TFormEditCommandRecord::Field() const
{
    TCommandField field;
    field.Mode = FieldTypeComboBoxMode->currentIndex() == 0 ? 0 : 1;
    field.Caption = FieldTypeComboBoxCaption->GetText();
    field.Hint = FieldTypeComboBoxHint->GetText();
    field.TextType = qMax(0, FieldTypeComboBoxTextType->currentIndex());
    field.DefaultText = FieldTypeComboBoxDefaultText->GetText();
    field.ControlType = qMax(0, FieldTypeComboBoxControlType->currentIndex());
    field.MaxLength = NormalisedNumber(FieldTypeComboBoxMaxLength->GetText());
    field.Required = CheckListBoxOther->IsChecked(0);
    field.ReadOnly = CheckListBoxOther->IsChecked(1);
    field.MinLength = NormalisedNumber(FieldTypeComboBoxMinLength->GetText());
    field.DecimalDigits = NormalisedNumber(FieldTypeComboBoxDecimalDigits->GetText());
    field.AutoIncrement = CheckListBoxOther->IsChecked(2);
    return field;
}

QStringList TFormEditCommandRecord::ComboLines() const
{
    return EditorWidgets::Lines(MemoComboLines);
}

QStringList TFormEditCommandRecord::Notes() const
{
    return EditorWidgets::Lines(MemoNotes);
}

void TFormEditCommandRecord::FieldTypeComboBoxTextTypeChange()
{
    ApplyTextTypeRule();
    // The rule may have freed an empty box or locked one.
    ValidateComboData();
}

void TFormEditCommandRecord::FieldTypeComboBoxControlTypeChange()
{
    const int controlType = FieldTypeComboBoxControlType->currentIndex();
    const int textType = FieldTypeComboBoxTextType->currentIndex();
    const int newTextType = IsDateControl(controlType) ? DateTextTypeOf(controlType) : textType;
    // Another control for the same text type keeps the numbers entered in
    // the boxes that stay free: a list limits its lines as a box its text.
    QList<std::pair<TFieldTypeComboBox *, QString>> kept;
    if (newTextType == textType)
        for (TFieldTypeComboBox *box :
             {FieldTypeComboBoxMaxLength, FieldTypeComboBoxMinLength, FieldTypeComboBoxDecimalDigits})
            if (box->isEnabled())
                kept.append({box, box->GetText()});
    FieldTypeComboBoxTextType->setCurrentIndex(newTextType);
    ApplyTextTypeRule();
    for (const auto &[box, text] : kept)
        if (box->isEnabled())
            box->SetText(text);
    ValidateComboData();
}

void TFormEditCommandRecord::ValidateComboData()
{
    bool ok = !FieldTypeComboBoxCaption->GetText().isEmpty();
    for (const TFieldTypeComboBox *box :
         {FieldTypeComboBoxMaxLength, FieldTypeComboBoxMinLength, FieldTypeComboBoxDecimalDigits})
        if (box->isEnabledTo(this) && box->GetText().isEmpty())
            ok = false;
    ButtonOk->setEnabled(ok);
}

void TFormEditCommandRecord::ButtonOkClick()
{
    // The lines are offered as values to send: each must pass what Send
    // would check in a value typed for this field.
    const TCommandField field = Field();
    const QStringList lines = ComboLines();
    for (int line = 0; line < lines.size(); ++line) {
        const QString error =
            TFieldConversion::SendTextError(field.TextType, lines.at(line), field.MinLength, field.DecimalDigits);
        if (error.isEmpty())
            continue;
        EditorWidgets::Refuse(FPrompts, this, MemoComboLines,
                              QStringLiteral("Combo box line %1: %2").arg(line + 1).arg(error));
        QTextCursor cursor(MemoComboLines->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        MemoComboLines->setTextCursor(cursor);
        return;
    }
    accept();
}

void TFormEditCommandRecord::SetBox(TFieldTypeComboBox *box, const QString &text, bool free)
{
    box->SetText(text);
    box->setEnabled(free);
}

void TFormEditCommandRecord::SetDefaultTextType(int textType, int maxLength)
{
    FieldTypeComboBoxDefaultText->SetFieldTypeCode(textType >= ttDate ? int(ftdAlphaNumeric) : textType);
    FieldTypeComboBoxDefaultText->SetMaxLength(maxLength);
}

void TFormEditCommandRecord::ApplyTextTypeRule()
{
    const int textType = FieldTypeComboBoxTextType->currentIndex();
    const int controlType = FieldTypeComboBoxControlType->currentIndex();
    const bool dateControl = IsDateControl(controlType);
    const bool dateText = textType == ttDate || textType == ttTime;
    if (dateControl && !dateText)
        return;

    const TBoxRule rule = RuleFor(textType, controlType);
    SetDefaultTextType(textType, rule.DefaultLimit);
    FieldTypeComboBoxDefaultText->SetText(QString());
    if (controlType == ctSimple) {
        MemoComboLines->clear();
        MemoComboLines->setEnabled(false);
        FieldTypeComboBoxDefaultText->setEnabled(true);
    } else if (dateControl) {
        MemoComboLines->clear();
        MemoComboLines->setEnabled(false);
        FieldTypeComboBoxDefaultText->setEnabled(false);
    } else {
        MemoComboLines->setEnabled(true);
        FieldTypeComboBoxDefaultText->setEnabled(false);
    }
    SetBox(FieldTypeComboBoxMaxLength, rule.MaxPreset, rule.MaxFree);
    SetBox(FieldTypeComboBoxMinLength, Zero, rule.MinFree);
    SetBox(FieldTypeComboBoxDecimalDigits, Zero, rule.DecimalsFree);
    FieldTypeComboBoxTextType->setEnabled(!dateControl);
}

void TFormEditCommandRecord::ApplyExistingField(const TCommandField &field, const QStringList &comboLines)
{
    int controlType = field.ControlType >= 0 && field.ControlType < TFieldTypes::ControlTypeCount ? field.ControlType
                                                                                                   : int(ctSimple);
    int textType = field.TextType >= 0 && field.TextType < TFieldTypes::TextTypeCount ? field.TextType
                                                                                       : int(ttAlphaNumeric);
    const bool dateControl = IsDateControl(controlType);
    // A date or time control decides the text type, whatever the file says.
    if (dateControl)
        textType = DateTextTypeOf(controlType);
    FieldTypeComboBoxTextType->setCurrentIndex(textType);
    FieldTypeComboBoxControlType->setCurrentIndex(controlType);
    FieldTypeComboBoxTextType->setEnabled(!dateControl);

    // Free boxes show the field's values, locked ones the presets.
    const TBoxRule rule = RuleFor(textType, controlType);
    SetBox(FieldTypeComboBoxMaxLength, rule.MaxFree ? QString::number(field.MaxLength) : rule.MaxPreset,
           rule.MaxFree);
    SetBox(FieldTypeComboBoxMinLength, rule.MinFree ? QString::number(field.MinLength) : Zero, rule.MinFree);
    SetBox(FieldTypeComboBoxDecimalDigits, rule.DecimalsFree ? QString::number(field.DecimalDigits) : Zero,
           rule.DecimalsFree);

    SetDefaultTextType(textType, rule.DefaultLimit);
    if (controlType == ctSimple) {
        SetBox(FieldTypeComboBoxDefaultText, field.DefaultText, true);
        MemoComboLines->clear();
        MemoComboLines->setEnabled(false);
    } else if (dateControl) {
        SetBox(FieldTypeComboBoxDefaultText, QString(), false);
        MemoComboLines->clear();
        MemoComboLines->setEnabled(false);
    } else {
        SetBox(FieldTypeComboBoxDefaultText, QString(), false);
        EditorWidgets::SetLines(MemoComboLines, comboLines);
        MemoComboLines->setEnabled(true);
    }
}
