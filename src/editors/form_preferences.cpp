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
    QStringLiteral(QT_TRANSLATE_NOOP("TFormPreferences", "0: no time-out, the answer is awaited until Cancel or Reset serial ports"));

TFormPreferences::TFormPreferences(TSettings &settings, TPrompts &prompts, const TPortComboBox::TSource &devices,
                                   QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_prompts(prompts)
{
    Build(devices);
    LoadSettings();
}

TFormPreferences::~TFormPreferences()
{
    // Hiding the dialog in QDialog's destructor takes the focus from the
    // time-out box, which corrects its text: that change must not reach
    // this dialog's handler, already destroyed by then.
    disconnect(m_timeOutEdit, nullptr, this, nullptr);
}

void TFormPreferences::Build(const TPortComboBox::TSource &devices)
{
    setObjectName(QStringLiteral("FormPreferences"));
    setWindowTitle(tr("System preferences"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    QFormLayout *form = nullptr;

    Page(m_pages, tr("&Host port"), tr("Select Host related preferences"), form);
    m_protocolBox = List(QStringLiteral("ComboBoxProtocol"), tr("Select protocol type"),
                         {tr("Compatible"), tr("Extended")}, this);
    m_hostPortBox = new TPortComboBox(devices, tr("Select Comm port"), this);
    m_hostPortBox->setObjectName(QStringLiteral("ComboBoxHostPort"));
    m_hostBaudBox = List(QStringLiteral("ComboBoxHostBaud"), tr("Select baud rate port"),
                         {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                          QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400")},
                         this);
    AddRow(form, tr("&Protocol"), m_protocolBox);
    AddRow(form, tr("Co&mm port"), m_hostPortBox);
    AddRow(form, tr("&Baud rate"), m_hostBaudBox);

    Page(m_pages, tr("&Fiscal port"), tr("Fiscal related preferences"), form);
    m_fiscalPortBox = new TPortComboBox(devices, tr("Select comm port"), this);
    m_fiscalPortBox->setObjectName(QStringLiteral("ComboBoxFiscalPort"));
    m_timeOutEdit = new TTimeOutEdit(this);
    m_timeOutEdit->setObjectName(QStringLiteral("SpinEditTimeOut"));
    m_timeOutEdit->setToolTip(tr("Enter communications time-out in ms. Zero indicate infinite."));
    m_timeOutNote = new QLabel(this);
    m_timeOutNote->setObjectName(QStringLiteral("LabelTimeOutNote"));
    // The note's room is kept while it is empty, so the page does not jump.
    m_timeOutNote->setMinimumWidth(m_timeOutNote->fontMetrics().horizontalAdvance(tr(NoTimeOutNote.toUtf8().constData())));
    AddRow(form, tr("Comm po&rt"), m_fiscalPortBox);
    AddRow(form, tr("Tim&e out in ms"), m_timeOutEdit);
    form->addRow(QString(), m_timeOutNote);

    Page(m_pages, tr("&Log"), tr("Log related preferences"), form);
    m_hostColorBox = new TColorBox(m_prompts, this);
    m_hostColorBox->setObjectName(QStringLiteral("ColorBoxHost"));
    m_hostColorBox->setToolTip(tr("Select Host frame color"));
    m_printerColorBox = new TColorBox(m_prompts, this);
    m_printerColorBox->setObjectName(QStringLiteral("ColorBoxPrinter"));
    m_printerColorBox->setToolTip(tr("Select Fiscal printer frame color"));
    m_fiscalColorBox = new TColorBox(m_prompts, this);
    m_fiscalColorBox->setObjectName(QStringLiteral("ColorBoxFiscal"));
    m_fiscalColorBox->setToolTip(tr("Select Fiscal frame color"));
    m_lowLevelCheck = new QCheckBox(tr("Lo&w level log"), this);
    m_lowLevelCheck->setObjectName(QStringLiteral("CheckBoxLowLevel"));
    m_lowLevelCheck->setToolTip(tr("Enable low level communications log"));
    AddRow(form, tr("Host fr&ame color"), m_hostColorBox);
    AddRow(form, tr("Fiscal pri&nter frame color"), m_printerColorBox);
    AddRow(form, tr("F&iscal frame color"), m_fiscalColorBox);
    form->addRow(m_lowLevelCheck);
    m_timeShownCheck = new QCheckBox(tr("Show the time of each entr&y"), this);
    m_timeShownCheck->setObjectName(QStringLiteral("CheckBoxLogTimeShown"));
    m_timeShownCheck->setToolTip(tr("Show the time column in the log window"));
    m_fileTimeStampsCheck = new QCheckBox(tr("Mar&k each log file line with its time"), this);
    m_fileTimeStampsCheck->setObjectName(QStringLiteral("CheckBoxLogFileTimeStamps"));
    m_fileTimeStampsCheck->setToolTip(tr("Start every line of the log file with the time of its event"));
    form->addRow(m_timeShownCheck);
    form->addRow(m_fileTimeStampsCheck);

    Page(m_pages, tr("O&ther"), tr("Miscellaneous related preferences"), form);
    QStringList formats;
    for (int index = 0; index < TFieldConversion::DateFormatCount; ++index)
        formats.append(TFieldConversion::DateFormatLayout(index));
    m_languageBox = List(QStringLiteral("ComboBoxLanguage"), tr("Select application language"),
                         {tr("English"), tr("Spanish")}, this);
    m_inputDateFormatBox = List(QStringLiteral("ComboBoxInputDateFormat"),
                                tr("Select inputs fields date format"), formats, this);
    m_outputDateFormatBox = List(QStringLiteral("ComboBoxOutputDateFormat"),
                                 tr("Select input fields date format"), formats, this);
    m_reservedFieldsCheck = new QCheckBox(tr("&Show reserved fields"), this);
    m_reservedFieldsCheck->setObjectName(QStringLiteral("CheckBoxReservedFields"));
    m_reservedFieldsCheck->setToolTip(tr("Show reserved fields in extended protocol"));
    AddRow(form, tr("Lan&guage"), m_languageBox);
    AddRow(form, tr("Input &date format"), m_inputDateFormatBox);
    AddRow(form, tr("O&utput date format"), m_outputDateFormatBox);
    form->addRow(m_reservedFieldsCheck);

    m_buttonOk = EditorWidgets::Button(QStringLiteral("ButtonOk"), tr("&Ok"), QString(), this);
    m_buttonCancel = EditorWidgets::Button(QStringLiteral("ButtonCancel"), tr("&Cancel"), QString(), this);
    // Enter keeps what was changed, as in the program's other dialogs.
    TDialogButtons::SetDefault(this, m_buttonOk);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOk);
    buttons->addWidget(m_buttonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_buttonOk, &QPushButton::clicked, this, &TFormPreferences::StoreAndAccept);
    connect(m_buttonCancel, &QPushButton::clicked, this, &TFormPreferences::Cancel);
    connect(m_timeOutEdit, &TTimeOutEdit::TextChanged, this, &TFormPreferences::UpdateTimeOutNote);
}

void TFormPreferences::LoadSettings()
{
    m_pages->setCurrentIndex(0);
    SelectIndex(m_protocolBox, m_settings.Protocol);
    m_hostPortBox->Select(m_settings.HComm, m_settings.HPort);
    SelectIndex(m_hostBaudBox, m_settings.HBaud);
    m_fiscalPortBox->Select(m_settings.DComm, m_settings.DPort);
    m_timeOutEdit->SetValue(m_settings.DTimeOut);
    UpdateTimeOutNote();
    m_hostColorBox->SetColor(m_settings.HostColor);
    m_printerColorBox->SetColor(m_settings.FPColor);
    m_fiscalColorBox->SetColor(m_settings.DGIColor);
    m_lowLevelCheck->setChecked(m_settings.LowLevel);
    m_timeShownCheck->setChecked(m_settings.LogTimeShown);
    m_fileTimeStampsCheck->setChecked(m_settings.LogFileTimeStamps);
    SelectIndex(m_languageBox, m_settings.Language);
    SelectIndex(m_inputDateFormatBox, m_settings.InputDateFormat);
    SelectIndex(m_outputDateFormatBox, m_settings.OutputDateFormat);
    m_reservedFieldsCheck->setChecked(m_settings.ExtReservedFields);
}

void TFormPreferences::StoreAndAccept()
{
    // OK chosen by its accelerator leaves the focus in the time-out box,
    // whose text is then still uncorrected.
    m_timeOutEdit->Correct();
    m_settings.HostColor = m_hostColorBox->Color();
    m_settings.FPColor = m_printerColorBox->Color();
    m_settings.DGIColor = m_fiscalColorBox->Color();
    m_settings.LowLevel = m_lowLevelCheck->isChecked();
    m_settings.LogTimeShown = m_timeShownCheck->isChecked();
    m_settings.LogFileTimeStamps = m_fileTimeStampsCheck->isChecked();
    m_settings.ExtReservedFields = m_reservedFieldsCheck->isChecked();
    m_hostPortBox->Read(m_settings.HComm, m_settings.HPort);
    m_settings.HBaud = quint8(m_hostBaudBox->currentIndex());
    m_fiscalPortBox->Read(m_settings.DComm, m_settings.DPort);
    m_settings.DTimeOut = m_timeOutEdit->Value();
    m_settings.Language = quint8(m_languageBox->currentIndex());
    m_settings.Protocol = quint8(m_protocolBox->currentIndex());
    m_settings.OutputDateFormat = quint8(m_outputDateFormatBox->currentIndex());
    m_settings.InputDateFormat = quint8(m_inputDateFormatBox->currentIndex());
    accept();
}

void TFormPreferences::UpdateTimeOutNote()
{
    m_timeOutNote->setText(m_timeOutEdit->Value() == 0 ? tr(NoTimeOutNote.toUtf8().constData()) : QString());
}

void TFormPreferences::Cancel()
{
    reject();
}
