#include "editors/form_edit_command_record.h"

#include "editors/check_list.h"
#include "editors/editor_widgets.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/field_types.h"
#include "widgets/accessible_text.h"
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
    , m_prompts(prompts)
{
    Build();
    setWindowTitle(tr("Add new field"));
    UpdateOkButton();
    m_modeBox->setEnabled(free);
    m_notesMemo->setEnabled(free);
    ControlTypeChanged();
}

TFormEditCommandRecord::TFormEditCommandRecord(int fieldNumber, const TCommandField &field,
                                               const QStringList &comboLines, const QStringList &notes,
                                               TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
{
    Build();
    setWindowTitle(tr("Edit field number %1").arg(fieldNumber));
    UpdateOkButton();
    m_captionBox->SetText(field.Caption);
    m_hintBox->SetText(field.Hint);
    m_otherList->SetChecked(0, field.Required);
    m_otherList->SetChecked(1, field.ReadOnly);
    m_otherList->SetChecked(2, field.AutoIncrement);
    SetMode(field.Mode);
    EditorWidgets::SetLines(m_notesMemo, notes);
    m_buttonOk->setEnabled(true);
    const bool first = fieldNumber < 2;
    m_modeBox->setEnabled(first);
    m_notesMemo->setEnabled(first);
    ApplyExistingField(field, comboLines);
}

void TFormEditCommandRecord::Build()
{
    setObjectName(QStringLiteral("FormEditCommandRecord"));

    m_modeBox = List(QStringLiteral("FieldTypeComboBoxMode"), tr("Select mode"),
                     {tr("Host"), tr("Fiscal")}, this);
    m_captionBox = Box(QStringLiteral("FieldTypeComboBoxCaption"), tr("Enter caption text"),
                       TFieldTypeComboBox::csSimple, this);
    m_captionBox->SetMaxLength(MaxCaptionLength);
    m_hintBox = Box(QStringLiteral("FieldTypeComboBoxHint"), tr("Enter hint text"),
                    TFieldTypeComboBox::csSimple, this);
    m_hintBox->SetMaxLength(MaxCaptionLength);
    m_textTypeBox = List(QStringLiteral("FieldTypeComboBoxTextType"), tr("Select text type"),
                         TFieldTypes::TextTypeDialogNames(), this);
    m_defaultTextBox = Box(QStringLiteral("FieldTypeComboBoxDefaultText"),
                           tr("Enter default text"), TFieldTypeComboBox::csSimple, this);
    m_controlTypeBox = List(QStringLiteral("FieldTypeComboBoxControlType"),
                            tr("Select type of control"), TFieldTypes::ControlTypeNames(),
                            this);
    m_minLengthBox = Number(QStringLiteral("FieldTypeComboBoxMinLength"),
                            tr("Enter minimum length "), this);
    m_maxLengthBox = Number(QStringLiteral("FieldTypeComboBoxMaxLength"),
                            tr("Enter maximum user text"), this);
    m_decimalDigitsBox = Number(QStringLiteral("FieldTypeComboBoxDecimalDigits"),
                                tr("Enter decimal digits"), this);

    m_otherList = new TCheckList(
        {tr("Required"), tr("Read Only"), tr("Autoincrement")}, this);
    m_otherList->setObjectName(QStringLiteral("CheckListBoxOther"));
    m_otherList->setToolTip(tr("Select other parameter"));

    m_comboLinesMemo = EditorWidgets::Memo(QStringLiteral("MemoComboLines"), tr("Enter combo box lines"), this);
    m_comboLinesMemo->setEnabled(false);
    m_notesMemo = EditorWidgets::Memo(QStringLiteral("MemoNotes"), tr("Enter command notes"), this);

    m_buttonOk =
        EditorWidgets::Button(QStringLiteral("ButtonOk"), tr("&Ok"), tr("Accept"), this);
    m_buttonOk->setEnabled(false);
    m_buttonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), tr("&Cancel"),
                                           tr("Cancel"), this);
    TDialogButtons::SetDefault(this, m_buttonOk);

    auto *grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *input) {
        grid->addWidget(EditorWidgets::Label(caption, input, this), row, 0);
        grid->addWidget(input, row, 1);
        ++row;
    };
    addRow(tr("&Mode"), m_modeBox);
    addRow(tr("C&aption"), m_captionBox);
    addRow(tr("&Hint"), m_hintBox);
    addRow(tr("&Text type"), m_textTypeBox);
    addRow(tr("&Default Text"), m_defaultTextBox);
    addRow(tr("Co&ntrol type"), m_controlTypeBox);
    addRow(tr("M&in length"), m_minLengthBox);
    addRow(tr("Ma&x length"), m_maxLengthBox);
    addRow(tr("D&ecimal digits"), m_decimalDigitsBox);
    addRow(tr("Othe&r"), m_otherList);

    auto *memos = new QGridLayout;
    memos->addWidget(EditorWidgets::Label(tr("Com&bo box lines"), m_comboLinesMemo, this), 0, 0);
    memos->addWidget(m_comboLinesMemo, 1, 0);
    memos->addWidget(EditorWidgets::Label(tr("Note&s"), m_notesMemo, this), 2, 0);
    memos->addWidget(m_notesMemo, 3, 0);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOk);
    buttons->addWidget(m_buttonCancel);

    auto *top = new QHBoxLayout;
    top->addLayout(grid);
    top->addLayout(memos);
    auto *layout = new QGridLayout(this);
    layout->addLayout(top, 0, 0);
    layout->addLayout(buttons, 1, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *order[] = {m_modeBox, m_captionBox, m_hintBox,
                        m_textTypeBox, m_defaultTextBox, m_controlTypeBox,
                        m_minLengthBox, m_maxLengthBox, m_decimalDigitsBox,
                        m_otherList, m_comboLinesMemo, m_notesMemo, m_buttonOk, m_buttonCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    AccessibleText::DescribeInputs(this);

    connect(m_textTypeBox, &TFieldTypeComboBox::Changed, this,
            &TFormEditCommandRecord::TextTypeChanged);
    connect(m_controlTypeBox, &TFieldTypeComboBox::Changed, this,
            &TFormEditCommandRecord::ControlTypeChanged);
    for (TFieldTypeComboBox *box : {m_captionBox, m_maxLengthBox, m_minLengthBox,
                                    m_decimalDigitsBox})
        connect(box, &TFieldTypeComboBox::Changed, this, &TFormEditCommandRecord::UpdateOkButton);
    connect(m_buttonOk, &QPushButton::clicked, this, &TFormEditCommandRecord::AcceptIfValid);
    connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormEditCommandRecord::SetMode(int mode)
{
    m_modeBox->setCurrentIndex(mode == 0 ? 0 : 1);
}

void TFormEditCommandRecord::SetNotes(const QStringList &notes)
{
    EditorWidgets::SetLines(m_notesMemo, notes);
}

TCommandField TFormEditCommandRecord::Field() const
{
    TCommandField field;
    field.Mode = m_modeBox->currentIndex() == 0 ? 0 : 1;
    field.Caption = m_captionBox->GetText();
    field.Hint = m_hintBox->GetText();
    field.TextType = qMax(0, m_textTypeBox->currentIndex());
    field.DefaultText = m_defaultTextBox->GetText();
    field.ControlType = qMax(0, m_controlTypeBox->currentIndex());
    field.MaxLength = NormalisedNumber(m_maxLengthBox->GetText());
    field.Required = m_otherList->IsChecked(0);
    field.ReadOnly = m_otherList->IsChecked(1);
    field.MinLength = NormalisedNumber(m_minLengthBox->GetText());
    field.DecimalDigits = NormalisedNumber(m_decimalDigitsBox->GetText());
    field.AutoIncrement = m_otherList->IsChecked(2);
    return field;
}

QStringList TFormEditCommandRecord::ComboLines() const
{
    return EditorWidgets::Lines(m_comboLinesMemo);
}

QStringList TFormEditCommandRecord::Notes() const
{
    return EditorWidgets::Lines(m_notesMemo);
}

void TFormEditCommandRecord::TextTypeChanged()
{
    ApplyTextTypeRule();
    // The rule may have freed an empty box or locked one.
    UpdateOkButton();
}

void TFormEditCommandRecord::ControlTypeChanged()
{
    const int controlType = m_controlTypeBox->currentIndex();
    const int textType = m_textTypeBox->currentIndex();
    const int newTextType = IsDateControl(controlType) ? DateTextTypeOf(controlType) : textType;
    // Another control for the same text type keeps the numbers entered in
    // the boxes that stay free: a list limits its lines as a box its text.
    QList<std::pair<TFieldTypeComboBox *, QString>> kept;
    if (newTextType == textType)
        for (TFieldTypeComboBox *box :
             {m_maxLengthBox, m_minLengthBox, m_decimalDigitsBox})
            if (box->isEnabled())
                kept.append({box, box->GetText()});
    m_textTypeBox->setCurrentIndex(newTextType);
    ApplyTextTypeRule();
    for (const auto &[box, text] : kept)
        if (box->isEnabled())
            box->SetText(text);
    UpdateOkButton();
}

void TFormEditCommandRecord::UpdateOkButton()
{
    bool ok = !m_captionBox->GetText().isEmpty();
    for (const TFieldTypeComboBox *box :
         {m_maxLengthBox, m_minLengthBox, m_decimalDigitsBox})
        if (box->isEnabledTo(this) && box->GetText().isEmpty())
            ok = false;
    m_buttonOk->setEnabled(ok);
}

void TFormEditCommandRecord::AcceptIfValid()
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
        EditorWidgets::Refuse(m_prompts, this, m_comboLinesMemo,
                              tr("Combo box line %1: %2").arg(line + 1).arg(error));
        QTextCursor cursor(m_comboLinesMemo->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        m_comboLinesMemo->setTextCursor(cursor);
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
    m_defaultTextBox->SetFieldTypeCode(textType >= ttDate ? int(ftdAlphaNumeric) : textType);
    m_defaultTextBox->SetMaxLength(maxLength);
}

void TFormEditCommandRecord::ApplyTextTypeRule()
{
    const int textType = m_textTypeBox->currentIndex();
    const int controlType = m_controlTypeBox->currentIndex();
    const bool dateControl = IsDateControl(controlType);
    const bool dateText = textType == ttDate || textType == ttTime;
    if (dateControl && !dateText)
        return;

    const TBoxRule rule = RuleFor(textType, controlType);
    SetDefaultTextType(textType, rule.DefaultLimit);
    m_defaultTextBox->SetText(QString());
    if (controlType == ctSimple) {
        m_comboLinesMemo->clear();
        m_comboLinesMemo->setEnabled(false);
        m_defaultTextBox->setEnabled(true);
    } else if (dateControl) {
        m_comboLinesMemo->clear();
        m_comboLinesMemo->setEnabled(false);
        m_defaultTextBox->setEnabled(false);
    } else {
        m_comboLinesMemo->setEnabled(true);
        m_defaultTextBox->setEnabled(false);
    }
    SetBox(m_maxLengthBox, rule.MaxPreset, rule.MaxFree);
    SetBox(m_minLengthBox, Zero, rule.MinFree);
    SetBox(m_decimalDigitsBox, Zero, rule.DecimalsFree);
    m_textTypeBox->setEnabled(!dateControl);
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
    m_textTypeBox->setCurrentIndex(textType);
    m_controlTypeBox->setCurrentIndex(controlType);
    m_textTypeBox->setEnabled(!dateControl);

    // Free boxes show the field's values, locked ones the presets.
    const TBoxRule rule = RuleFor(textType, controlType);
    SetBox(m_maxLengthBox, rule.MaxFree ? QString::number(field.MaxLength) : rule.MaxPreset,
           rule.MaxFree);
    SetBox(m_minLengthBox, rule.MinFree ? QString::number(field.MinLength) : Zero, rule.MinFree);
    SetBox(m_decimalDigitsBox, rule.DecimalsFree ? QString::number(field.DecimalDigits) : Zero,
           rule.DecimalsFree);

    SetDefaultTextType(textType, rule.DefaultLimit);
    if (controlType == ctSimple) {
        SetBox(m_defaultTextBox, field.DefaultText, true);
        m_comboLinesMemo->clear();
        m_comboLinesMemo->setEnabled(false);
    } else if (dateControl) {
        SetBox(m_defaultTextBox, QString(), false);
        m_comboLinesMemo->clear();
        m_comboLinesMemo->setEnabled(false);
    } else {
        SetBox(m_defaultTextBox, QString(), false);
        EditorWidgets::SetLines(m_comboLinesMemo, comboLines);
        m_comboLinesMemo->setEnabled(true);
    }
}
