#include "terminal_model/ext_ini_file.h"
#include "terminal_model/return_codes.h"

#include <QtTest>

class TestReturnCodes : public QObject {
    Q_OBJECT

private slots:
    void parseKey_data();
    void parseKey();
    void readInFileOrder();
    void writeSortedAtEnd();
    void description();
};

void TestReturnCodes::parseKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("code");
    QTest::newRow("RC10") << "RC10" << true << 10;
    QTest::newRow("leading zeros") << "RC010" << true << 10;
    QTest::newRow("case") << "rc7" << true << 7;
    QTest::newRow("no digits") << "RC" << false << 0;
    QTest::newRow("letters") << "RCNNN1" << false << 0;
    QTest::newRow("sign") << "RC-1" << false << 0;
    QTest::newRow("other key") << "Record1" << false << 0;
    QTest::newRow("too big") << "RC99999999999" << false << 0;
}

void TestReturnCodes::parseKey()
{
    QFETCH(QString, key);
    QFETCH(bool, ok);
    QFETCH(int, code);
    int value = 0;
    QCOMPARE(ParseReturnCodeKey(key, &value), ok);
    QCOMPARE(value, code);
}

void TestReturnCodes::readInFileOrder()
{
    TExtIniFile ini;
    ini.LoadFromData("[Return codes]\nRC20=Paper out\nRC3= Cover open \nNote=x\n");
    QStringList errors;
    const QList<TReturnCode> codes = ReadReturnCodes(ini, &errors);
    QCOMPARE(codes, QList<TReturnCode>({{20, "Paper out"}, {3, "Cover open"}}));
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors.first().contains(QLatin1String("Note")));
}

void TestReturnCodes::writeSortedAtEnd()
{
    TExtIniFile ini;
    ini.LoadFromData("[Return codes]\r\nRC5=old\r\n\r\n[Groups]\r\nA=\r\n");
    WriteReturnCodes(ini, {{100, "c"}, {7, "first 7"}, {20, "b"}, {7, "second 7"}, {0, "zero"}});
    QCOMPARE(ini.ToData(), QByteArray("[Groups]\r\nA=\r\n\r\n[Return codes]\r\nRC0=zero\r\nRC7=second 7\r\n"
                                      "RC20=b\r\nRC100=c\r\n"));
    WriteReturnCodes(ini, {});
    QVERIFY(!ini.SectionExists(ReturnCodesSection));
}

void TestReturnCodes::description()
{
    TExtIniFile ini;
    ini.LoadFromData("[Return codes]\nRC10=Ten\n[Return code]\nRC11=wrong section\n");
    QCOMPARE(ReturnCodeKey(10), QStringLiteral("RC10"));
    QCOMPARE(ReturnCodeDescription(ini, 10), QStringLiteral("Ten"));
    QCOMPARE(ReturnCodeDescription(ini, 11), QString());
}

QTEST_GUILESS_MAIN(TestReturnCodes)
#include "tst_return_codes.moc"
