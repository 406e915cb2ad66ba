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
    , FPrompts(prompts)
{
    Build();
    setWindowTitle(QStringLiteral("Add new return code"));
    ButtonOk->setEnabled(false);
}

TFormRcRecord::TFormRcRecord(const QString &number, const QString &description, TPrompts &prompts,
                             QWidget *parent)
    : QDialog(parent)
    , FPrompts(prompts)
{
    Build();
    setWindowTitle(QStringLiteral("Modify return code"));
    EditNumber->SetText(number);
    EditDescription->setText(description);
    ButtonOk->setEnabled(true);
}

void TFormRcRecord::Build()
{
    setObjectName(QStringLiteral("FormRcRecord"));

    EditNumber = new TFieldTypeComboBox(this);
    EditNumber->setObjectName(QStringLiteral("EditNumber"));
    EditNumber->setToolTip(QStringLiteral("Enter return code number"));
    EditNumber->SetStyle(TFieldTypeComboBox::csSimple);
    EditNumber->SetFieldType(ftdNumerical);
    EditNumber->SetMaxLength(MaxDigits);
    EditDescription = new QLineEdit(this);
    EditDescription->setObjectName(QStringLiteral("EditDescription"));
    EditDescription->setMaxLength(TExtIniFile::MaxValueLength);
    EditDescription->setMinimumWidth(320);

    ButtonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), QStringLiteral("&Ok"), QStringLiteral("Accept data"),
                                     this);
    ButtonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), QStringLiteral("&Cancel"), QString(), this);
    // Enter confirms what was typed, as in the program's other dialogs.
    TDialogButtons::SetDefault(this, ButtonOk);

    auto *layout = new QGridLayout(this);
    layout->addWidget(EditorWidgets::Label(QStringLiteral("&Return code number"), EditNumber, this), 0, 0);
    layout->addWidget(EditNumber, 0, 1);
    layout->addWidget(EditorWidgets::Label(QStringLiteral("&Description text"), EditDescription, this), 1, 0);
    layout->addWidget(EditDescription, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(EditNumber, &TFieldTypeComboBox::Changed, this, &TFormRcRecord::InputChange);
    connect(EditDescription, &QLineEdit::textEdited, this, &TFormRcRecord::InputChange);
    connect(ButtonOk, &QPushButton::clicked, this, &TFormRcRecord::ButtonOkClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFormRcRecord::Number() const
{
    return EditNumber->GetText();
}

QString TFormRcRecord::Description() const
{
    return EditDescription->text();
}

void TFormRcRecord::InputChange()
{
    ButtonOk->setEnabled(!Number().isEmpty() && !Description().isEmpty());
}

void TFormRcRecord::SetNumberCheck(const TNumberCheck &check)
{
    FNumberCheck = check;
}

void TFormRcRecord::ButtonOkClick()
{
    const QString refusal = FNumberCheck ? FNumberCheck(Number()) : QString();
    if (!refusal.isEmpty()) {
        EditorWidgets::Refuse(FPrompts, this, EditNumber, refusal);
        return;
    }
    accept();
}
