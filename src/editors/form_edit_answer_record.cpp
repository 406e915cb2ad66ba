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

const QString TFormEditAnswerRecord::NoCaptionMessage = QStringLiteral(QT_TRANSLATE_NOOP("TPrompts", "An answer field needs a caption"));

TFormEditAnswerRecord::TFormEditAnswerRecord(TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
{
    Build();
    setWindowTitle(tr("Add new field"));
}

TFormEditAnswerRecord::TFormEditAnswerRecord(int fieldNumber, const TAnswerField &field, TPrompts &prompts,
                                             QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
{
    Build();
    setWindowTitle(tr("Edit field number %1").arg(fieldNumber));
    m_captionEdit->setText(field.Caption);
    const bool known = field.TextType >= 0 && field.TextType < TFieldTypes::TextTypeCount;
    m_formatBox->setCurrentIndex(known ? field.TextType : int(ttAlphaNumeric));
    if (field.TextType == TAnswerField::CurrencyTextType) {
        m_decimalsBox->SetText(QString::number(field.DecimalDigits));
        m_decimalsBox->setEnabled(true);
    }
}

void TFormEditAnswerRecord::Build()
{
    setObjectName(QStringLiteral("FormEditAnswerRecord"));

    m_captionEdit = new QLineEdit(this);
    m_captionEdit->setObjectName(QStringLiteral("EditCaption"));

    m_formatBox = new QComboBox(this);
    m_formatBox->setObjectName(QStringLiteral("ComboBoxFormat"));
    m_formatBox->setToolTip(tr("Select text format"));
    m_formatBox->addItems(TFieldTypes::TextTypeDialogNames());

    m_decimalsBox = new TFieldTypeComboBox(this);
    m_decimalsBox->setObjectName(QStringLiteral("FieldTypeComboBoxDecimals"));
    m_decimalsBox->setToolTip(tr("Input decimal digits"));
    m_decimalsBox->SetStyle(TFieldTypeComboBox::csSimple);
    m_decimalsBox->SetFieldType(ftdDecimal);
    m_decimalsBox->SetText(QStringLiteral("0"));
    m_decimalsBox->setEnabled(false);

    m_buttonOk =
        EditorWidgets::Button(QStringLiteral("ButtonOk"), tr("&Ok"), tr("Accept"), this);
    m_buttonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), tr("&Cancel"),
                                           tr("Cancel"), this);
    TDialogButtons::SetDefault(this, m_buttonOk);

    auto *layout = new QGridLayout(this);
    layout->addWidget(EditorWidgets::Label(tr("C&aption"), m_captionEdit, this), 0, 0);
    layout->addWidget(m_captionEdit, 0, 1);
    layout->addWidget(EditorWidgets::Label(tr("&Text type"), m_formatBox, this), 1, 0);
    layout->addWidget(m_formatBox, 1, 1);
    layout->addWidget(EditorWidgets::Label(tr("D&ecimal digits"), m_decimalsBox, this), 2, 0);
    layout->addWidget(m_decimalsBox, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOk);
    buttons->addWidget(m_buttonCancel);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_formatBox, &QComboBox::activated, this, &TFormEditAnswerRecord::ApplyFormatRule);
    connect(m_buttonOk, &QPushButton::clicked, this, &TFormEditAnswerRecord::AcceptIfValid);
    connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormEditAnswerRecord::ApplyFormatRule()
{
    const bool currency = m_formatBox->currentIndex() == TAnswerField::CurrencyTextType;
    if (!currency)
        m_decimalsBox->SetText(QStringLiteral("0"));
    m_decimalsBox->setEnabled(currency);
}

void TFormEditAnswerRecord::AcceptIfValid()
{
    if (m_captionEdit->text().trimmed().isEmpty()) {
        EditorWidgets::Refuse(m_prompts, this, m_captionEdit, NoCaptionMessage);
        return;
    }
    accept();
}

TAnswerField TFormEditAnswerRecord::Field() const
{
    TAnswerField field;
    field.Caption = m_captionEdit->text();
    field.TextType = qMax(0, m_formatBox->currentIndex());
    if (field.TextType == TAnswerField::CurrencyTextType)
        field.DecimalDigits = NormalisedNumber(m_decimalsBox->GetText());
    return field;
}
