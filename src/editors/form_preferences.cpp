#include "editors/form_preferences.h"

#include "editors/color_box.h"
#include "editors/editor_widgets.h"
#include "editors/time_out_edit.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/settings.h"
#include "widgets/dialog_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QComboBox *List(const QString &name, const QString &hint, const QStringList &items, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setToolTip(hint);
    list->addItems(items);
    return list;
}

QWidget *Page(QTabWidget *tabs, const QString &caption, const QString &hint, QFormLayout *&form)
{
    auto *page = new QWidget(tabs);
    form = new QFormLayout(page);
    const int index = tabs->addTab(page, caption);
    tabs->setTabToolTip(index, hint);
    return page;
}

void AddRow(QFormLayout *form, const QString &caption, QWidget *input)
{
    form->addRow(EditorWidgets::Label(caption, input, form->parentWidget()), input);
}

void SelectIndex(QComboBox *list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : 0);
}

} // namespace

const QString TFormPreferences::NoTimeOutNote =
    QStringLiteral("0: no time-out, the answer is awaited until Cancel or Reset serial ports");

const QStringList TFormPreferences::ComPorts = {QStringLiteral("Com1"), QStringLiteral("Com2"),
                                                QStringLiteral("Com3"), QStringLiteral("Com4")};

TFormPreferences::TFormPreferences(TSettings &settings, TPrompts &prompts, const QStringList &systemPorts,
                                   QWidget *parent)
    : QDialog(parent)
    , FSettings(settings)
    , FPrompts(prompts)
{
    Build(systemPorts);
    FormCreate();
}

TFormPreferences::~TFormPreferences()
{
    // Hiding the dialog in QDialog's destructor takes the focus from the
    // time-out box, which corrects its text: that change must not reach
    // this dialog's handler, already destroyed by then.
    disconnect(SpinEditTimeOut, nullptr, this, nullptr);
}

QStringList TFormPreferences::AvailablePorts()
{
    QStringList names;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts())
        names.append(port.portName());
    names.sort();
    return names;
}

QComboBox *TFormPreferences::PortList(const QString &name, const QString &hint, const QStringList &systemPorts)
{
    QComboBox *list = List(name, hint, ComPorts, this);
    for (const QString &port : systemPorts)
        if (!port.isEmpty() && !ComPorts.contains(port, Qt::CaseInsensitive) && list->findText(port) < 0)
            list->addItem(port);
    return list;
}

void TFormPreferences::Build(const QStringList &systemPorts)
{
    setObjectName(QStringLiteral("FormPreferences"));
    setWindowTitle(QStringLiteral("System preferences"));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    QFormLayout *form = nullptr;

    Page(PageControl, QStringLiteral("&Host port"), QStringLiteral("Select Host related preferences"), form);
    ComboBoxProtocol = List(QStringLiteral("ComboBoxProtocol"), QStringLiteral("Select protocol type"),
                            {QStringLiteral("Compatible"), QStringLiteral("Extended")}, this);
    ComboBoxHostPort = PortList(QStringLiteral("ComboBoxHostPort"), QStringLiteral("Select Comm port"), systemPorts);
    ComboBoxHostBaud = List(QStringLiteral("ComboBoxHostBaud"), QStringLiteral("Select baud rate port"),
                            {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                             QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400")},
                            this);
    AddRow(form, QStringLiteral("&Protocol"), ComboBoxProtocol);
    AddRow(form, QStringLiteral("Co&mm port"), ComboBoxHostPort);
    AddRow(form, QStringLiteral("&Baud rate"), ComboBoxHostBaud);

    Page(PageControl, QStringLiteral("&Fiscal port"), QStringLiteral("Fiscal related preferences"), form);
    ComboBoxFiscalPort = PortList(QStringLiteral("ComboBoxFiscalPort"), QStringLiteral("Select comm port"),
                                  systemPorts);
    SpinEditTimeOut = new TTimeOutEdit(this);
    SpinEditTimeOut->setObjectName(QStringLiteral("SpinEditTimeOut"));
    SpinEditTimeOut->setToolTip(QStringLiteral("Enter communications time-out in ms. Zero indicate infinite."));
    LabelTimeOutNote = new QLabel(this);
    LabelTimeOutNote->setObjectName(QStringLiteral("LabelTimeOutNote"));
    // The note's room is kept while it is empty, so the page does not jump.
    LabelTimeOutNote->setMinimumWidth(LabelTimeOutNote->fontMetrics().horizontalAdvance(NoTimeOutNote));
    AddRow(form, QStringLiteral("Co&mm port"), ComboBoxFiscalPort);
    AddRow(form, QStringLiteral("&Time out in ms"), SpinEditTimeOut);
    form->addRow(QString(), LabelTimeOutNote);

    Page(PageControl, QStringLiteral("&Log"), QStringLiteral("Log related preferences"), form);
    ColorBoxHost = new TColorBox(FPrompts, this);
    ColorBoxHost->setObjectName(QStringLiteral("ColorBoxHost"));
    ColorBoxHost->setToolTip(QStringLiteral("Select Host frame color"));
    ColorBoxPrinter = new TColorBox(FPrompts, this);
    ColorBoxPrinter->setObjectName(QStringLiteral("ColorBoxPrinter"));
    ColorBoxPrinter->setToolTip(QStringLiteral("Select Fiscal printer frame color"));
    ColorBoxFiscal = new TColorBox(FPrompts, this);
    ColorBoxFiscal->setObjectName(QStringLiteral("ColorBoxFiscal"));
    ColorBoxFiscal->setToolTip(QStringLiteral("Select Fiscal frame color"));
    CheckBoxLowLevel = new QCheckBox(QStringLiteral("Lo&w level log"), this);
    CheckBoxLowLevel->setObjectName(QStringLiteral("CheckBoxLowLevel"));
    CheckBoxLowLevel->setToolTip(QStringLiteral("Enable low level communications log"));
    AddRow(form, QStringLiteral("&Host frame color"), ColorBoxHost);
    AddRow(form, QStringLiteral("&Fiscal printer frame color"), ColorBoxPrinter);
    AddRow(form, QStringLiteral("&Fiscal frame color"), ColorBoxFiscal);
    form->addRow(CheckBoxLowLevel);

    Page(PageControl, QStringLiteral("O&ther"), QStringLiteral("Miscellaneous related preferences"), form);
    QStringList formats;
    for (int index = 0; index < TFieldConversion::DateFormatCount; ++index)
        formats.append(TFieldConversion::DateFormatLayout(index));
    ComboBoxLanguage = List(QStringLiteral("ComboBoxLanguage"), QStringLiteral("Select application language"),
                            {QStringLiteral("English"), QStringLiteral("Spanish")}, this);
    ComboBoxInputDateFormat = List(QStringLiteral("ComboBoxInputDateFormat"),
                                   QStringLiteral("Select inputs fields date format"), formats, this);
    ComboBoxOutputDateFormat = List(QStringLiteral("ComboBoxOutputDateFormat"),
                                    QStringLiteral("Select input fields date format"), formats, this);
    CheckBoxReservedFields = new QCheckBox(QStringLiteral("&Show reserved fields"), this);
    CheckBoxReservedFields->setObjectName(QStringLiteral("CheckBoxReservedFields"));
    CheckBoxReservedFields->setToolTip(QStringLiteral("Show reserved fields in extended protocol"));
    AddRow(form, QStringLiteral("&Language"), ComboBoxLanguage);
    AddRow(form, QStringLiteral("&Input date format"), ComboBoxInputDateFormat);
    AddRow(form, QStringLiteral("&Output date format"), ComboBoxOutputDateFormat);
    form->addRow(CheckBoxReservedFields);

    ButtonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), QStringLiteral("&Ok"), QString(), this);
    ButtonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), QStringLiteral("&Cancel"), QString(), this);
    // Enter keeps what was changed, as in the program's other dialogs.
    TDialogButtons::SetDefault(this, ButtonOk);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ButtonOk, &QPushButton::clicked, this, &TFormPreferences::ButtonOkClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormPreferences::ButtonCancelClick);
    connect(SpinEditTimeOut, &TTimeOutEdit::TextChanged, this, &TFormPreferences::TimeOutChange);
}

void TFormPreferences::SelectPort(QComboBox *list, int index, const QString &device)
{
    if (device.isEmpty()) {
        SelectIndex(list, index);
        return;
    }
    // An adapter that is not plugged in now stays chosen.
    if (list->findText(device) < 0)
        list->addItem(device);
    list->setCurrentIndex(list->findText(device));
}

void TFormPreferences::ReadPort(const QComboBox *list, quint8 &index, QString &device)
{
    const int chosen = list->currentIndex();
    if (chosen >= 0 && chosen < ComPorts.size()) {
        index = quint8(chosen);
        device.clear();
    } else {
        device = list->currentText();
    }
}

void TFormPreferences::FormCreate()
{
    PageControl->setCurrentIndex(0);
    SelectIndex(ComboBoxProtocol, FSettings.Protocol);
    SelectPort(ComboBoxHostPort, FSettings.HComm, FSettings.HPort);
    SelectIndex(ComboBoxHostBaud, FSettings.HBaud);
    SelectPort(ComboBoxFiscalPort, FSettings.DComm, FSettings.DPort);
    SpinEditTimeOut->SetValue(FSettings.DTimeOut);
    TimeOutChange();
    ColorBoxHost->SetColor(FSettings.HostColor);
    ColorBoxPrinter->SetColor(FSettings.FPColor);
    ColorBoxFiscal->SetColor(FSettings.DGIColor);
    CheckBoxLowLevel->setChecked(FSettings.LowLevel);
    SelectIndex(ComboBoxLanguage, FSettings.Language);
    SelectIndex(ComboBoxInputDateFormat, FSettings.InputDateFormat);
    SelectIndex(ComboBoxOutputDateFormat, FSettings.OutputDateFormat);
    CheckBoxReservedFields->setChecked(FSettings.ExtReservedFields);
}

void TFormPreferences::ButtonOkClick()
{
    // OK chosen by its accelerator leaves the focus in the time-out box,
    // whose text is then still uncorrected.
    SpinEditTimeOut->Correct();
    FSettings.HostColor = ColorBoxHost->Color();
    FSettings.FPColor = ColorBoxPrinter->Color();
    FSettings.DGIColor = ColorBoxFiscal->Color();
    FSettings.LowLevel = CheckBoxLowLevel->isChecked();
    FSettings.ExtReservedFields = CheckBoxReservedFields->isChecked();
    ReadPort(ComboBoxHostPort, FSettings.HComm, FSettings.HPort);
    FSettings.HBaud = quint8(ComboBoxHostBaud->currentIndex());
    ReadPort(ComboBoxFiscalPort, FSettings.DComm, FSettings.DPort);
    FSettings.DTimeOut = SpinEditTimeOut->Value();
    FSettings.Language = quint8(ComboBoxLanguage->currentIndex());
    FSettings.Protocol = quint8(ComboBoxProtocol->currentIndex());
    FSettings.OutputDateFormat = quint8(ComboBoxOutputDateFormat->currentIndex());
    FSettings.InputDateFormat = quint8(ComboBoxInputDateFormat->currentIndex());
    accept();
}

void TFormPreferences::TimeOutChange()
{
    LabelTimeOutNote->setText(SpinEditTimeOut->Value() == 0 ? NoTimeOutNote : QString());
}

void TFormPreferences::ButtonCancelClick()
{
    reject();
}
