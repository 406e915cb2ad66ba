#include "comm/aux_exchange.h"
#include "comm/aux_framing.h"
#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "port_event_recorder.h"
#include "queued_output_line.h"
#include "support_scripted_printer.h"

#include <QtTest>

#include <memory>

// The worker both ports share, seen through the two components: what
// leaves the line around a close or a purge, a thread that does not start,
// and how a command ends.
class TestPortWorker : public QObject
{
    Q_OBJECT

private slots:
    void finalAckSurvivesCloseOnAnswer_data();
    void finalAckSurvivesCloseOnAnswer();
    void purgeBeforeCommandKeepsItsAck_data();
    void purgeBeforeCommandKeepsItsAck();
    void workerThatCannotStart_data();
    void workerThatCannotStart();
    void answerAfterNakClearsTheError();
    void auxReceiveLimitEndsTheCommand_data();
    void auxReceiveLimitEndsTheCommand();
    void auxSendRightAfterCancel();
};

namespace {

const QByteArray Ack(1, 0x06);
const QByteArray Nak(1, 0x15);

// A host printer that answers every command at once.
void AnswerEveryCommand(TScriptedSerialLine &line)
{
    ScriptPrinter(line, [](TScriptedSerialLine &far, quint8 sequence, const QList<QByteArray> &) {
        far.deliver(Ack + ExtendedAnswer(sequence, 0, 0, 0, {"E"}));
    });
}

// An auxiliary printer that answers every request with a final frame
// repeating it, and ignores the host's ACK and NAK.
void AnswerEveryRequest(TScriptedSerialLine &line)
{
    line.setResponder([](TScriptedSerialLine &far, const QByteArray &written) {
        if (written != Ack && written != Nak)
            far.deliver(TAuxFraming::BuildFrame("0000" + written.mid(1, written.size() - 3)));
    });
}

}

void TestPortWorker::finalAckSurvivesCloseOnAnswer_data()
{
    QTest::addColumn<bool>("host");
    QTest::newRow("host") << true;
    QTest::newRow("fiscal") << false;
}

void TestPortWorker::finalAckSurvivesCloseOnAnswer()
{
    // A caller that closes the port on the final answer: the ACK still
    // waits in the driver and must leave, not be discarded.
    QFETCH(bool, host);
    auto line = std::make_shared<TQueuedOutputLine>();
    TFPHostControl hostControl;
    TFPAuxControl auxControl;
    if (host) {
        AnswerEveryCommand(*line);
        hostControl.SetLineFactory([line] { return line; });
        connect(&hostControl, &TFPHostControl::OnFinalAnswer, &hostControl, [&] { hostControl.ClosePort(); });
        QVERIFY(hostControl.OpenPort());
        QVERIFY(hostControl.AddDataField("A"));
        QVERIFY(hostControl.SendCommand());
        QTRY_COMPARE_WITH_TIMEOUT(hostControl.State(), EFP_S_Close, 5000);
    } else {
        AnswerEveryRequest(*line);
        auxControl.SetLineFactory([line] { return line; });
        connect(&auxControl, &TFPAuxControl::OnAnswer, &auxControl, [&] { auxControl.ClosePort(); });
        QVERIFY(auxControl.OpenPort());
        QVERIFY(auxControl.SendData("A"));
        QTRY_COMPARE_WITH_TIMEOUT(auxControl.State(), FEFP_S_Close, 5000);
    }
    QVERIFY(line->transmitted().endsWith(Ack));
    QCOMPARE(line->discarded(), QByteArray());
}

void TestPortWorker::purgeBeforeCommandKeepsItsAck_data()
{
    finalAckSurvivesCloseOnAnswer_data();
}

void TestPortWorker::purgeBeforeCommandKeepsItsAck()
{
    // Repeat purges and sends at once: the purge must not be applied after
    // the command and take its final ACK with it.
    QFETCH(bool, host);
    auto line = std::make_shared<TQueuedOutputLine>();
    TFPHostControl hostControl;
    TFPAuxControl auxControl;
    std::unique_ptr<TPortEventRecorder> recorder;
    if (host) {
        AnswerEveryCommand(*line);
        hostControl.SetLineFactory([line] { return line; });
        recorder = std::make_unique<TPortEventRecorder>(hostControl);
        QVERIFY(hostControl.OpenPort());
        for (int step = 1; step <= 2; ++step) {
            if (step == 1)
                hostControl.Purge();
            QVERIFY(hostControl.AddDataField("A"));
            QVERIFY(hostControl.SendCommand());
            QVERIFY(recorder->waitForEnd(step));
        }
    } else {
        AnswerEveryRequest(*line);
        auxControl.SetLineFactory([line] { return line; });
        recorder = std::make_unique<TPortEventRecorder>(auxControl);
        QVERIFY(auxControl.OpenPort());
        for (int step = 1; step <= 2; ++step) {
            if (step == 1)
                auxControl.Purge();
            QVERIFY(auxControl.SendData("A"));
            QVERIFY(recorder->waitForEnd(step));
        }
    }
    // The second command's write sent the first command's ACK on its way.
    QCOMPARE(line->discarded(), QByteArray());
    QCOMPARE(line->transmitted().count(Ack), 1);
    QCOMPARE(recorder->events.filter("error").size(), 0);
}

void TestPortWorker::workerThatCannotStart_data()
{
    QTest::addColumn<bool>("host");
    QTest::addColumn<bool>("threadStarts");
    QTest::newRow("host, no thread") << true << false;
    QTest::newRow("host, no line") << true << true;
    QTest::newRow("fiscal, no thread") << false << false;
    QTest::newRow("fiscal, no line") << false << true;
}

void TestPortWorker::workerThatCannotStart()
{
    QFETCH(bool, host);
    QFETCH(bool, threadStarts);
    auto line = std::make_shared<TScriptedSerialLine>();
    const TPortWorker::TLineFactory factory = [line, threadStarts]() -> std::shared_ptr<TSerialLine> {
        // With a thread, the line is what cannot be made.
        if (threadStarts)
            return nullptr;
        return line;
    };
    const TPortWorker::TStarter starter = [threadStarts](QThread &thread) {
        if (threadStarts)
            thread.start();
    };
    TFPHostControl hostControl;
    TFPAuxControl auxControl;
    QSignalSpy hostOpened(&hostControl, &TFPHostControl::OnOpen);
    QSignalSpy auxOpened(&auxControl, &TFPAuxControl::OnOpen);
    hostControl.SetLineFactory(factory);
    hostControl.SetWorkerStarter(starter);
    auxControl.SetLineFactory(factory);
    auxControl.SetWorkerStarter(starter);
    if (host) {
        QVERIFY(!hostControl.OpenPort());
        QCOMPARE(hostControl.LastError(), EFP_E_BadInitialization);
        QCOMPARE(hostControl.State(), EFP_S_Close);
    } else {
        QVERIFY(!auxControl.OpenPort());
        QCOMPARE(auxControl.LastError(), FEFP_E_BadInitialization);
        QCOMPARE(auxControl.State(), FEFP_S_Close);
    }
    QCOMPARE(hostOpened.size() + auxOpened.size(), 0);
    QCOMPARE(line->openCount(), 0);
}

void TestPortWorker::answerAfterNakClearsTheError()
{
    // The printer rejects the frame, then answers after all: the command
    // succeeded, and the next Repeat step must not see the NAK.
    auto line = std::make_shared<TScriptedSerialLine>();
    ScriptPrinter(*line, [](TScriptedSerialLine &far, quint8 sequence, const QList<QByteArray> &) {
        far.deliver(Nak);
        far.deliver(Ack + ExtendedAnswer(sequence, 0, 0, 0, {}), 5);
    });
    TFPHostControl host;
    host.SetLineFactory([line] { return line; });
    TPortEventRecorder recorder(host);
    QVERIFY(host.OpenPort());
    QVERIFY(host.SendCommand());
    QVERIFY(recorder.waitForEnd());
    QCOMPARE(recorder.events.last(), QStringLiteral("final/1"));
    QVERIFY(recorder.events.contains("nak"));
    QCOMPARE(host.LastError(), EFP_Success);
}

void TestPortWorker::auxReceiveLimitEndsTheCommand_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("nakCount");
    // Each chunk far below the limit, all of them together above it.
    QTest::newRow("noise") << QByteArray(100, 'z') << 0;
    QByteArray bad = TAuxFraming::BuildFrame("0000 bad");
    bad[bad.size() - 1] = char(bad.back() + 1);
    QTest::newRow("frames that never check out") << bad << TAuxExchange::ReceiveLimit / int(bad.size());
}

void TestPortWorker::auxReceiveLimitEndsTheCommand()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, nakCount);
    auto line = std::make_shared<TScriptedSerialLine>();
    line->setResponder([chunk](TScriptedSerialLine &far, const QByteArray &written) {
        if (written == Nak)
            return;
        for (int sent = 0; sent <= TAuxExchange::ReceiveLimit; sent += int(chunk.size()))
            far.deliver(chunk);
    });
    TFPAuxControl aux;
    aux.SetLineFactory([line] { return line; });
    TPortEventRecorder recorder(aux);
    QVERIFY(aux.OpenPort());
    // Without a limit of time only the bytes can end the command.
    aux.SetTimeOut(0);
    QVERIFY(aux.SendData("A"));
    QVERIFY(recorder.waitForEnd(1, 5000));
    QCOMPARE(recorder.events.last(), QStringLiteral("error %1/1").arg(int(FEFP_E_ReadTimeOut)));
    QCOMPARE(recorder.events.count("write 15"), nakCount);
    QCOMPARE(aux.State(), FEFP_S_Idle);
}

void TestPortWorker::auxSendRightAfterCancel()
{
    // A busy request cancelled and another sent at once, many times over:
    // the new request always reaches the printer and gets its answer.
    auto line = std::make_shared<TScriptedSerialLine>();
    line->setResponder([](TScriptedSerialLine &far, const QByteArray &written) {
        if (written.startsWith("\x02next"))
            far.deliver(TAuxFraming::BuildFrame("0000" + written.mid(1, written.size() - 3)));
    });
    TFPAuxControl aux;
    aux.SetLineFactory([line] { return line; });
    aux.SetTimeOut(3000);
    TPortEventRecorder recorder(aux);
    QVERIFY(aux.OpenPort());
    for (int round = 0; round < 200; ++round) {
        recorder.clear();
        const int writes = int(line->writes().size());
        QVERIFY(aux.SendData("busy"));
        QVERIFY(line->waitForWrites(writes + 1, 5000));
        aux.Purge();
        const QByteArray next = "next" + QByteArray::number(round);
        QVERIFY(aux.SendData(next));
        QTRY_VERIFY2_WITH_TIMEOUT(recorder.events.contains("answer final 0000" + next),
                                  qPrintable(QStringLiteral("round %1: %2").arg(round).arg(recorder.events.join(", "))),
                                  5000);
        QCOMPARE(recorder.events.filter("error").size(), 0);
        QCOMPARE(aux.LastError(), FEFP_Success);
    }
}

QTEST_GUILESS_MAIN(TestPortWorker)
#include "tst_port_worker.moc"
