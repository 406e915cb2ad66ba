#include "execution/field_value.h"
#include "terminal_model/field_types.h"

#include <QtTest>

class TestFieldValue : public QObject {
    Q_OBJECT
private slots:
    void value_data();
    void value();
    void autoIncrement_data();
    void autoIncrement();
    void suffix_data();
    void suffix();
};

void TestFieldValue::value_data()
{
    QTest::addColumn<int>("controlType");
    QTest::addColumn<int>("textType");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<QString>("value");

    QTest::newRow("date picker, ddmmyy") << int(ctDate) << int(ttAlphaNumeric) << "" << 0 << 0 << 0
                                         << "030504";
    QTest::newRow("date picker, yyyymmdd") << int(ctDate) << int(ttDate) << "" << 0 << 0 << 7
                                           << "20040503";
    QTest::newRow("date picker wins over a Currency type")
        << int(ctDate) << int(ttCurrency) << "12,5" << 10 << 2 << 3 << "05032004";
    QTest::newRow("time picker") << int(ctTime) << int(ttTime) << "" << 0 << 0 << 0 << "140509";
    QTest::newRow("currency") << int(ctSimple) << int(ttCurrency) << "12,5" << 10 << 2 << 0
                              << "0000001250";
    QTest::newRow("decimal in a list") << int(ctDropDownList) << int(ttDecimal) << "255" << 4 << 0 << 0
                                       << "x'00FF'";
    QTest::newRow("hexa") << int(ctDropDown) << int(ttHexa) << "1A2B" << 8 << 0 << 0 << "x'1A2B'";
    QTest::newRow("binary") << int(ctSimple) << int(ttBinary) << "1010" << 2 << 0 << 0 << "x'0A'";
    QTest::newRow("alphanumeric as typed") << int(ctSimple) << int(ttAlphaNumeric) << "x'41' A" << 0
                                           << 0 << 0 << "x'41' A";
    QTest::newRow("date text type in a typed box is sent as typed")
        << int(ctSimple) << int(ttDate) << "030504" << 0 << 0 << 7 << "030504";
    QTest::newRow("unknown control type counts as Simple")
        << 9 << int(ttCurrency) << "1,5" << 4 << 1 << 0 << "0015";
}

void TestFieldValue::value()
{
    QFETCH(int, controlType);
    QFETCH(int, textType);
    QFETCH(QString, text);
    QFETCH(int, minLength);
    QFETCH(int, decimals);
    QFETCH(int, dateFormat);
    QFETCH(QString, value);
    const TFieldInput input{text, QDate(2004, 5, 3), QTime(14, 5, 9)};
    QCOMPARE(FieldValue(controlType, textType, input, minLength, decimals, dateFormat), value);
}

void TestFieldValue::autoIncrement_data()
{
    QTest::addColumn<int>("controlType");
    QTest::addColumn<int>("textType");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<bool>("incremented");
    QTest::newRow("alphanumeric box") << int(ctSimple) << int(ttAlphaNumeric) << true << true;
    QTest::newRow("alphanumeric list") << int(ctDropDown) << int(ttAlphaNumeric) << true << true;
    QTest::newRow("flag clear") << int(ctSimple) << int(ttAlphaNumeric) << false << false;
    QTest::newRow("numeric") << int(ctSimple) << int(ttNumeric) << true << false;
    QTest::newRow("date picker") << int(ctDate) << int(ttAlphaNumeric) << true << false;
    QTest::newRow("time picker") << int(ctTime) << int(ttAlphaNumeric) << true << false;
}

void TestFieldValue::autoIncrement()
{
    QFETCH(int, controlType);
    QFETCH(int, textType);
    QFETCH(bool, flag);
    QFETCH(bool, incremented);
    QCOMPARE(IsAutoIncremented(controlType, textType, flag), incremented);
}

void TestFieldValue::suffix_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("1") << 1 << "001";
    QTest::newRow("12") << 12 << "012";
    QTest::newRow("999") << 999 << "999";
}

void TestFieldValue::suffix()
{
    QFETCH(int, step);
    QFETCH(QString, suffix);
    QCOMPARE(AutoIncrementSuffix(step), suffix);
}

QTEST_GUILESS_MAIN(TestFieldValue)
#include "tst_field_value.moc"
