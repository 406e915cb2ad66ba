#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "port_event_recorder.h"
#include "sim_process.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray Ack(1, THostFraming::ACK);
const QByteArray Nak(1, THostFraming::NAK);

// The recorded events in short: what was written, not its bytes.
QStringList Summary(const TPortEventRecorder &recorder)
{
    QStringList summary;
    for (const QString &event : recorder.events) {
        if (event == "ack")
            summary << "Ack";
        else if (event == "nak")
            summary << "Nack";
        else if (event == "intermediate")
            summary << "Busy";
        else if (event.startsWith("final"))
            summary << "Final";
        else if (event.startsWith("error "))
            summary << "Error:" + event.mid(6).section('/', 0, 0);
        else if (event.startsWith("write "))
            summary << (event == "write 06" ? "Write:ACK" : event == "write 15" ? "Write:NAK" : "Write:command");
        else if (event.startsWith("read "))
            summary << "Read";
    }
    return summary;
}

const QStringList Normal{"Write:command", "Ack", "Read", "Write:ACK", "Final"};

} // namespace

class TestSimHostPort : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exchange_data();
    void exchange();
    void answerForAnotherCommandIsAcknowledgedAndDropped();

private:
    QTemporaryDir m_dir;
    QString m_profile;
};

void TestSimHostPort::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_profile = m_dir.filePath("printer.ini");
    QFile file(m_profile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Host]\nPrinterStatus=0x0080\nFiscalStatus=8\nReturnCode=12\nFields=$2,\"fixed\"\n");
}

void TestSimHostPort::exchange_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QStringList>("events");

    const int extended = protocol_Extended;
    const int compatible = protocol_Compatible;
    QTest::newRow("extended") << extended << QStringList{} << Normal;
    QTest::newRow("compatible") << compatible << QStringList{} << Normal;
    QTest::newRow("nak") << extended << QStringList{"nak"} << QStringList{"Write:command", "Nack", "Error:12"};
    QTest::newRow("bad checksum, then the repetition")
        << extended << QStringList{"bad-checksum"}
        << QStringList{"Write:command", "Ack", "Write:NAK", "Read", "Write:ACK", "Final"};
    QTest::newRow("dc2 bytes") << extended << QStringList{"dc2=2,300"}
                               << QStringList{"Write:command", "Ack", "Busy", "Busy", "Read", "Write:ACK", "Final"};
    QTest::newRow("0x80 frames, compatible")
        << compatible << QStringList{"busy-frame=2,300"}
        << QStringList{"Write:command", "Ack", "Busy", "Busy", "Read", "Write:ACK", "Final"};
    QTest::newRow("silence") << extended << QStringList{"silence"} << QStringList{"Write:command", "Error:11"};
    QTest::newRow("delay within the time-out") << extended << QStringList{"delay=300"} << Normal;
    QTest::newRow("delay beyond the time-out")
        << extended << QStringList{"delay=1500"} << QStringList{"Write:command", "Error:11"};
    QTest::newRow("garbage before the answer") << compatible << QStringList{"garbage=30"} << Normal;
}

void TestSimHostPort::exchange()
{
    QFETCH(int, protocol);
    QFETCH(QStringList, faults);
    QFETCH(QStringList, events);

    QStringList options{"--profile", m_profile, "--protocol",
                        protocol == protocol_Compatible ? "compatible" : "extended"};
    for (const QString &fault : faults)
        options << "--fault" << fault;
    TSimProcess sim;
    QVERIFY2(sim.Start(options), qPrintable(sim.Error()));

    TFPHostControl control;
    control.SetDeviceName(sim.HostPath());
    control.SetAnswerTimeOut(700);
    QVERIFY(control.OpenPort());
    control.SetProtocolType(TProtocolType(protocol));
    TPortEventRecorder log(control);
    QVERIFY(control.AddDataField(protocol == protocol_Compatible ? QByteArray("01") : QByteArray("\x00\x01", 2)));
    QVERIFY(control.AddDataField("abc"));
    QVERIFY(control.SendCommand());
    QTRY_COMPARE_WITH_TIMEOUT(control.State(), EFP_S_Idle, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(Summary(log), events, 2000);
    if (events.last() == QLatin1String("Final")) {
        QCOMPARE(control.PrinterStatus(), 0x80);
        QCOMPARE(control.FiscalStatus(), 8);
        // The compatible answer carries no return code.
        QCOMPARE(control.ReturnCode(), protocol == protocol_Extended ? 12 : 0);
        QCOMPARE(control.ExtraFieldsCount(), 2);
        QCOMPARE(control.GetExtraField(1), QByteArray("abc"));
        QCOMPARE(control.GetExtraField(2), QByteArray("fixed"));
    }
    QVERIFY(control.ClosePort());
    QCOMPARE(sim.Stop(), 0);
}

void TestSimHostPort::answerForAnotherCommandIsAcknowledgedAndDropped()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({"--fault", "other-seq@2"}), qPrintable(sim.Error()));
    TFPHostControl control;
    control.SetDeviceName(sim.HostPath());
    QVERIFY(control.OpenPort());
    for (int command = 1; command <= 2; ++command) {
        TPortEventRecorder log(control);
        QVERIFY(control.AddDataField("C" + QByteArray::number(command)));
        QVERIFY(control.SendCommand());
        QTRY_COMPARE_WITH_TIMEOUT(Summary(log), Normal, 5000);
        QCOMPARE(control.GetExtraField(1), "C" + QByteArray::number(command));
    }
    QVERIFY(control.ClosePort());
    QCOMPARE(sim.Stop(), 0);
    const QString trace = sim.Trace();
    QVERIFY2(trace.contains(QStringLiteral("command 2: answer for sequence")), qPrintable(trace));
}

QTEST_GUILESS_MAIN(TestSimHostPort)
#include "tst_sim_host_port.moc"
