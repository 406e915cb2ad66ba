#include "editors/apply_preferences.h"
#include "editors/color_box.h"
#include "editors/form_preferences.h"
#include "editors/port_combo_box.h"
#include "editors/time_out_edit.h"
#include "support_editors.h"
#include "terminal_model/settings.h"
#include "widgets/system_colors.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace EditorTest;

namespace {

TSettings Sample()
{
    TSettings settings;
    settings.Protocol = 1;
    settings.HComm = 2;
    settings.HBaud = 5;
    settings.DComm = 3;
    settings.DTimeOut = 2500;
    settings.HostColor = 0x0000FF;
    settings.FPColor = 0x123456;
    settings.LowLevel = true;
    settings.LogFileTimeStamps = true;
    settings.Language = 1;
    settings.InputDateFormat = 7;
    settings.OutputDateFormat = 2;
    settings.File = QStringLiteral("/tmp/x.tsy");
    return settings;
}

const QString FtdiById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
const QString FtdiLabel = QString::fromUtf8("/dev/ttyUSB0 — FT232R USB UART (FTDI, serial A50285BI)");

// An adapter with its by-id link and an on-board port the system knows nothing about.
QList<TSerialDevices::TDevice> Devices()
{
    TSerialDevices::TDevice adapter;
    adapter.SystemPath = QStringLiteral("/dev/ttyUSB0");
    adapter.ById = FtdiById;
    adapter.Description = QStringLiteral("FT232R USB UART");
    adapter.Manufacturer = QStringLiteral("FTDI");
    adapter.SerialNumber = QStringLiteral("A50285BI");
    TSerialDevices::TDevice onBoard;
    onBoard.SystemPath = QStringLiteral("/dev/ttyS0");
    return {onBoard, adapter};
}

TPortComboBox::TSource Source(const QList<TSerialDevices::TDevice> &devices = Devices())
{
    return [devices] { return devices; };
}

QStringList Items(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// The user replaces the text of an editable list by typing.
void TypeInto(QComboBox *list, const QString &text)
{
    QLineEdit *edit = list->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Records the calls of the apply sequence in order.
struct TRecorder
{
    QStringList Calls;
    bool Closed = false;
    bool OpenSucceeds = true;
    bool FileOpen = true;

    TApplyPreferences::TTargets Targets()
    {
        TApplyPreferences::TTargets targets;
        targets.HostPortClosed = [this] { return Closed; };
        targets.CloseHostPort = [this] { Calls << "close host"; };
        targets.OpenHostPort = [this] { Calls << "open host"; return OpenSucceeds; };
        targets.SetProtocol = [this](int protocol) { Calls << QStringLiteral("protocol %1").arg(protocol); };
        targets.TerminalFileOpen = [this] { return FileOpen; };
        targets.EnableEditReturnCodes = [this](bool on) { Calls << (on ? "rc on" : "rc off"); };
        targets.ReopenFiscalPort = [this] { Calls << "reopen fiscal"; };
        targets.NotifyLogWindow = [this] { Calls << "log"; };
        targets.SetStatusText = [this](const QString &text) { Calls << "panel " + text; };
        targets.UpdatePortPanels = [this] { Calls << "panels"; };
        return targets;
    }
};

} // namespace

class TstFormPreferences : public QObject
{
    Q_OBJECT

private slots:
    void controlsShowSettings();
    void okCopiesBack();
    void portStored_data();
    void portStored();
    void storedPortShown_data();
    void storedPortShown();
    void typedPathAcceptedByEnter();
    void devicesReadAgainOnDropDown();
    void deviceDetailsInToolTip();
    void cancelChangesNothing();
    void enterKeepsTypedTimeOut();
    void zeroTimeOutExplained_data();
    void zeroTimeOutExplained();
    void colourListsShowSwatches();
    void timeOutCorrected_data();
    void timeOutCorrected();
    void timeOutCorrectedBeforeAcceleratorOk();
    void timeOutSteps();
    void applySequence_data();
    void applySequence();

private:
    TDialogScript m_prompts;
};

void TstFormPreferences::controlsShowSettings()
{
    TSettings settings = Sample();
    settings.DPort = QStringLiteral("/dev/ttyACM9");
    TFormPreferences dialog(settings, m_prompts, Source());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("System preferences"));
    QCOMPARE(Child<QTabWidget>(&dialog, "PageControl")->currentIndex(), 0);
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxProtocol")->currentText(), QStringLiteral("Extended"));
    auto *hostPort = Child<QComboBox>(&dialog, "ComboBoxHostPort");
    QCOMPARE(hostPort->currentText(), QStringLiteral("Com3"));
    QCOMPARE(Items(hostPort), QStringList({"Com1", "Com2", "Com3", "Com4", "/dev/ttyS0", FtdiLabel}));
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxHostBaud")->currentText(), QStringLiteral("38400"));
    // An adapter that is unplugged now stays chosen.
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxFiscalPort")->currentText(), QStringLiteral("/dev/ttyACM9"));
    QCOMPARE(Child<TTimeOutEdit>(&dialog, "SpinEditTimeOut")->Value(), 2500);
    QCOMPARE(Child<TColorBox>(&dialog, "ColorBoxHost")->currentText(), QStringLiteral("clRed"));
    QCOMPARE(Child<TColorBox>(&dialog, "ColorBoxPrinter")->currentText(), QStringLiteral("$00123456"));
    QVERIFY(Child<QCheckBox>(&dialog, "CheckBoxLowLevel")->isChecked());
    QVERIFY(Child<QCheckBox>(&dialog, "CheckBoxLogTimeShown")->isChecked());
    QVERIFY(Child<QCheckBox>(&dialog, "CheckBoxLogFileTimeStamps")->isChecked());
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxLanguage")->currentText(), QStringLiteral("Spanish"));
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxInputDateFormat")->currentText(), QStringLiteral("yyyymmdd"));
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxOutputDateFormat")->currentText(), QStringLiteral("mmddyy"));
    QVERIFY(!Child<QCheckBox>(&dialog, "CheckBoxReservedFields")->isChecked());
}

void TstFormPreferences::okCopiesBack()
{
    TSettings settings = Sample();
    settings.DPort = QStringLiteral("/dev/ttyS0");
    TFormPreferences dialog(settings, m_prompts, Source());
    Choose(Child<QComboBox>(&dialog, "ComboBoxProtocol"), "Compatible");
    Choose(Child<QComboBox>(&dialog, "ComboBoxHostPort"), FtdiLabel);
    Choose(Child<QComboBox>(&dialog, "ComboBoxHostBaud"), "1200");
    Choose(Child<QComboBox>(&dialog, "ComboBoxFiscalPort"), "Com2");
    Choose(Child<QComboBox>(&dialog, "ColorBoxFiscal"), "clBlue");
    Child<QCheckBox>(&dialog, "CheckBoxLowLevel")->setChecked(false);
    Child<QCheckBox>(&dialog, "CheckBoxLogTimeShown")->setChecked(false);
    Child<QCheckBox>(&dialog, "CheckBoxLogFileTimeStamps")->setChecked(false);
    Child<QCheckBox>(&dialog, "CheckBoxReservedFields")->setChecked(true);
    Choose(Child<QComboBox>(&dialog, "ComboBoxLanguage"), "English");
    Choose(Child<QComboBox>(&dialog, "ComboBoxInputDateFormat"), "ddmmyy");
    Choose(Child<QComboBox>(&dialog, "ComboBoxOutputDateFormat"), "yyddmm");
    QCOMPARE(Click(&dialog, "ButtonOk"), int(QDialog::Accepted));

    QCOMPARE(settings.Protocol, quint8(0));
    QCOMPARE(settings.HPort, FtdiById);
    QCOMPARE(settings.HComm, quint8(2));
    QCOMPARE(settings.HBaud, quint8(0));
    QCOMPARE(settings.DPort, QString());
    QCOMPARE(settings.DComm, quint8(1));
    QCOMPARE(settings.DGIColor, quint32(0xFF0000));
    QCOMPARE(settings.HostColor, quint32(0x0000FF));
    QVERIFY(!settings.LowLevel);
    QVERIFY(!settings.LogTimeShown);
    QVERIFY(!settings.LogFileTimeStamps);
    QVERIFY(settings.ExtReservedFields);
    QCOMPARE(settings.Language, quint8(0));
    QCOMPARE(settings.InputDateFormat, quint8(0));
    QCOMPARE(settings.OutputDateFormat, quint8(4));
    QCOMPARE(settings.DTimeOut, 2500);
    QCOMPARE(settings.File, QStringLiteral("/tmp/x.tsy"));
}

void TstFormPreferences::portStored_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("comIndex");
    QTest::addColumn<QString>("device");
    // The settings start with Com3 (index 2) and the device /dev/pts/3.
    QTest::newRow("COM choice") << "Com2" << QString() << 1 << QString();
    QTest::newRow("adapter: its by-id link") << FtdiLabel << QString() << 2 << FtdiById;
    QTest::newRow("no link: the system path") << "/dev/ttyS0" << QString() << 2 << "/dev/ttyS0";
    QTest::newRow("stored path kept") << "/dev/pts/3" << QString() << 2 << "/dev/pts/3";
    QTest::newRow("typed pseudo-terminal") << QString() << "/dev/pts/12" << 2 << "/dev/pts/12";
    QTest::newRow("typed system path kept as typed") << QString() << "/dev/ttyUSB0" << 2 << "/dev/ttyUSB0";
    QTest::newRow("typed blanks trimmed") << QString() << " /dev/ttyACM0 " << 2 << "/dev/ttyACM0";
    QTest::newRow("typed COM name") << QString() << "com4" << 3 << QString();
    QTest::newRow("typed path differing in case") << QString() << "/dev/TTYS0" << 2 << "/dev/TTYS0";
    QTest::newRow("emptied: the COM index") << QString() << "" << 2 << QString();
}

// What OK stores in HComm and HPort for what was chosen or typed; the fiscal
// list, the same kind of list, is checked in okCopiesBack.
void TstFormPreferences::portStored()
{
    QFETCH(QString, chosen);
    QFETCH(QString, typed);
    TSettings settings = Sample();
    settings.HPort = QStringLiteral("/dev/pts/3");
    TFormPreferences dialog(settings, m_prompts, Source());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *list = Child<QComboBox>(&dialog, "ComboBoxHostPort");
    if (!chosen.isNull())
        Choose(list, chosen);
    else
        TypeInto(list, typed);
    QCOMPARE(Click(&dialog, "ButtonOk"), int(QDialog::Accepted));
    QTEST(int(settings.HComm), "comIndex");
    QTEST(settings.HPort, "device");
}

void TstFormPreferences::storedPortShown_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("afterOk");
    QTest::addColumn<int>("items");
    QTest::newRow("COM index") << QString() << "Com3" << QString() << 6;
    QTest::newRow("by-id link") << FtdiById << FtdiLabel << FtdiById << 6;
    // A name the window stored before it knew the links moves to the link.
    QTest::newRow("short name of an adapter") << "ttyUSB0" << FtdiLabel << FtdiById << 6;
    QTest::newRow("system path of an adapter") << "/dev/ttyUSB0" << FtdiLabel << FtdiById << 6;
    QTest::newRow("adapter not plugged in") << "/dev/serial/by-id/usb-Gone-if00" << "/dev/serial/by-id/usb-Gone-if00"
                                            << "/dev/serial/by-id/usb-Gone-if00" << 7;
    QTest::newRow("pseudo-terminal") << "/dev/pts/3" << "/dev/pts/3" << "/dev/pts/3" << 7;
}

void TstFormPreferences::storedPortShown()
{
    QFETCH(QString, stored);
    TSettings settings = Sample();
    settings.HPort = stored;
    TFormPreferences dialog(settings, m_prompts, Source());
    auto *list = Child<QComboBox>(&dialog, "ComboBoxHostPort");
    QTEST(list->currentText(), "shown");
    QTEST(list->count(), "items");
    QCOMPARE(Click(&dialog, "ButtonOk"), int(QDialog::Accepted));
    QTEST(settings.HPort, "afterOk");
    QCOMPARE(settings.HComm, quint8(2));
}

// Enter after typing a path ends the dialog with it, and adds nothing to the list.
void TstFormPreferences::typedPathAcceptedByEnter()
{
    TSettings settings = Sample();
    TFormPreferences dialog(settings, m_prompts, Source());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Child<QTabWidget>(&dialog, "PageControl")->setCurrentIndex(1);
    auto *list = Child<QComboBox>(&dialog, "ComboBoxFiscalPort");
    TypeInto(list, "/dev/pts/21");
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.DPort, QStringLiteral("/dev/pts/21"));
    QCOMPARE(list->count(), 6);
}

// An adapter plugged in while the dialog is open shows when the list drops
// down; what was chosen or typed meanwhile stays.
void TstFormPreferences::devicesReadAgainOnDropDown()
{
    QList<TSerialDevices::TDevice> devices = Devices();
    const TSerialDevices::TDevice adapter = devices.takeLast();
    TSettings settings = Sample();
    settings.HPort = QStringLiteral("/dev/pts/3");
    TFormPreferences dialog(settings, m_prompts, [&devices] { return devices; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *host = Child<QComboBox>(&dialog, "ComboBoxHostPort");
    auto *fiscal = Child<QComboBox>(&dialog, "ComboBoxFiscalPort");
    QCOMPARE(Items(host), QStringList({"Com1", "Com2", "Com3", "Com4", "/dev/ttyS0", "/dev/pts/3"}));

    devices.append(adapter);
    host->showPopup();
    QCOMPARE(Items(host), QStringList({"Com1", "Com2", "Com3", "Com4", "/dev/ttyS0", FtdiLabel, "/dev/pts/3"}));
    QCOMPARE(host->currentText(), QStringLiteral("/dev/pts/3"));
    host->hidePopup();

    // A chosen device that goes away stays chosen, by its path.
    Choose(host, "/dev/ttyS0");
    devices.removeFirst();
    host->showPopup();
    host->hidePopup();
    QCOMPARE(Items(host), QStringList({"Com1", "Com2", "Com3", "Com4", FtdiLabel, "/dev/pts/3", "/dev/ttyS0"}));
    QCOMPARE(host->currentText(), QStringLiteral("/dev/ttyS0"));

    Child<QTabWidget>(&dialog, "PageControl")->setCurrentIndex(1);
    TypeInto(fiscal, "/dev/pts/4");
    fiscal->showPopup();
    fiscal->hidePopup();
    QCOMPARE(Items(fiscal), QStringList({"Com1", "Com2", "Com3", "Com4", FtdiLabel}));
    QCOMPARE(fiscal->currentText(), QStringLiteral("/dev/pts/4"));
    QCOMPARE(Click(&dialog, "ButtonOk"), int(QDialog::Accepted));
    QCOMPARE(settings.HPort, QStringLiteral("/dev/ttyS0"));
    QCOMPARE(settings.DPort, QStringLiteral("/dev/pts/4"));
}

void TstFormPreferences::deviceDetailsInToolTip()
{
    TSettings settings = Sample();
    TFormPreferences dialog(settings, m_prompts, Source());
    auto *list = Child<QComboBox>(&dialog, "ComboBoxHostPort");
    QCOMPARE(list->toolTip(), QStringLiteral("Select Comm port"));
    Choose(list, FtdiLabel);
    const QStringList lines = list->toolTip().split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("Select Comm port"));
    QVERIFY(lines.contains(FtdiById));
    QVERIFY(lines.contains("Serial number: A50285BI"));
    QCOMPARE(list->itemData(list->currentIndex(), Qt::ToolTipRole).toString(), Devices().at(1).Details());
}

void TstFormPreferences::cancelChangesNothing()
{
    TSettings settings = Sample();
    TFormPreferences dialog(settings, m_prompts, {});
    Choose(Child<QComboBox>(&dialog, "ComboBoxProtocol"), "Compatible");
    Choose(Child<QComboBox>(&dialog, "ComboBoxHostPort"), "Com1");
    dialog.show();
    QTest::keyClick(Child<QComboBox>(&dialog, "ComboBoxHostPort"), Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    const TSettings unchanged = Sample();
    QCOMPARE(settings.Protocol, unchanged.Protocol);
    QCOMPARE(settings.HComm, unchanged.HComm);
    QCOMPARE(settings.DTimeOut, unchanged.DTimeOut);
}

void TstFormPreferences::enterKeepsTypedTimeOut()
{
    TSettings settings = Sample();
    TFormPreferences dialog(settings, m_prompts, {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Child<QTabWidget>(&dialog, "PageControl")->setCurrentIndex(1);
    auto *edit = Child<TTimeOutEdit>(&dialog, "SpinEditTimeOut");
    edit->setFocus();
    QLineEdit *line = edit->findChild<QLineEdit *>();
    line->selectAll();
    QTest::keyClicks(line, "4000");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.DTimeOut, 4000);
}

void TstFormPreferences::zeroTimeOutExplained_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("explained");
    QTest::newRow("zero stored") << 0 << QString() << true;
    QTest::newRow("zero typed") << 2500 << "0" << true;
    QTest::newRow("emptied, read as zero") << 2500 << "" << true;
    QTest::newRow("a time-out") << 0 << "1500" << false;
}

// 0 is allowed and means no time-out at all: the dialog says so beside it.
void TstFormPreferences::zeroTimeOutExplained()
{
    QFETCH(int, stored);
    QFETCH(QString, typed);
    TSettings settings = Sample();
    settings.DTimeOut = stored;
    TFormPreferences dialog(settings, m_prompts, {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Child<QTabWidget>(&dialog, "PageControl")->setCurrentIndex(1);
    auto *edit = Child<TTimeOutEdit>(&dialog, "SpinEditTimeOut");
    if (!typed.isNull()) {
        edit->setFocus();
        QLineEdit *line = edit->findChild<QLineEdit *>();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, typed);
    }
    auto *note = dialog.findChild<QLabel *>("LabelTimeOutNote");
    QVERIFY(note);
    QVERIFY(note->isVisible());
    QFETCH(bool, explained);
    QCOMPARE(note->text(), explained ? TFormPreferences::NoTimeOutNote : QString());
}

// Every named colour, the desktop's system colours included, shows its
// swatch beside its name.
void TstFormPreferences::colourListsShowSwatches()
{
    TSettings settings = Sample();
    TFormPreferences dialog(settings, m_prompts, {});
    auto *box = Child<TColorBox>(&dialog, "ColorBoxFiscal");
    QStringList wrong;
    for (int index = 0; index < box->count(); ++index) {
        if (box->itemText(index) == TColorBox::CustomItem)
            continue;
        const QImage swatch = box->itemIcon(index).pixmap(TColorBox::SwatchSize).toImage();
        const QColor centre = swatch.pixelColor(swatch.width() / 2, swatch.height() / 2);
        const quint32 color = box->itemData(index).toUInt();
        const QColor expected = TSystemColors::Resolve(color, box->palette());
        const bool right = expected.isValid() ? centre.rgb() == expected.rgb() && centre.alpha() == 255
                                              : centre.alpha() == 0;
        if (!right)
            wrong.append(box->itemText(index));
    }
    QCOMPARE(wrong, QStringList());
}

void TstFormPreferences::timeOutCorrected_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "2500" << 2500;
    QTest::newRow("signed") << "+300" << 300;
    QTest::newRow("negative") << "-5" << 0;
    QTest::newRow("fraction") << "12.5" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("above range") << "99999999999" << 10000000;
}

void TstFormPreferences::timeOutCorrected()
{
    QFETCH(QString, typed);
    QFETCH(int, value);
    TSettings settings = Sample();
    TFormPreferences dialog(settings, m_prompts, {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Child<QTabWidget>(&dialog, "PageControl")->setCurrentIndex(1);
    auto *edit = Child<TTimeOutEdit>(&dialog, "SpinEditTimeOut");
    edit->setFocus();
    QLineEdit *line = edit->findChild<QLineEdit *>();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, typed + "x");
    QCOMPARE(line->text(), typed);
    Child<QComboBox>(&dialog, "ComboBoxFiscalPort")->setFocus();
    QCOMPARE(line->text(), QString::number(value));
}

void TstFormPreferences::timeOutCorrectedBeforeAcceleratorOk()
{
    TSettings settings = Sample();
    TFormPreferences dialog(settings, m_prompts, {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Child<QTabWidget>(&dialog, "PageControl")->setCurrentIndex(1);
    auto *edit = Child<TTimeOutEdit>(&dialog, "SpinEditTimeOut");
    edit->setFocus();
    QLineEdit *line = edit->findChild<QLineEdit *>();
    line->selectAll();
    QTest::keyClicks(line, "20000000");
    QTest::keyClick(&dialog, Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(dialog.result(), int(QDialog::Accepted), 2000);
    QCOMPARE(settings.DTimeOut, TTimeOutEdit::Maximum);
}

void TstFormPreferences::timeOutSteps()
{
    TTimeOutEdit edit;
    edit.SetValue(9999950);
    edit.stepBy(1);
    QCOMPARE(edit.Value(), TTimeOutEdit::Maximum);
    edit.SetValue(50);
    edit.stepBy(-1);
    QCOMPARE(edit.Value(), 0);
    edit.stepBy(3);
    QCOMPARE(edit.Value(), 300);
}

void TstFormPreferences::applySequence_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("hostClosed");
    QTest::addColumn<bool>("openSucceeds");
    QTest::addColumn<bool>("fiscalOpen");
    QTest::addColumn<bool>("fileOpen");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("cancel") << false << false << true << true << true << QStringList{"panels"};
    QTest::newRow("ok, unchanged host port reopened")
        << true << false << true << true << true
        << QStringList{"close host", "open host", "panel Ready", "protocol 1", "rc on", "reopen fiscal", "log", "panels"};
    QTest::newRow("ok, host closed, fiscal closed")
        << true << true << true << false << true
        << QStringList{"open host", "panel Ready", "protocol 1", "rc on", "log", "panels"};
    QTest::newRow("ok, no file")
        << true << true << true << false << false
        << QStringList{"open host", "panel Ready", "protocol 1", "rc off", "panels"};
    QTest::newRow("ok, host fails")
        << true << false << false << false << true
        << QStringList{"close host", "open host", "panel Error", "protocol 1", "rc on", "log", "panels"};
}

void TstFormPreferences::applySequence()
{
    QFETCH(bool, accepted);
    QFETCH(bool, openSucceeds);
    QFETCH(bool, fiscalOpen);
    TSettings settings = Sample();
    settings.HostPortOpen = !openSucceeds;
    settings.FiscalPortOpen = fiscalOpen;
    TRecorder recorder;
    QFETCH(bool, hostClosed);
    QFETCH(bool, fileOpen);
    recorder.Closed = hostClosed;
    recorder.OpenSucceeds = openSucceeds;
    recorder.FileOpen = fileOpen;
    TScriptedPrompts prompts;
    TApplyPreferences::Run(accepted, settings, prompts, nullptr, recorder.Targets());
    QTEST(recorder.Calls, "calls");
    if (accepted)
        QCOMPARE(settings.HostPortOpen, openSucceeds);
    QCOMPARE(prompts.Texts(TScriptedPrompts::KindError),
             accepted && !openSucceeds ? QStringList{TApplyPreferences::HostPortError} : QStringList());
}

QTEST_MAIN(TstFormPreferences)
#include "tst_form_preferences.moc"
