#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "comm/pseudo_terminal.h"
#include "comm/qt_serial_line.h"
#include "port_event_recorder.h"
#include "support_scripted_printer.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// Waits, without reading, until the device has input for whoever reads it.
bool WaitReadable(const QString &path, int timeoutMs)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    pollfd watched{fd, POLLIN, 0};
    const bool readable = ::poll(&watched, 1, timeoutMs) == 1 && (watched.revents & POLLIN);
    ::close(fd);
    return readable;
}

}

// The QSerialPort line against the master side of a pseudo-terminal.
class TestQtSerialLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensPseudoTerminal();
    void missingDevice();
    void deviceInUse();
    void writeAndRead();
    void readLimitAndTimeOut();
    void abortWakesRead();
    void hangUpFailsWithoutSpinning();
    void hostExchange();
    void commandEndsWhenDeviceGoes_data();
    void commandEndsWhenDeviceGoes();
    void ackSurvivesCloseOnAnswer();

private:
    TPseudoTerminal pty;
    TSerialLine::TLineSettings settings() const;
};

void TestQtSerialLine::init()
{
    QVERIFY2(pty.open(), qPrintable(pty.errorString()));
}

void TestQtSerialLine::cleanup()
{
    pty.close();
}

TSerialLine::TLineSettings TestQtSerialLine::settings() const
{
    TSerialLine::TLineSettings result;
    result.Name = pty.slavePath();
    result.BaudRate = 38400;
    return result;
}

void TestQtSerialLine::opensPseudoTerminal()
{
    TQtSerialLine line;
    // A pseudo-terminal cannot drive DTR and RTS; that must not fail the open.
    QVERIFY2(line.open(settings()), qPrintable(line.errorString()));
    QVERIFY(line.isOpen());
    QCOMPARE(line.error(), TSerialLine::NoError);
    QVERIFY(line.setDataTerminalReady(false));
    QVERIFY(line.setRequestToSend(true));
    line.close();
    QVERIFY(!line.isOpen());
    QVERIFY(!line.write("x", 100));
    QCOMPARE(line.error(), TSerialLine::NotOpenError);
}

void TestQtSerialLine::missingDevice()
{
    TQtSerialLine line;
    TSerialLine::TLineSettings missing = settings();
    missing.Name = QStringLiteral("/dev/tessaly-no-such-port");
    QVERIFY(!line.open(missing));
    QCOMPARE(line.error(), TSerialLine::NotFoundError);
    QVERIFY(!line.isOpen());
}

void TestQtSerialLine::deviceInUse()
{
    TQtSerialLine first, second;
    QVERIFY(first.open(settings()));
    QVERIFY(!second.open(settings()));
    QCOMPARE(second.error(), TSerialLine::OpenError);
    first.close();
    QVERIFY(second.open(settings()));
}

void TestQtSerialLine::writeAndRead()
{
    TQtSerialLine line;
    QVERIFY(line.open(settings()));
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all += char(byte);
    QVERIFY(line.write(all, 2000));
    QCOMPARE(pty.readExactly(all.size(), 2000).toHex(), all.toHex());

    QVERIFY(pty.write(all));
    QByteArray received;
    QElapsedTimer clock;
    clock.start();
    while (received.size() < all.size() && clock.elapsed() < 2000) {
        QByteArray chunk;
        QVERIFY(line.read(chunk, 4096, 2000));
        received += chunk;
    }
    QCOMPARE(received.toHex(), all.toHex());
}

void TestQtSerialLine::readLimitAndTimeOut()
{
    TQtSerialLine line;
    QVERIFY(line.open(settings()));
    QVERIFY(pty.write("abcdef"));
    QByteArray chunk;
    QVERIFY(line.read(chunk, 4, 2000));
    QCOMPARE(chunk, QByteArray("abcd"));
    QVERIFY(line.read(chunk, 4, 2000));
    QCOMPARE(chunk, QByteArray("ef"));
    QVERIFY(!line.read(chunk, 0, 2000));
    QCOMPARE(line.error(), TSerialLine::ReadError);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!line.read(chunk, 10, 150));
    QCOMPARE(line.error(), TSerialLine::TimeoutError);
    QVERIFY(clock.elapsed() >= 150);
    QVERIFY(chunk.isEmpty());
    // Bytes that arrived before clear() are gone.
    QVERIFY(pty.write("old"));
    QVERIFY(WaitReadable(pty.slavePath(), 5000));
    line.clear();
    QVERIFY(!line.read(chunk, 10, 50));
}

void TestQtSerialLine::abortWakesRead()
{
    TQtSerialLine line;
    QVERIFY(line.open(settings()));
    std::thread aborter([&line] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        line.abort();
    });
    QElapsedTimer clock;
    clock.start();
    QByteArray chunk;
    const bool read = line.read(chunk, 10, 30000);
    const qint64 waited = clock.elapsed();
    aborter.join();
    QVERIFY(!read);
    QCOMPARE(line.error(), TSerialLine::AbortedError);
    QVERIFY(waited < 10000);
    // Aborted until reset.
    QVERIFY(!line.write("x", 100));
    QCOMPARE(line.error(), TSerialLine::AbortedError);
    line.resetAbort();
    QVERIFY(line.write("x", 1000));
}

void TestQtSerialLine::hangUpFailsWithoutSpinning()
{
    TQtSerialLine line;
    QVERIFY(line.open(settings()));
    pty.close();
    QByteArray chunk;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!line.read(chunk, 10, 20000));
    QCOMPARE(line.error(), TSerialLine::ReadError);
    // Later reads and writes fail at once: nothing waits out its time-out
    // on a dead device, nor loops on it.
    for (int i = 0; i < 5; ++i) {
        QVERIFY(!line.read(chunk, 10, 20000));
        QVERIFY(!line.write("x", 20000));
    }
    QVERIFY(clock.elapsed() < 10000);
}

void TestQtSerialLine::hostExchange()
{
    TFPHostControl host;
    TPortEventRecorder recorder(host);
    host.SetDeviceName(pty.slavePath());
    host.SetBaudRate(br38400);
    QVERIFY(host.OpenPort());
    QVERIFY(host.AddDataField(QByteArray("\x4A", 1)));
    QVERIFY(host.AddDataField(QByteArray("A\x1C" "B")));
    QVERIFY(host.SendCommand());

    // STX, sequence, 4A, FS, A, ESC, FS, B, ETX and the checksum.
    const QByteArray frame = pty.readExactly(13, 5000);
    THostFrame parsed;
    QCOMPARE(THostFraming::ParseFrame(frame, parsed), THostFraming::FrameComplete);
    QCOMPARE(parsed.Fields, QList<QByteArray>({"\x4A", "A\x1C" "B"}));
    const QByteArray answer = ExtendedAnswer(parsed.Sequence, 0x0102, 0x0304, 0, {"Z"});
    QVERIFY(pty.write("\x06\x12"));
    QVERIFY(pty.write(answer));
    QCOMPARE(pty.readExactly(1, 5000), QByteArray(1, 0x06));
    QVERIFY(recorder.waitForEnd());

    QCOMPARE(recorder.events,
             QStringList({"open", "write " + QString::fromLatin1(frame.toHex()), "ack", "intermediate",
                          "read " + QString::fromLatin1(answer.toHex()), "write 06", "final/1"}));
    QCOMPARE(int(host.PrinterStatus()), 0x0102);
    QCOMPARE(int(host.FiscalStatus()), 0x0304);
    QCOMPARE(host.GetExtraField(1), QByteArray("Z"));
    QVERIFY(host.ClosePort());
}

void TestQtSerialLine::commandEndsWhenDeviceGoes_data()
{
    QTest::addColumn<bool>("fiscal");
    QTest::newRow("host") << false;
    QTest::newRow("fiscal") << true;
}

void TestQtSerialLine::commandEndsWhenDeviceGoes()
{
    // Silence limits far beyond the test's deadline (the fiscal port's 0
    // waits for ever): only the hang-up can end these commands in time.
    QFETCH(bool, fiscal);
    TFPHostControl host;
    TFPAuxControl aux;
    std::unique_ptr<TPortEventRecorder> recorder;
    if (fiscal) {
        recorder = std::make_unique<TPortEventRecorder>(aux);
        aux.SetDeviceName(pty.slavePath());
        aux.SetTimeOut(0);
        QVERIFY(aux.OpenPort());
        QVERIFY(aux.SendData("A"));
    } else {
        recorder = std::make_unique<TPortEventRecorder>(host);
        host.SetDeviceName(pty.slavePath());
        host.SetAnswerTimeOut(600000);
        QVERIFY(host.OpenPort());
        QVERIFY(host.SendCommand());
    }
    QVERIFY(!pty.read(5000).isEmpty());
    pty.close();
    QVERIFY(recorder->waitForEnd(1, 10000));
    QCOMPARE(recorder->failures.size(), 1);
    const TLineFailure failure = recorder->failures.first();
    QVERIFY(failure.Lost);
    QCOMPARE(failure.Error, TSerialLine::ReadError);
    QVERIFY(!failure.Text.isEmpty());
    const TLineFailure kept = fiscal ? aux.LastLineFailure() : host.LastLineFailure();
    QVERIFY(kept.Lost);
    // The next command on the dead line ends as soon, never waiting.
    QVERIFY(fiscal ? aux.SendData("B") : host.SendCommand());
    QVERIFY(recorder->waitForEnd(2, 10000));
    QVERIFY(recorder->failures.last().Lost);
}

void TestQtSerialLine::ackSurvivesCloseOnAnswer()
{
    // A caller that closes the port as soon as the answer is in (a script
    // sending one command) must not cut off the ACK the printer waits for.
    TFPHostControl host;
    TPortEventRecorder recorder(host);
    host.SetDeviceName(pty.slavePath());
    host.SetBaudRate(br38400);
    connect(&host, &TFPHostControl::OnFinalAnswer, &host, [&host] { host.ClosePort(); });
    QVERIFY(host.OpenPort());
    QVERIFY(host.AddDataField("A"));
    QVERIFY(host.SendCommand());
    QByteArray frame;
    THostFrame parsed;
    while (THostFraming::ParseFrame(frame, parsed) != THostFraming::FrameComplete) {
        const QByteArray byte = pty.readExactly(1, 5000);
        QVERIFY(!byte.isEmpty() && frame.size() < 64);
        frame += byte;
    }
    QVERIFY(pty.write(ExtendedAnswer(parsed.Sequence, 0, 0, 0, {})));
    QVERIFY(recorder.waitForEnd());
    QTRY_COMPARE_WITH_TIMEOUT(host.State(), EFP_S_Close, 5000);
    QCOMPARE(pty.readExactly(1, 5000), QByteArray(1, 0x06));
}

QTEST_GUILESS_MAIN(TestQtSerialLine)
#include "tst_qt_serial_line.moc"
