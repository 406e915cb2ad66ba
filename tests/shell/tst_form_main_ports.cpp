#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "comm/pseudo_terminal.h"
#include "comm/scripted_serial_line.h"
#include "execution/comm_log_formatter.h"
#include "main_window_fixture.h"
#include "shell/form_child_log_window.h"
#include "shell/form_main.h"
#include "sim_process.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "test_files.h"
#include "widgets/field_type_combo_box.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString HostError = QStringLiteral("Error when trying to open the Host port");
const QString FiscalError = QStringLiteral("Error when trying to open the Fiscal port");

using TestFiles::ReadAll;

QString Hex(const QByteArray &bytes)
{
    QString text;
    for (const char c : bytes)
        text += QStringLiteral("%1 ").arg(quint8(c), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

// Prompts that note, when the terminal window reports the fiscal port alive,
// whether the log already holds the ACK that came before it.
class TOrderPrompts : public TScriptedPrompts
{
public:
    void Information(QWidget *parent, const QString &caption, const QString &text) override
    {
        if (Log) {
            Log->FlushEntries();
            // The ACK, and only the time it ended, came before.
            const QByteArray file = ReadAll(Log->LogFilePath());
            const QByteArray rest = file.mid(file.lastIndexOf("FP   --> ACK\r\n"));
            AckLoggedFirst.append(rest.startsWith("FP   --> ACK\r\nTIME --> ") && rest.count("\r\n") == 2);
        }
        TScriptedPrompts::Information(parent, caption, text);
    }

    QPointer<TFormChildLogWindow> Log;
    QList<bool> AckLoggedFirst;
};

} // namespace

class TstFormMainPorts : public QObject, private TMainWindowFixture<TOrderPrompts>
{
    Q_OBJECT

public:
    TstFormMainPorts() : TMainWindowFixture(QStringLiteral("TessalyPorts")) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startOpensNamedPorts();
    void startReportsPortsThatCannotOpen();
    void portPanels_data();
    void portPanels();
    void fiscalButtonTurnsThePortOffAndOn();
    void fiscalButtonSpringsBackWhenThePortFails();
    void resetSerialPorts();
    void eventsWithoutFileAreDropped();
    void framesInQuickSuccessionKeepTheirBytes();
    void wholeExchangeLogged_data();
    void wholeExchangeLogged();
    void preferencesReopenPortsAndReachLog();
    void terminalWindowSendsThroughTheMainWindowsPorts();
    void everySampleCommandAnswered();
    void unwritableLogFileSaidInStatusBar();
    void fixedAnswerTesterShowsInTerminalWindow();
    void failedExchangeLogged_data();
    void failedExchangeLogged();
    void pulledAdapterFollowed_data();
    void pulledAdapterFollowed();
    void fiscalButtonDuringOutageKeepsWaiting();

private:
    QString Panel(TFormMain &window, int panel) const;
    QString CopyDemoFile();

    TSimProcess m_sim;
};

void TstFormMainPorts::initTestCase()
{
    SetUpStore();
    QVERIFY2(m_sim.Start({QStringLiteral("--protocol"), QStringLiteral("extended"), QStringLiteral("--profile"),
                          QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")}),
             qPrintable(m_sim.Error()));
}

void TstFormMainPorts::init()
{
    SetUpTest();
    m_options.HostPort = m_sim.HostPath();
    m_options.FiscalPort = m_sim.FiscalPath();
    m_prompts.AckLoggedFirst.clear();
}

void TstFormMainPorts::cleanup()
{
    TearDownTest();
}

QString TstFormMainPorts::Panel(TFormMain &window, int panel) const
{
    return window.StatusText(panel);
}

QString TstFormMainPorts::CopyDemoFile()
{
    return TestFiles::CopySample(QDir::current().absoluteFilePath("demo.tsy"));
}

void TstFormMainPorts::startOpensNamedPorts()
{
    auto window = Start();
    QVERIFY(m_prompts.Questions.isEmpty());
    QVERIFY(window->Settings().HostPortOpen);
    QVERIFY(window->Settings().FiscalPortOpen);
    QCOMPARE(window->HostControl()->State(), EFP_S_Idle);
    QCOMPARE(window->AuxControl()->State(), FEFP_S_Idle);
    QCOMPARE(Panel(*window, 1), QStringLiteral("Ready"));
    QCOMPARE(Panel(*window, 2), m_sim.HostPath() + " 9600,N,8,1");
    QCOMPARE(Panel(*window, 3), m_sim.FiscalPath() + " 9600,N,8,1");
    auto *fiscal = window->findChild<QAction *>("ToolButtonFiscal");
    QVERIFY(!fiscal->isChecked());
    QCOMPARE(fiscal->toolTip(), QStringLiteral("Disable Fiscal port"));
    // A fiscal port named for one run does not switch it on for good.
    window.reset();
    TSettings stored;
    LoadSettings(stored, m_options.SettingsName);
    QVERIFY(!stored.DGIEnabled);
    QVERIFY(stored.DPort.isEmpty());
}

void TstFormMainPorts::startReportsPortsThatCannotOpen()
{
    {
        TSettings settings;
        LoadSettings(settings, m_options.SettingsName);
        settings.DGIEnabled = true;
        SaveSettings(settings, m_options.SettingsName);
    }
    m_options.HostPort = m_root.filePath("no-such-host-tty");
    m_options.FiscalPort = m_root.filePath("no-such-fiscal-tty");
    auto window = Start();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), (QStringList{HostError, FiscalError}));
    QVERIFY(!window->Settings().HostPortOpen);
    QVERIFY(!window->Settings().FiscalPortOpen);
    QVERIFY(window->Settings().DGIEnabled);
    QCOMPARE(Panel(*window, 1), QStringLiteral("Error"));
    QCOMPARE(Panel(*window, 3), QStringLiteral("Disabled"));
    auto *fiscal = window->findChild<QAction *>("ToolButtonFiscal");
    QVERIFY(fiscal->isChecked());
    QCOMPARE(fiscal->toolTip(), QStringLiteral("Enable Fiscal port"));
}

void TstFormMainPorts::portPanels_data()
{
    QTest::addColumn<int>("hcomm");
    QTest::addColumn<int>("hbaud");
    QTest::addColumn<QString>("hport");
    QTest::addColumn<bool>("fiscalOpen");
    QTest::addColumn<int>("dcomm");
    QTest::addColumn<QString>("dport");
    QTest::addColumn<QString>("panel2");
    QTest::addColumn<QString>("panel3");

    QTest::newRow("defaults") << 0 << 3 << QString() << false << 1 << QString() << "COM1 9600,N,8,1" << "Disabled";
    QTest::newRow("COM2 38400, fiscal COM3") << 1 << 5 << QString() << true << 2 << QString()
                                             << "COM2 38400,N,8,1" << "COM3 9600,N,8,1";
    QTest::newRow("1200 baud") << 3 << 0 << QString() << false << 0 << QString() << "COM4 1200,N,8,1" << "Disabled";
    // The panel names the line the port is opened with: the nearest valid rate.
    QTest::newRow("baud index out of range") << 0 << 9 << QString() << false << 0 << QString() << "COM1 38400,N,8,1"
                                             << "Disabled";
    QTest::newRow("COM index out of range") << 7 << 3 << QString() << false << 0 << QString() << "COM4 9600,N,8,1"
                                            << "Disabled";
    QTest::newRow("device names") << 0 << 4 << "/dev/ttyUSB0" << true << 0 << "/dev/ttyUSB1"
                                  << "/dev/ttyUSB0 19200,N,8,1" << "/dev/ttyUSB1 9600,N,8,1";
}

void TstFormMainPorts::portPanels()
{
    QFETCH(int, hcomm);
    QFETCH(int, hbaud);
    QFETCH(QString, hport);
    QFETCH(bool, fiscalOpen);
    QFETCH(int, dcomm);
    QFETCH(QString, dport);
    auto window = Start();
    TSettings &settings = window->Settings();
    settings.HComm = quint8(hcomm);
    settings.HBaud = quint8(hbaud);
    settings.HPort = hport;
    settings.DGIEnabled = fiscalOpen;
    settings.FiscalPortOpen = fiscalOpen;
    settings.DComm = quint8(dcomm);
    settings.DPort = dport;
    window->Ports().UpdatePanels();
    QTEST(Panel(*window, 2), "panel2");
    QTEST(Panel(*window, 3), "panel3");
}

void TstFormMainPorts::fiscalButtonTurnsThePortOffAndOn()
{
    auto window = Start();
    auto *fiscal = window->findChild<QAction *>("ToolButtonFiscal");
    fiscal->trigger();
    QVERIFY(fiscal->isChecked());
    QCOMPARE(fiscal->toolTip(), QStringLiteral("Enable Fiscal port"));
    QVERIFY(!window->Settings().DGIEnabled);
    QVERIFY(!window->Settings().FiscalPortOpen);
    QCOMPARE(window->AuxControl()->State(), FEFP_S_Close);
    QCOMPARE(Panel(*window, 3), QStringLiteral("Disabled"));

    fiscal->trigger();
    QVERIFY(!fiscal->isChecked());
    QCOMPARE(fiscal->toolTip(), QStringLiteral("Disable Fiscal port"));
    QVERIFY(window->Settings().DGIEnabled);
    QCOMPARE(window->AuxControl()->State(), FEFP_S_Idle);
    QCOMPARE(Panel(*window, 1), QStringLiteral("Ready"));
    QCOMPARE(Panel(*window, 3), m_sim.FiscalPath() + " 9600,N,8,1");
    QVERIFY(m_prompts.Questions.isEmpty());
}

void TstFormMainPorts::fiscalButtonSpringsBackWhenThePortFails()
{
    auto window = Start();
    auto *fiscal = window->findChild<QAction *>("ToolButtonFiscal");
    fiscal->trigger();
    window->Settings().DPort = m_root.filePath("unplugged-tty");
    fiscal->trigger();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{FiscalError});
    QVERIFY(fiscal->isChecked());
    QCOMPARE(fiscal->toolTip(), QStringLiteral("Enable Fiscal port"));
    // Still wanted: the next start tries again.
    QVERIFY(window->Settings().DGIEnabled);
    QCOMPARE(Panel(*window, 1), QStringLiteral("Error"));
    QCOMPARE(Panel(*window, 3), QStringLiteral("Disabled"));
}

void TstFormMainPorts::resetSerialPorts()
{
    // The far end never answers, so the command stays in progress until
    // the purge.
    TPseudoTerminal silent;
    QVERIFY(silent.open());
    m_options.HostPort = silent.slavePath();
    auto window = Start({CopyDemoFile()});
    TFPHostControl *host = window->HostControl();
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    terminal->CommandTree()->setCurrentItem(terminal->CommandTree()->RootNode()->child(0)->child(0));
    terminal->CommandTree()->ShowSelectedCommand();
    QSignalSpy written(host, &TFPHostControl::OnWrite);
    QSignalSpy errors(host, &TFPHostControl::OnError);
    terminal->CommandPage()->Send();
    QCOMPARE(host->State(), EFP_S_Busy);
    QCOMPARE(Panel(*window, 1), QStringLiteral("Sending ..."));
    QVERIFY(written.wait(5000));
    window->findChild<QAction *>("MenuItemResetserialports")->trigger();
    QCOMPARE(Panel(*window, 1), QStringLiteral("Ready"));
    QCOMPARE(host->State(), EFP_S_Idle);
    // The purge ends the wait with the component's time-out, which is the
    // user's doing: no error box, and the window is the user's again.
    QTRY_VERIFY_WITH_TIMEOUT(!errors.isEmpty(), 5000);
    QCoreApplication::processEvents();
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    QCOMPARE(Panel(*window, 1), QStringLiteral("Ready"));
    QVERIFY(terminal->CommandPage()->ButtonSend()->isEnabled());
    QVERIFY(terminal->CommandTree()->isEnabled());
    // With no file open as well; no port is closed.
    window->CloseFile();
    window->SetStatusText("Error");
    window->Ports().ResetPorts();
    QCOMPARE(Panel(*window, 1), QStringLiteral("Ready"));
    QCOMPARE(host->State(), EFP_S_Idle);
    QCOMPARE(window->AuxControl()->State(), FEFP_S_Idle);
}

void TstFormMainPorts::eventsWithoutFileAreDropped()
{
    auto window = Start();
    TFPAuxControl *aux = window->AuxControl();
    QSignalSpy acks(aux, &TFPAuxControl::OnAck);
    QVERIFY(aux->SendData("\x05"));
    QVERIFY(acks.wait(5000));
    QCoreApplication::processEvents();
    QVERIFY(window->LastWrittenFrame().isEmpty());
    QVERIFY(m_prompts.Questions.isEmpty());
}

void TstFormMainPorts::framesInQuickSuccessionKeepTheirBytes()
{
    auto window = Start({CopyDemoFile()});
    TFormChildLogWindow *log = window->LogWindow();
    // Several events before the log window handles the first of them.
    emit window->HostControl()->OnWrite("\x02" "A");
    emit window->AuxControl()->OnWrite("\x02" "B");
    emit window->HostControl()->OnRead("\x02" "C");
    emit window->AuxControl()->OnRead("\x02" "D");
    QCOMPARE(window->LastWrittenFrame(), QByteArray("\x02" "B"));
    QCOMPARE(window->LastReadFrame(), QByteArray("\x02" "D"));
    QTRY_COMPARE_WITH_TIMEOUT(log->Text(),
                              QStringLiteral("HOST --> 02 41 \nFISCAL-> 02 42 \nFP   --> 02 43 \nFP   --> 02 44 \n"),
                              5000);
}

void TstFormMainPorts::wholeExchangeLogged_data()
{
    QTest::addColumn<bool>("lowLevel");
    QTest::newRow("low level") << true;
    QTest::newRow("frames only") << false;
}

void TstFormMainPorts::wholeExchangeLogged()
{
    QFETCH(bool, lowLevel);
    {
        TSettings settings;
        LoadSettings(settings, m_options.SettingsName);
        settings.LowLevel = lowLevel;
        SaveSettings(settings, m_options.SettingsName);
    }
    const QString file = CopyDemoFile();
    auto window = Start({file});
    TFormChildLogWindow *log = window->LogWindow();
    QVERIFY(log);
    QVERIFY(window->TerminalWindow());
    m_prompts.Log = log;
    QVERIFY(log->isMinimized());
    QCOMPARE(log->LogFilePath(), QDir::current().absoluteFilePath("demo.log"));
    QCOMPARE(window->HostControl()->ProtocolType(), protocol_Extended);

    // Host: status query.
    TFPHostControl *host = window->HostControl();
    QSignalSpy written(host, &TFPHostControl::OnWrite);
    QSignalSpy read(host, &TFPHostControl::OnRead);
    QSignalSpy answered(host, &TFPHostControl::OnFinalAnswer);
    QVERIFY(host->AddDataField(QByteArray("\x00\x01", 2)));
    QVERIFY(host->SendCommand());
    QVERIFY(answered.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(written.size(), 2, 5000);
    QCOMPARE(read.size(), 1);
    const QByteArray frame = written.at(0).at(0).toByteArray();
    const QByteArray answer = read.at(0).at(0).toByteArray();
    QCOMPARE(written.at(1).at(0).toByteArray(), QByteArray("\x06"));
    QCOMPARE(window->LastWrittenFrame(), QByteArray("\x06"));
    QCOMPARE(window->LastReadFrame(), answer);

    // Fiscal port: alive check, answered by an ACK.
    TFPAuxControl *aux = window->AuxControl();
    QSignalSpy acks(aux, &TFPAuxControl::OnAck);
    QVERIFY(aux->SendData("\x05"));
    QVERIFY(acks.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(m_prompts.Count(TScriptedPrompts::KindInformation), 1, 5000);
    QCOMPARE(m_prompts.AckLoggedFirst, QList<bool>{true});

    // Each command's time follows its last frame line, whatever the low-level flag.
    const QString hostTime = TCommLogFormatter::Elapsed(answered.at(0).at(0).value<THostAnswer>().ElapsedUs);
    const QString fiscalTime = TCommLogFormatter::Elapsed(acks.at(0).at(0).toLongLong());
    QStringList lines{"HOST --> " + Hex(frame), "FP   --> ACK", "FP   --> " + Hex(answer), "HOST --> 06 ",
                      hostTime, "FISCAL-> 05 ", "FP   --> ACK", fiscalTime};
    QStringList fileLines = lines;
    if (!lowLevel)
        lines.removeAll("FP   --> ACK");
    QCOMPARE(log->Text(), lines.join('\n') + '\n');
    const QByteArray logFile = ReadAll(log->LogFilePath());
    QVERIFY2(logFile.endsWith((fileLines.join("\r\n") + "\r\n").toUtf8()), logFile.constData());
    QVERIFY(logFile.startsWith("Quvero S.A.\r\n"));

    // Closing the file closes the log; its port events are no longer routed.
    window->CloseFile();
    QVERIFY(!window->LogWindow());
    QVERIFY(aux->SendData("\x05"));
    QVERIFY(acks.wait(5000));
    QCoreApplication::processEvents();
    QCOMPARE(ReadAll(QDir::current().absoluteFilePath("demo.log")), logFile);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindInformation), 1);
}

void TstFormMainPorts::preferencesReopenPortsAndReachLog()
{
    auto window = Start({CopyDemoFile()});
    TFormChildLogWindow *log = window->LogWindow();
    QVERIFY(log);
    window->Settings().LowLevel = true;
    m_prompts.DialogResults.enqueue(QDialog::Accepted);
    window->findChild<QAction *>("MenuItemPreferences")->trigger();
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    QCOMPARE(window->HostControl()->State(), EFP_S_Idle);
    QCOMPARE(window->AuxControl()->State(), FEFP_S_Idle);
    QCOMPARE(Panel(*window, 1), QStringLiteral("Ready"));
    // Reopening the ports is logged; the low-level flag reaches the log.
    QTRY_VERIFY_WITH_TIMEOUT(log->Text().contains("FISCAL-> Open " + m_sim.FiscalPath() + " 9600,N,8,1"), 5000);
    const QString text = log->Text();
    QVERIFY2(text.startsWith("HOST --> Close port\nHOST --> Open " + m_sim.HostPath() + " 9600,N,8,1\n"),
             qPrintable(text));
    QSignalSpy acks(window->AuxControl(), &TFPAuxControl::OnAck);
    QVERIFY(window->AuxControl()->SendData("\x05"));
    QVERIFY(acks.wait(5000));
    QTRY_VERIFY_WITH_TIMEOUT(log->Text().contains("FP   --> ACK\nTIME --> "), 5000);
}

void TstFormMainPorts::terminalWindowSendsThroughTheMainWindowsPorts()
{
    auto window = Start({CopyDemoFile()});
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    QTreeWidgetItem *status = terminal->CommandTree()->RootNode()->child(0);
    QCOMPARE(status->text(0), QStringLiteral("Status"));
    QCOMPARE(status->child(0)->text(0), QStringLiteral("Status query"));
    terminal->CommandTree()->setCurrentItem(status->child(0));
    terminal->CommandTree()->ShowSelectedCommand();
    terminal->CommandPage()->Send();
    const auto shows = [terminal](const QString &text) {
        TAnswerDisplay *display = terminal->CommandPage()->AnswerDisplay();
        for (int row = 0; row < display->RowCount(); ++row)
            if (display->RowBox(row)->text() == text)
                return true;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(shows(QStringLiteral("TS-00012345")), 5000);
    QVERIFY2(Panel(*window, 1).startsWith(QStringLiteral("Ready (")), qPrintable(Panel(*window, 1)));
    QTRY_VERIFY_WITH_TIMEOUT(window->LogWindow()->Text().contains("HOST --> 06 \nTIME --> "), 5000);
}

void TstFormMainPorts::everySampleCommandAnswered()
{
    // What the run script offers: every command of the sample file, sent from
    // the terminal window, ends with an answer and no error.
    auto window = Start({CopyDemoFile()});
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    QTreeWidgetItem *root = terminal->CommandTree()->RootNode();
    int commands = 0;
    for (int g = 0; g < root->childCount(); ++g) {
        for (int c = 0; c < root->child(g)->childCount(); ++c) {
            QTreeWidgetItem *node = root->child(g)->child(c);
            const QString name = root->child(g)->text(0) + "/" + node->text(0);
            terminal->CommandTree()->setCurrentItem(node);
            terminal->CommandTree()->ShowSelectedCommand();
            QVERIFY2(terminal->CommandPage()->ButtonSend()->isEnabled(), qPrintable(name));
            // A required field the file leaves empty is filled in, as the user must.
            for (int i = 0; i < terminal->CommandPage()->InputPanel()->FieldCount(); ++i) {
                auto *box = qobject_cast<TFieldTypeComboBox *>(terminal->CommandPage()->InputPanel()->Control(i));
                if (box && box->GetRequired() && box->isEnabled() && box->GetText().isEmpty())
                    box->SetText(QStringLiteral("1"));
            }
            window->SetStatusText(QString());
            terminal->CommandPage()->Send();
            QTRY_VERIFY2_WITH_TIMEOUT(terminal->CommandPage()->ButtonSend()->isEnabled()
                                          && window->StatusText(1) != QStringLiteral("Sending ..."),
                                      qPrintable(name), 5000);
            QVERIFY2(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty(),
                     qPrintable(name + ": " + m_prompts.Texts(TScriptedPrompts::KindError).join(", ")));
            // Answered, with the time the printer took: "Ready (1.6 ms)".
            const QString state = window->StatusText(1);
            QVERIFY2(state.startsWith(QStringLiteral("Ready (")) && state.endsWith(QStringLiteral(" ms)")),
                     qPrintable(name + ": " + state));
            ++commands;
        }
    }
    QVERIFY(commands >= 10);
}

void TstFormMainPorts::unwritableLogFileSaidInStatusBar()
{
    const QString file = CopyDemoFile();
    QVERIFY(QDir().mkpath(QDir::current().absoluteFilePath("demo.log")));
    auto window = Start({file});
    QVERIFY(window->LogWindow());
    QVERIFY(Panel(*window, 0).contains(QStringLiteral("demo.log")));
    QVERIFY(m_prompts.Questions.isEmpty());
}

void TstFormMainPorts::fixedAnswerTesterShowsInTerminalWindow()
{
    auto window = Start({CopyDemoFile()});
    TAnswerDisplay *display = window->TerminalWindow()->CommandPage()->AnswerDisplay();
    // Cancelled: nothing shown.
    m_prompts.DialogResults.enqueue(QDialog::Rejected);
    window->findChild<QAction *>("ActionTestFixAnswer")->trigger();
    QVERIFY(display->FiscalBox()->title().isEmpty() || display->FiscalBox()->isHidden());
    m_prompts.DialogResults.enqueue(QDialog::Accepted);
    window->findChild<QAction *>("ActionTestFixAnswer")->trigger();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindDialog),
             (QStringList{"FormTestFixedAnswer", "FormTestFixedAnswer"}));
    QVERIFY(display->FiscalBox()->title().startsWith(QStringLiteral("Fiscal answer = ")));
    QVERIFY(display->PrinterBox()->title().startsWith(QStringLiteral("Printer answer = ")));
    QVERIFY(window->TerminalWindow()->isMaximized());
}

void TstFormMainPorts::failedExchangeLogged_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("failure");
    QTest::newRow("time-out") << "silence" << "Host port: no answer in time (time-out)";
    QTest::newRow("NAK") << "nak" << "Host port: the printer refused the frame (NAK)";
    QTest::newRow("write error") << "write" << "Host port: the frame could not be written (Scripted write failure)";
    QTest::newRow("port gone") << "hang up" << "Host port: the port has gone away (Line hung up)";
    QTest::newRow("Cancel") << "cancel" << "Host port: cancelled by the user";
    QTest::newRow("Reset serial ports") << "reset" << "Host port: cancelled by the user";
    QTest::newRow("fiscal time-out") << "fiscal silence" << "Fiscal port: no answer in time (time-out)";
}

void TstFormMainPorts::failedExchangeLogged()
{
    QFETCH(QString, fault);
    QFETCH(QString, failure);
    // The lines outlive the window whose ports use them.
    auto hostLine = std::make_shared<TScriptedSerialLine>();
    TScriptedSerialLine &line = *hostLine;
    auto auxLine = std::make_shared<TScriptedSerialLine>();
    auto window = Start({CopyDemoFile()});
    TFormChildLogWindow *log = window->LogWindow();
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    TFPHostControl *host = window->HostControl();
    TFPAuxControl *aux = window->AuxControl();
    QVERIFY(host->ClosePort());
    host->SetLineFactory([hostLine] { return hostLine; });
    host->SetAnswerTimeOut(300);
    QVERIFY(host->OpenPort());
    aux->ClosePort();
    aux->SetLineFactory([auxLine] { return auxLine; });
    aux->SetTimeOut(300);
    QVERIFY(aux->OpenPort());

    if (fault == "nak")
        line.setResponder([](TScriptedSerialLine &far, const QByteArray &) { far.deliver("\x15"); });
    else if (fault == "write")
        line.setWriteFailing(true);
    else if (fault == "hang up")
        line.setResponder([](TScriptedSerialLine &far, const QByteArray &) { far.hangUp(); });

    QSignalSpy errors(fault.startsWith("fiscal") ? static_cast<QObject *>(aux) : host, SIGNAL(OnError(TPortError,TLineFailure)));
    if (fault.startsWith("fiscal")) {
        QVERIFY(aux->SendData("\x05"));
    } else {
        QTreeWidgetItem *status = terminal->CommandTree()->RootNode()->child(0);
        terminal->CommandTree()->setCurrentItem(status->child(0));
        terminal->CommandTree()->ShowSelectedCommand();
        terminal->CommandPage()->Send();
    }
    if (fault == "cancel" || fault == "reset") {
        QTRY_VERIFY_WITH_TIMEOUT(line.writes().size() == 1, 5000);
        if (fault == "cancel")
            terminal->CommandPage()->Cancel();
        else
            window->findChild<QAction *>("MenuItemResetserialports")->trigger();
    }
    QVERIFY(errors.wait(5000));

    // The failure follows the frame lines of its exchange, in the window
    // (whatever the low-level flag) and in the log file.
    // A line that went away closes its port right after.
    const QString entry = "ERROR -> " + failure;
    const bool gone = fault == "hang up";
    const QString closed = "Close port\nHOST --> Device gone: " + m_sim.HostPath() + "\n";
    QTRY_VERIFY_WITH_TIMEOUT(gone ? log->Text().contains(entry + "\nHOST --> " + closed) : log->Text().endsWith(entry + "\n"),
                             5000);
    QStringList shown = log->Text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(shown.count(entry), 1);
    if (fault != "write") {
        const QString frame = fault.startsWith("fiscal") ? "FISCAL-> 05 " : "HOST --> 02 ";
        QVERIFY2(shown.at(shown.indexOf(entry) - 1).startsWith(frame), qPrintable(shown.join('|')));
    }
    const QByteArray file = ReadAll(log->LogFilePath());
    if (gone)
        QVERIFY2(file.contains((entry + "\r\nClose port\r\nDevice gone: " + m_sim.HostPath() + "\r\n").toUtf8()),
                 file.constData());
    else
        QVERIFY2(file.endsWith((entry + "\r\n").toUtf8()), file.constData());
    if (fault == "nak")
        QVERIFY(file.contains("FP   --> NACK\r\n" + entry.toUtf8()));
    host->ClosePort();
    aux->ClosePort();
}

void TstFormMainPorts::pulledAdapterFollowed_data()
{
    QTest::addColumn<bool>("fiscal");
    QTest::newRow("host") << false;
    QTest::newRow("fiscal") << true;
}

void TstFormMainPorts::pulledAdapterFollowed()
{
    // The first request of the port pulls its adapter out for a moment; the
    // ports are opened through links that follow the simulator's ports.
    QFETCH(bool, fiscal);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TSimProcess sim;
    QVERIFY2(sim.Start({"--host-link", dir.filePath("host"), "--fiscal-link", dir.filePath("fiscal"), "--fault",
                        "unplug=200@1", "--fiscal-fault", "unplug=200@1"}),
             qPrintable(sim.Error()));
    m_options.HostPort = dir.filePath("host");
    m_options.FiscalPort = dir.filePath("fiscal");
    const QString link = fiscal ? m_options.FiscalPort : m_options.HostPort;
    auto window = Start({CopyDemoFile()});
    TFormChildLogWindow *log = window->LogWindow();
    QVERIFY(log);
    const int panel = fiscal ? 3 : 2;
    const QString present = link + " 9600,N,8,1";
    QCOMPARE(Panel(*window, panel), present);
    auto *button = window->findChild<QAction *>("ToolButtonFiscal");
    window->HostControl()->SetAnswerTimeOut(600000);
    window->AuxControl()->SetTimeOut(0);
    const auto send = [&] {
        return fiscal ? window->AuxControl()->SendData("\x05")
                      : window->HostControl()->AddDataField(QByteArray("\x00\x01", 2)) && window->HostControl()->SendCommand();
    };

    QObject *component = fiscal ? static_cast<QObject *>(window->AuxControl()) : window->HostControl();
    QSignalSpy errors(component, SIGNAL(OnError(TPortError, TLineFailure)));
    QVERIFY(send());
    QVERIFY(errors.wait(10000));
    QTRY_COMPARE_WITH_TIMEOUT(Panel(*window, panel), link + ": device gone", 5000);
    QVERIFY(!(fiscal ? window->Settings().FiscalPortOpen : window->Settings().HostPortOpen));
    if (fiscal) {
        // Still wanted: it comes back by itself.
        QVERIFY(window->Settings().DGIEnabled);
        QCOMPARE(button->toolTip(), QStringLiteral("Enable Fiscal port"));
    }

    QTRY_COMPARE_WITH_TIMEOUT(Panel(*window, panel), present, 10000);
    QVERIFY(fiscal ? window->Settings().FiscalPortOpen : window->Settings().HostPortOpen);
    QCOMPARE(button->toolTip(), QStringLiteral("Disable Fiscal port"));
    QSignalSpy answered(component, fiscal ? SIGNAL(OnAck(qint64)) : SIGNAL(OnFinalAnswer(THostAnswer)));
    QVERIFY(send());
    QVERIFY(answered.wait(5000));
    QCOMPARE(errors.size(), 1);

    const QString prefix = fiscal ? "FISCAL-> " : "HOST --> ";
    QTRY_VERIFY_WITH_TIMEOUT(log->Text().contains(prefix + "Device back: " + link), 5000);
    QVERIFY2(log->Text().contains(prefix + "Device gone: " + link + "\n"), qPrintable(log->Text()));
    log->FlushEntries();
    const QByteArray file = ReadAll(log->LogFilePath());
    QVERIFY2(file.contains("Close port\r\nDevice gone: " + link.toUtf8() + "\r\nOpen " + link.toUtf8()
                           + " 9600,N,8,1\r\nDevice back: " + link.toUtf8() + "\r\n"),
             file.constData());
    window.reset();
    QCOMPARE(sim.Stop(), 0);
}

void TstFormMainPorts::fiscalButtonDuringOutageKeepsWaiting()
{
    // The fiscal button pressed while the adapter is out: the open fails
    // with its error box, and the port still opens by itself on return.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TSimProcess sim;
    QVERIFY2(sim.Start({"--host-link", dir.filePath("host"), "--fiscal-link", dir.filePath("fiscal"),
                        "--fiscal-fault", "unplug=3000@1"}),
             qPrintable(sim.Error()));
    m_options.HostPort = dir.filePath("host");
    m_options.FiscalPort = dir.filePath("fiscal");
    const QString link = m_options.FiscalPort;
    auto window = Start({CopyDemoFile()});
    auto *button = window->findChild<QAction *>("ToolButtonFiscal");
    window->AuxControl()->SetTimeOut(0);
    QSignalSpy errors(window->AuxControl(), SIGNAL(OnError(TPortError, TLineFailure)));
    QVERIFY(window->AuxControl()->SendData("\x05"));
    QVERIFY(errors.wait(10000));
    QTRY_COMPARE_WITH_TIMEOUT(Panel(*window, 3), link + ": device gone", 5000);

    // The pulled adapter may have brought its own box, as a failed exchange
    // does; the button brings one more.
    const qsizetype boxes = m_prompts.Texts(TScriptedPrompts::KindError).size();
    button->trigger();
    const QStringList shown = m_prompts.Texts(TScriptedPrompts::KindError);
    QCOMPARE(shown.size(), boxes + 1);
    QCOMPARE(shown.last(), FiscalError);
    QCOMPARE(Panel(*window, 3), link + ": device gone");
    QVERIFY(window->Settings().DGIEnabled);

    QTRY_COMPARE_WITH_TIMEOUT(Panel(*window, 3), link + " 9600,N,8,1", 10000);
    QVERIFY(window->Settings().FiscalPortOpen);
    QCOMPARE(button->toolTip(), QStringLiteral("Disable Fiscal port"));
    QSignalSpy acked(window->AuxControl(), SIGNAL(OnAck(qint64)));
    QVERIFY(window->AuxControl()->SendData("\x05"));
    QVERIFY(acked.wait(5000));
    window.reset();
    QCOMPARE(sim.Stop(), 0);
}

QTEST_MAIN(TstFormMainPorts)
#include "tst_form_main_ports.moc"
