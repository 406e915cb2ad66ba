#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/execution_texts.h"
#include "sim_process.h"
#include "terminal_model/settings.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "terminal_window/terminal_window_texts.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// A terminal file whose commands exercise every answer conversion, Repeat
// with an auto-increment field, and the fiscal port.
QByteArray TerminalFile(int protocol)
{
    return "[General]\nProtocol=" + QByteArray::number(protocol)
        + "\nInputDateFormat=0\nOutputDateFormat=1\n\n"
          "[FiscalAnswer]\n"
          "Record1=1,1,0000,0000,\"Fiscal OK\",clGreen\n"
          "Record2=2,2,0600,0600,\"Memory full\",clRed\n\n"
          "[PrinterAnswer]\n"
          "Record1=1,1,0001,0001,\"Paper out\",clRed\n\n"
          "[Groups]\nTest=\nFiscal=\n\n"
          "[Test]\nConvert=\nCount=\nBad=\n\n"
          "[TestBad]\n"
          "Commands=0,\"Command\",\"\",0,\"C3\",0,4,0,1,0,0,0,0,\"&Text\",\"\",0,\"x'1G'\",0,0,0,0,0,0,0\n"
          "Answers=\n\n"
          "[TestConvert]\n"
          "Commands=0,\"Command\",\"\",0,\"C1\",0,4,0,1,0,0,0\n"
          "Answers="
        + QByteArray(protocol == 0 ? "\"R0\",0,0,\"R1\",0,0,\"R2\",0,0," : "")
        + "\"Amount\",2,2,\"Number\",4,0,\"Hex\",5,0,\"Bits\",6,0,\"Day\",8,0,\"Clock\",9,0\n\n"
          "[TestCount]\n"
          "Commands=0,\"Command\",\"\",5,\"0202\",0,4,0,1,0,0,0,0,\"&Name\",\"\",0,\"ABC\",0,10,0,0,0,0,1\n"
          "Answers=\n\n"
          "[Fiscal]\nJoin=\nAlive=\n\n"
          "[FiscalJoin]\n"
          "Commands=1,\"A\",\"\",0,\"AB\",0,0,0,0,0,0,0,1,\"B\",\"\",0,\"C\",0,0,0,0,0,0,0\n"
          "Answers=\n\n"
          "[FiscalAlive]\nCommands=1,\"ENQ\",\"\",0,\"x'05'\",0,0,0,0,0,0,0\nAnswers=\n\n"
          "[Return codes]\nRC2=Invalid data in a field\n";
}

// The convert command's answer: status words, return code 2 and one field
// for each conversion. The compatible protocol names the three fixed rows by
// the first definitions.
const QByteArray Profile =
    "[Command convert]\nCode=\"C1\"\nFiscalStatus=0x0600\nPrinterStatus=0x0001\nReturnCode=2\n"
    "Fields=\"12345\",x'0102',x'ABCD',x'05',\"071226\",\"103015\"\n";

} // namespace

// The terminal window against the simulated printer: its page's runner
// hears the components' events itself, as in the main window.
class TstTerminalOnSimulator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void hostCommandShownDecoded_data();
    void hostCommandShownDecoded();
    void repeatWithAutoIncrement();
    void cancelStopsRepeat();
    void timeOutAndNak();
    void auxiliaryJoinAckAndCancel();
    void badInputFocusesField();
    void renamedCommandAnswersByName_data();
    void renamedCommandAnswersByName();

private:
    bool Start(int protocol, const QStringList &simArguments);
    void Select(const QString &group, const QString &command);
    int HostFrames(const QByteArray &containing = {});

    QTemporaryDir m_dir;
    TSimProcess *m_sim = nullptr;
    TSettings m_settings;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TFPHostControl> m_host;
    std::unique_ptr<TFPAuxControl> m_aux;
    std::unique_ptr<TFormChildTerminalWindow> m_window;
    QStringList m_status;
};

void TstTerminalOnSimulator::init()
{
    m_sim = new TSimProcess;
    m_prompts.Clear();
    m_status.clear();
}

void TstTerminalOnSimulator::cleanup()
{
    m_window.reset();
    m_host.reset();
    m_aux.reset();
    delete m_sim;
    m_sim = nullptr;
}

bool TstTerminalOnSimulator::Start(int protocol, const QStringList &simArguments)
{
    const QString file = m_dir.filePath(QStringLiteral("terminal.tsy"));
    const QString profile = m_dir.filePath(QStringLiteral("profile.ini"));
    TestFiles::Write(file, TerminalFile(protocol));
    TestFiles::Write(profile, Profile);
    QStringList arguments{QStringLiteral("--protocol"),
                          protocol == 1 ? QStringLiteral("extended") : QStringLiteral("compatible"),
                          QStringLiteral("--profile"), profile};
    if (!m_sim->Start(arguments + simArguments)) {
        qWarning() << m_sim->Error();
        return false;
    }
    m_host = std::make_unique<TFPHostControl>();
    m_host->SetDeviceName(m_sim->HostPath());
    m_host->SetProtocolType(TProtocolType(protocol));
    m_aux = std::make_unique<TFPAuxControl>();
    m_aux->SetDeviceName(m_sim->FiscalPath());
    m_aux->SetTimeOut(3000);
    m_settings = TSettings();
    m_settings.Protocol = quint8(protocol);
    m_settings.OutputDateFormat = 1;
    m_settings.HostPortOpen = m_host->OpenPort();
    m_settings.FiscalPortOpen = m_aux->OpenPort();
    m_window = std::make_unique<TFormChildTerminalWindow>(m_settings, m_prompts, file, nullptr, m_host.get(),
                                                          m_aux.get());
    connect(m_window.get(), &TFormChildTerminalWindow::StatusText, this,
            [this](const QString &text) { m_status << text; });
    m_window->show();
    return m_settings.HostPortOpen && m_settings.FiscalPortOpen;
}

void TstTerminalOnSimulator::Select(const QString &group, const QString &command)
{
    QTreeWidgetItem *root = m_window->CommandTree()->RootNode();
    for (int g = 0; g < root->childCount(); ++g) {
        if (root->child(g)->text(0) != group)
            continue;
        for (int c = 0; c < root->child(g)->childCount(); ++c) {
            if (root->child(g)->child(c)->text(0) == command) {
                m_window->CommandTree()->setCurrentItem(root->child(g)->child(c));
                m_window->CommandTree()->ShowSelectedCommand();
                return;
            }
        }
    }
    QFAIL("no such command");
}

int TstTerminalOnSimulator::HostFrames(const QByteArray &containing)
{
    int count = 0;
    for (const QString &line : m_sim->Trace().split(QLatin1Char('\n')))
        if (line.contains(QStringLiteral("host   <- 02"))
            && (containing.isEmpty() || line.contains(QString::fromLatin1(containing.toHex(' ')))))
            ++count;
    return count;
}

void TstTerminalOnSimulator::hostCommandShownDecoded_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<bool>>("visible");
    QTest::addColumn<QString>("returnCodeHint");

    // Extended: reserved rows hidden, the return code with its hint, then the
    // fields named from the first definition on.
    QTest::newRow("extended") << 1
        << QStringList{"Reserved", "Return Code", "Reserved", "Amount", "Number", "Hex", "Bits", "Day", "Clock"}
        << QStringList{"", "2", "", "123.45", "258", "ABCD", "00000101", "07/12/2026", "10:30:15"}
        << QList<bool>{false, true, false, true, true, true, true, true, true}
        << QStringLiteral("(0002) Invalid data in a field");
    // Compatible: every row named by the definitions, rows 0 to 2 included.
    QTest::newRow("compatible") << 0
        << QStringList{"R0", "R1", "R2", "Amount", "Number", "Hex", "Bits", "Day", "Clock"}
        << QStringList{"", "0", "", "123.45", "258", "ABCD", "00000101", "07/12/2026", "10:30:15"}
        << QList<bool>{true, true, true, true, true, true, true, true, true}
        << QString();
}

void TstTerminalOnSimulator::hostCommandShownDecoded()
{
    QFETCH(int, protocol);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, visible);
    QFETCH(QString, returnCodeHint);
    QVERIFY(Start(protocol, {}));
    Select(QStringLiteral("Test"), QStringLiteral("Convert"));
    QVERIFY(m_window->CommandPage()->ButtonSend()->isEnabled());
    QSignalSpy answers(&m_window->CommandPage()->Runner(), &TCommandRunner::AnswerReady);
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_status.value(m_status.size() - 1).startsWith(ExecutionTexts::Ready), 10000);
    QCOMPARE(m_status.first(), ExecutionTexts::Sending);
    // The time the printer took, in the status panel and above the answer.
    QCOMPARE(answers.size(), 1);
    const qint64 elapsedUs = answers.first().first().value<TReceivedAnswer>().ElapsedUs;
    QVERIFY(elapsedUs > 0);
    QCOMPARE(m_status.last(), ExecutionTexts::Answered(elapsedUs));
    QVERIFY(m_window->CommandTree()->isEnabled());
    QCOMPARE(m_window->CommandPage()->PageControl()->currentIndex(), 1);

    TAnswerDisplay *display = m_window->CommandPage()->AnswerDisplay();
    QCOMPARE(display->FiscalBox()->title(), QStringLiteral("Fiscal answer = 0600"));
    QCOMPARE(display->PrinterBox()->title(), QStringLiteral("Printer answer = 0001"));
    QCOMPARE(display->FiscalPanels().size(), 2);
    QCOMPARE(display->FiscalPanels().at(0)->text(), QStringLiteral("Fiscal OK"));
    QCOMPARE(display->FiscalPanels().at(0)->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QCOMPARE(display->FiscalPanels().at(1)->text(), QStringLiteral("Memory full"));
    QCOMPARE(display->FiscalPanels().at(1)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(display->PrinterPanels().at(0)->text(), QStringLiteral("Paper out"));

    QCOMPARE(display->RowCount(), 9);
    for (int r = 0; r < display->RowCount(); ++r) {
        QCOMPARE(display->RowLabel(r)->text(), labels.at(r));
        QCOMPARE(display->RowBox(r)->isVisibleTo(display), visible.at(r));
        if (visible.at(r))
            QCOMPARE(display->RowBox(r)->text(), texts.at(r));
    }
    QCOMPARE(display->RowBox(1)->toolTip(), returnCodeHint);
    QVERIFY(display->ElapsedCaption()->isVisibleTo(display));
    QCOMPARE(display->ElapsedCaption()->text(), ExecutionTexts::AnsweredIn(elapsedUs));
}

void TstTerminalOnSimulator::repeatWithAutoIncrement()
{
    QVERIFY(Start(1, {}));
    Select(QStringLiteral("Test"), QStringLiteral("Count"));
    QSignalSpy answers(&m_window->CommandPage()->Runner(), &TCommandRunner::AnswerReady);
    QSignalSpy finished(&m_window->CommandPage()->Runner(), &TCommandRunner::Finished);
    m_prompts.Inputs.enqueue(QStringLiteral("12"));
    QTest::mouseClick(m_window->CommandPage()->ButtonRepeat(), Qt::LeftButton);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindInput), QStringList{TerminalWindowTexts::RepeatPrompt});
    QVERIFY(finished.wait(20000));
    QStringList progress;
    for (int step = 1; step <= 12; ++step)
        progress << ExecutionTexts::RepeatProgress(step, 12);
    QCOMPARE(m_status.filter(QStringLiteral("/")), progress);
    QVERIFY(m_status.last().startsWith(ExecutionTexts::Ready));
    QCOMPARE(answers.size(), 1);
    for (int step = 1; step <= 12; ++step)
        QTRY_COMPARE(HostFrames("ABC" + QByteArray::number(step).rightJustified(3, '0')), 1);
    QCOMPARE(HostFrames(), 12);
}

void TstTerminalOnSimulator::cancelStopsRepeat()
{
    // Each command takes a while to answer, so Cancel meets the first one busy.
    QVERIFY(Start(1, {QStringLiteral("--fault"), QStringLiteral("delay=400")}));
    Select(QStringLiteral("Test"), QStringLiteral("Count"));
    QSignalSpy finished(&m_window->CommandPage()->Runner(), &TCommandRunner::Finished);
    QSignalSpy written(m_host.get(), &TFPHostControl::OnWrite);
    m_prompts.Inputs.enqueue(QStringLiteral("10"));
    QTest::mouseClick(m_window->CommandPage()->ButtonRepeat(), Qt::LeftButton);
    QTRY_VERIFY(m_status.contains(QStringLiteral("1/10")));
    // Once the first step is on the line, Cancel cuts its wait short.
    QTRY_VERIFY_WITH_TIMEOUT(!written.isEmpty(), 5000);
    QCOMPARE(m_host->State(), EFP_S_Busy);
    QSignalSpy hostErrors(m_host.get(), &TFPHostControl::OnError);
    QTest::mouseClick(m_window->CommandPage()->ButtonCancel(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 5000);
    const TRunOutcome outcome = finished.first().first().value<TRunOutcome>();
    QCOMPARE(TRunOutcome::KindName(outcome.kind), QStringLiteral("cancelled"));
    QCOMPARE(outcome.sent, 1);
    QCOMPARE(m_status.last(), ExecutionTexts::Abort);
    // The purge ends the printer's wait with a time-out of the component's
    // own; once it is handled, nothing has changed.
    QTRY_VERIFY_WITH_TIMEOUT(!hostErrors.isEmpty(), 5000);
    QCoreApplication::processEvents();
    QCOMPARE(m_status.last(), ExecutionTexts::Abort);
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    QVERIFY(m_window->CommandPage()->ButtonSend()->isEnabled());
    QVERIFY(m_window->CommandTree()->isEnabled());

    // Once a command sent now has reached the printer, no step of the
    // cancelled run has gone out before it.
    Select(QStringLiteral("Test"), QStringLiteral("Convert"));
    m_status.clear();
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_status.value(m_status.size() - 1).startsWith(ExecutionTexts::Ready), 10000);
    QTRY_VERIFY(HostFrames("C1") > 0);
    // Only the first step went out.
    QCOMPARE(HostFrames("ABC0"), 1);
}

void TstTerminalOnSimulator::timeOutAndNak()
{
    QVERIFY(Start(1, {QStringLiteral("--fault"), QStringLiteral("silence@1"), QStringLiteral("--fault"),
                      QStringLiteral("nak@2")}));
    m_host->SetAnswerTimeOut(800);
    Select(QStringLiteral("Test"), QStringLiteral("Convert"));
    struct TCase {
        QString dialog;
        QString status;
    };
    const QList<TCase> cases{{ExecutionTexts::CommunicationError, ExecutionTexts::TimeOut},
                             {ExecutionTexts::BadFrame, ExecutionTexts::Error}};
    for (const TCase &c : cases) {
        m_prompts.Clear();
        m_status.clear();
        QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{c.dialog}, 10000);
        QCOMPARE(m_status, (QStringList{ExecutionTexts::Sending, c.status}));
        QVERIFY(m_window->CommandPage()->ButtonSend()->isEnabled());
        QVERIFY(m_window->CommandPage()->ButtonRepeat()->isEnabled());
        QVERIFY(m_window->CommandTree()->isEnabled());
    }
    // Nothing was shown as an answer.
    QVERIFY(m_window->CommandPage()->AnswerDisplay()->FiscalBox()->isHidden());
}

void TstTerminalOnSimulator::auxiliaryJoinAckAndCancel()
{
    QVERIFY(Start(1, {QStringLiteral("--fiscal-frames"), QStringLiteral("3"), QStringLiteral("--fiscal-fault"),
                      QStringLiteral("silence@3")}));
    Select(QStringLiteral("Fiscal"), QStringLiteral("Join"));
    QVERIFY(m_window->CommandPage()->ButtonSend()->isEnabled());
    QVERIFY(!m_window->CommandPage()->ButtonRepeat()->isEnabled());
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_status.value(m_status.size() - 1).startsWith(ExecutionTexts::Ready), 10000);
    QCOMPARE(m_window->CommandPage()->PageControl()->currentIndex(), 2);
    const QStringList lines = m_window->CommandPage()->FiscalAnswerMemo()->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).startsWith(QStringLiteral("1000")));
    // The fields went out joined, as one request.
    QCOMPARE(lines.at(2), QStringLiteral("0000ABC"));

    // Answers accumulate.
    Select(QStringLiteral("Fiscal"), QStringLiteral("Alive"));
    m_status.clear();
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_prompts.Texts(TScriptedPrompts::KindInformation),
                              QStringList{ExecutionTexts::FiscalPortAlive}, 10000);
    QVERIFY(m_status.last().startsWith(ExecutionTexts::Ready));
    QCOMPARE(m_window->CommandPage()->FiscalAnswerMemo()->toPlainText().count(QLatin1Char('\n')), 2);

    // Cancel of a command the printer does not answer: "Abort", no error box,
    // even after the time-out would have struck.
    Select(QStringLiteral("Fiscal"), QStringLiteral("Join"));
    m_status.clear();
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QCOMPARE(m_aux->State(), FEFP_S_Busy);
    QSignalSpy auxErrors(m_aux.get(), &TFPAuxControl::OnError);
    QTest::mouseClick(m_window->CommandPage()->ButtonCancel(), Qt::LeftButton);
    QCOMPARE(m_status.last(), ExecutionTexts::Abort);
    QVERIFY(m_window->CommandPage()->ButtonSend()->isEnabled());
    // The purge ends the worker's wait with a time-out of its own; once it is
    // handled, nothing has changed.
    if (auxErrors.isEmpty())
        auxErrors.wait(3000);
    QCoreApplication::processEvents();
    QCOMPARE(m_status.last(), ExecutionTexts::Abort);
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
}

void TstTerminalOnSimulator::badInputFocusesField()
{
    QVERIFY(Start(1, {}));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    Select(QStringLiteral("Test"), QStringLiteral("Bad"));
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{ExecutionTexts::BadInput});
    QCOMPARE(m_status, QStringList{ExecutionTexts::Error});
    QTRY_VERIFY(m_window->CommandPage()->InputPanel()->Control(1)->hasFocus());
    QVERIFY(m_window->CommandPage()->ButtonSend()->isEnabled());
    QVERIFY(m_window->CommandPage()->ButtonRepeat()->isEnabled());
    QCOMPARE(m_host->State(), EFP_S_Idle);
    // Nothing reached the printer.
    QCOMPARE(HostFrames(), 0);
}

void TstTerminalOnSimulator::renamedCommandAnswersByName_data()
{
    QTest::addColumn<bool>("group");
    QTest::newRow("command renamed") << false;
    QTest::newRow("group renamed") << true;
}

void TstTerminalOnSimulator::renamedCommandAnswersByName()
{
    QFETCH(bool, group);
    // In the compatible protocol the first definitions name the fixed rows,
    // so even the tester's answer shows whether they were found.
    QVERIFY(Start(0, {}));
    Select(QStringLiteral("Test"), QStringLiteral("Convert"));
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_status.value(m_status.size() - 1).startsWith(ExecutionTexts::Ready), 10000);
    if (group) {
        m_window->CommandTree()->setCurrentItem(m_window->CommandTree()->RootNode()->child(0));
        m_prompts.Inputs.enqueue(QStringLiteral("Trial"));
        m_window->CommandTree()->RenameGroup();
    } else {
        m_prompts.Inputs.enqueue(QStringLiteral("Converted"));
        m_window->CommandTree()->RenameCommand();
        QCOMPARE(m_window->CommandPage()->CommandKey(), QStringLiteral("TestConverted"));
    }
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    TAnswerDisplay *display = m_window->CommandPage()->AnswerDisplay();
    m_window->CommandPage()->ShowAnswer(0, 0);
    QCOMPARE(display->RowLabel(0)->text(), QStringLiteral("R0"));
    QCOMPARE(display->RowLabel(2)->text(), QStringLiteral("R2"));

    // Sent again under its new name, its answer is named field by field.
    if (group)
        Select(QStringLiteral("Trial"), QStringLiteral("Convert"));
    m_status.clear();
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_status.value(m_status.size() - 1).startsWith(ExecutionTexts::Ready), 10000);
    QCOMPARE(display->RowCount(), 9);
    QCOMPARE(display->RowLabel(3)->text(), QStringLiteral("Amount"));
    QCOMPARE(display->RowLabel(8)->text(), QStringLiteral("Clock"));
}

QTEST_MAIN(TstTerminalOnSimulator)
#include "tst_terminal_on_simulator.moc"
