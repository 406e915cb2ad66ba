#include "comm/aux_framing.h"
#include "comm/fp_aux_control.h"
#include "comm/scripted_serial_line.h"
#include "port_event_recorder.h"
#include "queued_output_line.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QByteArray Ack(1, TAuxFraming::ACK);
const QByteArray Nak(1, TAuxFraming::NAK);

QByteArray Frame(const QByteArray &text)
{
    return TAuxFraming::BuildFrame(text);
}

QByteArray BadFrame(const QByteArray &text)
{
    QByteArray frame = Frame(text);
    frame[frame.size() - 1] = char(frame.back() + 1);
    return frame;
}

QString W(const QByteArray &bytes)
{
    return "write " + QString::fromLatin1(bytes.toHex());
}

QString R(const QByteArray &bytes)
{
    return "read " + QString::fromLatin1(bytes.toHex());
}

} // namespace

class TestFPAuxControl : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writtenBytes_data();
    void writtenBytes();
    void exchange_data();
    void exchange();
    void nonFinalAnswerKeepsBusy();
    void ackIsOutBeforeTheAnswerIsReported();
    void elapsedTime_data();
    void elapsedTime();
    void silentPrinterTimesOut();
    void everyFrameRestartsTheTimeOut();
    void unlimitedTimeOutEndsByPurge();
    void lateNoticeDoesNotEndNewerCommand();
    void writeFailure();
    void operationErrors();
    void openErrors_data();
    void openErrors();
    void modemLinesAndClose();
    void destroyWhileBusy();
    void missingDeviceOnRealLine();

private:
    void OpenWith(std::function<void(TScriptedSerialLine &, const QByteArray &)> responder);

    std::unique_ptr<TFPAuxControl> m_control;
    std::shared_ptr<TScriptedSerialLine> m_line;
};

void TestFPAuxControl::init()
{
    m_line = std::make_shared<TScriptedSerialLine>();
    m_control = std::make_unique<TFPAuxControl>();
    m_control->SetLineFactory([this] { return m_line; });
}

void TestFPAuxControl::cleanup()
{
    m_control.reset();
    m_line.reset();
}

void TestFPAuxControl::OpenWith(std::function<void(TScriptedSerialLine &, const QByteArray &)> responder)
{
    m_line->setResponder(std::move(responder));
    QVERIFY(m_control->OpenPort());
    QCOMPARE(m_control->State(), FEFP_S_Idle);
}

void TestFPAuxControl::writtenBytes_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("AB") << QByteArray("AB") << QByteArray::fromHex("0241420378");
    QTest::newRow("ENQ unframed") << QByteArray(1, TAuxFraming::ENQ) << QByteArray(1, TAuxFraming::ENQ);
    QTest::newRow("ENQ inside data is framed")
        << QByteArray("\x05\x05") << Frame("\x05\x05");
    QTest::newRow("empty data") << QByteArray() << QByteArray::fromHex("0203fb");
    QTest::newRow("256 bytes") << QByteArray(256, 'z') << Frame(QByteArray(256, 'z'));
}

void TestFPAuxControl::writtenBytes()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, written);
    OpenWith({});
    QVERIFY(m_control->SendData(data));
    QCOMPARE(m_control->State(), FEFP_S_Busy);
    QVERIFY(m_line->waitForWrites(1, 5000));
    QCOMPARE(m_line->writes().first().toHex(' '), written.toHex(' '));
}

void TestFPAuxControl::exchange_data()
{
    QTest::addColumn<QList<QByteArray>>("replies");   // one chunk per write of the host
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("lastError");

    const QByteArray request = Frame("AB");
    const QByteArray final = Frame("0003 done");
    const QByteArray more = Frame("1000 part");

    QTest::newRow("final answer")
        << QList<QByteArray>{final}
        << QStringList{W(request), R(final), "answer final 0003 done", W(Ack)}
        << QByteArray("0003 done") << int(FEFP_Success);
    QTest::newRow("ack ends with empty answer")
        << QList<QByteArray>{Ack} << QStringList{W(request), "ack"} << QByteArray()
        << int(FEFP_Success);
    QTest::newRow("two frames, the second after our ack")
        << QList<QByteArray>{more, final}
        << QStringList{W(request), R(more), "answer more 1000 part", W(Ack), R(final),
                       "answer final 0003 done", W(Ack)}
        << QByteArray("0003 done") << int(FEFP_Success);
    QTest::newRow("two frames in one chunk")
        << QList<QByteArray>{more + final}
        << QStringList{W(request), R(more), "answer more 1000 part", W(Ack), R(final),
                       "answer final 0003 done", W(Ack)}
        << QByteArray("0003 done") << int(FEFP_Success);
    QTest::newRow("bad checksum answered with nak, never reported")
        << QList<QByteArray>{BadFrame("0003 done"), final}
        << QStringList{W(request), W(Nak), R(final), "answer final 0003 done", W(Ack)}
        << QByteArray("0003 done") << int(FEFP_Success);
    QTest::newRow("noise before the frame")
        << QList<QByteArray>{QByteArray("\xff\x00zz", 4) + final}
        << QStringList{W(request), R(final), "answer final 0003 done", W(Ack)}
        << QByteArray("0003 done") << int(FEFP_Success);
    QTest::newRow("nak then silence")
        << QList<QByteArray>{Nak} << QStringList{W(request), "nak", "error 12/1"} << QByteArray()
        << int(FEFP_E_NackReceived);
    QTest::newRow("nak then answer")
        << QList<QByteArray>{Nak + final}
        << QStringList{W(request), "nak", R(final), "answer final 0003 done", W(Ack)}
        << QByteArray("0003 done") << int(FEFP_Success);
}

void TestFPAuxControl::exchange()
{
    QFETCH(QList<QByteArray>, replies);
    QFETCH(QStringList, events);
    QFETCH(QByteArray, answer);
    QFETCH(int, lastError);

    auto queue = std::make_shared<QList<QByteArray>>(replies);
    // Each write of the host (request, ACK, NAK) releases the next reply.
    OpenWith([queue](TScriptedSerialLine &line, const QByteArray &) {
        if (!queue->isEmpty())
            line.deliver(queue->takeFirst(), 5);
    });
    m_control->SetTimeOut(300);
    TPortEventRecorder log(*m_control);
    QSignalSpy idle(m_control.get(), &TFPAuxControl::StateChanged);
    QVERIFY(m_control->SendData("AB"));
    QTRY_COMPARE_WITH_TIMEOUT(m_control->State(), FEFP_S_Idle, 5000);
    // The ACK for the final frame is reported after the answer.
    QTRY_COMPARE_WITH_TIMEOUT(log.events, events, 5000);
    QCOMPARE(m_control->Answer(), answer);
    QCOMPARE(int(m_control->LastError()), lastError);
}

void TestFPAuxControl::nonFinalAnswerKeepsBusy()
{
    OpenWith([](TScriptedSerialLine &line, const QByteArray &written) {
        if (written != Ack)
            line.deliver(Frame("0005 working"));
    });
    TPortEventRecorder log(*m_control);
    QVERIFY(m_control->SendData("AB"));
    QTRY_COMPARE_WITH_TIMEOUT(log.events.size(), 4, 5000);
    QCOMPARE(log.events.at(2), QStringLiteral("answer more 0005 working"));
    QCOMPARE(m_control->State(), FEFP_S_Busy);
    QVERIFY(!m_control->SendData("CD"));
    QCOMPARE(m_control->LastError(), FEFP_E_OperationInProgress);
    m_control->Purge();
    QCOMPARE(m_control->State(), FEFP_S_Idle);
}

void TestFPAuxControl::ackIsOutBeforeTheAnswerIsReported()
{
    OpenWith([](TScriptedSerialLine &line, const QByteArray &written) {
        if (written != Ack)
            line.deliver(Frame("0000"));
    });
    QList<QByteArray> lastWrites;
    connect(m_control.get(), &TFPAuxControl::OnAnswer, this,
            [&] { lastWrites << m_line->writes().last(); });
    QVERIFY(m_control->SendData("AB"));
    QTRY_COMPARE_WITH_TIMEOUT(lastWrites.size(), 1, 5000);
    QCOMPARE(lastWrites.first(), Ack);
    // Closing at once loses nothing.
    QVERIFY(m_control->ClosePort());
    QCOMPARE(m_line->writes().size(), 2);
}

void TestFPAuxControl::elapsedTime_data()
{
    QTest::addColumn<QList<QByteArray>>("replies");   // one chunk per write of the host
    QTest::addColumn<bool>("answered");

    QTest::newRow("ACK") << QList<QByteArray>{Ack} << true;
    QTest::newRow("answer after an intermediate one")
        << QList<QByteArray>{Frame("0005 working"), Frame("0000 done")} << true;
    QTest::newRow("time-out") << QList<QByteArray>{} << false;
}

void TestFPAuxControl::elapsedTime()
{
    QFETCH(QList<QByteArray>, replies);
    QFETCH(bool, answered);

    // Each reply comes well after the write that released it: the time runs
    // from the request's first byte to the reply that ends the command.
    const int delayMs = 60;
    auto queue = std::make_shared<QList<QByteArray>>(replies);
    OpenWith([queue](TScriptedSerialLine &line, const QByteArray &) {
        if (!queue->isEmpty())
            line.deliver(queue->takeFirst(), delayMs);
    });
    m_control->SetTimeOut(300);
    QList<qint64> finalElapsed;
    QList<qint64> otherElapsed;
    connect(m_control.get(), &TFPAuxControl::OnAck, this, [&](qint64 us) { finalElapsed << us; });
    connect(m_control.get(), &TFPAuxControl::OnAnswer, this,
            [&](const QByteArray &, bool isFinal, qint64 us) { (isFinal ? finalElapsed : otherElapsed) << us; });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(m_control->SendData("AB"));
    QTRY_COMPARE_WITH_TIMEOUT(m_control->State(), FEFP_S_Idle, 5000);
    const qint64 measuredUs = clock.nsecsElapsed() / 1000;

    for (const qint64 us : otherElapsed)
        QCOMPARE(us, qint64(-1));
    if (!answered) {
        QVERIFY(finalElapsed.isEmpty());
        return;
    }
    QCOMPARE(finalElapsed.size(), 1);
    // The scripted line counts whole milliseconds: each delay may end up to
    // one millisecond early.
    const qint64 minimumUs = qint64(replies.size()) * (delayMs - 1) * 1000;
    QVERIFY2(finalElapsed.first() >= minimumUs && finalElapsed.first() <= measuredUs,
             qPrintable(QStringLiteral("%1 us, measured %2 us").arg(finalElapsed.first()).arg(measuredUs)));
}

void TestFPAuxControl::silentPrinterTimesOut()
{
    OpenWith({});
    m_control->SetTimeOut(500);
    TPortEventRecorder log(*m_control);
    QElapsedTimer clock;
    QSignalSpy written(m_control.get(), &TFPAuxControl::OnWrite);
    QSignalSpy error(m_control.get(), &TFPAuxControl::OnError);
    QVERIFY(m_control->SendData("AB"));
    QVERIFY(written.wait(5000));
    clock.start();
    QVERIFY(error.wait(5000));
    QVERIFY2(clock.elapsed() >= 400, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_control->LastError(), FEFP_E_ReadTimeOut);
    QCOMPARE(m_control->State(), FEFP_S_Idle);
    QCOMPARE(log.events, (QStringList{W(Frame("AB")), "error 11/1"}));
}

void TestFPAuxControl::everyFrameRestartsTheTimeOut()
{
    // A long fiscal report: intermediate frames, each well within the
    // time-out of the one before, for far longer in all than the time-out.
    const int timeOut = 1000;
    const int gap = 300;
    const int intermediate = 5;
    auto sent = std::make_shared<int>(0);
    // The request and the ACK of each frame release the next frame.
    OpenWith([=](TScriptedSerialLine &line, const QByteArray &written) {
        if (written == Nak || *sent > intermediate)
            return;
        const int n = (*sent)++;
        line.deliver(n < intermediate ? Frame("1000 line " + QByteArray::number(n)) : Frame("0000 end"), gap);
    });
    m_control->SetTimeOut(timeOut);
    QSignalSpy answers(m_control.get(), &TFPAuxControl::OnAnswer);
    QSignalSpy errors(m_control.get(), &TFPAuxControl::OnError);
    QVERIFY(m_control->SendData("AB"));
    QTRY_COMPARE_WITH_TIMEOUT(m_control->State(), FEFP_S_Idle, 10000);
    QCOMPARE(errors.size(), 0);
    QCOMPARE(answers.size(), intermediate + 1);
    QCOMPARE(answers.last().at(1).toBool(), true);
    QCOMPARE(m_control->Answer(), QByteArray("0000 end"));
    QCOMPARE(m_control->LastError(), FEFP_Success);
}

void TestFPAuxControl::unlimitedTimeOutEndsByPurge()
{
    OpenWith({});
    QSignalSpy error(m_control.get(), &TFPAuxControl::OnError);
    QVERIFY(m_control->SendData("AB"));
    QVERIFY(m_line->waitForWrites(1, 5000));
    QVERIFY(!error.wait(300));
    QCOMPARE(m_control->State(), FEFP_S_Busy);
    m_control->Purge();
    QCOMPARE(m_control->State(), FEFP_S_Idle);
    QCOMPARE(m_control->LastError(), FEFP_Success);
    // The aborted read ends the purged command.
    QVERIFY(error.wait(5000));
    QCOMPARE(m_control->LastError(), FEFP_E_ReadTimeOut);
    // The port works on.
    m_line->setResponder([](TScriptedSerialLine &line, const QByteArray &) { line.deliver(Ack); });
    QSignalSpy ack(m_control.get(), &TFPAuxControl::OnAck);
    QVERIFY(m_control->SendData("CD"));
    QVERIFY(ack.wait(5000));
}

void TestFPAuxControl::lateNoticeDoesNotEndNewerCommand()
{
    OpenWith({});
    QSignalSpy error(m_control.get(), &TFPAuxControl::OnError);
    QVERIFY(m_control->SendData("AB"));
    QVERIFY(m_line->waitForWrites(1, 5000));
    m_control->Purge();
    QVERIFY(m_control->SendData("CD"));
    // By the second write the purged command has posted its time-out.
    QVERIFY(m_line->waitForWrites(2, 5000));
    QCoreApplication::processEvents();
    QCOMPARE(error.size(), 0);
    QCOMPARE(m_control->State(), FEFP_S_Busy);
}

void TestFPAuxControl::writeFailure()
{
    OpenWith({});
    m_line->setWriteFailing(true);
    TPortEventRecorder log(*m_control);
    QVERIFY(m_control->SendData("AB"));
    QTRY_COMPARE_WITH_TIMEOUT(m_control->State(), FEFP_S_Idle, 5000);
    QCOMPARE(m_control->LastError(), FEFP_E_WriteError);
    QCOMPARE(log.events, QStringList{"error 10/1"});
}

void TestFPAuxControl::operationErrors()
{
    QCOMPARE(m_control->State(), FEFP_S_Close);
    QCOMPARE(m_control->TimeOut(), 0);
    QVERIFY(!m_control->SendData("AB"));
    QCOMPARE(m_control->LastError(), FEFP_E_ComClose);
    QVERIFY(!m_control->ClosePort());
    QCOMPARE(m_control->LastError(), FEFP_E_ComAlreadyClose);
    m_control->Purge();
    QCOMPARE(m_control->LastError(), FEFP_Success);

    OpenWith({});
    QVERIFY(!m_control->OpenPort());
    QCOMPARE(m_control->LastError(), FEFP_E_ComAlreadyOpen);
    QVERIFY(!m_control->SendData(QByteArray(257, 'z')));
    QCOMPARE(m_control->LastError(), FEFP_E_MaxDataLengthReached);
    QCOMPARE(m_control->State(), FEFP_S_Idle);
    // Port and device are kept while open.
    m_control->SetCommPort(FCom3);
    QCOMPARE(m_control->CommPort(), FCom1);
}

void TestFPAuxControl::openErrors_data()
{
    QTest::addColumn<int>("lineError");
    QTest::addColumn<int>("expected");
    QTest::newRow("no such device") << int(TSerialLine::NotFoundError) << int(FEFP_E_InvalidCom);
    QTest::newRow("busy") << int(TSerialLine::OpenError) << int(FEFP_E_ComInUse);
}

void TestFPAuxControl::openErrors()
{
    QFETCH(int, lineError);
    QFETCH(int, expected);
    m_line->setOpenError(TSerialLine::TLineError(lineError));
    QSignalSpy opened(m_control.get(), &TFPAuxControl::OnOpen);
    QVERIFY(!m_control->OpenPort());
    QCOMPARE(int(m_control->LastError()), expected);
    QCOMPARE(m_control->State(), FEFP_S_Close);
    QCOMPARE(opened.size(), 0);
    m_line->setOpenError(TSerialLine::NoError);
    QVERIFY(m_control->OpenPort());
}

void TestFPAuxControl::modemLinesAndClose()
{
    m_control->SetCommPort(FCom2);
    m_control->SetDeviceName("/dev/ttyUSB7");
    QSignalSpy opened(m_control.get(), &TFPAuxControl::OnOpen);
    QSignalSpy closed(m_control.get(), &TFPAuxControl::OnClose);
    OpenWith({});
    QCOMPARE(opened.size(), 1);
    QCOMPARE(m_line->settings().Name, QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(m_line->settings().BaudRate, 9600);
    QVERIFY(m_line->dataTerminalReady());
    QVERIFY(m_line->requestToSend());
    QVERIFY(m_control->ClosePort());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(m_control->State(), FEFP_S_Close);
    QVERIFY(!m_line->isOpen());
    QVERIFY(!m_line->dataTerminalReady());
    QVERIFY(!m_line->requestToSend());
    m_control->SetDeviceName({});
    QCOMPARE(m_control->PortName(), TFPAuxControl::PortName(FCom2));
}

void TestFPAuxControl::destroyWhileBusy()
{
    OpenWith({});
    QSignalSpy closed(m_control.get(), &TFPAuxControl::OnClose);
    QVERIFY(m_control->SendData("AB"));
    QVERIFY(m_line->waitForWrites(1, 5000));
    m_control.reset();
    QCOMPARE(closed.size(), 0);
    QVERIFY(!m_line->isOpen());
    QVERIFY(!m_line->dataTerminalReady());
    QCoreApplication::processEvents();
}

void TestFPAuxControl::missingDeviceOnRealLine()
{
    TFPAuxControl control;
    control.SetDeviceName("/dev/tessaly-no-such-port");
    QVERIFY(!control.OpenPort());
    QCOMPARE(control.LastError(), FEFP_E_InvalidCom);
    QCOMPARE(control.State(), FEFP_S_Close);
}

QTEST_GUILESS_MAIN(TestFPAuxControl)
#include "tst_fp_aux_control.moc"
