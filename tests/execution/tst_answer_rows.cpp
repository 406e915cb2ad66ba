#include "execution/answer_rows.h"

#include <QtTest>

namespace {

TAnswerField Definition(const QString &caption, int textType, int decimals = 0)
{
    TAnswerField field;
    field.Caption = caption;
    field.TextType = textType;
    field.DecimalDigits = decimals;
    return field;
}

// "label=text" per row; hidden rows as "(hidden)", undefined ones with a "!".
QStringList Describe(const QList<TAnswerRow> &rows)
{
    QStringList result;
    for (const TAnswerRow &row : rows) {
        if (!row.visible)
            result << QStringLiteral("(hidden)");
        else
            result << (row.undefined ? QStringLiteral("!") : QString()) + row.label + "=" + row.text;
    }
    return result;
}

}

class TestAnswerRows : public QObject {
    Q_OBJECT
private slots:
    void rowsByProtocol_data();
    void rowsByProtocol();
    void returnCodeHint_data();
    void returnCodeHint();
    void conversions_data();
    void conversions();
};

void TestAnswerRows::rowsByProtocol_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<bool>("reserved");
    QTest::addColumn<QList<QByteArray>>("fields");
    QTest::addColumn<QList<TAnswerField>>("definitions");
    QTest::addColumn<QStringList>("rows");

    const QList<TAnswerField> two{Definition("Date", 0), Definition("Count", 3)};
    QTest::newRow("extended, reserved hidden")
        << 1 << false << QList<QByteArray>{"010203", "17"} << two
        << QStringList{"(hidden)", "Return Code=5", "(hidden)", "Date=010203", "Count=17"};
    QTest::newRow("extended, reserved shown")
        << 1 << true << QList<QByteArray>{"x"} << QList<TAnswerField>{}
        << QStringList{"Reserved=", "Return Code=5", "Reserved=", "!Field3=x"};
    QTest::newRow("extended, more fields than definitions")
        << 1 << false << QList<QByteArray>{"a", "b", "c"} << two
        << QStringList{"(hidden)", "Return Code=5", "(hidden)", "Date=a", "Count=b", "!Field5=c"};
    QTest::newRow("tester call: no fields")
        << 1 << false << QList<QByteArray>{} << two
        << QStringList{"(hidden)", "Return Code=5", "(hidden)"};
    const QList<TAnswerField> four{Definition("R0", 0), Definition("R1", 0), Definition("R2", 0),
                                   Definition("First", 0)};
    QTest::newRow("compatible names the fixed rows")
        << 0 << false << QList<QByteArray>{"one", "two"} << four
        << QStringList{"R0=", "R1=5", "R2=", "First=one", "!Field4=two"};
    QTest::newRow("compatible without definitions")
        << 0 << true << QList<QByteArray>{} << QList<TAnswerField>{}
        << QStringList{"!Field0=", "!Field1=5", "!Field2="};
}

void TestAnswerRows::rowsByProtocol()
{
    QFETCH(int, protocol);
    QFETCH(bool, reserved);
    QFETCH(QList<QByteArray>, fields);
    QFETCH(QList<TAnswerField>, definitions);
    QFETCH(QStringList, rows);
    TAnswerRowsInput input;
    input.protocol = protocol;
    input.extReservedFields = reserved;
    input.returnCode = 5;
    input.fields = fields;
    input.definitions = definitions;
    input.today = QDate(2026, 12, 7);
    QCOMPARE(Describe(BuildAnswerRows(input)), rows);
}

void TestAnswerRows::returnCodeHint_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("failed");
    QTest::newRow("257") << 257 << "Paper out" << "257" << "(0101) Paper out" << true;
    QTest::newRow("no description") << 10 << "" << "10" << "(000A) " << true;
    QTest::newRow("0") << 0 << "Done" << "0" << "(0000) Done" << false;
    QTest::newRow("highest") << 0xFFFF << "x" << "65535" << "(FFFF) x" << true;
}

void TestAnswerRows::returnCodeHint()
{
    QFETCH(int, code);
    QFETCH(QString, description);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    TAnswerRowsInput input;
    input.returnCode = quint16(code);
    input.returnCodeText = description;
    const auto rows = BuildAnswerRows(input);
    QCOMPARE(rows.at(1).label, QStringLiteral("Return Code"));
    QCOMPARE(rows.at(1).text, text);
    QCOMPARE(rows.at(1).hint, hint);
    QVERIFY(rows.at(1).visible);
    // The description stands beside the code, not only in its hint.
    QVERIFY(rows.at(1).returnCode);
    QCOMPARE(rows.at(1).description, description);
    QTEST(rows.at(1).failed, "failed");
    // The compatible protocol has no return code of its own.
    input.protocol = 0;
    QVERIFY(!BuildAnswerRows(input).at(1).returnCode);
}

void TestAnswerRows::conversions_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");

    QTest::newRow("currency") << 2 << 2 << QByteArray("12345") << "123.45";
    QTest::newRow("decimal") << 4 << 0 << QByteArray("\x00\x64", 2) << "100";
    // Past 4 bytes no number is read: the bytes are shown, never a 0 that
    // looks like a value.
    QTest::newRow("decimal of 5 bytes") << 4 << 0 << QByteArray("\x01\x02\x03\x04\x05") << "x'0102030405'";
    QTest::newRow("hexa of 6 bytes") << 5 << 0 << QByteArray("\x00\xAB\x00\x00\x10\xFF", 6) << "x'00AB000010FF'";
    QTest::newRow("binary of 5 bytes") << 6 << 0 << QByteArray("\x80\x00\x00\x00\x01", 5) << "x'8000000001'";
    QTest::newRow("decimal of 4 bytes read") << 4 << 0 << QByteArray("\x00\x01\x00\x00", 4) << "65536";
    QTest::newRow("numeric of 6 characters as text") << 3 << 0 << QByteArray("123456") << "123456";
    QTest::newRow("hexa") << 5 << 0 << QByteArray("\xAB") << "AB";
    QTest::newRow("binary") << 6 << 0 << QByteArray("\x05") << "00000101";
    QTest::newRow("date to yyyy/mm/dd") << 8 << 0 << QByteArray("030504") << "2004/05/03";
    QTest::newRow("invalid date as received") << 8 << 0 << QByteArray("310299") << "310299";
    QTest::newRow("time") << 9 << 0 << QByteArray("143025") << "14:30:25";
    QTest::newRow("numeric unchanged") << 3 << 2 << QByteArray("0012") << "0012";
    QTest::newRow("text in Windows-1252") << 0 << 0 << QByteArray("\x80 5") << QStringLiteral("\u20AC 5");
}

void TestAnswerRows::conversions()
{
    QFETCH(int, textType);
    QFETCH(int, decimals);
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    TAnswerRowsInput input;
    input.fields = {data};
    input.definitions = {Definition("Value", textType, decimals)};
    input.inputDateFormat = 0;
    input.outputDateFormat = 7;
    input.today = QDate(2026, 12, 7);
    const auto rows = BuildAnswerRows(input);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(3).label, QStringLiteral("Value"));
    QCOMPARE(rows.at(3).text, text);
    QVERIFY(!rows.at(3).undefined);
}

QTEST_GUILESS_MAIN(TestAnswerRows)
#include "tst_answer_rows.moc"
