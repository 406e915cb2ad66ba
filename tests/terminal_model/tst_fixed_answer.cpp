#include "terminal_model/color_notation.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/fixed_answer.h"

#include <QtTest>

class TestFixedAnswer : public QObject {
    Q_OBJECT

private slots:
    void colorFromText_data();
    void colorFromText();
    void colorToText_data();
    void colorToText();
    void everyNameRoundTrips();
    void colorBytes();
    void parse_data();
    void parse();
    void readSectionInFileOrder();
    void writeRenumbersAndMovesSection();
};

void TestFixedAnswer::colorFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("color");
    QTest::newRow("clRed") << "clRed" << true << quint32(0x0000FF);
    QTest::newRow("name case") << "CLNAVY" << true << quint32(0x800000);
    QTest::newRow("system colour") << "clBtnFace" << true << quint32(0x8000000F);
    QTest::newRow("last system colour") << "clInfoBk" << true << quint32(0x80000018);
    QTest::newRow("clNone") << "clnone" << true << quint32(0x1FFFFFFF);
    QTest::newRow("hex") << "$00FF8000" << true << quint32(0x00FF8000);
    QTest::newRow("short hex") << "$ff" << true << quint32(0xFF);
    QTest::newRow("decimal") << "255" << true << quint32(255);
    QTest::newRow("negative decimal") << "-2147483633" << true << quint32(0x8000000F);
    QTest::newRow("blanks") << " clLime " << true << quint32(0x00FF00);
    QTest::newRow("unknown name") << "clPink" << false << quint32(0);
    QTest::newRow("bad hex") << "$12G" << false << quint32(0);
    QTest::newRow("hex too long") << "$123456789" << false << quint32(0);
    QTest::newRow("empty") << "" << false << quint32(0);
    QTest::newRow("too big") << "4294967296" << false << quint32(0);
}

void TestFixedAnswer::colorFromText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, color);
    quint32 value = 0;
    QCOMPARE(TColorNotation::FromText(text, &value), ok);
    QCOMPARE(value, color);
}

void TestFixedAnswer::colorToText_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("named") << quint32(0xFFFF00) << "clAqua";
    QTest::newRow("black") << quint32(0) << "clBlack";
    QTest::newRow("system") << quint32(0x80000005) << "clWindow";
    QTest::newRow("none") << quint32(0x1FFFFFFF) << "clNone";
    QTest::newRow("unnamed") << quint32(0x00FF8000) << "$00FF8000";
    QTest::newRow("unnamed small") << quint32(0xab) << "$000000AB";
    QTest::newRow("unknown system") << quint32(0x80000019) << "$80000019";
}

void TestFixedAnswer::colorToText()
{
    QFETCH(quint32, color);
    QFETCH(QString, text);
    QCOMPARE(TColorNotation::ToText(color), text);
}

void TestFixedAnswer::everyNameRoundTrips()
{
    const QStringList names = TColorNotation::Names();
    QCOMPARE(names.size(), 16 + 25 + 1);
    for (const QString &name : names) {
        quint32 color = 0;
        QVERIFY2(TColorNotation::FromText(name, &color), qPrintable(name));
        QCOMPARE(TColorNotation::ToText(color), name);
    }
}

void TestFixedAnswer::colorBytes()
{
    // Red is the lowest byte: 0x0000FF is clRed.
    const quint32 color = TColorNotation::FromRgb(0x12, 0x34, 0x56);
    QCOMPARE(color, quint32(0x563412));
    QCOMPARE(TColorNotation::Red(color), 0x12);
    QCOMPARE(TColorNotation::Green(color), 0x34);
    QCOMPARE(TColorNotation::Blue(color), 0x56);
    QCOMPARE(TColorNotation::ToText(TColorNotation::FromRgb(255, 0, 0)), QStringLiteral("clRed"));
    QVERIFY(TColorNotation::IsSystemColor(0x80000018));
    QVERIFY(!TColorNotation::IsSystemColor(0x80000019));
    QVERIFY(!TColorNotation::IsSystemColor(TColorNotation::None));
}

void TestFixedAnswer::parse_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("color");
    QTest::newRow("example") << "1,1,FF11,0011,\"Message1\",clRed" << true << 1 << 0xFF11 << 0x11 << "Message1"
                             << quint32(0xFF);
    QTest::newRow("leading number ignored") << "9,16,f,0,\"a, b\",$00123456" << true << 16 << 0xF << 0 << "a, b"
                                            << quint32(0x123456);
    QTest::newRow("extra items") << "1,2,1,1,\"x\",0,zz" << true << 2 << 1 << 1 << "x" << quint32(0);
    QTest::newRow("five items") << "1,1,FF,00,\"x\"" << false << 0 << 0 << 0 << "" << quint32(0);
    QTest::newRow("panel 0") << "1,0,FF,00,\"x\",clRed" << false << 0 << 0 << 0 << "" << quint32(0);
    QTest::newRow("panel 17") << "1,17,FF,00,\"x\",clRed" << false << 0 << 0 << 0 << "" << quint32(0);
    QTest::newRow("mask not hex") << "1,1,FG,00,\"x\",clRed" << false << 0 << 0 << 0 << "" << quint32(0);
    QTest::newRow("mask too long") << "1,1,1FFFF,00,\"x\",clRed" << false << 0 << 0 << 0 << "" << quint32(0);
    QTest::newRow("result with prefix") << "1,1,FF,0x1,\"x\",clRed" << false << 0 << 0 << 0 << "" << quint32(0);
    QTest::newRow("bad colour") << "1,1,FF,00,\"x\",red" << false << 0 << 0 << 0 << "" << quint32(0);
}

void TestFixedAnswer::parse()
{
    QFETCH(QString, value);
    QFETCH(bool, ok);
    TFixedAnswer record;
    QString reason;
    QCOMPARE(TFixedAnswer::Parse(value, &record, &reason), ok);
    QCOMPARE(reason.isEmpty(), ok);
    if (!ok)
        return;
    QFETCH(int, panel);
    QFETCH(int, mask);
    QFETCH(int, result);
    QFETCH(QString, text);
    QFETCH(quint32, color);
    QCOMPARE(record.Panel, panel);
    QCOMPARE(int(record.Mask), mask);
    QCOMPARE(int(record.Result), result);
    QCOMPARE(record.Text, text);
    QCOMPARE(record.Color, color);
}

void TestFixedAnswer::readSectionInFileOrder()
{
    TExtIniFile ini;
    ini.LoadFromData("[FiscalAnswer]\nRecord2=1,2,0001,0001,\"Second\",clBlue\nAnything=7,1,FF11,0011,\"Message1\",clRed\n"
                     "Record3=3,99,0,0,\"Bad\",clRed\n");
    QStringList errors;
    const QList<TFixedAnswer> records = ReadFixedAnswers(ini, FiscalAnswerSection, &errors);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0).Text, QStringLiteral("Second"));
    QCOMPARE(records.at(1).Text, QStringLiteral("Message1"));
    QCOMPARE(errors, QStringList(QStringLiteral("Section [FiscalAnswer], key Record3, value 3,99,0,0,\"Bad\",clRed: "
                                                "the panel \"99\" is not a number from 1 to 16")));
}

void TestFixedAnswer::writeRenumbersAndMovesSection()
{
    TExtIniFile ini;
    ini.LoadFromData("[FiscalAnswer]\nRecord7=7,1,FF11,0011,\"Old\",clRed\n\n[PrinterAnswer]\n\n[Groups]\nA=\n");
    TFixedAnswer first;
    first.Panel = 3;
    first.Mask = 0xF;
    first.Result = 0xA0;
    first.Text = QStringLiteral("Say \"x\", now");
    first.Color = 0x00FF8000;
    TFixedAnswer second;
    second.Text = QStringLiteral("Paper out");
    second.Color = TColorNotation::None;
    WriteFixedAnswers(ini, FiscalAnswerSection, {first, second});
    QCOMPARE(ini.ToData(), QByteArray("[PrinterAnswer]\n\n[Groups]\nA=\n\n[FiscalAnswer]\n"
                                      "Record1=1,3,000F,00A0,\"Say \"\"x\"\", now\",$00FF8000\n"
                                      "Record2=2,1,0000,0000,\"Paper out\",clNone\n"));
    QStringList errors;
    QCOMPARE(ReadFixedAnswers(ini, FiscalAnswerSection, &errors), QList<TFixedAnswer>({first, second}));
    QVERIFY(errors.isEmpty());
}

QTEST_GUILESS_MAIN(TestFixedAnswer)
#include "tst_fixed_answer.moc"
