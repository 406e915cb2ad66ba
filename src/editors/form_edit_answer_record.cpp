#include "editors/form_edit_answer_record.h"

#include "editors/editor_widgets.h"
#include "terminal_model/field_types.h"
#include "widgets/dialog_buttons.h"
#include "widgets/field_type_combo_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString TFormEditAnswerRecord::NoCaptionMessage = QStringLiteral("An answer field needs a caption");

TFormEditAnswerRecord::TFormEditAnswerRecord(TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
{
    Build();
    setWindowTitle(QStringLiteral("Add new field"));
}

TFormEditAnswerRecord::TFormEditAnswerRecord(int fieldNumber, const TAnswerField &field, TPrompts &prompts,
                                             QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
{
    Build();
    setWindowTitle(QStringLiteral("Edit field number %1").arg(fieldNumber));
    EditCaption->setText(field.Caption);
    const bool known = field.TextType >= 0 && field.TextType < TFieldTypes::TextTypeCount;
    ComboBoxFormat->setCurrentIndex(known ? field.TextType : int(ttAlphaNumeric));
    if (field.TextType == TAnswerField::CurrencyTextType) {
        FieldTypeComboBoxDecimals->SetText(QString::number(field.DecimalDigits));
        FieldTypeComboBoxDecimals->setEnabled(true);
    }
}

void TFormEditAnswerRecord::Build()
{
    setObjectName(QStringLiteral("FormEditAnswerRecord"));

    EditCaption = new QLineEdit(this);
    EditCaption->setObjectName(QStringLiteral("EditCaption"));

    ComboBoxFormat = new QComboBox(this);
    ComboBoxFormat->setObjectName(QStringLiteral("ComboBoxFormat"));
    ComboBoxFormat->setToolTip(QStringLiteral("Select text format"));
    ComboBoxFormat->addItems(TFieldTypes::TextTypeDialogNames());

    FieldTypeComboBoxDecimals = new TFieldTypeComboBox(this);
    FieldTypeComboBoxDecimals->setObjectName(QStringLiteral("FieldTypeComboBoxDecimals"));
    FieldTypeComboBoxDecimals->setToolTip(QStringLiteral("Input decimal digits"));
    FieldTypeComboBoxDecimals->SetStyle(TFieldTypeComboBox::csSimple);
    FieldTypeComboBoxDecimals->SetFieldType(ftdDecimal);
    FieldTypeComboBoxDecimals->SetText(QStringLiteral("0"));
    FieldTypeComboBoxDecimals->setEnabled(false);

    ButtonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), QStringLiteral("&Ok"), QStringLiteral("Accept"), this);
    ButtonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), QStringLiteral("&Cancel"),
                                         QStringLiteral("Cancel"), this);
    TDialogButtons::SetDefault(this, ButtonOk);

    auto *layout = new QGridLayout(this);
    layout->addWidget(EditorWidgets::Label(QStringLiteral("C&aption"), EditCaption, this), 0, 0);
    layout->addWidget(EditCaption, 0, 1);
    layout->addWidget(EditorWidgets::Label(QStringLiteral("&Text type"), ComboBoxFormat, this), 1, 0);
    layout->addWidget(ComboBoxFormat, 1, 1);
    layout->addWidget(EditorWidgets::Label(QStringLiteral("D&ecimal digits"), FieldTypeComboBoxDecimals, this), 2, 0);
    layout->addWidget(FieldTypeComboBoxDecimals, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ComboBoxFormat, &QComboBox::activated, this, &TFormEditAnswerRecord::ComboBoxFormatChange);
    connect(ButtonOk, &QPushButton::clicked, this, &TFormEditAnswerRecord::ButtonOkClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormEditAnswerRecord::ComboBoxFormatChange()
{
    const bool currency = ComboBoxFormat->currentIndex() == TAnswerField::CurrencyTextType;
    if (!currency)
        FieldTypeComboBoxDecimals->SetText(QStringLiteral("0"));
    FieldTypeComboBoxDecimals->setEnabled(currency);
}

void TFormEditAnswerRecord::ButtonOkClick()
{
    if (EditCaption->text().trimmed().isEmpty()) {
        EditorWidgets::Refuse(FPrompts, this, EditCaption, NoCaptionMessage);
        return;
    }
    accept();
}

TAnswerField TFormEditAnswerRecord::Field() const
{
    TAnswerField field;
    field.Caption = EditCaption->text();
    field.TextType = qMax(0, ComboBoxFormat->currentIndex());
    if (field.TextType == TAnswerField::CurrencyTextType)
        field.DecimalDigits = NormalisedNumber(FieldTypeComboBoxDecimals->GetText());
    return field;
}
