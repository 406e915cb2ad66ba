#include "execution/command_runner.h"
#include "execution/execution_texts.h"
#include "runner_fixture.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

TSendField Field(const QString &value, bool autoIncrement = false, bool readOnly = false)
{
    return {value, autoIncrement, readOnly, {}};
}

TRunCommand HostCommand(const QList<TSendField> &fields)
{
    return {QStringLiteral("ReportsStatus"), cpHostPort, fields};
}

TRunCommand FiscalCommand(const QList<TSendField> &fields)
{
    return {QStringLiteral("FiscalPing"), cpFiscalPort, fields};
}

} // namespace

class TestCommandRunner : public QObject, private TRunnerFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonsForCommand_data();
    void buttonsForCommand();
    void repeatCount_data();
    void repeatCount();

    void sendShowsAnswer();
    void sendExpandsHexLiterals();
    void badInput_data();
    void badInput();
    void hostFailures_data();
    void hostFailures();
    void closedPortRefusedAtOnce_data();
    void closedPortRefusedAtOnce();
    void refusedByComponent();
    void repeatWithAutoIncrement();
    void repeatCountOutOfRange_data();
    void repeatCountOutOfRange();
    void cancelDuringRepeat();
    void timeOutDuringRepeat();
    void sendWaitsForBusyHost();
    void cancelDropsWaitingSend();
    void staleAnswerNotShown();
    void fiscalJoinsFields();
    void fiscalAck();
    void fiscalRepeatRefused();
    void fiscalTooLong();
    void fiscalFailures_data();
    void fiscalFailures();
    void cancelButtons_data();
    void cancelButtons();
    void resetForgetsPending();
};

void TestCommandRunner::init()
{
    SetUpRunner();
    m_host->SetAnswerTimeOut(150);
    m_aux->SetTimeOut(150);
}

void TestCommandRunner::cleanup()
{
    TearDownRunner();
}

void TestCommandRunner::buttonsForCommand_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("hostOpen");
    QTest::addColumn<bool>("fiscalOpen");
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("repeat");

    QTest::newRow("host command, host open") << 2 << int(cpHostPort) << true << false << true << true;
    QTest::newRow("host command, only fiscal open")
        << 2 << int(cpHostPort) << false << true << true << false;
    QTest::newRow("host command, both closed") << 2 << int(cpHostPort) << false << false << false << false;
    QTest::newRow("fiscal command, fiscal open") << 1 << int(cpFiscalPort) << true << true << true << false;
    QTest::newRow("fiscal command, fiscal closed")
        << 1 << int(cpFiscalPort) << true << false << false << false;
    QTest::newRow("no fields") << 0 << int(cpHostPort) << true << true << false << false;
}

void TestCommandRunner::buttonsForCommand()
{
    QFETCH(int, fields);
    QFETCH(int, port);
    QFETCH(bool, hostOpen);
    QFETCH(bool, fiscalOpen);
    QFETCH(bool, send);
    QFETCH(bool, repeat);
    const auto buttons =
        TCommandRunner::ButtonsForCommand(fields, TCommandPort(port), hostOpen, fiscalOpen);
    QCOMPARE(buttons.Send, send);
    QCOMPARE(buttons.Repeat, repeat);
}

void TestCommandRunner::repeatCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("blanks around") << " 7 " << 7;
    QTest::newRow("not a number") << "ten" << 0;
    QTest::newRow("hexadecimal is not decimal") << "0x10" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("negative stays negative") << "-3" << -3;
}

void TestCommandRunner::repeatCount()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(TCommandRunner::RepeatCount(text), count);
}

void TestCommandRunner::sendShowsAnswer()
{
    OpenHost();
    m_printer->SetStatus(0x0102, qint16(0x8600), 257);
    m_printer->SetAnswerDelay(50);
    m_runner->SetCommand(HostCommand({Field("F0"), Field("12.50")}));
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());

    const TRunOutcome outcome = m_log->Outcomes.first();
    // The status says how long the printer took, as the outcome has it. The
    // scripted line counts whole milliseconds, so its 50 ms may end up to
    // one millisecond early.
    QVERIFY2(outcome.ElapsedUs >= 49000, qPrintable(QString::number(outcome.ElapsedUs)));
    QCOMPARE(outcome.StepElapsedUs, QList<qint64>({outcome.ElapsedUs}));
    QCOMPARE(m_log->Answers.first().ElapsedUs, outcome.ElapsedUs);
    QCOMPARE(m_log->Events,
             QStringList({"tree:0", "status:Sending ...", "send:0", "repeat:0", "tree:1",
                          "answer:ReportsStatus", "status:" + ExecutionTexts::Answered(outcome.ElapsedUs),
                          "send:1", "repeat:1", "finished:answer:1"}));
    QCOMPARE(outcome.answer.printerStatus, quint16(0x0102));
    QCOMPARE(outcome.answer.fiscalStatus, quint16(0x8600));
    QCOMPARE(outcome.answer.returnCode, quint16(257));
    QCOMPARE(outcome.answer.fields, QList<QByteArray>({"F0", "12.50"}));
    QCOMPARE(m_runner->SentCommandKey(), QStringLiteral("ReportsStatus"));
    QVERIFY(!m_runner->CommandPending());
    QVERIFY(!m_runner->IsRunning());
}

void TestCommandRunner::sendExpandsHexLiterals()
{
    OpenHost();
    m_runner->SetCommand(HostCommand({Field("x'0102'"), Field("A x'1C' B"), Field("x'4'")}));
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());
    QCOMPARE(m_printer->HostCommands(),
             QList<QList<QByteArray>>({{QByteArray("\x01\x02"), QByteArray("A \x1C B"),
                                        QByteArray("\x04")}}));
}

void TestCommandRunner::badInput_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QList<TSendField>>("fields");
    QTest::addColumn<int>("badField");
    QTest::addColumn<bool>("focus");

    QTest::newRow("bad hex literal") << int(protocol_Extended)
                                     << QList<TSendField>{Field("F0"), Field("x'1G'")} << 1 << true;
    QTest::newRow("read-only field takes no focus")
        << int(protocol_Extended) << QList<TSendField>{Field("x'ZZ'", false, true)} << 0 << false;
    QTest::newRow("byte the compatible protocol refuses")
        << int(protocol_Compatible) << QList<TSendField>{Field("A"), Field("x'0D'")} << 1 << true;
}

void TestCommandRunner::badInput()
{
    QFETCH(int, protocol);
    QFETCH(QList<TSendField>, fields);
    QFETCH(int, badField);
    QFETCH(bool, focus);
    OpenHost(TProtocolType(protocol));
    m_runner->SetCommand(HostCommand(fields));
    m_runner->Send();

    QStringList expected{"error:" + ExecutionTexts::BadInput};
    if (focus)
        expected << QStringLiteral("focus:%1").arg(badField);
    expected << "status:Error" << "send:1" << "repeat:1" << "finished:bad-input:0";
    QCOMPARE(m_log->Events, expected);
    QCOMPARE(m_log->Outcomes.first().field, badField);
    QCOMPARE(m_host->State(), EFP_S_Idle);
    // The purge dropped the fields added before the bad one.
    m_runner->SetCommand(HostCommand({Field("OK")}));
    m_runner->Send();
    QTRY_COMPARE(m_log->Outcomes.size(), 2);
    QCOMPARE(m_printer->HostCommands(), QList<QList<QByteArray>>({{"OK"}}));
}

void TestCommandRunner::hostFailures_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("kind");

    QTest::newRow("time-out") << int(TScriptedPrinter::TReply::Silent)
                              << ExecutionTexts::CommunicationError << "TimeOut" << "timeout";
    QTest::newRow("NAK") << int(TScriptedPrinter::TReply::Nak) << ExecutionTexts::BadFrame << "Error"
                         << "nak";
}

void TestCommandRunner::hostFailures()
{
    QFETCH(int, reply);
    QFETCH(QString, dialog);
    QFETCH(QString, status);
    QFETCH(QString, kind);
    OpenHost();
    m_printer->SetReply(TScriptedPrinter::TReply(reply));
    m_runner->SetCommand(HostCommand({Field("F0")}));
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());
    QCOMPARE(m_log->Events, QStringList({"tree:0", "status:Sending ...", "send:0", "repeat:0",
                                         "tree:1", "error:" + dialog, "status:" + status, "send:1",
                                         "repeat:1", "finished:" + kind + ":1"}));
    QVERIFY(!m_runner->CommandPending());
    QCOMPARE(m_log->Outcomes.first().ElapsedUs, qint64(-1));
    QVERIFY(m_log->Outcomes.first().StepElapsedUs.isEmpty());
}

void TestCommandRunner::closedPortRefusedAtOnce_data()
{
    QTest::addColumn<bool>("fiscal");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("host") << false
                          << QStringList{"status:Host port closed", "finished:port-error:0"};
    QTest::newRow("fiscal") << true
                            << QStringList{"send:0", "status:Fiscal port closed",
                                           "finished:port-error:0"};
}

void TestCommandRunner::closedPortRefusedAtOnce()
{
    QFETCH(bool, fiscal);
    QFETCH(QStringList, events);
    m_runner->SetCommand(fiscal ? FiscalCommand({Field("A")}) : HostCommand({Field("A")}));
    m_runner->Send();
    // No waiting: the outcome is there when Send returns.
    QCOMPARE(m_log->Events, events);
    QVERIFY(!m_runner->IsRunning());
}

void TestCommandRunner::refusedByComponent()
{
    OpenHost();
    // More than the 2048 data bytes a command may carry.
    m_runner->SetCommand(HostCommand({Field(QString(1500, 'a')), Field(QString(600, 'b'))}));
    m_runner->Send();
    QCOMPARE(m_log->Events, QStringList({"status:Error", "send:1", "repeat:1", "finished:refused:0"}));
    QCOMPARE(m_log->Outcomes.first().error, int(EFP_E_MaxDataLengthReached));
    QCOMPARE(m_host->State(), EFP_S_Idle);
}

void TestCommandRunner::repeatWithAutoIncrement()
{
    OpenHost();
    m_runner->SetCommand(HostCommand({Field("S1"), Field("ABC", true)}));
    m_runner->Repeat(12);
    QVERIFY(m_log->WaitFinished());

    const auto commands = m_printer->HostCommands();
    QCOMPARE(commands.size(), 12);
    for (int i = 0; i < 12; ++i)
        QCOMPARE(commands.at(i),
                 QList<QByteArray>({"S1", "ABC" + QByteArray::number(i + 1).rightJustified(3, '0')}));

    // Every step was answered and timed; the last one ends the run.
    const TRunOutcome outcome = m_log->Outcomes.first();
    QCOMPARE(outcome.StepElapsedUs.size(), 12);
    for (const qint64 us : outcome.StepElapsedUs)
        QVERIFY(us > 0);
    QCOMPARE(outcome.ElapsedUs, outcome.StepElapsedUs.last());
    QStringList progress;
    for (int i = 1; i <= 12; ++i)
        progress << QStringLiteral("%1/12").arg(i);
    progress << ExecutionTexts::Answered(outcome.ElapsedUs);
    QCOMPARE(m_log->Statuses(), progress);
    QCOMPARE(m_log->Answers.size(), 1);
    QCOMPARE(m_log->Answers.first().fields, QList<QByteArray>({"S1", "ABC012"}));
    QCOMPARE(m_log->Outcomes.first().sent, 12);
    QCOMPARE(m_log->Outcomes.first().count, 12);
    QCOMPARE(m_log->Events.count("tree:0"), 1);
}

void TestCommandRunner::repeatCountOutOfRange_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("0") << 0;
    QTest::newRow("1000") << 1000;
    QTest::newRow("negative") << -1;
}

void TestCommandRunner::repeatCountOutOfRange()
{
    QFETCH(int, count);
    OpenHost();
    m_runner->SetCommand(HostCommand({Field("A")}));
    m_runner->Repeat(count);
    QVERIFY(m_log->Events.isEmpty());
    QVERIFY(!m_runner->IsRunning());
    QVERIFY(m_printer->HostCommands().isEmpty());
}

void TestCommandRunner::cancelDuringRepeat()
{
    OpenHost();
    m_printer->SetAnswerDelay(100);
    m_runner->SetCommand(HostCommand({Field("A", true)}));
    m_runner->Repeat(10);
    QVERIFY(m_hostLine->waitForWrites(1, 5000));
    m_runner->Cancel();
    QVERIFY(m_log->WaitFinished());

    const TRunOutcome outcome = m_log->Outcomes.first();
    QCOMPARE(outcome.kind, TRunOutcome::Cancelled);
    QCOMPARE(outcome.sent, 1);
    QCOMPARE(m_log->Statuses(), QStringList({"1/10", "Abort"}));
    // The scripted line records a write before its printer reacts to it.
    QTRY_COMPARE(m_printer->HostCommands().size(), 1);
    QVERIFY(m_log->Answers.isEmpty());
}

void TestCommandRunner::timeOutDuringRepeat()
{
    OpenHost();
    m_runner->SetCommand(HostCommand({Field("A")}));
    m_printer->SetReply(TScriptedPrinter::TReply::Silent);
    m_runner->Repeat(5);
    QVERIFY(m_log->WaitFinished());
    const TRunOutcome outcome = m_log->Outcomes.first();
    QCOMPARE(outcome.kind, TRunOutcome::TimeOut);
    QCOMPARE(outcome.sent, 1);
    QCOMPARE(m_log->Statuses(), QStringList({"1/5", "TimeOut", "Error"}));
    QCOMPARE(outcome.ElapsedUs, qint64(-1));
    QVERIFY(outcome.StepElapsedUs.isEmpty());
    QCOMPARE(m_log->Events.count("error:" + ExecutionTexts::CommunicationError), 1);
}

void TestCommandRunner::sendWaitsForBusyHost()
{
    OpenHost();
    m_printer->SetAnswerDelay(100);
    // Another command keeps the host busy when Send is pressed.
    QVERIFY(m_host->AddDataField("OTHER"));
    QVERIFY(m_host->SendCommand());
    m_runner->SetCommand(HostCommand({Field("MINE")}));
    m_runner->Send();
    QVERIFY(m_log->Events.isEmpty());
    QVERIFY(m_log->WaitFinished());
    QCOMPARE(m_printer->HostCommands(), QList<QList<QByteArray>>({{"OTHER"}, {"MINE"}}));
    QCOMPARE(m_log->Answers.size(), 1);
    QCOMPARE(m_log->Answers.first().fields, QList<QByteArray>({"MINE"}));
}

void TestCommandRunner::cancelDropsWaitingSend()
{
    OpenHost();
    m_printer->SetAnswerDelay(100);
    QVERIFY(m_host->AddDataField("OTHER"));
    QVERIFY(m_host->SendCommand());
    QVERIFY(m_hostLine->waitForWrites(1, 5000));
    m_runner->SetCommand(HostCommand({Field("MINE")}));
    m_runner->Send();
    m_runner->Cancel();
    QCOMPARE(m_log->Outcomes.size(), 1);
    QCOMPARE(m_log->Outcomes.first().kind, TRunOutcome::Cancelled);
    QCOMPARE(m_log->Statuses(), QStringList({"Abort"}));
    QCOMPARE(m_host->State(), EFP_S_Idle);
    // A later Send works and the dropped one never goes out.
    m_runner->SetCommand(HostCommand({Field("NEXT")}));
    m_runner->Send();
    QTRY_COMPARE(m_log->Outcomes.size(), 2);
    QCOMPARE(m_printer->HostCommands(), QList<QList<QByteArray>>({{"OTHER"}, {"NEXT"}}));
}

void TestCommandRunner::staleAnswerNotShown()
{
    OpenHost();
    m_runner->SetCommand(HostCommand({Field("A")}));
    TReceivedAnswer answer;
    answer.fields = {"late"};
    m_runner->HostFinalAnswer(answer);
    QVERIFY(m_log->Events.isEmpty());
    // Errors are shown even without a pending command.
    m_runner->HostError(EFP_E_ReadTimeOut);
    QCOMPARE(m_log->Events, QStringList({"tree:1", "error:" + ExecutionTexts::CommunicationError,
                                         "status:TimeOut", "send:1", "repeat:1"}));
}

void TestCommandRunner::fiscalJoinsFields()
{
    OpenFiscal();
    m_printer->SetFiscalAnswers({"1000 first line", "0000 last line"});
    m_runner->SetCommand(FiscalCommand({Field("A"), Field("B"), Field("x'43'")}));
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());
    QCOMPARE(m_printer->FiscalRequests(), QList<QByteArray>({"ABC"}));
    // Timed to the final answer only.
    const TRunOutcome outcome = m_log->Outcomes.first();
    QVERIFY(outcome.ElapsedUs > 0);
    QCOMPARE(outcome.StepElapsedUs, QList<qint64>({outcome.ElapsedUs}));
    QCOMPARE(m_log->Events,
             QStringList({"tree:0", "status:Sending ...", "send:0", "fiscal:more:1000 first line",
                          "fiscal:final:0000 last line", "tree:1",
                          "status:" + ExecutionTexts::Answered(outcome.ElapsedUs), "send:1",
                          "repeat:0", "finished:answer:1"}));
    QCOMPARE(m_log->Outcomes.first().fiscalAnswers,
             QList<QByteArray>({"1000 first line", "0000 last line"}));
}

void TestCommandRunner::fiscalAck()
{
    OpenFiscal();
    m_runner->SetCommand(FiscalCommand({Field("x'05'"), Field("")}));
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());
    const TRunOutcome outcome = m_log->Outcomes.first();
    QVERIFY(outcome.ElapsedUs > 0);
    QCOMPARE(outcome.StepElapsedUs, QList<qint64>({outcome.ElapsedUs}));
    QCOMPARE(m_log->Events.mid(3), QStringList({"tree:1", "status:" + ExecutionTexts::Answered(outcome.ElapsedUs),
                                                "send:1", "repeat:0",
                                                "info:" + ExecutionTexts::FiscalPortAlive,
                                                "finished:ack:1"}));
}

void TestCommandRunner::fiscalRepeatRefused()
{
    OpenFiscal();
    m_runner->SetCommand(FiscalCommand({Field("A")}));
    m_runner->Repeat(3);
    QCOMPARE(m_log->Events, QStringList({"repeat:0"}));
    QVERIFY(m_printer->FiscalRequests().isEmpty());
}

void TestCommandRunner::fiscalTooLong()
{
    OpenFiscal();
    m_runner->SetCommand(FiscalCommand({Field(QString(200, 'a')), Field(QString(57, 'b'))}));
    m_runner->Send();
    QCOMPARE(m_log->Events, QStringList({"status:Error", "send:1", "repeat:0", "finished:refused:0"}));
    QCOMPARE(m_log->Outcomes.first().error, int(FEFP_E_MaxDataLengthReached));
}

void TestCommandRunner::fiscalFailures_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("kind");

    QTest::newRow("time-out") << int(TScriptedPrinter::TReply::Silent)
                              << ExecutionTexts::CommunicationError << "TimeOut" << "timeout";
    QTest::newRow("NAK") << int(TScriptedPrinter::TReply::Nak) << ExecutionTexts::BadFrame << "Error"
                         << "nak";
}

void TestCommandRunner::fiscalFailures()
{
    QFETCH(int, reply);
    QFETCH(QString, dialog);
    QFETCH(QString, status);
    QFETCH(QString, kind);
    OpenFiscal();
    m_printer->SetReply(TScriptedPrinter::TReply(reply));
    m_runner->SetCommand(FiscalCommand({Field("A")}));
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());
    QCOMPARE(m_log->Events, QStringList({"tree:0", "status:Sending ...", "send:0", "tree:1",
                                         "error:" + dialog, "status:" + status, "send:1",
                                         "repeat:0", "finished:" + kind + ":1"}));
    QCOMPARE(m_log->Outcomes.first().ElapsedUs, qint64(-1));
}

void TestCommandRunner::cancelButtons_data()
{
    QTest::addColumn<bool>("fiscal");
    QTest::addColumn<bool>("hostOpen");
    QTest::addColumn<bool>("fiscalOpen");
    QTest::addColumn<int>("fields");
    QTest::addColumn<QStringList>("events");

    // As selecting the command gives them.
    QTest::newRow("host command") << false << true << false << 1
                                  << QStringList{"send:1", "repeat:1", "tree:1"};
    QTest::newRow("host command, host port closed") << false << false << false << 1
                                                    << QStringList{"send:0", "repeat:1", "tree:1"};
    QTest::newRow("fiscal command, port open") << true << false << true << 1
                                               << QStringList{"send:1", "repeat:0", "tree:1"};
    QTest::newRow("fiscal command, port closed") << true << true << false << 1
                                                 << QStringList{"send:0", "repeat:0", "tree:1"};
    QTest::newRow("no fields") << false << true << true << 0 << QStringList{"send:0", "repeat:0", "tree:1"};
}

void TestCommandRunner::cancelButtons()
{
    QFETCH(bool, fiscal);
    QFETCH(bool, hostOpen);
    QFETCH(bool, fiscalOpen);
    QFETCH(int, fields);
    QFETCH(QStringList, events);
    if (hostOpen)
        OpenHost();
    if (fiscalOpen)
        OpenFiscal();
    const QList<TSendField> sendFields(fields, Field("A"));
    m_runner->SetCommand(fiscal ? FiscalCommand(sendFields) : HostCommand(sendFields));
    m_runner->Cancel();
    QCOMPARE(m_log->Events, events);
    QVERIFY(m_log->Outcomes.isEmpty());
}

void TestCommandRunner::resetForgetsPending()
{
    OpenHost();
    m_printer->SetAnswerDelay(50);
    m_runner->SetCommand(HostCommand({Field("A")}));
    m_runner->Send();
    QVERIFY(m_runner->CommandPending());
    m_runner->PurgePorts();
    m_runner->ResetPendingCommand();
    QVERIFY(!m_runner->CommandPending());
    QCOMPARE(m_log->Outcomes.size(), 1);
    QCOMPARE(m_log->Outcomes.first().kind, TRunOutcome::Cancelled);
    QVERIFY(m_log->Answers.isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandRunner)
#include "tst_command_runner.moc"
