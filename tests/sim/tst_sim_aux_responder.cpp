#include "comm/aux_framing.h"
#include "sim/sim_aux_responder.h"

#include <QtTest>

namespace {

const QByteArray Ack(1, TAuxFraming::ACK);
const QByteArray Nak(1, TAuxFraming::NAK);
const QByteArray Enq(1, TAuxFraming::ENQ);

QStringList Outputs(const TSimResponder::TReaction &reaction)
{
    QStringList out;
    for (const TSimResponder::TOutput &output : reaction.Outputs)
        out << QStringLiteral("%1:%2").arg(output.GapMs).arg(QString::fromLatin1(output.Bytes.toHex()));
    return out;
}

QString Out(int gap, const QByteArray &bytes)
{
    return QStringLiteral("%1:%2").arg(gap).arg(QString::fromLatin1(bytes.toHex()));
}

QString OutFrame(const QByteArray &text, int gap = 0)
{
    return Out(gap, TAuxFraming::BuildFrame(text));
}

} // namespace

class TestSimAuxResponder : public QObject
{
    Q_OBJECT

private slots:
    void firstReaction_data();
    void firstReaction();
    void framesFollowAcks();
    void nakRepeatsFrame();
    void badRequestGetsNak();
    void resetDropsPendingFrames();
};

void TestSimAuxResponder::firstReaction_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("outputs");

    const QByteArray frame = TAuxFraming::BuildFrame("Q1");
    QTest::newRow("enq") << Enq << QString() << QStringList{Out(0, Ack)};
    QTest::newRow("enq, nak") << Enq << "nak" << QStringList{Out(0, Nak)};
    QTest::newRow("enq, delay") << Enq << "delay=200" << QStringList{Out(200, Ack)};
    QTest::newRow("frame") << frame << QString() << QStringList{OutFrame("0000Q1")};
    QTest::newRow("frame, silence") << frame << "silence" << QStringList{};
    QTest::newRow("frame, nak") << frame << "nak" << QStringList{Out(0, Nak)};
    QTest::newRow("frame, delay") << frame << "delay=90" << QStringList{OutFrame("0000Q1", 90)};
    QTest::newRow("frame, garbage")
        << frame << "garbage=3" << QStringList{Out(0, TSimFaultPlan::Garbage(3)), OutFrame("0000Q1")};
    QByteArray bad = TAuxFraming::BuildFrame("0000Q1");
    bad[bad.size() - 1] = char(bad.back() ^ 1);
    QTest::newRow("frame, bad checksum") << frame << "bad-checksum" << QStringList{Out(0, bad)};
}

void TestSimAuxResponder::firstReaction()
{
    QFETCH(QByteArray, request);
    QFETCH(QString, fault);
    QFETCH(QStringList, outputs);
    TSimProfile profile;
    TSimFaultPlan plan(TSimFaultPlan::FiscalPort);
    QString error;
    if (!fault.isEmpty())
        QVERIFY2(plan.Add(fault, error), qPrintable(error));
    TSimAuxResponder responder(profile, plan);
    const TSimResponder::TReaction reaction = responder.Receive(request);
    QCOMPARE(reaction.Received, QList<QByteArray>{request});
    QCOMPARE(Outputs(reaction), outputs);
    QCOMPARE(responder.RequestCount(), 1);
}

void TestSimAuxResponder::framesFollowAcks()
{
    TSimProfile profile;
    profile.SetFiscalFrames(3);
    TSimFaultPlan plan(TSimFaultPlan::FiscalPort);
    TSimAuxResponder responder(profile, plan);
    QCOMPARE(Outputs(responder.Receive(TAuxFraming::BuildFrame("R"))), QStringList{OutFrame("1000 part 1")});
    QCOMPARE(Outputs(responder.Receive(Ack)), QStringList{OutFrame("1000 part 2")});
    QCOMPARE(Outputs(responder.Receive(Ack)), QStringList{OutFrame("0000R")});
    QCOMPARE(Outputs(responder.Receive(Ack)), QStringList{});
}

void TestSimAuxResponder::nakRepeatsFrame()
{
    TSimProfile profile;
    TSimFaultPlan plan(TSimFaultPlan::FiscalPort);
    QString error;
    QVERIFY(plan.Add("bad-checksum", error));
    TSimAuxResponder responder(profile, plan);
    responder.Receive(TAuxFraming::BuildFrame("R"));
    for (int i = 0; i < TSimAuxResponder::MaxRepeats; ++i)
        QCOMPARE(Outputs(responder.Receive(Nak)), QStringList{OutFrame("0000R")});
    QCOMPARE(Outputs(responder.Receive(Nak)), QStringList{});
}

void TestSimAuxResponder::badRequestGetsNak()
{
    TSimProfile profile;
    TSimFaultPlan plan(TSimFaultPlan::FiscalPort);
    TSimAuxResponder responder(profile, plan);
    QByteArray frame = TAuxFraming::BuildFrame("R");
    frame[frame.size() - 1] = char(frame.back() + 1);
    const TSimResponder::TReaction reaction = responder.Receive("zz" + frame);
    QCOMPARE(reaction.Received, (QList<QByteArray>{"zz", frame}));
    QCOMPARE(Outputs(reaction), QStringList{Out(0, Nak)});
    QCOMPARE(responder.RequestCount(), 0);
}

void TestSimAuxResponder::resetDropsPendingFrames()
{
    TSimProfile profile;
    profile.SetFiscalFrames(2);
    TSimFaultPlan plan(TSimFaultPlan::FiscalPort);
    TSimAuxResponder responder(profile, plan);
    responder.Receive(TAuxFraming::BuildFrame("R"));
    responder.Reset();
    QCOMPARE(Outputs(responder.Receive(Ack)), QStringList{});
    QCOMPARE(Outputs(responder.Receive(Nak)), QStringList{});
}

QTEST_GUILESS_MAIN(TestSimAuxResponder)
#include "tst_sim_aux_responder.moc"
