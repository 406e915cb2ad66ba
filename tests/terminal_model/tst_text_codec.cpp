#include "terminal_model/text_codec.h"

#include <QtTest>

using TEncoding = TTextCodec::TEncoding;

class TestTextCodec : public QObject {
    Q_OBJECT

private slots:
    void windows1252HighControlRange_data();
    void windows1252HighControlRange();
    void detect_data();
    void detect();
    void leadingByteOrderMarkIsText();
    void firstUnencodable_data();
    void firstUnencodable();
};

void TestTextCodec::windows1252HighControlRange_data()
{
    // The published Windows-1252 table, written out here rather than taken
    // from the codec: a round trip cannot see two entries swapped, since the
    // encoder is built from the decoder. The five bytes the table leaves
    // undefined decode to the C1 control of the same number.
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    const QList<std::pair<int, const char *>> table = {
        {0x20AC, "euro sign"}, {0x0081, "undefined"}, {0x201A, "single low-9 quotation mark"},
        {0x0192, "f with hook"}, {0x201E, "double low-9 quotation mark"}, {0x2026, "ellipsis"},
        {0x2020, "dagger"}, {0x2021, "double dagger"}, {0x02C6, "circumflex"}, {0x2030, "per mille"},
        {0x0160, "S with caron"}, {0x2039, "single left angle quotation mark"}, {0x0152, "ligature OE"},
        {0x008D, "undefined"}, {0x017D, "Z with caron"}, {0x008F, "undefined"}, {0x0090, "undefined"},
        {0x2018, "left single quotation mark"}, {0x2019, "right single quotation mark"},
        {0x201C, "left double quotation mark"}, {0x201D, "right double quotation mark"}, {0x2022, "bullet"},
        {0x2013, "en dash"}, {0x2014, "em dash"}, {0x02DC, "small tilde"}, {0x2122, "trade mark"},
        {0x0161, "s with caron"}, {0x203A, "single right angle quotation mark"}, {0x0153, "ligature oe"},
        {0x009D, "undefined"}, {0x017E, "z with caron"}, {0x0178, "Y with diaeresis"},
    };
    for (int i = 0; i < int(table.size()); ++i)
        QTest::addRow("0x%X %s", 0x80 + i, table[i].second) << 0x80 + i << table[i].first;
}

void TestTextCodec::windows1252HighControlRange()
{
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    const QByteArray bytes(1, char(byte));
    QCOMPARE(int(TTextCodec::DecodeWindows1252(bytes).at(0).unicode()), codePoint);
    QCOMPARE(int(TTextCodec::Decode(bytes, TEncoding::Windows1252).at(0).unicode()), codePoint);
    QByteArray encoded;
    QVERIFY(TTextCodec::EncodeWindows1252(QString(QChar(codePoint)), &encoded));
    QCOMPARE(encoded, bytes);
}

void TestTextCodec::detect_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("encoding");
    QTest::newRow("empty") << QByteArray() << int(TEncoding::Windows1252);
    QTest::newRow("ASCII only") << QByteArray("[Groups]\r\nA=\r\n") << int(TEncoding::Windows1252);
    QTest::newRow("UTF-8 text") << QByteArray("Descripci\xC3\xB3n") << int(TEncoding::Utf8);
    QTest::newRow("Windows-1252 text") << QByteArray("Descripci\xF3n") << int(TEncoding::Windows1252);
    QTest::newRow("cut UTF-8 sequence") << QByteArray("x\xC3") << int(TEncoding::Windows1252);
}

void TestTextCodec::detect()
{
    QFETCH(QByteArray, data);
    QFETCH(int, encoding);
    QCOMPARE(int(TTextCodec::Detect(data)), encoding);
}

void TestTextCodec::leadingByteOrderMarkIsText()
{
    QCOMPARE(TTextCodec::Decode("\xEF\xBB\xBFs", TEncoding::Utf8), QStringLiteral("\uFEFFs"));
    QCOMPARE(TTextCodec::Decode("\xEF\xBB\xBFs", TEncoding::Windows1252), QStringLiteral("\u00EF\u00BB\u00BFs"));
}

void TestTextCodec::firstUnencodable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QByteArray>("encoded");   // when the text fits
    QTest::newRow("accents and euro in 1252") << "Descripci\u00F3n \u20AC" << int(TEncoding::Windows1252) << ""
                                              << QByteArray("Descripci\xF3n \x80");
    QTest::newRow("omega in 1252") << "a\u03A9b\u2713" << int(TEncoding::Windows1252) << "\u03A9" << QByteArray();
    QTest::newRow("pair in 1252") << "x\U0001F600" << int(TEncoding::Windows1252) << "\U0001F600" << QByteArray();
    QTest::newRow("pair in UTF-8") << "x\U0001F600" << int(TEncoding::Utf8) << ""
                                   << QByteArray("x\xF0\x9F\x98\x80");
    QTest::newRow("broken pair in UTF-8") << QStringLiteral("x") + QChar(0xD83D) + QStringLiteral("y") << int(TEncoding::Utf8)
                                          << QString(QChar(0xD83D)) << QByteArray();
}

void TestTextCodec::firstUnencodable()
{
    QFETCH(QString, text);
    QFETCH(int, encoding);
    QFETCH(QString, character);
    QFETCH(QByteArray, encoded);
    QCOMPARE(TTextCodec::FirstUnencodable(text, TEncoding(encoding)), character);
    QByteArray out("untouched");
    QCOMPARE(TTextCodec::Encode(text, TEncoding(encoding), &out), character.isEmpty());
    QCOMPARE(out, character.isEmpty() ? encoded : QByteArray("untouched"));
}

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_text_codec.moc"
