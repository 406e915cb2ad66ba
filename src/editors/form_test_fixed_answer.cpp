#include "editors/form_test_fixed_answer.h"

#include "editors/editor_widgets.h"
#include "widgets/dialog_buttons.h"
#include "widgets/field_type_combo_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

TFieldTypeComboBox *HexInput(const QString &name, const QString &hint, QWidget *parent)
{
    auto *box = new TFieldTypeComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->SetStyle(TFieldTypeComboBox::csSimple);
    box->SetFieldType(ftdHexadecimal);
    box->SetMaxLength(4);
    return box;
}

quint16 Word(const TFieldTypeComboBox *box)
{
    return quint16(box->GetText().toUInt(nullptr, 16));
}

} // namespace

TFormTestFixedAnswer::TFormTestFixedAnswer(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormTestFixedAnswer"));
    setWindowTitle(QStringLiteral("Test fixed answers"));

    EditFiscal = HexInput(QStringLiteral("EditFiscal"), QStringLiteral("Input hexadecimal fiscal answer value"), this);
    EditPrinter = HexInput(QStringLiteral("EditPrinter"), QStringLiteral("Input hexadecimal printer answer value"),
                           this);
    ButtonTest = EditorWidgets::Button(QStringLiteral("ButtonTest"), QStringLiteral("&Test"), QString(), this);
    ButtonTest->setEnabled(false);
    ButtonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), QStringLiteral("&Cancel"), QString(), this);
    TDialogButtons::SetDefault(this, ButtonTest);

    auto *layout = new QGridLayout(this);
    layout->addWidget(EditorWidgets::Label(QStringLiteral("&Fiscal"), EditFiscal, this), 0, 0);
    layout->addWidget(EditFiscal, 0, 1);
    layout->addWidget(EditorWidgets::Label(QStringLiteral("&Printer"), EditPrinter, this), 1, 0);
    layout->addWidget(EditPrinter, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonTest);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(EditFiscal, &TFieldTypeComboBox::Changed, this, &TFormTestFixedAnswer::InputChange);
    connect(EditPrinter, &TFieldTypeComboBox::Changed, this, &TFormTestFixedAnswer::InputChange);
    connect(ButtonTest, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

quint16 TFormTestFixedAnswer::FiscalStatus() const
{
    return Word(EditFiscal);
}

quint16 TFormTestFixedAnswer::PrinterStatus() const
{
    return Word(EditPrinter);
}

void TFormTestFixedAnswer::InputChange()
{
    ButtonTest->setEnabled(!EditFiscal->GetText().isEmpty() && !EditPrinter->GetText().isEmpty());
}
