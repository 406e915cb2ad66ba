#include "execution/capture_reader.h"
#include "execution/capture_writer.h"

#include <QtTest>

Q_DECLARE_METATYPE(TCaptureRecord)

namespace {

TCaptureRecord Record(qint64 offsetUs, TCommandPort port, bool out, const QByteArray &bytes)
{
    const QDateTime start(QDate(2026, 12, 8), QTime(10, 31, 7, 123), Qt::OffsetFromUTC, 3600);
    return {start.addMSecs(offsetUs / 1000), offsetUs, port, out, bytes};
}

QString Describe(const TCaptureRecord &record)
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(record.Wall.toMSecsSinceEpoch())
        .arg(record.OffsetUs)
        .arg(record.Port == cpHostPort ? "host" : "fiscal", record.Out ? "out" : "in",
             QString::fromLatin1(record.Bytes.toHex()));
}

} // namespace

// The capture format: what the writer words, the reader gives back, and
// every line the reader refuses names itself.
class TestCaptureReader : public QObject
{
    Q_OBJECT

private slots:
    void lineFormat_data();
    void lineFormat();
    void roundTrip();
    void skipsWhatItDoesNotKnow();
    void refusesMalformedLines_data();
    void refusesMalformedLines();
    void missingFileNamed();
};

void TestCaptureReader::lineFormat_data()
{
    QTest::addColumn<TCaptureRecord>("record");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("host command") << Record(0, cpHostPort, true, QByteArray::fromHex("029a000103"))
                                  << QByteArray("2026-12-08T10:31:07.123+01:00 0.000000 host out 02 9A 00 01 03\n");
    QTest::newRow("printer's ACK") << Record(1250, cpHostPort, false, QByteArray(1, 0x06))
                                   << QByteArray("2026-12-08T10:31:07.124+01:00 0.001250 host in 06\n");
    QTest::newRow("fiscal answer, minutes later")
        << Record(183456789, cpFiscalPort, false, QByteArray::fromHex("0230303030035f"))
        << QByteArray("2026-12-08T10:34:10.579+01:00 183.456789 fiscal in 02 30 30 30 30 03 5F\n");
}

void TestCaptureReader::lineFormat()
{
    QFETCH(TCaptureRecord, record);
    QFETCH(QByteArray, line);
    QCOMPARE(TCaptureWriter::Line(record), line);
}

void TestCaptureReader::roundTrip()
{
    const QList<TCaptureRecord> records = {
        Record(0, cpHostPort, true, QByteArray::fromHex("029a1b1c4103")),
        Record(800, cpHostPort, false, QByteArray::fromHex("06")),
        Record(900, cpHostPort, false, QByteArray::fromHex("12")),
        Record(2000000, cpFiscalPort, true, QByteArray::fromHex("05")),
        Record(2000001, cpFiscalPort, false, QByteArray::fromHex("15")),
        Record(3000000, cpHostPort, false, QByteArray(256, char(0xff))),
    };
    QByteArray text = TCaptureWriter::HeaderLine();
    for (const TCaptureRecord &record : records)
        text += TCaptureWriter::Line(record);
    TCaptureReader reader;
    QVERIFY2(reader.ReadText(text, QStringLiteral("round.tcap")), qPrintable(reader.ErrorString()));
    QCOMPARE(reader.Records().size(), records.size());
    for (int i = 0; i < records.size(); ++i)
        QCOMPARE(Describe(reader.Records().at(i)), Describe(records.at(i)));
}

void TestCaptureReader::skipsWhatItDoesNotKnow()
{
    const QByteArray text = "\r\n# recorded by hand\r\n"
                            "tessaly-capture 1\r\n"
                            "\r\n"
                            "   # an indented comment\n"
                            "2026-12-08T10:31:07.123Z 0.5 host open /dev/ttyUSB0 9600,N,8,1\n"
                            "2026-12-08T10:31:07.123Z  0.5\thost  out  02 41 03 38 36\n"
                            "2026-12-08T10:31:07.200Z 0.577 fiscal note anything at all\n"
                            "2026-12-08T10:31:07.300Z 0.677 fiscal in 06";
    TCaptureReader reader;
    QVERIFY2(reader.ReadText(text, QStringLiteral("grown.tcap")), qPrintable(reader.ErrorString()));
    QCOMPARE(reader.Records().size(), 2);
    QCOMPARE(reader.Records().at(0).Bytes, QByteArray::fromHex("0241033836"));
    QCOMPARE(reader.Records().at(0).OffsetUs, 500000);
    QCOMPARE(reader.Records().at(0).Wall.toUTC().time(), QTime(10, 31, 7, 123));
    QCOMPARE(reader.Records().at(1).Port, cpFiscalPort);
    QVERIFY(!reader.Records().at(1).Out);
    QCOMPARE(reader.Records().at(1).OffsetUs, 677000);
}

void TestCaptureReader::refusesMalformedLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    const QByteArray header = "tessaly-capture 1\n";
    const QByteArray time = "2026-12-08T10:31:07.123Z ";
    QTest::newRow("empty file") << QByteArray() << "c.tcap:1: not a capture file: it has no \"tessaly-capture 1\" line";
    QTest::newRow("only comments") << QByteArray("# nothing\n\n")
                                   << "c.tcap:3: not a capture file: it has no \"tessaly-capture 1\" line";
    QTest::newRow("a log file") << QByteArray("Quvero S.A.\ntessaly-cli\n")
                                << "c.tcap:1: not a capture file: the first line is not \"tessaly-capture 1\"";
    QTest::newRow("no version") << QByteArray("tessaly-capture\n")
                                << "c.tcap:1: not a capture file: the first line is not \"tessaly-capture 1\"";
    QTest::newRow("newer version") << QByteArray("tessaly-capture 7\n")
                                   << "c.tcap:1: capture version 7 is newer than this program reads (1)";
    QTest::newRow("too short") << header + time + "0.1 host\n"
                               << "c.tcap:2: a record needs a time, an offset, a port, a kind and its data";
    QTest::newRow("bad time") << header + "yesterday 0.1 host in 06\n" << "c.tcap:2: 'yesterday' is not a date and time";
    QTest::newRow("negative offset") << header + time + "-0.1 host in 06\n"
                                     << "c.tcap:2: '-0.1' is not an offset in seconds";
    QTest::newRow("offset past microseconds") << header + time + "0.1234567 host in 06\n"
                                              << "c.tcap:2: '0.1234567' is not an offset in seconds";
    QTest::newRow("unknown port") << header + time + "0.1 drawer in 06\n"
                                  << "c.tcap:2: 'drawer' is not a port (host or fiscal)";
    QTest::newRow("no bytes") << header + time + "0.1 host in\n" << "c.tcap:2: the record holds no bytes";
    QTest::newRow("not hex") << header + "# fine\n" + time + "0.1 fiscal out 02 4G 03\n"
                             << "c.tcap:3: '4G' is not a hexadecimal byte";
    QTest::newRow("bytes run together") << header + time + "0.1 host out 024103\n"
                                        << "c.tcap:2: '024103' is not a hexadecimal byte";
    QTest::newRow("torn last line") << header + time + "0.1 host out 02 4" << "c.tcap:2: '4' is not a hexadecimal byte";
}

void TestCaptureReader::refusesMalformedLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    TCaptureReader reader;
    QVERIFY(!reader.ReadText(text, QStringLiteral("c.tcap")));
    QCOMPARE(reader.ErrorString(), error);
    QVERIFY(reader.Records().isEmpty());
}

void TestCaptureReader::missingFileNamed()
{
    TCaptureReader reader;
    QVERIFY(!reader.Read(QStringLiteral("/no/such/folder/c.tcap")));
    QVERIFY2(reader.ErrorString().startsWith(QStringLiteral("cannot read the capture file /no/such/folder/c.tcap: ")),
             qPrintable(reader.ErrorString()));
}

QTEST_GUILESS_MAIN(TestCaptureReader)
#include "tst_capture_reader.moc"
