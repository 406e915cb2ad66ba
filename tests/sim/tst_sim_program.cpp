#include "comm/aux_framing.h"
#include "comm/host_framing.h"
#include "comm/pseudo_terminal.h"
#include "sim/sim_options.h"
#include "sim_process.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestSimProgram : public QObject
{
    Q_OBJECT

private slots:
    void options_data();
    void options();
    void refusesBadStart_data();
    void refusesBadStart();
    void stopsCleanlyOnSigint();
    void traceToFile();
    void servesSerialDevices();
};

void TestSimProgram::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");

    QTest::newRow("none") << QStringList{} << true;
    QTest::newRow("everything")
        << QStringList{"--protocol", "compatible", "--profile", "p.ini", "--fault", "nak@2",
                       "--fault", "silence@3", "--fiscal-fault", "delay=10", "--fiscal-frames", "4",
                       "--host-device", "/dev/ttyUSB0", "--baud", "38400", "--trace", "t.log"}
        << true;
    QTest::newRow("unknown protocol") << QStringList{"--protocol", "fast"} << false;
    QTest::newRow("odd baud rate") << QStringList{"--baud", "1234"} << false;
    QTest::newRow("no frames") << QStringList{"--fiscal-frames", "0"} << false;
    QTest::newRow("unknown option") << QStringList{"--colour"} << false;
    QTest::newRow("stray argument") << QStringList{"demo.tsy"} << false;
    QTest::newRow("replay") << QStringList{"--replay", "s.tcap", "--replay-delays"} << true;
    QTest::newRow("replay and a profile") << QStringList{"--replay", "s.tcap", "--profile", "p.ini"} << false;
    QTest::newRow("replay and faults") << QStringList{"--replay", "s.tcap", "--fault", "nak"} << false;
    QTest::newRow("delays without replay") << QStringList{"--replay-delays"} << false;
}

void TestSimProgram::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);
    TSimOptions options;
    QString error;
    QCOMPARE(options.Parse(QStringList{"tessaly-printer-sim"} + arguments, error), ok);
    QCOMPARE(error.isEmpty(), ok);
    if (ok && !arguments.isEmpty() && arguments.first() == QLatin1String("--replay")) {
        QCOMPARE(options.ReplayFile, QStringLiteral("s.tcap"));
        QVERIFY(options.ReplayDelays);
    } else if (ok && !arguments.isEmpty()) {
        QCOMPARE(options.Protocol, protocol_Compatible);
        QCOMPARE(options.HostFaults, (QStringList{"nak@2", "silence@3"}));
        QCOMPARE(options.FiscalFaults, QStringList{"delay=10"});
        QCOMPARE(options.FiscalFrames, 4);
        QCOMPARE(options.HostBaudRate, 38400);
        QCOMPARE(options.HostDevice, QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(options.FiscalDevice.isEmpty());
    }
}

void TestSimProgram::refusesBadStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad fault") << QStringList{"--fault", "explode"} << "unknown fault 'explode'";
    QTest::newRow("host-only fault on the fiscal port")
        << QStringList{"--fiscal-fault", "dc2=1,1"} << "does not apply to the fiscal port";
    QTest::newRow("missing profile") << QStringList{"--profile", "/nonexistent/p.ini"} << "/nonexistent/p.ini";
    QTest::newRow("missing capture") << QStringList{"--replay", "/nonexistent/c.tcap"}
                                     << "cannot read the capture file /nonexistent/c.tcap";
    QTest::newRow("missing device") << QStringList{"--host-device", "/dev/tessaly-none"} << "cannot open /dev/tessaly-none";
}

void TestSimProgram::refusesBadStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QProcess process;
    process.start(QStringLiteral(TESSALY_PRINTER_SIM), arguments);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TestSimProgram::stopsCleanlyOnSigint()
{
    QProcess process;
    process.start(QStringLiteral(TESSALY_PRINTER_SIM), {});
    QVERIFY(process.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine() || process.bytesAvailable() > 0, 5000);
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void TestSimProgram::traceToFile()
{
    QTemporaryDir dir;
    const QString trace = dir.filePath("sim.trace");
    TSimProcess sim;
    QVERIFY2(sim.Start({"--trace", trace}), qPrintable(sim.Error()));
    QCOMPARE(sim.Stop(), 0);
    QVERIFY(sim.Trace().isEmpty());
    QFile file(trace);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.contains("-- serving, extended protocol") && text.contains("-- stopped"), text.constData());
}

void TestSimProgram::servesSerialDevices()
{
    // Pseudo-terminal slaves stand in for the two serial devices; the test
    // talks through the masters like the machine at the cable's far end.
    TPseudoTerminal hostCable;
    TPseudoTerminal fiscalCable;
    QVERIFY(hostCable.open());
    QVERIFY(fiscalCable.open());
    TSimProcess sim;
    QVERIFY2(sim.Start({"--host-device", hostCable.slavePath(), "--baud", "38400",
                        "--fiscal-device", fiscalCable.slavePath()}),
             qPrintable(sim.Error()));
    QCOMPARE(sim.HostPath(), hostCable.slavePath());
    QCOMPARE(sim.FiscalPath(), fiscalCable.slavePath());

    QVERIFY(hostCable.write(THostFraming::BuildCommandFrame(protocol_Extended, 0x85, {"Z"})));
    const QByteArray answer = THostFraming::BuildAnswerFrame(
        0x85, THostFraming::AnswerFields(protocol_Extended, 0, 0, 0, {"Z"}));
    QCOMPARE(hostCable.readExactly(answer.size() + 1, 5000).toHex(' '), ('\x06' + answer).toHex(' '));

    QVERIFY(fiscalCable.write(QByteArray(1, TAuxFraming::ENQ)));
    QCOMPARE(fiscalCable.readExactly(1, 5000), QByteArray(1, TAuxFraming::ACK));
    QCOMPARE(sim.Stop(), 0);
}

QTEST_GUILESS_MAIN(TestSimProgram)
#include "tst_sim_program.moc"
