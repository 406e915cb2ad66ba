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
    , m_prompts(prompts)
    , m_addMode(panel == QStringLiteral("0"))
{
    setObjectName(QStringLiteral("FormEditFixAnswerRecord"));
    setWindowTitle(m_addMode ? tr("Add answer record") : tr("Modify answer record"));

    m_panelBox = new TFieldTypeComboBox(this);
    m_panelBox->setObjectName(QStringLiteral("ComboBoxPanel"));
    m_panelBox->setToolTip(tr("Input panel number"));
    m_panelBox->SetStyle(TFieldTypeComboBox::csDropDownList);
    for (int number = 1; number <= TFixedAnswer::MaxPanel; ++number)
        m_panelBox->addItem(QString::number(number));
    // A panel outside 1..16 (written by hand) selects nothing.
    m_panelBox->setCurrentIndex(m_addMode ? -1 : m_panelBox->findText(panel.trimmed()));

    m_maskEdit = Input(QStringLiteral("EditMask"), tr("Input hexadecimal mask value"), ftdHexadecimal,
                       HexDigits, this);
    m_resultEdit = Input(QStringLiteral("EditResult"), tr("Input hexadecimal result value"),
                         ftdHexadecimal, HexDigits, this);
    m_textEdit = Input(QStringLiteral("EditText"), tr("Input message"), ftdAlphaNumeric, MaxTextLength,
                       this);
    m_textColorBox = new TColorBox(prompts, this);
    m_textColorBox->setObjectName(QStringLiteral("ColorBoxText"));
    m_textColorBox->setToolTip(tr("Select color"));
    m_maskEdit->SetText(mask);
    m_resultEdit->SetText(result);
    m_textEdit->SetText(text);
    m_textColorBox->SetColor(color);

    m_buttonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), tr("&Ok"),
                                       tr("Accept options"), this);
    m_buttonOk->setEnabled(false);
    m_buttonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), tr("&Cancel"),
                                           tr("Cancel options"), this);
    TDialogButtons::SetDefault(this, m_buttonOk);

    auto *layout = new QGridLayout(this);
    int row = 0;
    for (auto [caption, input] : {std::pair<QString, QWidget *>{tr("&Panel number"), m_panelBox},
                                  {tr("&Mask"), m_maskEdit},
                                  {tr("&Result"), m_resultEdit},
                                  {tr("&Text on true"), m_textEdit},
                                  {tr("Text Co&lor"), m_textColorBox}}) {
        layout->addWidget(EditorWidgets::Label(caption, input, this), row, 0);
        layout->addWidget(input, row, 1);
        ++row;
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOk);
    buttons->addWidget(m_buttonCancel);
    layout->addLayout(buttons, row, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (TFieldTypeComboBox *box : {m_panelBox, m_maskEdit, m_resultEdit, m_textEdit})
        connect(box, &TFieldTypeComboBox::Changed, this, &TFormEditFixAnswerRecord::UpdateOkButton);
    connect(m_buttonOk, &QPushButton::clicked, this, &TFormEditFixAnswerRecord::AcceptIfValid);
    connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A record opened for a change may be confirmed at once, unless it was
    // written by hand without a panel, mask, result or text.
    if (!m_addMode)
        UpdateOkButton();
}

QString TFormEditFixAnswerRecord::Panel() const
{
    return m_panelBox->GetText();
}

QString TFormEditFixAnswerRecord::Mask() const
{
    return m_maskEdit->GetText();
}

QString TFormEditFixAnswerRecord::Result() const
{
    return m_resultEdit->GetText();
}

QString TFormEditFixAnswerRecord::Text() const
{
    return m_textEdit->GetText();
}

quint32 TFormEditFixAnswerRecord::Color() const
{
    return m_textColorBox->Color();
}

void TFormEditFixAnswerRecord::UpdateOkButton()
{
    m_buttonOk->setEnabled(!Panel().isEmpty() && !Mask().isEmpty() && !Result().isEmpty() && !Text().isEmpty());
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

void TFormEditFixAnswerRecord::AcceptIfValid()
{
    const QString refusal = NeverMatches(Mask(), Result());
    if (!refusal.isEmpty()) {
        EditorWidgets::Refuse(m_prompts, this, m_resultEdit, refusal);
        return;
    }
    m_maskEdit->SetText(Mask().rightJustified(HexDigits, QLatin1Char('0')));
    m_resultEdit->SetText(Result().rightJustified(HexDigits, QLatin1Char('0')));
    accept();
}
