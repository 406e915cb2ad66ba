#include "editors/form_rc_record.h"

#include "editors/editor_widgets.h"
#include "terminal_model/ext_ini_file.h"
#include "widgets/dialog_buttons.h"
#include "widgets/field_type_combo_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormRcRecord::TFormRcRecord(TPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
{
    Build();
    setWindowTitle(tr("Add new return code"));
    m_buttonOk->setEnabled(false);
}

TFormRcRecord::TFormRcRecord(const QString &number, const QString &description, TPrompts &prompts,
                             QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
{
    Build();
    setWindowTitle(tr("Modify return code"));
    m_numberEdit->SetText(number);
    m_descriptionEdit->setText(description);
    m_buttonOk->setEnabled(true);
}

void TFormRcRecord::Build()
{
    setObjectName(QStringLiteral("FormRcRecord"));

    m_numberEdit = new TFieldTypeComboBox(this);
    m_numberEdit->setObjectName(QStringLiteral("EditNumber"));
    m_numberEdit->setToolTip(tr("Enter return code number"));
    m_numberEdit->SetStyle(TFieldTypeComboBox::csSimple);
    m_numberEdit->SetFieldType(ftdNumerical);
    m_numberEdit->SetMaxLength(MaxDigits);
    m_descriptionEdit = new QLineEdit(this);
    m_descriptionEdit->setObjectName(QStringLiteral("EditDescription"));
    m_descriptionEdit->setMaxLength(TExtIniFile::MaxValueLength);
    m_descriptionEdit->setMinimumWidth(320);

    m_buttonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), tr("&Ok"), tr("Accept data"),
                                       this);
    m_buttonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), tr("&Cancel"), QString(), this);
    // Enter confirms what was typed, as in the program's other dialogs.
    TDialogButtons::SetDefault(this, m_buttonOk);

    auto *layout = new QGridLayout(this);
    layout->addWidget(EditorWidgets::Label(tr("&Return code number"), m_numberEdit, this), 0, 0);
    layout->addWidget(m_numberEdit, 0, 1);
    layout->addWidget(EditorWidgets::Label(tr("&Description text"), m_descriptionEdit, this), 1, 0);
    layout->addWidget(m_descriptionEdit, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOk);
    buttons->addWidget(m_buttonCancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_numberEdit, &TFieldTypeComboBox::Changed, this, &TFormRcRecord::UpdateOkButton);
    connect(m_descriptionEdit, &QLineEdit::textEdited, this, &TFormRcRecord::UpdateOkButton);
    connect(m_buttonOk, &QPushButton::clicked, this, &TFormRcRecord::AcceptIfValid);
    connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFormRcRecord::Number() const
{
    return m_numberEdit->GetText();
}

QString TFormRcRecord::Description() const
{
    return m_descriptionEdit->text();
}

void TFormRcRecord::UpdateOkButton()
{
    m_buttonOk->setEnabled(!Number().isEmpty() && !Description().isEmpty());
}

void TFormRcRecord::SetNumberCheck(const TNumberCheck &check)
{
    m_numberCheck = check;
}

void TFormRcRecord::AcceptIfValid()
{
    const QString refusal = m_numberCheck ? m_numberCheck(Number()) : QString();
    if (!refusal.isEmpty()) {
        EditorWidgets::Refuse(m_prompts, this, m_numberEdit, refusal);
        return;
    }
    accept();
}
