#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "comm/scripted_serial_line.h"
#include "port_event_recorder.h"
#include "support_host_control_fixture.h"
#include "support_scripted_printer.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

// The host component's properties, the frames it builds and their limits,
// and closing or destroying it while a command is on its way.
class TestFPHostControlFrames : public QObject, protected THostControlFixture
{
    Q_OBJECT

private slots:
    void init() { SetUpHost(); }
    void cleanup() { TearDownHost(); }

    void propertyWrites();
    void compatibleFieldBytes_data();
    void compatibleFieldBytes();
    void dataLengthLimit_data();
    void dataLengthLimit();
    void sequenceNumbersAdvance_data();
    void sequenceNumbersAdvance();
    void extraFieldBounds();
    void closeWhileBusy();
    void destroyWhileBusy();
};

void TestFPHostControlFrames::propertyWrites()
{
    host->SetCommPort(Com2);
    host->SetBaudRate(br4800);
    openHost(protocol_Compatible);
    host->SetCommPort(Com4);
    host->SetBaudRate(br1200);
    host->SetDeviceName(QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(host->CommPort(), Com2);
    QCOMPARE(host->BaudRate(), br4800);
    QVERIFY(host->DeviceName().isEmpty());

    host->SetAnswerTimeOut(60000);
    QVERIFY(host->SendCommand());
    QVERIFY(line->waitForWrites(1, 5000));
    host->SetProtocolType(protocol_Extended);
    QCOMPARE(host->ProtocolType(), protocol_Compatible);
    host->Purge();
    host->SetProtocolType(protocol_Extended);
    QCOMPARE(host->ProtocolType(), protocol_Extended);
    QVERIFY(host->SendCommand());
    QVERIFY(line->waitForWrites(2, 5000));
    QVERIFY(sentSequence(0) >= 0x20 && sentSequence(0) <= 0x7F);
    QVERIFY(sentSequence(1) >= 0x81);
    host->Purge();
}

void TestFPHostControlFrames::compatibleFieldBytes_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("ok");
    QTest::newRow("printable") << QByteArray("AZ az 09~\x7F") << true;
    QTest::newRow("0x80") << QByteArray("ab\x80") << false;
    QTest::newRow("carriage return") << QByteArray("\x0D") << false;
    QTest::newRow("space is the lowest") << QByteArray(" ") << true;
    QTest::newRow("0x1F") << QByteArray("\x1F") << false;
}

void TestFPHostControlFrames::compatibleFieldBytes()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, ok);
    host->SetProtocolType(protocol_Compatible);
    QCOMPARE(host->AddDataField(field), ok);
    QCOMPARE(host->LastError(), ok ? EFP_Success : EFP_E_InvalidDataInField);
    // The extended protocol takes every byte.
    host->Purge();
    host->SetProtocolType(protocol_Extended);
    QVERIFY(host->AddDataField(field));
}

void TestFPHostControlFrames::dataLengthLimit_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<bool>("sent");
    QTest::newRow("2048 bytes") << Fields{QByteArray(2000, 'a'), QByteArray(48, 'b')} << true;
    QTest::newRow("2049 bytes") << Fields{QByteArray(2000, 'a'), QByteArray(49, 'b')} << false;
    QTest::newRow("2048 escaped bytes") << Fields{QByteArray(2048, '\x1C')} << true;
    // Separators are not data, but they must fit the send buffer.
    QTest::newRow("frame over 8192 bytes") << Fields(8200) << false;
    QTest::newRow("frame of exactly 8192 bytes") << Fields(8186) << true;
}

void TestFPHostControlFrames::dataLengthLimit()
{
    QFETCH(Fields, fields);
    QFETCH(bool, sent);
    host->SetAnswerTimeOut(60000);
    openHost();
    for (const QByteArray &field : fields)
        QVERIFY(host->AddDataField(field));
    QCOMPARE(host->SendCommand(), sent);
    if (sent) {
        QVERIFY(line->waitForWrites(1, 5000));
        QVERIFY(line->writes().first().size() <= 8192);
    } else {
        QCOMPARE(host->LastError(), EFP_E_MaxDataLengthReached);
        QCOMPARE(host->State(), EFP_S_Idle);
        QVERIFY(line->writes().isEmpty());
    }
    host->Purge();
}

void TestFPHostControlFrames::sequenceNumbersAdvance_data()
{
    QTest::addColumn<int>("protocol");
    QTest::newRow("compatible") << int(protocol_Compatible);
    QTest::newRow("extended") << int(protocol_Extended);
}

void TestFPHostControlFrames::sequenceNumbersAdvance()
{
    QFETCH(int, protocol);
    const auto type = TProtocolType(protocol);
    ScriptPrinter(*line, [](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(ExtendedAnswer(sequence, 0, 0, 0, {}));
    });
    openHost(type);
    // Enough commands to wrap around from any start.
    const int count = type == protocol_Compatible ? 0x61 : 0x80;
    for (int i = 0; i < count; ++i) {
        QVERIFY(host->SendCommand());
        QVERIFY(recorder->waitForEnd(i + 1));
    }
    for (int i = 0; i < count; ++i) {
        const quint8 sequence = sentSequence(2 * i);
        QVERIFY(type == protocol_Compatible ? sequence >= 0x20 && sequence <= 0x7F : sequence >= 0x81);
        if (i > 0)
            QCOMPARE(sequence, THostFraming::NextSequenceNumber(type, sentSequence(2 * i - 2)));
    }
}

void TestFPHostControlFrames::extraFieldBounds()
{
    ScriptPrinter(*line, [](TScriptedSerialLine &far, quint8 sequence, const Fields &) {
        far.deliver(ExtendedAnswer(sequence, 0, 0, 0, {"a", "b"}));
    });
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(recorder->waitForEnd());
    QCOMPARE(host->ExtraFieldsCount(), 2);
    for (int index : {0, 3, -1}) {
        QCOMPARE(host->GetExtraField(index), QByteArray());
        QCOMPARE(host->LastError(), EFP_E_InvalidIndex);
    }
    QCOMPARE(host->GetExtraField(2), QByteArray("b"));
    QCOMPARE(host->LastError(), EFP_Success);
    // A new send drops the previous answer's fields, even when it fails.
    host->AddDataField(QByteArray(2049, 'x'));
    QVERIFY(!host->SendCommand());
    QCOMPARE(host->ExtraFieldsCount(), 0);
}

void TestFPHostControlFrames::closeWhileBusy()
{
    host->SetAnswerTimeOut(60000);
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(line->waitForWrites(1, 5000));
    QVERIFY(host->ClosePort());
    QCOMPARE(host->State(), EFP_S_Close);
    // The worker has ended: whatever it reported is queued by now.
    QCoreApplication::sendPostedEvents(host.get());
    // What the closed worker still had queued is dropped.
    QCOMPARE(recorder->events.filter("error").size(), 0);
    QCOMPARE(recorder->events.last(), QStringLiteral("close"));
}

void TestFPHostControlFrames::destroyWhileBusy()
{
    host->SetAnswerTimeOut(60000);
    openHost();
    QVERIFY(host->SendCommand());
    QVERIFY(line->waitForWrites(1, 5000));
    QElapsedTimer clock;
    clock.start();
    recorder.reset();
    host.reset();
    // Far below the minute the worker would otherwise wait.
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(!line->isOpen());
}

QTEST_GUILESS_MAIN(TestFPHostControlFrames)
#include "tst_fp_host_control_frames.moc"
