#include "execution/command_runner.h"
#include "execution/execution_texts.h"
#include "runner_fixture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <utility>

namespace {

TSendField Field(const QString &value, bool autoIncrement = false)
{
    return {value, autoIncrement, false, {}};
}

QStringList Errors(const QStringList &events)
{
    return events.filter(QRegularExpression(QStringLiteral("^error:")));
}

} // namespace

// How a command's end leaves the window: the buttons of the command on
// display, the tree given back, and no error box for an end the user caused.
class TestCommandRunnerEnds : public QObject, private TRunnerFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void repeatStoppedEarlyGivesTreeBack_data();
    void repeatStoppedEarlyGivesTreeBack();
    void badFiscalInputLeavesRepeatOff();
    void buttonsFollowTheCommandOnDisplay_data();
    void buttonsFollowTheCommandOnDisplay();
    void cutShortCommandIsNoError_data();
    void cutShortCommandIsNoError();
    void errorBeforeCancelStillShown();
    void sendBetweenCutShortEndAndItsCall_data();
    void sendBetweenCutShortEndAndItsCall();
    void renamedSectionNamesTheAnswer();
};

void TestCommandRunnerEnds::init()
{
    SetUpRunner();
}

void TestCommandRunnerEnds::cleanup()
{
    TearDownRunner();
}

void TestCommandRunnerEnds::repeatStoppedEarlyGivesTreeBack_data()
{
    QTest::addColumn<QList<TSendField>>("fields");
    QTest::addColumn<QString>("kind");

    QTest::newRow("bad input") << QList<TSendField>{Field("A"), Field("x'1G'")} << "bad-input";
    // More than the 2048 data bytes a command may carry.
    QTest::newRow("refused by the component")
        << QList<TSendField>{Field(QString(1500, 'a')), Field(QString(600, 'b'))} << "refused";
}

void TestCommandRunnerEnds::repeatStoppedEarlyGivesTreeBack()
{
    QFETCH(QList<TSendField>, fields);
    QFETCH(QString, kind);
    OpenHost();
    m_runner->SetCommand({QStringLiteral("GHost"), cpHostPort, fields});
    m_runner->Repeat(5);
    QCOMPARE(m_log->Outcomes.size(), 1);
    QCOMPARE(TRunOutcome::KindName(m_log->Outcomes.first().kind), kind);
    const QStringList events = m_log->Events;
    QCOMPARE(events.first(), QStringLiteral("tree:0"));
    QVERIFY2(events.lastIndexOf("tree:1") > 0, qPrintable(events.join(' ')));
    QCOMPARE(events.mid(events.size() - 3),
             QStringList({"send:1", "repeat:1", "finished:" + kind + ":0"}));
    QVERIFY(m_printer->HostCommands().isEmpty());
}

void TestCommandRunnerEnds::badFiscalInputLeavesRepeatOff()
{
    OpenFiscal();
    m_runner->SetCommand({QStringLiteral("GFisc"), cpFiscalPort, {Field("A"), Field("x'ZZ'")}});
    m_runner->Send();
    QCOMPARE(m_log->Events, QStringList({"error:" + ExecutionTexts::BadInput, "focus:1", "status:Error",
                                         "send:1", "repeat:0", "finished:bad-input:0"}));
    QVERIFY(m_printer->FiscalRequests().isEmpty());
}

void TestCommandRunnerEnds::buttonsFollowTheCommandOnDisplay_data()
{
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("repeat");
    QTest::newRow("Root or a group") << false << false;
    QTest::newRow("fiscal-port command") << true << false;
    QTest::newRow("host-port command") << true << true;
}

void TestCommandRunnerEnds::buttonsFollowTheCommandOnDisplay()
{
    QFETCH(bool, send);
    QFETCH(bool, repeat);
    OpenHost();
    // A host command was sent; the user then looked elsewhere.
    m_runner->SetCommand({QStringLiteral("GHost"), cpHostPort, {Field("A")}});
    m_runner->SetIdleButtonRule([=] { return TCommandRunner::TButtonStates{send, repeat}; });
    m_printer->SetReply(TScriptedPrinter::TReply::Silent);
    m_host->SetAnswerTimeOut(100);
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());
    const QStringList expected{QStringLiteral("send:%1").arg(send), QStringLiteral("repeat:%1").arg(repeat)};
    QCOMPARE(m_log->Events.mid(m_log->Events.size() - 3, 2), expected);

    // Cancel and a late error give the same.
    m_log->Events.clear();
    m_runner->Cancel();
    QCOMPARE(m_log->Events.mid(0, 2), expected);
    m_log->Events.clear();
    m_runner->HostError(EFP_E_ReadTimeOut);
    QCOMPARE(m_log->Events.filter(QRegularExpression("^(send|repeat):")), expected);
}

void TestCommandRunnerEnds::cutShortCommandIsNoError_data()
{
    QTest::addColumn<bool>("fiscal");
    QTest::addColumn<bool>("reset");
    QTest::newRow("host, Cancel") << false << false;
    QTest::newRow("host, Reset serial ports") << false << true;
    QTest::newRow("fiscal, Cancel") << true << false;
    QTest::newRow("fiscal, Reset serial ports") << true << true;
}

void TestCommandRunnerEnds::cutShortCommandIsNoError()
{
    QFETCH(bool, fiscal);
    QFETCH(bool, reset);
    OpenHost();
    OpenFiscal();
    // The printer never answers: only the purge ends the wait.
    m_printer->SetReply(TScriptedPrinter::TReply::Silent);
    m_host->SetAnswerTimeOut(60000);
    m_aux->SetTimeOut(0);
    m_runner->SetCommand({QStringLiteral("G"), fiscal ? cpFiscalPort : cpHostPort, {Field("A")}});
    m_runner->Send();
    QVERIFY(fiscal ? m_fiscalLine->waitForWrites(1, 5000) : m_hostLine->waitForWrites(1, 5000));
    QSignalSpy hostErrors(m_host.get(), &TFPHostControl::OnError);
    QSignalSpy auxErrors(m_aux.get(), &TFPAuxControl::OnError);
    if (reset) {
        m_runner->PurgePorts();
        m_runner->ResetPendingCommand();
    } else {
        m_runner->Cancel();
    }
    QCOMPARE(TRunOutcome::KindName(m_log->Outcomes.value(0).kind), QStringLiteral("cancelled"));
    QVERIFY(m_log->Events.contains(QStringLiteral("tree:1")));
    // The component reports the aborted wait as its time-out...
    QVERIFY(fiscal ? auxErrors.wait(5000) : hostErrors.wait(5000));
    m_log->Events.clear();
    QCoreApplication::processEvents();
    // ...which is no fault of the printer: nothing is said, nothing changes.
    QCOMPARE(m_log->Events, QStringList());

    // The next command's own time-out is reported as ever.
    m_host->SetAnswerTimeOut(100);
    m_aux->SetTimeOut(100);
    m_runner->Send();
    QTRY_COMPARE(Errors(m_log->Events), QStringList{"error:" + ExecutionTexts::CommunicationError});
    QCOMPARE(m_log->Statuses().last(), ExecutionTexts::TimeOut);
}

void TestCommandRunnerEnds::errorBeforeCancelStillShown()
{
    OpenHost();
    m_printer->SetReply(TScriptedPrinter::TReply::Silent);
    m_host->SetAnswerTimeOut(100);
    // Cancel pressed after the time-out, while its notification waits.
    connect(m_host.get(), &TFPHostControl::OnError, m_runner.get(), &TCommandRunner::Cancel);
    m_runner->SetCommand({QStringLiteral("G"), cpHostPort, {Field("A")}});
    m_runner->Send();
    QTRY_COMPARE(Errors(m_log->Events), QStringList{"error:" + ExecutionTexts::CommunicationError});
}

void TestCommandRunnerEnds::sendBetweenCutShortEndAndItsCall_data()
{
    QTest::addColumn<bool>("fiscal");
    QTest::newRow("host") << false;
    QTest::newRow("fiscal") << true;
}

void TestCommandRunnerEnds::sendBetweenCutShortEndAndItsCall()
{
    QFETCH(bool, fiscal);
    OpenHost();
    OpenFiscal();
    m_printer->SetReply(TScriptedPrinter::TReply::Silent);
    m_host->SetAnswerTimeOut(60000);
    m_aux->SetTimeOut(0);
    m_runner->SetCommand({QStringLiteral("G"), fiscal ? cpFiscalPort : cpHostPort, {Field("A")}});
    m_runner->Send();
    QVERIFY(fiscal ? m_fiscalLine->waitForWrites(1, 5000) : m_hostLine->waitForWrites(1, 5000));
    // The user clicks Send again while the end of the cancelled command is
    // on its way to the runner.
    bool sentAgain = false;
    const auto sendAgain = [&] {
        if (std::exchange(sentAgain, true))
            return;
        m_printer->SetReply(TScriptedPrinter::TReply::Answer);
        m_runner->Send();
    };
    if (fiscal)
        connect(m_aux.get(), &TFPAuxControl::OnError, m_runner.get(), sendAgain);
    else
        connect(m_host.get(), &TFPHostControl::OnError, m_runner.get(), sendAgain);
    m_runner->Cancel();
    QTRY_COMPARE(m_log->Outcomes.size(), 2);
    // The new command ends with what the printer said to it.
    const TRunOutcome::TKind kind = m_log->Outcomes.at(1).kind;
    QVERIFY2(kind == TRunOutcome::Answer || kind == TRunOutcome::Ack,
             qPrintable(TRunOutcome::KindName(kind)));
    QCOMPARE(Errors(m_log->Events), QStringList());
}

void TestCommandRunnerEnds::renamedSectionNamesTheAnswer()
{
    OpenHost();
    m_runner->SetCommand({QStringLiteral("GroupOld"), cpHostPort, {Field("A")}});
    m_runner->Send();
    QVERIFY(m_log->WaitFinished());
    m_runner->RenameSection(QStringLiteral("GroupOld"), QStringLiteral("GroupNew"));
    QCOMPARE(m_runner->SentCommandKey(), QStringLiteral("GroupNew"));
    QCOMPARE(m_runner->Command().key, QStringLiteral("GroupNew"));
    m_runner->Send();
    QTRY_COMPARE(m_log->Answers.size(), 2);
    QCOMPARE(m_log->Answers.last().commandKey, QStringLiteral("GroupNew"));
    // Another section's rename leaves them alone.
    m_runner->RenameSection(QStringLiteral("Other"), QStringLiteral("Else"));
    QCOMPARE(m_runner->SentCommandKey(), QStringLiteral("GroupNew"));
}

QTEST_GUILESS_MAIN(TestCommandRunnerEnds)
#include "tst_command_runner_ends.moc"
