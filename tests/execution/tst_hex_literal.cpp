#include "execution/hex_literal.h"

#include <QtTest>

class TestHexLiteral : public QObject {
    Q_OBJECT
private slots:
    void expands_data();
    void expands();
    void refusesMalformed_data();
    void refusesMalformed();
};

void TestHexLiteral::expands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("literal between words") << "AB x'1C' CD" << QByteArray("AB \x1C CD");
    QTest::newRow("odd digit count") << "x'123'" << QByteArray("\x01\x23", 2);
    QTest::newRow("single digit") << "x'4'" << QByteArray("\x04");
    QTest::newRow("upper-case mark, lower-case digits") << "X'0aFf'" << QByteArray("\x0A\xFF");
    QTest::newRow("decimal conversion result") << "x'0102'" << QByteArray("\x01\x02");
    QTest::newRow("zero bytes survive") << "x'0000'" << QByteArray("\0\0", 2);
    QTest::newRow("empty literal") << "x''" << QByteArray();
    QTest::newRow("two literals in a row") << "x'41'X'42'" << QByteArray("AB");
    QTest::newRow("word with x") << "xyz" << QByteArray("xyz");
    QTest::newRow("mark then mark") << "xx'41'" << QByteArray("xx'41'");
    QTest::newRow("trailing mark") << "Box" << QByteArray("Box");
    QTest::newRow("mark and quote at the end kept") << "x'" << QByteArray("x'");
    QTest::newRow("unclosed literal kept as typed") << "Max's" << QByteArray("Max's");
    QTest::newRow("unclosed digits kept as typed") << "A x'12" << QByteArray("A x'12");
    QTest::newRow("quote without mark") << "it's" << QByteArray("it's");
    QTest::newRow("empty text") << "" << QByteArray();
    QTest::newRow("Windows-1252 letters") << QStringLiteral("Se\u00F1or \u20AC")
                                          << QByteArray("Se\xF1or \x80");
}

void TestHexLiteral::expands()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const THexExpansion result = ExpandHexLiterals(text);
    QVERIFY(result.ok);
    QCOMPARE(result.bytes, bytes);
}

void TestHexLiteral::refusesMalformed_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("non-hex digit") << "x'1G'";
    QTest::newRow("blank inside") << "x'01 02'";
    QTest::newRow("sign inside") << "x'+1'";
    QTest::newRow("closed after text with an x") << "Max's dog's";
    QTest::newRow("character outside the code page") << QStringLiteral("\u4E2D");
    QTest::newRow("bad literal after good text") << "OK x'41' then x'ZZ'";
}

void TestHexLiteral::refusesMalformed()
{
    QFETCH(QString, text);
    const THexExpansion result = ExpandHexLiterals(text);
    QVERIFY(!result.ok);
    QVERIFY(result.bytes.isEmpty());
}

QTEST_GUILESS_MAIN(TestHexLiteral)
#include "tst_hex_literal.moc"
