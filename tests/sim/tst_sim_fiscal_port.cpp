#include "comm/aux_exchange.h"
#include "comm/aux_framing.h"
#include "comm/fp_aux_control.h"
#include "port_event_recorder.h"
#include "sim_process.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QByteArray Ack(1, TAuxFraming::ACK);
const QByteArray Nak(1, TAuxFraming::NAK);

// The recorded events in short: what was written, not its bytes; what was
// read, as its text.
QStringList Summary(const TPortEventRecorder &recorder)
{
    QStringList summary;
    for (const QString &event : recorder.events) {
        if (event == "ack")
            summary << "Ack";
        else if (event == "nak")
            summary << "Nack";
        else if (event.startsWith("error "))
            summary << "Error:" + event.mid(6).section('/', 0, 0);
        else if (event.startsWith("write "))
            summary << (event == "write 06" ? "Write:ACK" : event == "write 15" ? "Write:NAK" : "Write:request");
        else if (event.startsWith("read "))
            summary << "Read:" + QString::fromLatin1(TAuxFraming::FrameText(QByteArray::fromHex(event.mid(5).toLatin1())));
        else if (event.startsWith("answer "))
            summary << (event.startsWith("answer final") ? "Final" : "More");
    }
    return summary;
}

} // namespace

class TestSimFiscalPort : public QObject
{
    Q_OBJECT

private slots:
    void exchange_data();
    void exchange();
    void clientReopensAndSimulatorStopsCleanly();
    void unlimitedWaitEndsByPurge();
    void sendRightAfterPurge();
};

void TestSimFiscalPort::exchange_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("enq is answered with ack")
        << QStringList{} << QByteArray("\x05") << QStringList{"Write:request", "Ack"} << QByteArray();
    QTest::newRow("one final frame")
        << QStringList{} << QByteArray("R1")
        << QStringList{"Write:request", "Read:0000R1", "Final", "Write:ACK"} << QByteArray("0000R1");
    QTest::newRow("three frames")
        << QStringList{"--fiscal-frames", "3"} << QByteArray("R2")
        << QStringList{"Write:request", "Read:1000 part 1", "More", "Write:ACK",
                       "Read:1000 part 2", "More", "Write:ACK", "Read:0000R2", "Final", "Write:ACK"}
        << QByteArray("0000R2");
    QTest::newRow("nak")
        << QStringList{"--fiscal-fault", "nak"} << QByteArray("R3")
        << QStringList{"Write:request", "Nack", "Error:12"} << QByteArray();
    QTest::newRow("bad checksum, then the repetition")
        << QStringList{"--fiscal-fault", "bad-checksum"} << QByteArray("R4")
        << QStringList{"Write:request", "Write:NAK", "Read:0000R4", "Final", "Write:ACK"}
        << QByteArray("0000R4");
    QTest::newRow("silence")
        << QStringList{"--fiscal-fault", "silence"} << QByteArray("R5")
        << QStringList{"Write:request", "Error:11"} << QByteArray();
    QTest::newRow("delay within the time-out")
        << QStringList{"--fiscal-fault", "delay=300"} << QByteArray("R6")
        << QStringList{"Write:request", "Read:0000R6", "Final", "Write:ACK"} << QByteArray("0000R6");
    QTest::newRow("delay beyond the time-out")
        << QStringList{"--fiscal-fault", "delay=1500"} << QByteArray("R7")
        << QStringList{"Write:request", "Error:11"} << QByteArray();
    QTest::newRow("garbage before the frame")
        << QStringList{"--fiscal-fault", "garbage=20"} << QByteArray("R8")
        << QStringList{"Write:request", "Read:0000R8", "Final", "Write:ACK"} << QByteArray("0000R8");
}

void TestSimFiscalPort::exchange()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, data);
    QFETCH(QStringList, events);
    QFETCH(QByteArray, answer);

    TSimProcess sim;
    QVERIFY2(sim.Start(options), qPrintable(sim.Error()));
    TFPAuxControl control;
    control.SetDeviceName(sim.FiscalPath());
    control.SetTimeOut(700);
    QVERIFY(control.OpenPort());
    TPortEventRecorder log(control);
    QVERIFY(control.SendData(data));
    QTRY_COMPARE_WITH_TIMEOUT(control.State(), FEFP_S_Idle, 5000);
    // The ACK of the last frame is reported after the answer.
    QTRY_COMPARE_WITH_TIMEOUT(Summary(log), events, 2000);
    QCOMPARE(control.Answer(), answer);
    QVERIFY(control.ClosePort());
    QCOMPARE(sim.Stop(), 0);
}

void TestSimFiscalPort::clientReopensAndSimulatorStopsCleanly()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({}), qPrintable(sim.Error()));
    for (int round = 1; round <= 3; ++round) {
        TFPAuxControl control;
        control.SetDeviceName(sim.FiscalPath());
        control.SetTimeOut(2000);
        QVERIFY(control.OpenPort());
        QSignalSpy answered(&control, &TFPAuxControl::OnAnswer);
        QVERIFY(control.SendData("X" + QByteArray::number(round)));
        QVERIFY(answered.wait(5000));
        QCOMPARE(control.Answer(), "0000X" + QByteArray::number(round));
        QVERIFY(control.ClosePort());
    }
    QCOMPARE(sim.Stop(), 0);
    const QString trace = sim.Trace();
    // A client that reopens before the simulator looks may hide a close;
    // the last one is always seen.
    QVERIFY(trace.count(QStringLiteral("client closed")) >= 1);
    // The ACK of each final frame reached the printer before the port closed.
    QVERIFY2(trace.count(QStringLiteral("fiscal <- 06")) == 3, qPrintable(trace));
    // Every frame is traced in hex with a millisecond time stamp.
    static const QRegularExpression sent(
        QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d fiscal -> 02 30 30 30 30 58 33 03 [0-9a-f]{2}$"),
        QRegularExpression::MultilineOption);
    QVERIFY2(trace.contains(sent), qPrintable(trace));
}

void TestSimFiscalPort::unlimitedWaitEndsByPurge()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({"--fiscal-fault", "silence@1"}), qPrintable(sim.Error()));
    TFPAuxControl control;
    control.SetDeviceName(sim.FiscalPath());
    QVERIFY(control.OpenPort());
    QSignalSpy error(&control, &TFPAuxControl::OnError);
    QSignalSpy written(&control, &TFPAuxControl::OnWrite);
    QVERIFY(control.SendData("R"));
    QVERIFY(written.wait(5000));
    // Longer than one read of the worker: still waiting.
    QVERIFY(!error.wait(TAuxExchange::UnlimitedReadSliceMs + 300));
    QCOMPARE(control.State(), FEFP_S_Busy);
    control.Purge();
    QCOMPARE(control.State(), FEFP_S_Idle);
    QVERIFY(error.wait(5000));
    // The second request is answered normally.
    QSignalSpy answered(&control, &TFPAuxControl::OnAnswer);
    QVERIFY(control.SendData("S"));
    QVERIFY(answered.wait(5000));
    QCOMPARE(control.Answer(), QByteArray("0000S"));
    QVERIFY(control.ClosePort());
    QCOMPARE(sim.Stop(), 0);
}

void TestSimFiscalPort::sendRightAfterPurge()
{
    // Cancel then Send at once, without waiting for the purged command's
    // error: the new request must go out and be answered every time.
    TSimProcess sim;
    QVERIFY2(sim.Start({"--fiscal-fault", "silence@every"}), qPrintable(sim.Error()));
    TFPAuxControl control;
    control.SetDeviceName(sim.FiscalPath());
    control.SetTimeOut(400);
    QVERIFY(control.OpenPort());
    for (int round = 0; round < 8; ++round) {
        QSignalSpy written(&control, &TFPAuxControl::OnWrite);
        QSignalSpy error(&control, &TFPAuxControl::OnError);
        QVERIFY(control.SendData("R"));
        QVERIFY(written.wait(5000));
        control.Purge();
        QVERIFY(control.SendData("S"));
        // The simulator stays silent: the second request ends by its own
        // time-out, after having been written.
        QTRY_VERIFY_WITH_TIMEOUT(written.count() >= 2, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(control.State(), FEFP_S_Idle, 8000);
        QCOMPARE(control.LastError(), FEFP_E_ReadTimeOut);
    }
    QVERIFY(control.ClosePort());
    QCOMPARE(sim.Stop(), 0);
    QCOMPARE(sim.Trace().count(QStringLiteral("fiscal <- 02 53")), 8);
}

QTEST_GUILESS_MAIN(TestSimFiscalPort)
#include "tst_sim_fiscal_port.moc"
