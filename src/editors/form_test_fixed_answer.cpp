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
    setWindowTitle(tr("Test fixed answers"));

    m_fiscalEdit =
        HexInput(QStringLiteral("EditFiscal"), tr("Input hexadecimal fiscal answer value"), this);
    m_printerEdit = HexInput(QStringLiteral("EditPrinter"), tr("Input hexadecimal printer answer value"),
                             this);
    m_buttonTest = EditorWidgets::Button(QStringLiteral("ButtonTest"), tr("&Test"), QString(), this);
    m_buttonTest->setEnabled(false);
    m_buttonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), tr("&Cancel"), QString(), this);
    TDialogButtons::SetDefault(this, m_buttonTest);

    auto *layout = new QGridLayout(this);
    layout->addWidget(EditorWidgets::Label(tr("&Fiscal"), m_fiscalEdit, this), 0, 0);
    layout->addWidget(m_fiscalEdit, 0, 1);
    layout->addWidget(EditorWidgets::Label(tr("&Printer"), m_printerEdit, this), 1, 0);
    layout->addWidget(m_printerEdit, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonTest);
    buttons->addWidget(m_buttonCancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_fiscalEdit, &TFieldTypeComboBox::Changed, this, &TFormTestFixedAnswer::UpdateTestButton);
    connect(m_printerEdit, &TFieldTypeComboBox::Changed, this, &TFormTestFixedAnswer::UpdateTestButton);
    connect(m_buttonTest, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

quint16 TFormTestFixedAnswer::FiscalStatus() const
{
    return Word(m_fiscalEdit);
}

quint16 TFormTestFixedAnswer::PrinterStatus() const
{
    return Word(m_printerEdit);
}

void TFormTestFixedAnswer::UpdateTestButton()
{
    m_buttonTest->setEnabled(!m_fiscalEdit->GetText().isEmpty() && !m_printerEdit->GetText().isEmpty());
}
