#include "editors/form_edit_fix_answer_record.h"

#include "editors/color_box.h"
#include "editors/editor_widgets.h"
#include "terminal_model/fixed_answer.h"
#include "widgets/dialog_buttons.h"
#include "widgets/field_type_combo_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

TFieldTypeComboBox *Input(const QString &name, const QString &hint, TFldType type, int maxLength, QWidget *parent)
{
    auto *box = new TFieldTypeComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->SetStyle(TFieldTypeComboBox::csSimple);
    box->SetFieldType(type);
    box->SetMaxLength(maxLength);
    return box;
}

} // namespace

TFormEditFixAnswerRecord::TFormEditFixAnswerRecord(quint32 color, const QString &text, const QString &result,
                                                   const QString &mask, const QString &panel, TPrompts &prompts,
                                                   QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
    , FAddMode(panel == QStringLiteral("0"))
{
    setObjectName(QStringLiteral("FormEditFixAnswerRecord"));
    setWindowTitle(FAddMode ? QStringLiteral("Add answer record") : QStringLiteral("Modify answer record"));

    ComboBoxPanel = new TFieldTypeComboBox(this);
    ComboBoxPanel->setObjectName(QStringLiteral("ComboBoxPanel"));
    ComboBoxPanel->setToolTip(QStringLiteral("Input panel number"));
    ComboBoxPanel->SetStyle(TFieldTypeComboBox::csDropDownList);
    for (int number = 1; number <= TFixedAnswer::MaxPanel; ++number)
        ComboBoxPanel->addItem(QString::number(number));
    // A panel outside 1..16 (written by hand) selects nothing.
    ComboBoxPanel->setCurrentIndex(FAddMode ? -1 : ComboBoxPanel->findText(panel.trimmed()));

    EditMask = Input(QStringLiteral("EditMask"), QStringLiteral("Input hexadecimal mask value"), ftdHexadecimal,
                     HexDigits, this);
    EditResult = Input(QStringLiteral("EditResult"), QStringLiteral("Input hexadecimal result value"),
                       ftdHexadecimal, HexDigits, this);
    EditText = Input(QStringLiteral("EditText"), QStringLiteral("Input message"), ftdAlphaNumeric, MaxTextLength,
                     this);
    ColorBoxText = new TColorBox(prompts, this);
    ColorBoxText->setObjectName(QStringLiteral("ColorBoxText"));
    ColorBoxText->setToolTip(QStringLiteral("Select color"));
    EditMask->SetText(mask);
    EditResult->SetText(result);
    EditText->SetText(text);
    ColorBoxText->SetColor(color);

    ButtonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), QStringLiteral("&Ok"),
                                     QStringLiteral("Accept options"), this);
    ButtonOk->setEnabled(false);
    ButtonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), QStringLiteral("&Cancel"),
                                         QStringLiteral("Cancel options"), this);
    TDialogButtons::SetDefault(this, ButtonOk);

    auto *layout = new QGridLayout(this);
    int row = 0;
    for (auto [caption, input] : {std::pair<QString, QWidget *>{QStringLiteral("&Panel number"), ComboBoxPanel},
                                  {QStringLiteral("&Mask"), EditMask},
                                  {QStringLiteral("&Result"), EditResult},
                                  {QStringLiteral("&Text on true"), EditText},
                                  {QStringLiteral("Text Co&lor"), ColorBoxText}}) {
        layout->addWidget(EditorWidgets::Label(caption, input, this), row, 0);
        layout->addWidget(input, row, 1);
        ++row;
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons, row, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (TFieldTypeComboBox *box : {ComboBoxPanel, EditMask, EditResult, EditText})
        connect(box, &TFieldTypeComboBox::Changed, this, &TFormEditFixAnswerRecord::InputChange);
    connect(ButtonOk, &QPushButton::clicked, this, &TFormEditFixAnswerRecord::ButtonOkClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A record opened for a change may be confirmed at once, unless it was
    // written by hand without a panel, mask, result or text.
    if (!FAddMode)
        InputChange();
}

QString TFormEditFixAnswerRecord::Panel() const
{
    return ComboBoxPanel->GetText();
}

QString TFormEditFixAnswerRecord::Mask() const
{
    return EditMask->GetText();
}

QString TFormEditFixAnswerRecord::Result() const
{
    return EditResult->GetText();
}

QString TFormEditFixAnswerRecord::Text() const
{
    return EditText->GetText();
}

quint32 TFormEditFixAnswerRecord::Color() const
{
    return ColorBoxText->Color();
}

void TFormEditFixAnswerRecord::InputChange()
{
    ButtonOk->setEnabled(!Panel().isEmpty() && !Mask().isEmpty() && !Result().isEmpty() && !Text().isEmpty());
}

QString TFormEditFixAnswerRecord::NeverMatches(const QString &mask, const QString &result)
{
    const uint maskValue = mask.toUInt(nullptr, 16);
    const uint resultValue = result.toUInt(nullptr, 16);
    if ((resultValue & ~maskValue) == 0)
        return QString();
    const auto hex = [](uint value) {
        return QString::number(value, 16).toUpper().rightJustified(HexDigits, QLatin1Char('0'));
    };
    return QStringLiteral("The result %1 has bits outside the mask %2 (%3): a masked status word never has "
                          "them, so the record could never match")
        .arg(hex(resultValue), hex(maskValue), hex(resultValue & ~maskValue));
}

void TFormEditFixAnswerRecord::ButtonOkClick()
{
    const QString refusal = NeverMatches(Mask(), Result());
    if (!refusal.isEmpty()) {
        EditorWidgets::Refuse(FPrompts, this, EditResult, refusal);
        return;
    }
    EditMask->SetText(Mask().rightJustified(HexDigits, QLatin1Char('0')));
    EditResult->SetText(Result().rightJustified(HexDigits, QLatin1Char('0')));
    accept();
}
