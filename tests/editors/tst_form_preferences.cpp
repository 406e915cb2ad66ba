#include "editors/apply_preferences.h"
#include "editors/color_box.h"
#include "editors/form_preferences.h"
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
    settings.DPort = QStringLiteral("ttyACM9");
    TFormPreferences dialog(settings, m_prompts, {"ttyUSB0", "ttyS0", "COM2"});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("System preferences"));
    QCOMPARE(Child<QTabWidget>(&dialog, "PageControl")->currentIndex(), 0);
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxProtocol")->currentText(), QStringLiteral("Extended"));
    auto *hostPort = Child<QComboBox>(&dialog, "ComboBoxHostPort");
    QCOMPARE(hostPort->currentText(), QStringLiteral("Com3"));
    QStringList ports;
    for (int i = 0; i < hostPort->count(); ++i)
        ports << hostPort->itemText(i);
    QCOMPARE(ports, QStringList({"Com1", "Com2", "Com3", "Com4", "ttyUSB0", "ttyS0"}));
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxHostBaud")->currentText(), QStringLiteral("38400"));
    // An adapter that is unplugged now stays chosen.
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxFiscalPort")->currentText(), QStringLiteral("ttyACM9"));
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
    settings.DPort = QStringLiteral("ttyUSB0");
    TFormPreferences dialog(settings, m_prompts, {"ttyUSB0"});
    Choose(Child<QComboBox>(&dialog, "ComboBoxProtocol"), "Compatible");
    Choose(Child<QComboBox>(&dialog, "ComboBoxHostPort"), "ttyUSB0");
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
    QCOMPARE(settings.HPort, QStringLiteral("ttyUSB0"));
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
