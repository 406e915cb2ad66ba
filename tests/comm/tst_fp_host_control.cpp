#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "comm/scripted_serial_line.h"
#include "port_event_recorder.h"
#include "support_host_control_fixture.h"
#include "support_scripted_printer.h"

#include <QtTest>

#include <memory>

class TestFPHostControl : public QObject, protected THostControlFixture
{
    Q_OBJECT

private slots:
    void init() { SetUpHost(); }
    void cleanup() { TearDownHost(); }

    void newComponent();
    void openAndClose();
    void portName();
    void openFailure_data();
    void openFailure();
    void successfulCommand_data();
    void successfulCommand();
    void intermediateAnswersKeepWaiting();
    void elapsedTime();
    void nakOnly();
    void badChecksumThenRepetition();
    void olderAnswerThenOurs();
    void intermediateFrame();
    void answerSplit_data();
    void answerSplit();
    void noPrinter();
    void noPrinterRealTimeOut();
    void writeFailure();
    void endlessAnswerFillsBuffer();
    void vanishedLine();
    void purgeDuringWait();
    void purgedCommandCannotEndTheNextOne();
    void sendWhileBusy();
    void sendWhileClosed();
};


void TestFPHostControl::newComponent()
{
    TFPHostControl fresh;
    QCOMPARE(fresh.State(), EFP_S_Close);
    QCOMPARE(fresh.LastError(), EFP_Success);
    QCOMPARE(fresh.ExtraFieldsCount(), 0);
    QCOMPARE(fresh.AnswerTimeOut(), 2500);
}

void TestFPHostControl::openAndClose()
{
    host->SetBaudRate(br38400);
    QVERIFY(host->OpenPort());
    QCOMPARE(host->State(), EFP_S_Idle);
    QCOMPARE(host->LastError(), EFP_Success);
    QCOMPARE(line->settings().BaudRate, 38400);
    QVERIFY(line->dataTerminalReady());
    QVERIFY(!line->requestToSend());

    QVERIFY(!host->OpenPort());
    QCOMPARE(host->LastError(), EFP_E_ComAlreadyOpen);
    QCOMPARE(host->State(), EFP_S_Idle);

    QVERIFY(host->ClosePort());
    QCOMPARE(host->State(), EFP_S_Close);
    QVERIFY(!line->isOpen());
    QVERIFY(!host->ClosePort());
    QCOMPARE(host->LastError(), EFP_E_ComAlreadyClose);
    QCOMPARE(recorder->events, QStringList({"open", "close"}));

    // The same line opens again after a close.
    QVERIFY(host->OpenPort());
    QCOMPARE(line->openCount(), 2);
}

void TestFPHostControl::portName()
{
    host->SetCommPort(Com3);
    QCOMPARE(host->PortName(), THostFraming::PortName(Com3));
    host->SetDeviceName(QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(host->PortName(), QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(host->OpenPort());
    QCOMPARE(line->settings().Name, QStringLiteral("/dev/ttyUSB0"));
    host->SetDeviceName(QString());
    QCOMPARE(host->DeviceName(), QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(host->ClosePort());
    host->SetDeviceName(QString());
    QVERIFY(host->OpenPort());
    QCOMPARE(line->settings().Name, THostFraming::PortName(Com3));
}

void TestFPHostControl::openFailure_data()
{
    QTest::addColumn<int>("lineError");
    QTest::addColumn<int>("error");
    QTest::newRow("no such port") << int(TSerialLine::NotFoundError) << int(EFP_E_InvalidCom);
    QTest::newRow("port busy") << int(TSerialLine::OpenError) << int(EFP_E_ComInUse);
}

void TestFPHostControl::openFailure()
{
    QFETCH(int, lineError);
    QFETCH(int, error);
    line->setOpenError(TSerialLine::TLineError(lineError));
    QVERIFY(!host->OpenPort());
    QCOMPARE(int(host->LastError()), error);
    QCOMPARE(host->State(), EFP_S_Close);
    QVERIFY(recorder->events.isEmpty());
    QVERIFY(!host->SendCommand());
    QCOMPARE(host->LastError(), EFP_E_ComClose);
}

void TestFPHostControl::successfulCommand_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<Fields>("answerFields");
    QTest::addColumn<int>("printer");
    QTest::addColumn<int>("fiscal");
    QTest::addColumn<int>("returnCode");
    QTest::addColumn<Fields>("extra");

    QTest::newRow("extended")
        << int(protocol_Extended)
        << Fields{QByteArray("\x80\x01", 2), QByteArray("\x00\x22", 2), "", QByteArray("\x00\x05", 2), "", "E1", "E2"}
        << -32767 << 0x22 << 5 << Fields{"E1", "E2"};
    QTest::newRow("compatible")
        << int(protocol_Compatible) << Fields{"", "$0010", "-3", "E1"} << 16 << -3 << 0 << Fields{"E1"};
}

void TestFPHostControl::successfulCommand()
{
    QFETCH(int, protocol);
    QFETCH(Fields, answerFields);
    QFETCH(int, printer);
    QFETCH(int, fiscal);
    QFETCH(int, returnCode);
    QFETCH(Fields, extra);

    QByteArray answer;
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        answer = THostFraming::BuildAnswerFrame(sequence, answerFields);
        far.deliver(QByteArray(1, ACK));
        far.deliver(QByteArray(1, DC2), 5);
        far.deliver(answer, 5);
    });
    openHost(TProtocolType(protocol));
    QVERIFY(host->AddDataField("A"));
    QVERIFY(host->AddDataField("BC"));
    QVERIFY(host->SendCommand());
    QCOMPARE(host->State(), EFP_S_Busy);
    QVERIFY(recorder->waitForEnd());

    const QByteArray frame = line->writes().value(0);
    QCOMPARE(frame, THostFraming::BuildCommandFrame(TProtocolType(protocol), sentSequence(), {"A", "BC"}));
    QCOMPARE(recorder->events,
             QStringList({"write " + hex(frame), "ack", "intermediate", "read " + hex(answer),
                          "write 06", "final/1"}));
    QCOMPARE(line->writes(), QList<QByteArray>({frame, QByteArray(1, ACK)}));
    QCOMPARE(host->LastWrittenFrame(), QByteArray(1, ACK));
    QCOMPARE(host->LastReadFrame(), answer);
    QCOMPARE(int(host->PrinterStatus()), printer);
    QCOMPARE(int(host->FiscalStatus()), fiscal);
    QCOMPARE(int(host->ReturnCode()), returnCode);
    QCOMPARE(host->ExtraFieldsCount(), int(extra.size()));
    for (int i = 0; i < extra.size(); ++i)
        QCOMPARE(host->GetExtraField(i + 1), extra.at(i));
    QCOMPARE(host->LastError(), EFP_Success);
}

void TestFPHostControl::intermediateAnswersKeepWaiting()
{
    // Every DC2 comes after half the silence limit; none may end the command.
    host->SetAnswerTimeOut(1000);
    const int gap = 500;
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(QByteArray(1, ACK));
        far.deliver(QByteArray(1, DC2), gap);
        far.deliver(QByteArray(1, DC2), gap);
        far.deliver(ExtendedAnswer(sequence, 0, 0, 0, {}), gap);
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(recorder->events.count("intermediate"), 2);
    QCOMPARE(recorder->events.last(), QStringLiteral("final/1"));
}

void TestFPHostControl::elapsedTime()
{
    // The printer acknowledges at once and answers later: the time runs to
    // the answer, not to the ACK.
    const int answerDelayMs = 80;
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(QByteArray(1, ACK));
        far.deliver(ExtendedAnswer(sequence, 0, 0, 0, {}), answerDelayMs);
    });
    openHost();
    QVERIFY(host->AddDataField("A"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    const qint64 measuredUs = clock.nsecsElapsed() / 1000;
    QCOMPARE(recorder->answers.size(), 1);
    const qint64 elapsedUs = recorder->answers.first().ElapsedUs;
    // The scripted line counts whole milliseconds: its delay may end up to
    // one millisecond early.
    QVERIFY2(elapsedUs >= (answerDelayMs - 1) * 1000 && elapsedUs <= measuredUs,
             qPrintable(QStringLiteral("%1 us, measured %2 us").arg(elapsedUs).arg(measuredUs)));
}

void TestFPHostControl::nakOnly()
{
    host->SetAnswerTimeOut(1000);
    ScriptPrinter(*line, [](TScriptedSerialLine &far, quint8, const Fields &) {
        far.deliver(QByteArray(1, NAK));
    });
    openHost();
    QVERIFY(host->AddDataField("X"));
    QVERIFY(host->SendCommand());
    QTRY_COMPARE_WITH_TIMEOUT(recorder->events.count("nak"), 1, 5000);
    QCOMPARE(host->LastError(), EFP_E_NackReceived);
    QCOMPARE(host->State(), EFP_S_Busy);
    QVERIFY(recorder->waitForEnd());
    // The NAK does not end the command; the silence after it does.
    QVERIFY(recorder->endedAtMs - recorder->timeOf("nak") >= 500);
    QCOMPARE(recorder->events.last(), QStringLiteral("error %1/1").arg(int(EFP_E_NackReceived)));
    QCOMPARE(recorder->events.count("nak"), 1);
    // Nothing is sent again, not even a NAK of our own.
    QCOMPARE(line->writes().size(), 1);
}

void TestFPHostControl::badChecksumThenRepetition()
{
    QByteArray good;
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        good = ExtendedAnswer(sequence, 1, 2, 3, {"X"});
        QByteArray bad = good;
        bad[2] = bad[2] ^ 0x01;
        far.deliver(QByteArray(1, ACK));
        far.deliver(bad, 5);
        far.deliver(good, 20);
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    const QByteArray frame = line->writes().value(0);
    QCOMPARE(recorder->events, QStringList({"write " + hex(frame), "ack", "write 15",
                                            "read " + hex(good), "write 06", "final/1"}));
    QCOMPARE(line->writes(), QList<QByteArray>({frame, QByteArray(1, NAK), QByteArray(1, ACK)}));
    QCOMPARE(host->GetExtraField(1), QByteArray("X"));
}

void TestFPHostControl::olderAnswerThenOurs()
{
    QByteArray ours;
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        const quint8 older = THostFraming::NextSequenceNumber(protocol_Extended, sequence + 0x7D);
        ours = ExtendedAnswer(sequence, 0, 0, 7, {"new"});
        far.deliver(QByteArray(1, ACK) + ExtendedAnswer(older, 0, 0, 1, {"old"}) + ours);
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    const QByteArray frame = line->writes().value(0);
    // The older answer is acknowledged on the wire and nowhere else.
    QCOMPARE(recorder->events, QStringList({"write " + hex(frame), "ack", "read " + hex(ours),
                                            "write 06", "final/1"}));
    QCOMPARE(line->writes(), QList<QByteArray>({frame, QByteArray(1, ACK), QByteArray(1, ACK)}));
    QCOMPARE(int(host->ReturnCode()), 7);
    QCOMPARE(host->GetExtraField(1), QByteArray("new"));
}

void TestFPHostControl::intermediateFrame()
{
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(QByteArray(1, ACK));
        far.deliver(ExtendedAnswer(0x80, 0, 0, 0, {"busy"}), 5);
        far.deliver(ExtendedAnswer(sequence, 0, 0, 0, {"done"}), 5);
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(recorder->events.count("intermediate"), 1);
    // Only the final answer is acknowledged.
    QCOMPARE(line->writes().size(), 2);
    QCOMPARE(host->GetExtraField(1), QByteArray("done"));
}

void TestFPHostControl::answerSplit_data()
{
    QTest::addColumn<Fields>("answerFields");
    QTest::addColumn<Fields>("extra");
    const QByteArray s("\x00\x01", 2);
    QTest::newRow("five fields, no extra") << Fields{s, s, "", s, ""} << Fields{};
    QTest::newRow("empty last field") << Fields{s, s, "", s, "", "A", ""} << Fields{"A", ""};
    QTest::newRow("only an empty extra field") << Fields{s, s, "", s, "", ""} << Fields{""};
}

void TestFPHostControl::answerSplit()
{
    QFETCH(Fields, answerFields);
    QFETCH(Fields, extra);
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(THostFraming::BuildAnswerFrame(sequence, answerFields));
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(host->ExtraFieldsCount(), int(extra.size()));
    for (int i = 0; i < extra.size(); ++i) {
        QCOMPARE(host->GetExtraField(i + 1), extra.at(i));
        QCOMPARE(host->LastError(), EFP_Success);
    }
}

void TestFPHostControl::noPrinter()
{
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(recorder->events.size(), 2);
    QCOMPARE(recorder->events.last(), QStringLiteral("error %1/1").arg(int(EFP_E_ReadTimeOut)));
    QVERIFY(recorder->endedAtMs >= shortTimeOut);
}

void TestFPHostControl::noPrinterRealTimeOut()
{
    host->SetAnswerTimeOut(2500);
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd(1, 5000));
    QVERIFY(recorder->endedAtMs >= 2500);
    QCOMPARE(host->LastError(), EFP_E_ReadTimeOut);
}

void TestFPHostControl::writeFailure()
{
    line->setWriteFailing(true);
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(recorder->events, QStringList({QStringLiteral("error %1/1").arg(int(EFP_E_WriteError))}));
    // The port stays usable.
    line->setWriteFailing(false);
    recorder->clear();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(host->LastError(), EFP_E_ReadTimeOut);
}

void TestFPHostControl::endlessAnswerFillsBuffer()
{
    // A frame that never ends cannot be completed once the receive buffer is
    // full: the command ends then, not after the silence limit.
    host->SetAnswerTimeOut(60000);
    ScriptPrinter(*line, [](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(QByteArray("\x06\x02") + char(sequence) + QByteArray(6000, 'x'));
        far.deliver(QByteArray(6000, 'y'));
        far.deliver(QByteArray(6000, 'z'), 60000);
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd(1, 5000));
    QCOMPARE(recorder->events.last(), QStringLiteral("error %1/1").arg(int(EFP_E_ReadTimeOut)));
}

void TestFPHostControl::vanishedLine()
{
    host->SetAnswerTimeOut(60000);
    ScriptPrinter(*line, [](TScriptedSerialLine &far, quint8, const Fields &) {
        far.deliver(QByteArray(1, ACK));
        far.hangUp();
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd(1, 5000));
    QCOMPARE(host->LastError(), EFP_E_ReadTimeOut);
    QCOMPARE(host->State(), EFP_S_Idle);
}

void TestFPHostControl::purgeDuringWait()
{
    host->SetAnswerTimeOut(60000);
    openHost();
    QVERIFY(host->AddDataField("X"));
    QVERIFY(host->SendCommand());
    QVERIFY(line->waitForWrites(1, 5000));
    QVERIFY(host->AddDataField("pending"));
    host->Purge();
    QCOMPARE(host->State(), EFP_S_Idle);
    QCOMPARE(host->LastError(), EFP_Success);
    // The purged wait ends at once with the time-out notification.
    QVERIFY(recorder->waitForEnd(1, 5000));
    QCOMPARE(recorder->events.last(), QStringLiteral("error %1/1").arg(int(EFP_E_ReadTimeOut)));
    // The field added before the purge is gone.
    ScriptPrinter(*line, [](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(ExtendedAnswer(sequence, 0, 0, 0, {}));
    });
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd(2, 5000));
    QCOMPARE(line->writes().value(1), THostFraming::BuildCommandFrame(protocol_Extended, sentSequence(1), {}));
}

void TestFPHostControl::purgedCommandCannotEndTheNextOne()
{
    host->SetAnswerTimeOut(60000);
    int commands = 0;
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        if (++commands == 2)
            far.deliver(ExtendedAnswer(sequence, 0, 0, 0, {"second"}), 50);
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(line->waitForWrites(1, 5000));
    host->Purge();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd(1, 5000));
    // The worker reported the purged command before the second one.
    QCoreApplication::sendPostedEvents(host.get());
    QCOMPARE(recorder->events.filter("error").size(), 0);
    QCOMPARE(recorder->events.last(), QStringLiteral("final/1"));
    QCOMPARE(host->GetExtraField(1), QByteArray("second"));
}

void TestFPHostControl::sendWhileBusy()
{
    QByteArray answer;
    ScriptPrinter(*line, [&](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        answer = ExtendedAnswer(sequence, 0, 0, 0, {"one"});
        far.deliver(QByteArray(1, ACK));
        far.deliver(answer, 100);
    });
    openHost();
    QVERIFY(host->AddDataField("first"));
    QVERIFY(host->SendCommand());
    QVERIFY(host->AddDataField("second"));
    QVERIFY(!host->SendCommand());
    QCOMPARE(host->LastError(), EFP_E_OperationInProgress);
    QCOMPARE(host->State(), EFP_S_Busy);
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(recorder->events.last(), QStringLiteral("final/1"));
    QCOMPARE(line->writes().size(), 2);
    // The refused command was kept, and goes out with the next send.
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd(2));
    QCOMPARE(line->writes().value(2), THostFraming::BuildCommandFrame(protocol_Extended, sentSequence(2), {"second"}));
}

void TestFPHostControl::sendWhileClosed()
{
    QVERIFY(host->AddDataField("x"));
    QVERIFY(!host->SendCommand());
    QCOMPARE(host->LastError(), EFP_E_ComClose);
    host->Purge();
    QCOMPARE(host->LastError(), EFP_Success);
    QCOMPARE(host->State(), EFP_S_Close);
}

QTEST_GUILESS_MAIN(TestFPHostControl)
#include "tst_fp_host_control.moc"
