#include "sim/sim_fault_plan.h"

#include <QtTest>

class TestSimFaultPlan : public QObject
{
    Q_OBJECT

private slots:
    void specs_data();
    void specs();
    void whichRequest();
    void garbageHasNoControlBytes();
};

void TestSimFaultPlan::specs_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("spec");
    QTest::addColumn<bool>("ok");

    const int host = TSimFaultPlan::HostPort;
    const int fiscal = TSimFaultPlan::FiscalPort;
    QTest::newRow("nak") << host << "nak" << true;
    QTest::newRow("nak on 3") << host << "nak@3" << true;
    QTest::newRow("every, any case") << host << "NAK@Every" << true;
    QTest::newRow("dc2") << host << "dc2=3,500@2" << true;
    QTest::newRow("busy-frame") << host << "busy-frame=2,100" << true;
    QTest::newRow("delay") << host << " delay = 3000 @ 1 " << true;
    QTest::newRow("garbage") << host << "garbage=16" << true;
    QTest::newRow("fiscal bad checksum") << fiscal << "bad-checksum@2" << true;
    QTest::newRow("fiscal silence") << fiscal << "silence" << true;
    QTest::newRow("unplug") << host << "unplug=500@2" << true;
    QTest::newRow("fiscal unplug") << fiscal << "unplug=0" << true;

    QTest::newRow("unknown") << host << "explode" << false;
    QTest::newRow("request 0") << host << "nak@0" << false;
    QTest::newRow("request text") << host << "nak@first" << false;
    QTest::newRow("missing gap") << host << "dc2=3" << false;
    QTest::newRow("argument not taken") << host << "nak=1" << false;
    QTest::newRow("negative") << host << "delay=-5" << false;
    QTest::newRow("absurd delay") << host << "delay=99999999" << false;
    QTest::newRow("unplug without time") << host << "unplug" << false;
    QTest::newRow("absurd unplug") << fiscal << "unplug=99999999" << false;
    QTest::newRow("fiscal dc2") << fiscal << "dc2=1,10" << false;
    QTest::newRow("fiscal other-seq") << fiscal << "other-seq" << false;
}

void TestSimFaultPlan::specs()
{
    QFETCH(int, port);
    QFETCH(QString, spec);
    QFETCH(bool, ok);
    TSimFaultPlan plan{TSimFaultPlan::TPort(port)};
    QString error;
    QCOMPARE(plan.Add(spec, error), ok);
    QCOMPARE(error.isEmpty(), ok);
    QCOMPARE(plan.IsEmpty(), !ok);
}

void TestSimFaultPlan::whichRequest()
{
    TSimFaultPlan plan;
    QString error;
    QVERIFY(plan.Add("nak@2", error));
    QVERIFY(plan.Add("dc2=3,250", error));
    QVERIFY(plan.Add("delay=40@3", error));
    QVERIFY(plan.Add("unplug=700@4", error));

    const TSimFaultPlan::TFaults first = plan.For(1);
    QVERIFY(!first.Nak);
    QCOMPARE(first.Dc2Count, 3);
    QCOMPARE(first.Dc2GapMs, 250);
    QCOMPARE(first.DelayMs, 0);
    QVERIFY(plan.For(2).Nak);
    QCOMPARE(plan.For(3).DelayMs, 40);
    QVERIFY(!plan.For(3).Nak);
    QCOMPARE(plan.For(99).Dc2Count, 3);
    QCOMPARE(plan.For(3).UnplugMs, -1);
    QCOMPARE(plan.For(4).UnplugMs, 700);
}

void TestSimFaultPlan::garbageHasNoControlBytes()
{
    const QByteArray garbage = TSimFaultPlan::Garbage(100);
    QCOMPARE(garbage.size(), 100);
    for (char control : {0x02, 0x03, 0x05, 0x06, 0x12, 0x15, 0x1B, 0x1C})
        QVERIFY(!garbage.contains(control));
}

QTEST_GUILESS_MAIN(TestSimFaultPlan)
#include "tst_sim_fault_plan.moc"
