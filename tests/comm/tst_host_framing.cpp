#include "comm/host_framing.h"

#include <QtTest>

class TestHostFraming : public QObject
{
    Q_OBJECT

private slots:
    void commandFrame_data();
    void commandFrame();
    void escapedBytes();
    void checkSumValue_data();
    void checkSumValue();
    void parseFrame_data();
    void parseFrame();
    void parseRoundTrip();
    void sequenceNumbers_data();
    void sequenceNumbers();
    void firstSequenceNumber();
    void extenFixedField_data();
    void extenFixedField();
    void compatibleStatus_data();
    void compatibleStatus();
    void splitAnswer_data();
    void splitAnswer();
    void answerFieldsRoundTrip_data();
    void answerFieldsRoundTrip();
    void writeTimeOut_data();
    void writeTimeOut();
    void portName();
};

using Fields = QList<QByteArray>;

void TestHostFraming::commandFrame_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("sequence");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("compatible single byte")
        << int(protocol_Compatible) << 0x20 << Fields{"*"} << QByteArray("\x02\x20\x2A\x03" "004F");
    QTest::newRow("extended FS escaped, ESC counted")
        << int(protocol_Extended) << 0x81 << Fields{QByteArray("A\x1C" "B")}
        << QByteArray("\x02\x81" "A\x1B\x1C" "B\x03" "0140");
    QTest::newRow("no fields")
        << int(protocol_Extended) << 0x90 << Fields{} << QByteArray("\x02\x90\x03" "0095");
    QTest::newRow("empty field between two")
        << int(protocol_Compatible) << 0x21 << Fields{"A", "", "B"}
        << QByteArray("\x02\x21" "A\x1C\x1C" "B\x03" "00E1");
    QTest::newRow("compatible never escapes")
        << int(protocol_Compatible) << 0x7F << Fields{QByteArray("\x1C")}
        << QByteArray("\x02\x7F\x1C\x03" "00A0");
    QTest::newRow("checksum upper case, four digits")
        << int(protocol_Extended) << 0xFF << Fields{QByteArray(8, char(0xFF))}
        << QByteArray("\x02\xFF") + QByteArray(8, char(0xFF)) + QByteArray("\x03" "08FC");
}

void TestHostFraming::commandFrame()
{
    QFETCH(int, protocol);
    QFETCH(int, sequence);
    QFETCH(Fields, fields);
    QFETCH(QByteArray, frame);
    QCOMPARE(THostFraming::BuildCommandFrame(TProtocolType(protocol), quint8(sequence), fields).toHex(' '),
             frame.toHex(' '));
}

void TestHostFraming::escapedBytes()
{
    for (int byte = 0; byte < 256; ++byte) {
        const bool expected = byte == 0x02 || byte == 0x03 || (byte >= 0x1A && byte <= 0x1F);
        QVERIFY2(THostFraming::NeedsEscape(quint8(byte)) == expected, qPrintable(QString::number(byte, 16)));
        QCOMPARE(THostFraming::IsCompatibleDataByte(quint8(byte)), byte >= 0x20 && byte <= 0x7F);
        const QByteArray escaped = THostFraming::EscapeField(QByteArray(1, char(byte)));
        QCOMPARE(escaped.size(), expected ? 2 : 1);
    }
}

void TestHostFraming::checkSumValue_data()
{
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<int>("value");
    QTest::newRow("upper") << QByteArray("0A1F") << 0x0A1F;
    QTest::newRow("lower") << QByteArray("ffee") << 0xFFEE;
    QTest::newRow("not hex") << QByteArray("00G1") << 0;
    QTest::newRow("prefix is not a digit") << QByteArray("0x12") << 0;
    QTest::newRow("sign is not a digit") << QByteArray("+123") << 0;
    QTest::newRow("short") << QByteArray("123") << 0;
}

void TestHostFraming::checkSumValue()
{
    QFETCH(QByteArray, digits);
    QFETCH(int, value);
    QCOMPARE(int(THostFraming::CheckSumValue(digits)), value);
}

void TestHostFraming::parseFrame_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("sequence");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<int>("length");

    const QByteArray good = THostFraming::BuildAnswerFrame(0x85, {"A", QByteArray("\x03\x1C"), ""});
    QTest::newRow("escaped fields, empty last")
        << good + "trailing" << int(THostFraming::FrameComplete) << 0x85
        << Fields{"A", QByteArray("\x03\x1C"), ""} << int(good.size());
    QTest::newRow("lower-case checksum")
        << QByteArray("\x02\x20\x2A\x03" "004f") << int(THostFraming::FrameComplete) << 0x20 << Fields{"*"} << 8;
    QTest::newRow("bad checksum")
        << QByteArray("\x02\x20\x2A\x03" "0050") << int(THostFraming::FrameBadChecksum) << 0x20 << Fields{"*"} << 8;
    QTest::newRow("checksum missing a digit")
        << QByteArray("\x02\x20\x2A\x03" "004") << int(THostFraming::FrameIncomplete) << 0x20 << Fields{} << 0;
    QTest::newRow("ends on ESC")
        << QByteArray("\x02\x20\x1B") << int(THostFraming::FrameIncomplete) << 0x20 << Fields{} << 0;
    QTest::newRow("sequence only")
        << QByteArray("\x02") << int(THostFraming::FrameIncomplete) << 0 << Fields{} << 0;
    QTest::newRow("no STX")
        << QByteArray("\x06\x02") << int(THostFraming::FrameNotStarted) << 0 << Fields{} << 0;
}

void TestHostFraming::parseFrame()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(int, sequence);
    QFETCH(Fields, fields);
    QFETCH(int, length);
    THostFrame frame;
    QCOMPARE(int(THostFraming::ParseFrame(bytes, frame)), status);
    QCOMPARE(int(frame.Sequence), sequence);
    QCOMPARE(frame.Fields, fields);
    QCOMPARE(int(frame.Length), length);
}

void TestHostFraming::parseRoundTrip()
{
    // Every byte value in a field survives an extended command frame.
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all += char(byte);
    const QByteArray frame = THostFraming::BuildCommandFrame(protocol_Extended, 0xC3, {all, "x"});
    THostFrame parsed;
    QCOMPARE(THostFraming::ParseFrame(frame, parsed), THostFraming::FrameComplete);
    QCOMPARE(parsed.Fields, (Fields{all, "x"}));
    QCOMPARE(parsed.Length, frame.size());
}

void TestHostFraming::sequenceNumbers_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("next");
    QTest::newRow("compatible step") << int(protocol_Compatible) << 0x7E << 0x7F;
    QTest::newRow("compatible wraps") << int(protocol_Compatible) << 0x7F << 0x20;
    QTest::newRow("compatible above range") << int(protocol_Compatible) << 0xC0 << 0x20;
    QTest::newRow("compatible below range") << int(protocol_Compatible) << 0x1F << 0x20;
    QTest::newRow("compatible zero") << int(protocol_Compatible) << 0x00 << 0x20;
    QTest::newRow("extended step") << int(protocol_Extended) << 0xFE << 0xFF;
    QTest::newRow("extended wraps") << int(protocol_Extended) << 0xFF << 0x81;
    QTest::newRow("extended skips 0x80") << int(protocol_Extended) << 0x80 << 0x81;
    QTest::newRow("extended below range") << int(protocol_Extended) << 0x25 << 0x81;
    QTest::newRow("extended first") << int(protocol_Extended) << 0x81 << 0x82;
}

void TestHostFraming::sequenceNumbers()
{
    QFETCH(int, protocol);
    QFETCH(int, previous);
    QFETCH(int, next);
    QCOMPARE(int(THostFraming::NextSequenceNumber(TProtocolType(protocol), quint8(previous))), next);
}

void TestHostFraming::firstSequenceNumber()
{
    QCOMPARE(int(THostFraming::FirstSequenceNumber(protocol_Compatible, 0)), 0x20);
    QCOMPARE(int(THostFraming::FirstSequenceNumber(protocol_Compatible, 0x5F)), 0x7F);
    QCOMPARE(int(THostFraming::FirstSequenceNumber(protocol_Compatible, 0x60)), 0x20);
    QCOMPARE(int(THostFraming::FirstSequenceNumber(protocol_Extended, 0)), 0x81);
    QCOMPARE(int(THostFraming::FirstSequenceNumber(protocol_Extended, 0x7E)), 0xFF);
    QCOMPARE(int(THostFraming::FirstSequenceNumber(protocol_Extended, 0xFFFFFFFFu)),
             0x81 + int(0xFFFFFFFFu % 0x7F));
}

void TestHostFraming::extenFixedField_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << QByteArray() << 0x3030;
    QTest::newRow("one byte") << QByteArray("\x41") << 0x3041;
    QTest::newRow("negative") << QByteArray("\x80\x01", 2) << -32767;
    QTest::newRow("zero bytes") << QByteArray("\x00\x00", 2) << 0;
    QTest::newRow("past the second ignored") << QByteArray("\x12\x34\x56") << 0x1234;
    QTest::newRow("all ones") << QByteArray("\xFF\xFF") << -1;
}

void TestHostFraming::extenFixedField()
{
    QFETCH(QByteArray, field);
    QFETCH(int, value);
    QCOMPARE(int(THostFraming::ExtenFixedFieldValue(field)), value);
}

void TestHostFraming::compatibleStatus_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << QByteArray("1234") << true << 1234;
    QTest::newRow("negative decimal") << QByteArray("-2") << true << -2;
    QTest::newRow("dollar hex") << QByteArray("$8001") << true << -32767;
    QTest::newRow("0x hex lower") << QByteArray("0x1a") << true << 0x1A;
    QTest::newRow("0X hex") << QByteArray("0XFFFF") << true << -1;
    QTest::newRow("truncated to 16 bits") << QByteArray("65537") << true << 1;
    QTest::newRow("padded") << QByteArray(" 12 ") << true << 12;
    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("letters") << QByteArray("OK") << false << 0;
    QTest::newRow("dollar alone") << QByteArray("$") << false << 0;
    QTest::newRow("double sign") << QByteArray("--1") << false << 0;
    QTest::newRow("too large") << QByteArray("99999999999999999999999") << false << 0;
}

void TestHostFraming::compatibleStatus()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    qint16 result = 77;
    QCOMPARE(THostFraming::CompatibleStatusValue(text, result), ok);
    QCOMPARE(int(result), value);
}

void TestHostFraming::splitAnswer_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<int>("printer");
    QTest::addColumn<int>("fiscal");
    QTest::addColumn<int>("returnCode");
    QTest::addColumn<bool>("hasExtra");
    QTest::addColumn<Fields>("extra");

    const QByteArray p("\x00\x10", 2), f("\x01\x02", 2), r("\x00\x05", 2);
    QTest::newRow("extended none") << int(protocol_Extended) << Fields{} << 0 << 0 << 0 << false << Fields{};
    QTest::newRow("extended one") << int(protocol_Extended) << Fields{p} << 0x10 << 0 << 0 << false << Fields{};
    QTest::newRow("extended three") << int(protocol_Extended) << Fields{p, f, "x"} << 0x10 << 0x102 << 0 << false << Fields{};
    QTest::newRow("extended five") << int(protocol_Extended) << Fields{p, f, "", r, ""}
                                   << 0x10 << 0x102 << 5 << false << Fields{};
    QTest::newRow("extended seven") << int(protocol_Extended) << Fields{p, f, "", r, "", "A", ""}
                                    << 0x10 << 0x102 << 5 << true << Fields{"A", ""};
    QTest::newRow("extended six, one empty extra") << int(protocol_Extended) << Fields{p, f, "", r, "", ""}
                                                   << 0x10 << 0x102 << 5 << true << Fields{""};
    QTest::newRow("compatible one") << int(protocol_Compatible) << Fields{"x"} << 0 << 0 << 0 << false << Fields{};
    QTest::newRow("compatible two") << int(protocol_Compatible) << Fields{"x", "12"} << 12 << 0 << 0 << false << Fields{};
    QTest::newRow("compatible three") << int(protocol_Compatible) << Fields{"", "$10", "0x20"} << 16 << 32 << 0 << false << Fields{};
    QTest::newRow("compatible four") << int(protocol_Compatible) << Fields{"", "1", "2", "E1"} << 1 << 2 << 0 << true << Fields{"E1"};
    QTest::newRow("compatible bad status is 0") << int(protocol_Compatible) << Fields{"", "??", "3", "E1", "E2"}
                                                << 0 << 3 << 0 << true << Fields{"E1", "E2"};
}

void TestHostFraming::splitAnswer()
{
    QFETCH(int, protocol);
    QFETCH(Fields, fields);
    QFETCH(int, printer);
    QFETCH(int, fiscal);
    QFETCH(int, returnCode);
    QFETCH(bool, hasExtra);
    QFETCH(Fields, extra);
    const TSplitAnswer answer = THostFraming::SplitAnswer(TProtocolType(protocol), fields);
    QCOMPARE(int(answer.PrinterStatus), printer);
    QCOMPARE(int(answer.FiscalStatus), fiscal);
    QCOMPARE(int(answer.ReturnCode), returnCode);
    QCOMPARE(answer.HasExtraFields, hasExtra);
    QCOMPARE(answer.ExtraFields, extra);
}

void TestHostFraming::answerFieldsRoundTrip_data()
{
    QTest::addColumn<int>("protocol");
    QTest::newRow("compatible") << int(protocol_Compatible);
    QTest::newRow("extended") << int(protocol_Extended);
}

void TestHostFraming::answerFieldsRoundTrip()
{
    QFETCH(int, protocol);
    const auto type = TProtocolType(protocol);
    const Fields extra{"first", QByteArray("\x02\x1C\x1B", 3), ""};
    const QByteArray frame = THostFraming::BuildAnswerFrame(
        0x80, THostFraming::AnswerFields(type, -32767, 0x1234, 0x0102, extra));
    THostFrame parsed;
    QCOMPARE(THostFraming::ParseFrame(frame, parsed), THostFraming::FrameComplete);
    QCOMPARE(int(parsed.Sequence), 0x80);
    const TSplitAnswer answer = THostFraming::SplitAnswer(type, parsed.Fields);
    QCOMPARE(int(answer.PrinterStatus), -32767);
    QCOMPARE(int(answer.FiscalStatus), 0x1234);
    QCOMPARE(int(answer.ReturnCode), type == protocol_Extended ? 0x0102 : 0);
    QCOMPARE(answer.ExtraFields, extra);
}

void TestHostFraming::writeTimeOut_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("timeOut");
    QTest::newRow("1200") << int(br1200) << 10 << 1750;
    QTest::newRow("2400") << int(br2400) << 10 << 1700;
    QTest::newRow("4800") << int(br4800) << 10 << 1640;
    QTest::newRow("9600") << int(br9600) << 10 << 1600;
    QTest::newRow("38400 one byte") << int(br38400) << 1 << 1510;
    QTest::newRow("unknown rate") << 9 << 8192 << 83420;
}

void TestHostFraming::writeTimeOut()
{
    QFETCH(int, baud);
    QFETCH(int, count);
    QFETCH(int, timeOut);
    QCOMPARE(THostFraming::WriteTimeOut(TBaudRate(baud), count), timeOut);
    QCOMPARE(THostFraming::WriteTimeOut(TBaudRate(baud), count, 0), timeOut - 1500);
}

void TestHostFraming::portName()
{
#ifdef Q_OS_WIN
    QCOMPARE(THostFraming::PortName(Com2), QStringLiteral("COM2"));
#else
    QCOMPARE(THostFraming::PortName(Com1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(THostFraming::PortName(Com4), QStringLiteral("/dev/ttyS3"));
    QCOMPARE(THostFraming::PortName(TCommPort(7)), QStringLiteral("/dev/ttyS0"));
#endif
    QCOMPARE(THostFraming::BaudRateValue(br38400), 38400);
    QCOMPARE(THostFraming::BaudRateValue(br1200), 1200);
    QCOMPARE(THostFraming::BaudRateValue(TBaudRate(6)), 19200);
}

QTEST_GUILESS_MAIN(TestHostFraming)
#include "tst_host_framing.moc"
