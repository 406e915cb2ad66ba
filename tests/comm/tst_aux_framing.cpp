#include "comm/aux_framing.h"

#include <QtTest>

class TestAuxFraming : public QObject
{
    Q_OBJECT

private slots:
    void buildFrame_data();
    void buildFrame();
    void finalFrame_data();
    void finalFrame();
    void frameText();
};

void TestAuxFraming::buildFrame_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("AB") << QByteArray("AB") << QByteArray::fromHex("0241420378");
    QTest::newRow("empty") << QByteArray() << QByteArray::fromHex("0203fb");
    // Control bytes travel unescaped.
    QTest::newRow("control bytes") << QByteArray::fromHex("0203") << QByteArray::fromHex("02020303f6");
    QTest::newRow("sum wraps") << QByteArray::fromHex("ffff") << QByteArray::fromHex("02ffff03fd");
    QTest::newRow("sum zero") << QByteArray::fromHex("fb") << QByteArray::fromHex("02fb0300");
}

void TestAuxFraming::buildFrame()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, frame);
    const QByteArray built = TAuxFraming::BuildFrame(data);
    QCOMPARE(built.toHex(' '), frame.toHex(' '));
    QVERIFY(TAuxFraming::IsZeroSum(built));
    QCOMPARE(TAuxFraming::FrameText(built), data);
}

void TestAuxFraming::finalFrame_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("final");

    for (const char *code : {"0000", "0001", "0002", "0003", "0004", "0010", "0011"})
        QTest::newRow(code) << QByteArray(code) + "REST" << true;
    QTest::newRow("code alone") << QByteArray("0003") << true;
    QTest::newRow("0005") << QByteArray("0005 more") << false;
    QTest::newRow("1000") << QByteArray("1000") << false;
    QTest::newRow("0012") << QByteArray("0012") << false;
    QTest::newRow("short") << QByteArray("000") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("code later") << QByteArray(" 0000") << false;
}

void TestAuxFraming::finalFrame()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, final);
    QCOMPARE(TAuxFraming::IsFinalText(text), final);
    QCOMPARE(TAuxFraming::IsFinalFrame(TAuxFraming::BuildFrame(text)), final);
}

void TestAuxFraming::frameText()
{
    QCOMPARE(TAuxFraming::FrameText(QByteArray::fromHex("0203fb")), QByteArray());
    QCOMPARE(TAuxFraming::FrameText(QByteArray::fromHex("0203")), QByteArray());
    QVERIFY(!TAuxFraming::IsZeroSum(QByteArray::fromHex("0241420379")));
}

QTEST_GUILESS_MAIN(TestAuxFraming)
#include "tst_aux_framing.moc"
