#include "comm/fp_aux_enums.h"
#include "comm/host_types.h"
#include "comm/event_clock.h"
#include "execution/comm_log_formatter.h"
#include "execution/execution_texts.h"

#include <QtTest>

class TestCommLogFormatter : public QObject {
    Q_OBJECT
private slots:
    void hex_data();
    void hex();
    void text_data();
    void text();
    void stampedFileLine();
    void openTexts_data();
    void openTexts();
    void lines_data();
    void lines();
    void fileLayout();
    void elapsedKeepsItsPointInAnyLocale();
    void failures_data();
    void failures();
};

void TestCommLogFormatter::hex_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("frame") << QByteArray("\x02\x41\x03") << "02 41 03 ";
    QTest::newRow("high bytes") << QByteArray("\x00\xff\x80\x1b", 4) << "00 FF 80 1B ";
}

void TestCommLogFormatter::hex()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TCommLogFormatter::Hex(bytes), text);
}

void TestCommLogFormatter::text_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("named controls") << QByteArray("\x02\x03\x1c\x1b\x06\x15\x12")
                                    << "<STX><ETX><FS><ESC><ACK><NAK><DC2>";
    QTest::newRow("host frame") << QByteArray("\x02\x20\x2a\x1c" "0001\x03" "0A1F")
                                << "<STX> *<FS>0001<ETX>0A1F";
    QTest::newRow("other controls and DEL") << QByteArray("\x00\x01\x0a\x0d\x1f\x7f", 6)
                                            << "<00><01><0A><0D><1F><7F>";
    QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x80" "5 \x93ok\x94")
                                  << QString::fromUtf8("Café €5 \u201cok\u201d");
    QTest::newRow("undefined in 1252") << QByteArray("\x81\x8d\x8f\x90\x9d") << "<81><8D><8F><90><9D>";
    QTest::newRow("blank and high letters") << QByteArray(" \xa0\xf1\xff") << QString::fromUtf8(" \u00a0ñÿ");
}

void TestCommLogFormatter::text()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TCommLogFormatter::Text(bytes), text);
    QCOMPARE(TCommLogFormatter::TextLength(bytes), text.size());
    // Appending keeps what was there.
    QString both = QStringLiteral("x ");
    TCommLogFormatter::AppendHex(both, bytes);
    TCommLogFormatter::AppendText(both, bytes);
    QCOMPARE(both, "x " + TCommLogFormatter::Hex(bytes) + text);
}

void TestCommLogFormatter::stampedFileLine()
{
    const QDateTime anchor(QDate(2026, 12, 7), QTime(23, 59, 59, 250));
    qint64 now = 0;
    TEventClock::SetSourceForTest([&now] { return now; }, anchor);
    QCOMPARE(TCommLogFormatter::StampedFileLine(1'500, TCommLogFormatter::AckReceived()),
             QByteArray("23:59:59.251 FP   --> ACK\r\n"));
    // Past midnight, to the millisecond, truncated.
    QCOMPARE(TCommLogFormatter::StampedFileLine(751'999, TCommLogFormatter::ClosePort),
             QByteArray("00:00:00.001 Close port\r\n"));
    TEventClock::SetSourceForTest({});
}

void TestCommLogFormatter::openTexts_data()
{
    QTest::addColumn<bool>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("text");
    QTest::newRow("COM1 19200") << true << 0 << 4 << "" << "Open COM1 19200,N,8,1";
    QTest::newRow("COM2 38400") << true << 1 << 5 << "" << "Open COM2 38400,N,8,1";
    QTest::newRow("1200") << true << 3 << 0 << "" << "Open COM4 1200,N,8,1";
    QTest::newRow("unknown rate") << true << 0 << 6 << "" << "Open COM1,N,8,1";
    QTest::newRow("host device") << true << 0 << 3 << "/dev/ttyUSB0" << "Open /dev/ttyUSB0 9600,N,8,1";
    QTest::newRow("fiscal") << false << 2 << -1 << "" << "Open COM3 9600,N,8,1";
    QTest::newRow("fiscal device") << false << 0 << -1 << "/dev/pts/7" << "Open /dev/pts/7 9600,N,8,1";
}

void TestCommLogFormatter::openTexts()
{
    QFETCH(bool, host);
    QFETCH(int, port);
    QFETCH(int, baud);
    QFETCH(QString, device);
    QFETCH(QString, text);
    QCOMPARE(host ? TCommLogFormatter::HostOpenText(port, baud, device) : TCommLogFormatter::FiscalOpenText(port, device),
             text);
}

void TestCommLogFormatter::lines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    // Reads of both ports carry the printer's prefix; a written ACK is a host frame.
    QTest::newRow("host write") << TCommLogFormatter::HostWritten("\x06") << "HOST --> 06 ";
    QTest::newRow("fiscal write") << TCommLogFormatter::FiscalWritten("\x05") << "FISCAL-> 05 ";
    QTest::newRow("read") << TCommLogFormatter::PrinterRead("\x02\x03") << "FP   --> 02 03 ";
    QTest::newRow("ack") << TCommLogFormatter::AckReceived() << "FP   --> ACK";
    QTest::newRow("nak") << TCommLogFormatter::NakReceived() << "FP   --> NACK";
    QTest::newRow("intermediate") << TCommLogFormatter::IntermediateReceived() << "FP   --> INTERMEDIATE ANSWER";
    // Tenths below 10 ms, whole milliseconds from there, always with a point.
    QTest::newRow("elapsed 0") << TCommLogFormatter::Elapsed(0) << "TIME --> 0.0 ms";
    QTest::newRow("elapsed 3.45 ms") << TCommLogFormatter::Elapsed(3449) << "TIME --> 3.4 ms";
    QTest::newRow("elapsed just under 10 ms") << TCommLogFormatter::Elapsed(9949) << "TIME --> 9.9 ms";
    QTest::newRow("elapsed rounds to 10 ms") << TCommLogFormatter::Elapsed(9950) << "TIME --> 10 ms";
    QTest::newRow("elapsed 127 ms") << TCommLogFormatter::Elapsed(127499) << "TIME --> 127 ms";
    QTest::newRow("elapsed 12 s") << TCommLogFormatter::Elapsed(12345678) << "TIME --> 12346 ms";
}

void TestCommLogFormatter::lines()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(line, expected);
}

void TestCommLogFormatter::fileLayout()
{
    QCOMPARE(TCommLogFormatter::HeaderLines("tessaly"), QStringList({"Quvero S.A.", "tessaly"}));
    QCOMPARE(TCommLogFormatter::FileLine(TCommLogFormatter::ClosePort), QByteArray("Close port\r\n"));
    const QByteArray start = TCommLogFormatter::SessionStart(QDateTime(QDate(2026, 12, 7), QTime(9, 5, 7)));
    QVERIFY(start.startsWith("\r\n"));
    QVERIFY(start.endsWith("\r\n"));
    QCOMPARE(start.count("\r\n"), 2);
    QVERIFY2(start.contains("9:05:07") || start.contains("09:05:07"), start.constData());
}

void TestCommLogFormatter::elapsedKeepsItsPointInAnyLocale()
{
    // The file's lines are the same whatever the language; what a person
    // reads on screen follows the locale.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QString line = TCommLogFormatter::Elapsed(3449);
    const QString shown = ExecutionTexts::Milliseconds(3449);
    QLocale::setDefault(before);
    QCOMPARE(line, QStringLiteral("TIME --> 3.4 ms"));
    QCOMPARE(shown, QStringLiteral("3,4"));
}

void TestCommLogFormatter::failures_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("lastError");
    QTest::addColumn<int>("lineError");
    QTest::addColumn<QString>("lineText");
    QTest::addColumn<bool>("lost");
    QTest::addColumn<QString>("line");

    const int timeOut = EFP_E_ReadTimeOut;
    QTest::newRow("silence") << int(cpHostPort) << timeOut << int(TSerialLine::TimeoutError) << "Read timed out"
                             << false << "ERROR -> Host port: no answer in time (time-out)";
    QTest::newRow("NAK, then silence")
        << int(cpHostPort) << int(EFP_E_NackReceived) << int(TSerialLine::TimeoutError) << "Read timed out" << false
        << "ERROR -> Host port: the printer refused the frame (NAK)";
    QTest::newRow("write did not complete")
        << int(cpFiscalPort) << int(FEFP_E_WriteError) << int(TSerialLine::TimeoutError) << "Write did not complete"
        << false << "ERROR -> Fiscal port: the frame could not be written (Write did not complete)";
    // A purge aborts the line: Cancel or Reset serial ports, even after a NAK.
    QTest::newRow("purged") << int(cpHostPort) << timeOut << int(TSerialLine::AbortedError) << "Read aborted" << false
                            << "ERROR -> Host port: cancelled by the user";
    QTest::newRow("purged after NAK") << int(cpFiscalPort) << int(FEFP_E_NackReceived)
                                      << int(TSerialLine::AbortedError) << "Read aborted" << false
                                      << "ERROR -> Fiscal port: cancelled by the user";
    QTest::newRow("unplugged while reading")
        << int(cpHostPort) << timeOut << int(TSerialLine::ReadError) << "Input/output error" << true
        << "ERROR -> Host port: the port has gone away (Input/output error)";
    QTest::newRow("gone before writing")
        << int(cpHostPort) << int(EFP_E_WriteError) << int(TSerialLine::WriteError)
        << "The device is no longer available" << true
        << "ERROR -> Host port: the port has gone away (The device is no longer available)";
}

void TestCommLogFormatter::failures()
{
    QFETCH(int, port);
    QFETCH(int, lastError);
    QFETCH(int, lineError);
    QFETCH(QString, lineText);
    QFETCH(bool, lost);
    QFETCH(QString, line);
    const TLineFailure failure{TSerialLine::TLineError(lineError), lineText, lost};
    QCOMPARE(TCommLogFormatter::FailurePrefix + TCommLogFormatter::FailureText(TCommandPort(port), lastError, failure),
             line);
}

QTEST_GUILESS_MAIN(TestCommLogFormatter)
#include "tst_comm_log_formatter.moc"
